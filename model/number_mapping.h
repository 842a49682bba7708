// Turning external node or element numbers into 1-based positions.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/large_array.h"

// External numbers in ascending order, each with its 1-based position (kept
// in two arrays so that the search touches only the numbers), or, for
// numbers dense in their range, the direct table alone.
struct SortedNumberTable {
  LargeArray<int32_t> numbers;
  LargeArray<int32_t> positions;
  // When the numbers fill their range densely enough, the position of number
  // v is held at direct[v - lowest] instead (0: no such number), which
  // answers a lookup without a search.
  int32_t lowest = 0;
  LargeArray<int32_t> direct;
  bool empty() const { return numbers.empty() && direct.empty(); }
};

// Replaces each entry of `list` by the position of the node or element with
// that external number: `table[i]` (1 <= i <= entryCount) is the external
// number of position i; entry 0 is not used. A number found nowhere becomes
// -1, except 0, which stays 0. When every entry already is its own position
// the list is left as it is. `slot` holds the sorted table: when it is empty
// the table is built there and kept (a caller may keep it across calls) or,
// with slot null, built for this call only.
void MapExternalNumbers(int32_t* list, std::size_t length, const int32_t* table, int32_t entryCount,
                        SortedNumberTable* slot);
