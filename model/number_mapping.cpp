#include "model/number_mapping.h"

#include <algorithm>

namespace {

void BuildTable(const int32_t* table, int32_t entryCount, SortedNumberTable& sorted) {
  sorted.direct.clear();
  if (entryCount < 1) return;
  // Numbers that fill their range densely enough get a direct table, at most
  // a few times larger than the numbers themselves; it needs no sorting.
  int32_t lowest = table[1];
  int32_t highest = table[1];
  for (int32_t i = 2; i <= entryCount; ++i) {
    lowest = std::min(lowest, table[i]);
    highest = std::max(highest, table[i]);
  }
  const int64_t range = int64_t{highest} - lowest + 1;
  if (range <= 4 * int64_t{entryCount} + 1024) {
    sorted.lowest = lowest;
    sorted.direct.reserve(static_cast<std::size_t>(range));
    PrefaultCapacity(sorted.direct);
    sorted.direct.assign(static_cast<std::size_t>(range), 0);
    for (int32_t i = entryCount; i >= 1; --i) {  // the first of equal numbers wins
      sorted.direct[static_cast<std::size_t>(int64_t{table[i]} - lowest)] = i;
    }
    return;
  }

  LargeArray<std::pair<int32_t, int32_t>> pairs;
  pairs.reserve(static_cast<std::size_t>(entryCount));
  PrefaultCapacity(pairs);
  for (int32_t i = 1; i <= entryCount; ++i) pairs.emplace_back(table[i], i);
  // Compare the numbers themselves, never their difference, so extreme values
  // cannot overflow. Equal numbers stay in position order, so that the search
  // finds the first of them, as the direct table does.
  auto byNumber = [](const auto& a, const auto& b) { return a.first < b.first; };
  if (!std::is_sorted(pairs.begin(), pairs.end(), byNumber)) std::sort(pairs.begin(), pairs.end());
  sorted.numbers.resize(pairs.size());
  sorted.positions.resize(pairs.size());
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    sorted.numbers[i] = pairs[i].first;
    sorted.positions[i] = pairs[i].second;
  }
}

// Index of the first number not below v (size when there is none); the halving
// step is free of branches on the data, which keeps large tables fast.
std::size_t LowerBound(const int32_t* numbers, std::size_t size, int32_t v) {
  if (size == 0) return 0;
  const int32_t* base = numbers;
  std::size_t length = size;
  while (length > 1) {
    const std::size_t half = length / 2;
    base = base[half - 1] < v ? base + half : base;
    length -= half;
  }
  return static_cast<std::size_t>(base - numbers) + (*base < v ? 1 : 0);
}

}  // namespace

void MapExternalNumbers(int32_t* list, std::size_t length, const int32_t* table, int32_t entryCount,
                        SortedNumberTable* slot) {
  std::size_t first = 0;
  while (first < length) {
    const int32_t v = list[first];
    if (v < 1 || v > entryCount || table[v] != v) break;
    ++first;
  }
  if (first == length) return;

  SortedNumberTable local;
  SortedNumberTable& sorted = slot != nullptr ? *slot : local;
  if (sorted.empty() && entryCount > 0) BuildTable(table, entryCount, sorted);
  if (!sorted.direct.empty()) {
    const int64_t range = static_cast<int64_t>(sorted.direct.size());
    for (std::size_t k = 0; k < length; ++k) {
      const int32_t v = list[k];
      const int64_t at = int64_t{v} - sorted.lowest;
      const int32_t position = at >= 0 && at < range ? sorted.direct[static_cast<std::size_t>(at)] : 0;
      if (position != 0) {
        list[k] = position;
      } else if (v != 0) {
        list[k] = -1;
      }
    }
    return;
  }
  const int32_t* numbers = sorted.numbers.data();
  const std::size_t size = sorted.numbers.size();
  for (std::size_t k = 0; k < length; ++k) {
    const int32_t v = list[k];
    const std::size_t at = LowerBound(numbers, size, v);
    if (at < size && numbers[at] == v) {
      list[k] = sorted.positions[at];
    } else if (v != 0) {
      list[k] = -1;
    }
  }
}
