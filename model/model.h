// The in-memory finite-element model shared by both programs: nodes,
// elements and coordinate frames from the project model file, plus the
// load-side records (load_records.h) from the load file.
#pragma once

#include <cstdint>

#include "model/large_array.h"
#include "model/load_records.h"

struct NodeRecord {
  float coordinates[3];    // x, y, z in the project's units
  int32_t externalNumber;  // the number the user knows the node by
  int32_t dofCount;        // degrees of freedom, 6 unless a constraint sets another
  int32_t configuration;   // always 0
  int32_t outputFrameId;   // frame of the displacements; 0 is the basic frame
  int32_t constraintCode;  // constrained DOFs as ascending digits 1-6 (123, 123456); 0 = none
  char nodeKind;           // one-character node kind; 'G' by default, 0 is written as 'G'
};

struct ElementRecord {
  int32_t externalNumber;  // the number the user knows the element by
  int32_t shape;           // 1 point, 2 line, 3 triangle, 4 quad, 5 tet, 7 wedge, 8 hex
  int32_t reserved;        // always 0
  int32_t auxCode;         // word 3 of the file entry; carried only
  int32_t elementClass;    // detailed element kind; chooses the card
  int32_t nodeCount;       // node slots in use
  int32_t propertyId;      // id of the last property definition listing the element; 0 = none
  int32_t deckPropertyId;  // the same, of property definitions only (type code 1000 and up)
  int32_t dataDefinition;  // 1-based position in Model::properties of the last element data
                           // definition (type code below 1000, equal to the class) listing it; 0 = none
  int32_t materialId;      // second property reference; always 0
  int32_t valueCount;      // element data values; always 0
  int32_t nodeIndexes[50]; // 1-based positions in Model::nodes; 0 = empty slot
};

struct FrameRecord {
  int32_t id;
  int32_t kind;            // 1 rectangular, 2 cylindrical, 3 spherical
  float origin[3];         // point A
  float axisPoint[3];      // point B, on the third axis
  float planePoint[3];     // point C, in the plane of the first and third axes
};

struct Model {
  int32_t elementCount = 0;
  int32_t nodeCount = 0;
  int32_t materialCount = 0;
  int32_t propertyCount = 0;
  int32_t nodeLoadCount = 0;
  int32_t distributedLoadCount = 0;
  int32_t frameCount = 0;
  LargeArray<NodeRecord> nodes;
  LargeArray<ElementRecord> elements;
  LargeArray<MaterialRecord> materials;
  LargeArray<PropertyRecord> properties;
  LargeArray<FrameRecord> frames;
  LargeArray<DistributedLoadRecord> distributedLoads;
  LargeArray<NodeLoadRecord> nodeLoads;
};

// Releases every array of the model and clears its counts.
void FreeModel(Model& model);

// Process-wide flags (0 at start).
extern int GeometryOnly;                 // only geometry is to be written
extern int NodeNumbersNonSequential;     // some node number differs from its position
extern int ElementNumbersNonSequential;  // some element number differs from its position
