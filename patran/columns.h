// Fixed-column fields of the neutral file, written straight into the output
// buffer. Each routine gives the same bytes as the printf format it names
// ("%8d", "%16.7e", "%16.7E": right-aligned, padded with blanks, and wider
// when the number needs more room; exponents with at least two digits).
// Reals in fixed point or general form fall back to "%16.7E" where their
// text would be misread by a fixed-column reader (PutFixed, PutGeneral).
// Numbers are formatted with std::to_chars into stack buffers, so writing a
// field never allocates.
#pragma once

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "model/decimal_text.h"
#include "model/output_file.h"

namespace columns {

// Width of a real field.
inline constexpr std::size_t kRealWidth = 16;

// Widest integer field text: the sign and 19 digits of a long long.
inline constexpr std::size_t kIntTextSize = 24;

// Writes text right-aligned in a field of at least width columns.
inline void PutPadded(OutputFile& file, const char* text, std::size_t length, std::size_t width) {
  const std::size_t pad = length < width ? width - length : 0;
  char* at = file.Reserve(pad + length);
  std::memset(at, ' ', pad);
  std::memcpy(at + pad, text, length);
  file.Advance(at + pad + length);
}

// "%<width>d" for widths up to 24. The digits are built backwards in a
// buffer whose leading part is blank, and the field is copied out in one
// fixed-size block (a short field needs no length-dependent copy).
inline void PutInt(OutputFile& file, long long value, std::size_t width) {
  char text[2 * kIntTextSize];
  std::memset(text, ' ', kIntTextSize);
  char* const end = text + kIntTextSize;
  char* first = end;
  unsigned long long magnitude =
      value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  do {
    *--first = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--first = '-';
  if (static_cast<std::size_t>(end - first) < width) first = end - width;
  char* at = file.Reserve(kIntTextSize);
  std::memcpy(at, first, kIntTextSize);
  file.Advance(at + (end - first));
}

// "%8d". Numbers of up to eight digits (nearly all) are written straight
// into the field, two digits at a time.
inline void PutInt8(OutputFile& file, long long value) {
  if (value < 0 || value > 99999999) return PutInt(file, value, 8);
  char* at = file.Reserve(8);
  std::memcpy(at, "        ", 8);
  char* digit = at + 8;
  auto rest = static_cast<uint32_t>(value);
  while (rest >= 10) {
    digit -= 2;
    decimal_text::PutPair(rest % 100, digit);
    rest /= 100;
  }
  if (rest != 0 || digit == at + 8) *--digit = static_cast<char>('0' + rest);
  file.Advance(at + 8);
}

// "%16.7e" (frames).
void PutExponent(OutputFile& file, double value);

// "%16.7f" where a fixed-column reader takes that text at face value: it fits
// the field, has a decimal point and reads back within 5.0E-5 of the value;
// else "%16.7E".
void PutNonZeroFixed(OutputFile& file, double value);
inline void PutFixed(OutputFile& file, double value) {
  // Zero is by far the most frequent value (element orientations, flat
  // models); its field is a constant. Negative zero keeps its sign.
  static constexpr char kZero[] = "       0.0000000";
  if (value == 0.0 && !std::signbit(value)) return file.Write(std::string_view(kZero, kRealWidth));
  PutNonZeroFixed(file, value);
}

// "%16.7g" where that text has a decimal point, else "%16.7E".
void PutGeneral(OutputFile& file, double value);

// The header card's start: the packet type in two columns, then ID, IV, KC.
inline void PutHeader(OutputFile& file, int packetType, long long id, long long iv, long long kc) {
  PutInt(file, packetType, 2);
  PutInt8(file, id);
  PutInt8(file, iv);
  PutInt8(file, kc);
}

// A list of reals, five to a card; the last card ends after the last value.
// No card for an empty list.
template <typename Real>
void PutRealRows(OutputFile& file, const Real* values, int count, void (*put)(OutputFile&, double)) {
  for (int i = 0; i < count; ++i) {
    put(file, static_cast<double>(values[i]));
    if (i % 5 == 4 || i == count - 1) file.Put('\n');
  }
}

// The members of a digit code, as bits 0..count-1: member k is present when
// the digit k occurs in the code's decimal text. Other digits and a minus sign
// have no effect; a repeated digit counts once.
inline unsigned DigitMembers(int32_t code, int count) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, code);
  unsigned members = 0;
  for (const char* c = digits; c != result.ptr; ++c) {
    const int member = *c - '0';
    if (member >= 1 && member <= count) members |= 1U << (member - 1);
  }
  return members;
}

// The flag text of a digit code: one character per member 1..count, "1" when
// the member is present, else "0".
inline void PutDigitFlags(OutputFile& file, int32_t code, int count) {
  const unsigned members = DigitMembers(code, count);
  char* flags = file.Reserve(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) flags[k] = (members >> k & 1U) != 0 ? '1' : '0';
  file.Advance(flags + count);
}

}  // namespace columns
