// Corner node slots of each face of the solid shapes, for finding the faces
// that a set of nodes covers.
#pragma once

#include <cstdint>

struct SolidFaceTable {
  int32_t shape;            // 8 hexahedron, 7 wedge, 5 tetrahedron
  int32_t faceCount;
  int32_t cornerSlots;      // corners are slots 1 .. cornerSlots
  int32_t corners[6][4];    // 1-based node slots of the element; 0 ends a three-cornered face
};

extern const SolidFaceTable SolidFaceTables[3];

// The table for a solid shape, or null for any other shape.
const SolidFaceTable* FindSolidFaces(int32_t shape);
