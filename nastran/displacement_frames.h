// The displacement frame (CD) of a grid: the GRID card of a constrained node
// names the frame in which the solver reads its constraints, and with them
// every vector given at that grid (bar orientations and offsets).
#pragma once

#include <cstdint>

#include "model/model.h"
#include "nastran/deck_context.h"
#include "nastran/fields.h"

// True when the node's GRID card carries a CD other than the basic frame.
bool WritesDisplacementFrame(const DeckContext& deck, const NodeRecord& node);

// The first and third axes (ex, ez) of a frame through the points A, B and C
// (points holds A1 to C3), as the neutral file and the solver construct them:
// ez along AB, ey normal to the plane of AB and AC, ex = ey x ez, each
// normalised. False when a length on the way is 0.
bool FrameAxes(const double (&points)[9], double (&ex)[3], double (&ez)[3]);

// The components of a basic-frame vector along the directions of `frame` at
// the point `at` (rectangular: its axes; cylindrical and spherical: the local
// radial, tangential and axial or polar directions there), each rounded to
// single precision. False, with `out` untouched, when the frame's points do
// not define axes or its kind is none of the three.
bool ComponentsInFrame(const FrameRecord& frame, const float (&at)[3], const double (&vector)[3], float (&out)[3]);

// The solver reads a vector given at a grid (a bar's or beam's orientation
// vector and offsets, a gap's orientation vector) in that grid's displacement
// frame when its GRID card names one: the three fields then get the vector's
// components along that frame's directions at the grid, as numbers (a field
// written empty counts as 0.0). Without a usable frame they stay as they are.
// Called while the element cards are written.
void ExpressInDisplacementFrame(const DeckContext& deck, int32_t gridNumber, double* fields, FieldForm* forms);
