#include "model/element_types.h"

#include "model/model.h"

constexpr std::array<ElementTypeRow, 21> ElementTypeTable = {{
    {1, 1, 1},
    {20, 2, 5},
    {22, 2, 5},
    {30, 3, 3},
    {32, 3, 6},
    {33, 3, 9},
    {37, 3, 10},
    {40, 4, 4},
    {42, 4, 8},
    {43, 4, 12},
    {46, 4, 9},
    {47, 4, 16},
    {60, 7, 6},
    {62, 7, 15},
    {63, 7, 24},
    {70, 5, 4},
    {72, 5, 10},
    {73, 5, 16},
    {80, 8, 8},
    {82, 8, 20},
    {83, 8, 32},
}};

// No kind takes more node slots than an element record holds.
static_assert([] {
  for (const ElementTypeRow& row : ElementTypeTable) {
    if (row.nodeSlots > kMostNodeSlots) return false;
  }
  return true;
}());

int FindElementType(int32_t kind, int remembered) {
  if (remembered >= 0 && remembered < static_cast<int>(ElementTypeTable.size()) &&
      ElementTypeTable[static_cast<std::size_t>(remembered)].kind == kind) {
    return remembered;
  }
  for (std::size_t row = 0; row < ElementTypeTable.size(); ++row) {
    if (ElementTypeTable[row].kind == kind) return static_cast<int>(row);
  }
  return -1;
}
