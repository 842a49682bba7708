// Conversions and counts that stay defined for any input: values and counts
// come from files, so they may be NaN, huge or disagree with the tables.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

// Truncation toward zero as a 32-bit integer: NaN gives 0, values beyond the
// int32 range give its nearest end.
inline int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483648.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483649.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

// The number of records that may be read: the model's count, never more than
// the array holds and never below 0.
template <typename Record, typename Allocator>
std::size_t UsableCount(int32_t count, const std::vector<Record, Allocator>& records) {
  return std::min<std::size_t>(static_cast<std::size_t>(std::max<int32_t>(count, 0)), records.size());
}
