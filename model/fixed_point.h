// Fixed-point text of a single-precision value, byte for byte what
// std::to_chars(double(v), std::chars_format::fixed, precision) writes, for
// the hot field routines of both writers.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>

#include "model/decimal_text.h"

namespace fixed_point_detail {

// The integer part, the point and `Precision` decimals of digits / 10^Precision.
// The divisor is a constant, so the division is a multiplication.
template <int Precision>
char* PutScaledDigits(uint64_t digits, char* at, char* end) {
  constexpr uint64_t kUnit = [] {
    uint64_t unit = 1;
    for (int k = 0; k < Precision; ++k) unit *= 10;
    return unit;
  }();
  const uint64_t whole = digits / kUnit;
  at = whole <= UINT32_MAX ? PutDecimal(static_cast<uint32_t>(whole), at) : std::to_chars(at, end, whole).ptr;
  if constexpr (Precision > 0) {
    *at++ = '.';
    auto fraction = static_cast<uint32_t>(digits % kUnit);
    int k = Precision;
    for (; k >= 2; k -= 2, fraction /= 100) decimal_text::PutPair(fraction % 100, at + k - 2);
    if (k == 1) at[0] = static_cast<char>('0' + fraction);
    at += Precision;
  }
  return at;
}

}  // namespace fixed_point_detail

// For 0 <= precision <= 7. In the common case no general conversion is
// needed: v times 10^precision is exact in double (24 + 17 significant bits),
// and adding and taking away 2^52 rounds it to an integer half to even, as
// the exact conversion rounds. `end` bounds the text (64 bytes always suffice).
inline char* FixedPointText(float v, int precision, char* text, char* end) {
  using fixed_point_detail::PutScaledDigits;
  static constexpr double kScale[] = {1.0, 1.0e1, 1.0e2, 1.0e3, 1.0e4, 1.0e5, 1.0e6, 1.0e7};
  constexpr double kTwo52 = 4503599627370496.0;
  const double magnitude = std::fabs(static_cast<double>(v) * kScale[precision]);
  if (!(magnitude < kTwo52)) {
    return std::to_chars(text, end, static_cast<double>(v), std::chars_format::fixed, precision).ptr;
  }
  const uint64_t digits = static_cast<uint64_t>((magnitude + kTwo52) - kTwo52);
  char* at = text;
  if (std::signbit(v)) *at++ = '-';
  switch (precision) {
    case 0: return PutScaledDigits<0>(digits, at, end);
    case 1: return PutScaledDigits<1>(digits, at, end);
    case 2: return PutScaledDigits<2>(digits, at, end);
    case 3: return PutScaledDigits<3>(digits, at, end);
    case 4: return PutScaledDigits<4>(digits, at, end);
    case 5: return PutScaledDigits<5>(digits, at, end);
    case 6: return PutScaledDigits<6>(digits, at, end);
    default: return PutScaledDigits<7>(digits, at, end);
  }
}
