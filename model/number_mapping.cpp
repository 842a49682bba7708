#include "model/number_mapping.h"

#include <algorithm>

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
  if (sorted.empty() && entryCount > 0) {
    sorted.reserve(static_cast<std::size_t>(entryCount));
    for (int32_t i = 1; i <= entryCount; ++i) sorted.emplace_back(table[i], i);
    // Compare the numbers themselves, never their difference, so extreme
    // values cannot overflow.
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  }
  for (std::size_t k = 0; k < length; ++k) {
    const int32_t v = list[k];
    const auto found = std::lower_bound(sorted.begin(), sorted.end(), v,
                                        [](const auto& pair, int32_t number) { return pair.first < number; });
    if (found != sorted.end() && found->first == v) {
      list[k] = found->second;
    } else if (v != 0) {
      list[k] = -1;
    }
  }
}
