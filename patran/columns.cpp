// The real fields of the neutral file. Fixed point and general form fall
// back to "%16.7E" where a reader of 16-column fields (FORTRAN E16.9) would
// misread the text: a text longer than the field shifts the rest of its card,
// a text without a decimal point gets an implied point nine digits from the
// right, and fixed point loses the digits of small values.
#include "patran/columns.h"

#include <cfloat>

#include "model/fixed_point.h"

namespace columns {
namespace {

// Room for the longest real text: "%16.7f" of the largest double has 309
// integer digits, a sign, a point and 7 decimals.
constexpr std::size_t kRealTextSize = 340;

// A kept text reads back within this fraction of the value.
constexpr double kReadBackTolerance = 5.0e-5;

// A real's text, formatted after a blank run of one field width so that a
// short number's field starts inside the buffer and is copied as one block.
struct RealText {
  char buffer[kRealWidth + kRealTextSize];
  char* end;

  RealText(double value, std::chars_format form) {
    std::memset(buffer, ' ', kRealWidth);
    if (form == std::chars_format::fixed && std::fabs(value) <= static_cast<double>(FLT_MAX) &&
        static_cast<double>(static_cast<float>(value)) == value) {
      end = FixedPointText(static_cast<float>(value), 7, Start(), buffer + sizeof buffer);  // most values
      return;
    }
    const auto result = std::to_chars(Start(), buffer + sizeof buffer, value, form, 7);
    end = result.ec == std::errc() ? result.ptr : Start();
  }
  RealText(const RealText&) = delete;
  RealText& operator=(const RealText&) = delete;

  char* Start() { return buffer + kRealWidth; }
  std::size_t Length() const { return static_cast<std::size_t>(end - (buffer + kRealWidth)); }
  bool HasPoint() const { return std::memchr(buffer + kRealWidth, '.', Length()) != nullptr; }

  // Whether the text fits the field, has a decimal point and reads back
  // (correctly rounded, as strtod does) within the tolerance of value.
  bool ReadsBackFaithfully(double value) const {
    const std::size_t length = Length();
    if (length > kRealWidth || !HasPoint()) return false;
    double back = 0;
    const auto result = std::from_chars(buffer + kRealWidth, end, back);
    if (result.ec != std::errc() || result.ptr != end) return false;
    return std::fabs(back - value) <= kReadBackTolerance * std::fabs(value);
  }

  // Right-aligned in one field width, or wider when the text is longer.
  void Put(OutputFile& file) const {
    const std::size_t length = Length();
    if (length <= kRealWidth) {
      constexpr std::size_t kBlock = 2 * kRealWidth;
      char* at = file.Reserve(kBlock);
      std::memcpy(at, end - kRealWidth, kBlock);
      file.Advance(at + kRealWidth);
    } else {
      PutPadded(file, buffer + kRealWidth, length, kRealWidth);
    }
  }
};

// "%16.7E": the scientific text in capitals (E, and NAN, INF as printf
// writes them).
void PutCapitalExponent(OutputFile& file, double value) {
  RealText text(value, std::chars_format::scientific);
  for (char* c = text.Start(); c != text.end; ++c) {
    if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
  }
  text.Put(file);
}

}  // namespace

void PutExponent(OutputFile& file, double value) { RealText(value, std::chars_format::scientific).Put(file); }

void PutNonZeroFixed(OutputFile& file, double value) {
  const RealText text(value, std::chars_format::fixed);
  // The common case is decided from the magnitude alone: from 1.0E-2 up to
  // below 9.9E7 (9.9E6 when negative) the text has at most 16 characters and
  // a point, and rounding to seven decimals errs by at most 5.0E-8, far
  // inside the tolerance.
  const bool certainlyFaithful = std::fabs(value) >= 1.0e-2 && value < 9.9e7 && value > -9.9e6;
  if (certainlyFaithful || text.ReadsBackFaithfully(value)) return text.Put(file);
  PutCapitalExponent(file, value);
}

void PutGeneral(OutputFile& file, double value) {
  // Seven significant digits always fit the field and read back within
  // 1.0E-6 of the value, so the point alone decides: whole numbers, "0" and
  // exponent forms such as 1e+10 have none, nor have nan and inf.
  const RealText text(value, std::chars_format::general);
  if (text.HasPoint()) return text.Put(file);
  PutCapitalExponent(file, value);
}

}  // namespace columns
