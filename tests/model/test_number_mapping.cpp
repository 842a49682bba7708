// External number lookup on dense and on sparse numbering: both ways of
// looking numbers up must give the positions that carry the numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "model/number_mapping.h"

namespace {

// Maps a list over a table of `count` numbers drawn from [low, low + spread)
// (in rising order when `rising`) and checks every entry: the first position
// that carries the number, -1 for a number found nowhere, 0 kept.
void CheckMapping(int32_t count, int32_t low, int32_t spread, unsigned seed, bool rising = false) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int32_t> number(low, low + spread - 1);
  std::vector<int32_t> table(static_cast<std::size_t>(count) + 1, 0);
  for (int32_t i = 1; i <= count; ++i) table[static_cast<std::size_t>(i)] = number(random);
  if (rising) {
    std::sort(table.begin() + 1, table.end());
    table.erase(std::unique(table.begin() + 1, table.end()), table.end());
    count = static_cast<int32_t>(table.size()) - 1;
  }

  std::vector<int32_t> list;
  for (int i = 0; i < 2000; ++i) {
    list.push_back(i % 3 == 0 ? table[static_cast<std::size_t>(1 + i % count)] : number(random));
  }
  list.push_back(0);
  list.push_back(low - 1);
  list.push_back(low + spread);
  if (rising) {  // the same numbers again in rising, then in falling order
    std::vector<int32_t> ordered = list;
    std::sort(ordered.begin(), ordered.end());
    list.insert(list.end(), ordered.begin(), ordered.end());
    list.insert(list.end(), ordered.rbegin(), ordered.rend());
  }
  const std::vector<int32_t> original = list;

  SortedNumberTable slot;
  MapExternalNumbers(list.data(), list.size(), NumberColumn::Table(table.data(), count), &slot);
  EXPECT_EQ(slot.ascending, rising);
  for (std::size_t k = 0; k < list.size(); ++k) {
    const int32_t v = original[k];
    int32_t first = 0;  // the first position that carries the number
    for (int32_t i = count; i >= 1; --i) first = table[static_cast<std::size_t>(i)] == v ? i : first;
    if (v == 0 && first == 0) {
      EXPECT_EQ(list[k], 0);
    } else if (first == 0) {
      EXPECT_EQ(list[k], -1) << v;
    } else {
      EXPECT_EQ(list[k], first) << v;
    }
  }
}

TEST(NumberMapping, DenseNumbersWithGapsAndRepeats) { CheckMapping(500, 1000, 800, 1); }

TEST(NumberMapping, SparseNumbersAcrossTheWholeRange) {
  CheckMapping(500, -2000000000, 2100000000, 2);
  CheckMapping(300, 1, 1000000, 3);
  CheckMapping(2000, 1, 20000, 4);  // sparse, with repeats
}

// Numbers that rise with their positions are searched where they stand,
// from the last position found: lists in rising order, in falling order and
// in no order.
TEST(NumberMapping, RisingNumbersFoundInAnyOrder) {
  CheckMapping(5000, 1, 1000000, 5, true);
  CheckMapping(3000, 1000, 3500, 6, true);  // dense: nearly every number
  CheckMapping(1, 7, 1, 7, true);
}

TEST(NumberMapping, ExtremeNumbers) {
  std::vector<int32_t> table = {0, INT32_MIN, INT32_MAX, -1, 7};
  std::vector<int32_t> list = {INT32_MAX, INT32_MIN, 7, -1, 0, 8};
  MapExternalNumbers(list.data(), list.size(), NumberColumn::Table(table.data(), 4), nullptr);
  EXPECT_EQ(list, (std::vector<int32_t>{2, 1, 4, 3, 0, -1}));
}

}  // namespace
