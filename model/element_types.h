// The element type table: the project file's element kind -> shape code and
// number of node slots.
#pragma once

#include <array>
#include <cstdint>

struct ElementTypeRow {
  int32_t kind;       // element kind as the project file gives it
  int32_t shape;      // 1 point, 2 line, 3 triangle, 4 quadrilateral, 5 tetrahedron, 7 wedge, 8 hexahedron
  int32_t nodeSlots;  // node slots taken from the entry
};

extern const std::array<ElementTypeRow, 21> ElementTypeTable;

// Index of the row for `kind`, trying `remembered` first (runs of one kind
// cost one comparison); -1 when the table has no such kind.
int FindElementType(int32_t kind, int remembered);
