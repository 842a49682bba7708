#include "model/number_mapping.h"

#include <algorithm>
#include <utility>

namespace {

bool RisesStrictly(const NumberColumn& column) {
  for (int32_t i = 2; i <= column.count(); ++i) {
    if (column[i] <= column[i - 1]) return false;
  }
  return true;
}

void BuildTable(const NumberColumn& column, SortedNumberTable& sorted) {
  sorted.built = true;
  const int32_t entryCount = column.count();
  if (entryCount < 1) return;
  // Numbers that rise with their positions (as modelling programs number)
  // need no table at all.
  if (RisesStrictly(column)) {
    sorted.ascending = true;
    return;
  }
  // Numbers that fill their range densely enough get a direct table, at most
  // a few times larger than the numbers themselves; it needs no sorting.
  int32_t lowest = column[1];
  int32_t highest = column[1];
  for (int32_t i = 2; i <= entryCount; ++i) {
    lowest = std::min(lowest, column[i]);
    highest = std::max(highest, column[i]);
  }
  const int64_t range = int64_t{highest} - lowest + 1;
  if (range <= 4 * int64_t{entryCount} + 1024) {
    sorted.lowest = lowest;
    sorted.direct.reserve(static_cast<std::size_t>(range));
    PrefaultCapacity(sorted.direct);
    sorted.direct.assign(static_cast<std::size_t>(range), 0);
    for (int32_t i = entryCount; i >= 1; --i) {  // the first of equal numbers wins
      sorted.direct[static_cast<std::size_t>(int64_t{column[i]} - lowest)] = i;
    }
    return;
  }

  LargeArray<std::pair<int32_t, int32_t>> pairs;
  pairs.reserve(static_cast<std::size_t>(entryCount));
  PrefaultCapacity(pairs);
  for (int32_t i = 1; i <= entryCount; ++i) pairs.emplace_back(column[i], i);
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

// The position (1 to count) of v in a strictly rising column, or 0. The search
// starts at the position found last and widens in steps that double, so that
// a list in rising order costs a few probes an entry.
int32_t FindRising(const NumberColumn& column, int32_t v, int32_t& hint) {
  const int64_t count = column.count();
  auto at = [&column](int64_t position) { return column[static_cast<int32_t>(position)]; };
  // The first position whose number is not below v lies in [low, high]
  // (count + 1 when there is none).
  int64_t low = 1;
  int64_t high = count + 1;
  int64_t step = 1;
  if (at(hint) < v) {
    low = hint + 1;
    int64_t probe = hint + step;
    while (probe <= count && at(probe) < v) {
      low = probe + 1;
      step *= 2;
      probe = hint + step;
    }
    high = std::min(probe, count + 1);
  } else {
    high = hint;
    int64_t probe = hint - step;
    while (probe >= 1 && at(probe) >= v) {
      high = probe;
      step *= 2;
      probe = hint - step;
    }
    low = std::max<int64_t>(probe + 1, 1);
  }
  while (low < high) {
    const int64_t middle = low + (high - low) / 2;
    if (at(middle) < v) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  hint = static_cast<int32_t>(std::min(low, count));
  return low <= count && at(low) == v ? static_cast<int32_t>(low) : 0;
}

}  // namespace

void MapExternalNumbers(int32_t* list, std::size_t length, const NumberColumn& column, SortedNumberTable* slot) {
  const int32_t entryCount = column.count();
  std::size_t first = 0;
  while (first < length) {
    const int32_t v = list[first];
    if (v < 1 || v > entryCount || column[v] != v) break;
    ++first;
  }
  if (first == length) return;

  SortedNumberTable local;
  SortedNumberTable& sorted = slot != nullptr ? *slot : local;
  if (!sorted.built) BuildTable(column, sorted);
  // What stands for a number found nowhere: -1, but 0 stays 0.
  auto notFound = [](int32_t v) { return v != 0 ? -1 : 0; };
  if (sorted.ascending) {
    int32_t hint = 1;
    for (std::size_t k = 0; k < length; ++k) {
      const int32_t position = FindRising(column, list[k], hint);
      list[k] = position != 0 ? position : notFound(list[k]);
    }
    return;
  }
  if (!sorted.direct.empty()) {
    const int64_t range = static_cast<int64_t>(sorted.direct.size());
    for (std::size_t k = 0; k < length; ++k) {
      const int32_t v = list[k];
      const int64_t at = int64_t{v} - sorted.lowest;
      const int32_t position = at >= 0 && at < range ? sorted.direct[static_cast<std::size_t>(at)] : 0;
      list[k] = position != 0 ? position : notFound(v);
    }
    return;
  }
  const int32_t* numbers = sorted.numbers.data();
  const std::size_t size = sorted.numbers.size();
  for (std::size_t k = 0; k < length; ++k) {
    const int32_t v = list[k];
    const std::size_t at = LowerBound(numbers, size, v);
    list[k] = at < size && numbers[at] == v ? sorted.positions[at] : notFound(v);
  }
}
