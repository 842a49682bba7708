// Decimal text of whole numbers for the writers' hot fields: the same bytes
// as std::to_chars, with fewer dependent divisions (two digits at a time,
// and a number of five to eight digits as two independent halves).
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>

namespace decimal_text {

// "00" to "99".
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

inline char* PutPair(uint32_t pair, char* out) {
  std::memcpy(out, kDigitPairs + 2 * pair, 2);
  return out + 2;
}

// n < 10000, without leading zeros.
inline char* PutShort(uint32_t n, char* out) {
  if (n < 10) {
    *out = static_cast<char>('0' + n);
    return out + 1;
  }
  if (n < 100) return PutPair(n, out);
  const uint32_t high = n / 100;
  if (high < 10) {
    *out++ = static_cast<char>('0' + high);
  } else {
    out = PutPair(high, out);
  }
  return PutPair(n % 100, out);
}

}  // namespace decimal_text

// Writes n in decimal (at most 10 characters) and returns the end.
inline char* PutDecimal(uint32_t n, char* out) {
  using namespace decimal_text;
  if (n < 10000) return PutShort(n, out);
  if (n >= 100000000) return std::to_chars(out, out + 10, n).ptr;
  const uint32_t low = n % 10000;
  out = PutShort(n / 10000, out);
  out = PutPair(low / 100, out);
  return PutPair(low % 100, out);
}

// Writes a signed number (at most 11 characters) and returns the end.
inline char* PutDecimal(int32_t n, char* out) {
  if (n < 0) {
    *out++ = '-';
    return PutDecimal(0u - static_cast<uint32_t>(n), out);
  }
  return PutDecimal(static_cast<uint32_t>(n), out);
}
