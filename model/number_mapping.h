// Turning external node or element numbers into 1-based positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "model/large_array.h"

// The external numbers of positions 1 to count, read where they stand: in
// the model's records (every `stride` bytes from the first one's number) or
// in a plain table. No copy of them is made.
class NumberColumn {
 public:
  NumberColumn(const void* firstNumber, std::size_t stride, int32_t count)
      : first_(static_cast<const char*>(firstNumber)), stride_(stride), count_(count) {}
  // A table whose entry i (1 <= i <= count) is the number of position i;
  // entry 0 is not used.
  static NumberColumn Table(const int32_t* table, int32_t count) {
    return NumberColumn(table + 1, sizeof(int32_t), count);
  }
  int32_t count() const { return count_; }
  // The number of position i, 1 <= i <= count.
  int32_t operator[](int32_t i) const {
    int32_t number;
    std::memcpy(&number, first_ + static_cast<std::size_t>(i - 1) * stride_, sizeof number);
    return number;
  }

 private:
  const char* first_;
  std::size_t stride_;
  int32_t count_;
};

// How numbers are looked up, chosen once from the numbers: numbers that rise
// with their positions are searched where they stand; numbers dense in their
// range get a direct table; others a sorted copy, each number with its
// position (in two arrays so that the search touches only the numbers).
struct SortedNumberTable {
  bool built = false;
  bool ascending = false;  // the column's numbers rise strictly: it is its own sorted table
  LargeArray<int32_t> numbers;
  LargeArray<int32_t> positions;
  // When the numbers fill their range densely enough, the position of number
  // v is held at direct[v - lowest] instead (0: no such number), which
  // answers a lookup without a search.
  int32_t lowest = 0;
  LargeArray<int32_t> direct;
};

// Replaces each entry of `list` by the position of the node or element with
// that external number (the first such position). A number found nowhere
// becomes -1, except 0, which stays 0. When every entry already is its own
// position the list is left as it is. `slot` holds the lookup: when it is not
// built yet it is built there and kept (a caller may keep it across calls)
// or, with slot null, built for this call only.
void MapExternalNumbers(int32_t* list, std::size_t length, const NumberColumn& column, SortedNumberTable* slot);
