// Fixed-point text of a single-precision value, byte for byte what
// std::to_chars(double(v), std::chars_format::fixed, precision) writes, for
// the hot field routines of both writers.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>

// For 0 <= precision <= 7. In the common case no general conversion is
// needed: v times 10^precision is exact in double (24 + 17 significant bits),
// and adding and taking away 2^52 rounds it to an integer half to even, as
// the exact conversion rounds. `end` bounds the text (64 bytes always suffice).
inline char* FixedPointText(float v, int precision, char* text, char* end) {
  static constexpr double kScale[] = {1.0, 1.0e1, 1.0e2, 1.0e3, 1.0e4, 1.0e5, 1.0e6, 1.0e7};
  static constexpr uint64_t kUnit[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
  constexpr double kTwo52 = 4503599627370496.0;
  const double magnitude = std::fabs(static_cast<double>(v) * kScale[precision]);
  if (!(magnitude < kTwo52)) {
    return std::to_chars(text, end, static_cast<double>(v), std::chars_format::fixed, precision).ptr;
  }
  const uint64_t digits = static_cast<uint64_t>((magnitude + kTwo52) - kTwo52);
  char* at = text;
  if (std::signbit(v)) *at++ = '-';
  at = std::to_chars(at, end, digits / kUnit[precision]).ptr;
  if (precision > 0) {
    *at++ = '.';
    uint64_t fraction = digits % kUnit[precision];
    for (int k = precision - 1; k >= 0; --k, fraction /= 10) at[k] = static_cast<char>('0' + fraction % 10);
    at += precision;
  }
  return at;
}
