// The in-memory finite-element model shared by both programs: nodes,
// elements and coordinate frames from the project model file, plus the
// load-side records (load_records.h) from the load file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "model/large_array.h"
#include "model/load_records.h"

struct NodeRecord {
  float coordinates[3];    // x, y, z in the project's units
  int32_t externalNumber;  // the number the user knows the node by
  int32_t dofCount;        // degrees of freedom, 6 unless a constraint sets another
  int32_t outputFrameId;   // frame of the displacements; 0 is the basic frame
  int32_t constraintCode;  // constrained DOFs as ascending digits 1-6 (123, 123456); 0 = none
  char nodeKind;           // one-character node kind; 'G' by default, 0 is written as 'G'
  static constexpr int32_t configuration = 0;  // always 0
};

// The most node slots an element has (the 32-node hexahedron).
constexpr int kMostNodeSlots = 32;

// What the writers use of an element. Its node slots stand apart, in
// Model::elementNodes, only as many as its node count: a hexahedron takes
// eight, not the most any kind has.
struct ElementRecord {
  int32_t externalNumber;  // the number the user knows the element by
  int32_t elementClass;    // detailed element kind; chooses the card
  int32_t propertyId;      // id of the last property definition listing the element; 0 = none
  int32_t deckPropertyId;  // the same, of property definitions only (type code 1000 and up)
  int32_t dataDefinition;  // 1-based position in Model::properties of the last element data
                           // definition (type code below 1000, equal to the class) listing it; 0 = none
  uint32_t firstSlot;      // position of its first node slot in Model::elementNodes
  int8_t shape;            // 1 point, 2 line, 3 triangle, 4 quad, 5 tet, 7 wedge, 8 hex
  uint8_t nodeCount;       // node slots in use
  static constexpr int32_t materialId = 0;  // second property reference; always 0
  static constexpr int32_t valueCount = 0;  // element data values; always 0
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
  // The node slots of all elements (1-based positions in nodes; 0 = empty
  // slot), each element's at its firstSlot.
  LargeArray<int32_t> elementNodes;
  // Set by the project reader when some node's or element's number differs
  // from its 1-based position: the load reader then maps numbers by search.
  bool nodeNumbersNonSequential = false;
  bool elementNumbersNonSequential = false;

  // The element's node slots; none when its slots lie outside elementNodes.
  std::span<const int32_t> NodeSlots(const ElementRecord& element) const {
    const std::size_t first = element.firstSlot;
    if (first > elementNodes.size() || element.nodeCount > elementNodes.size() - first) return {};
    return {elementNodes.data() + first, element.nodeCount};
  }
  // Slot k (0-based) of the element; 0 beyond its node count.
  int32_t NodeSlot(const ElementRecord& element, int k) const {
    const std::span<const int32_t> slots = NodeSlots(element);
    return k >= 0 && static_cast<std::size_t>(k) < slots.size() ? slots[static_cast<std::size_t>(k)] : 0;
  }
  // Appends an element with its node slots (at most kMostNodeSlots) and
  // counts it.
  void AddElement(ElementRecord element, std::span<const int32_t> slots);
};

// Releases every array of the model and clears its counts.
void FreeModel(Model& model);
