#include "nastran/fields.h"

#include <algorithm>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "model/fixed_point.h"

namespace {

// Room for any one field text: a real field is at most 8 characters and its
// comma; an integer field at most a blank, 20 digits, a sign and a comma.
constexpr std::size_t kFieldRoom = 32;
// An integer field of a finite double beyond the range of long long (at most
// 309 digits, a sign, a blank and a comma).
constexpr std::size_t kWideIntegerRoom = 320;

// Rows of the real field form outside the fixed-point range, tested in order.
// The thresholds are single-precision constants compared with the single-
// precision magnitude; the mantissa is rounded to single precision.
struct ExponentRow {
  bool above;        // condition: magnitude > limit (else magnitude < limit)
  float limit;
  float scale;       // the mantissa is value / scale (above) or value * scale (below)
  int precision;     // decimals of the mantissa
  std::string_view exponent;  // the short exponent (+8 reads as times ten to the eighth)
};

constexpr ExponentRow kExponentRows[] = {
    {true, 1.0e8f, 1.0e8f, 3, "+8"},
    {true, 99999.0f, 1.0e5f, 3, "+5"},
    {false, 1.0e-8f, 1.0e8f, 4, "-8"},
    {false, 1.0e-4f, 1.0e5f, 4, "-5"},
};
constexpr std::size_t kExponentMantissaKept = 6;

// Decimals of the fixed-point form (1.0e-4 <= magnitude <= 99999), by the
// smallest magnitude of each band.
struct FixedRow {
  float minimum;
  int precision;
};
constexpr FixedRow kFixedRows[] = {{1000.0f, 1}, {100.0f, 2}, {1.0f, 4}, {0.0f, 6}};
constexpr std::size_t kFixedKept = 8;

// The longest integer part (sign included) that the mantissa of an exponent
// row may have; a longer one would be cut and the value would lose its size.
constexpr std::size_t kLongestIntegerPart = 6;
constexpr std::size_t kRealFieldWidth = 8;

enum class Marker { kNone, kBlank, kYes, kNo };

// Marker of a finite value, judged on the value truncated toward zero. Values
// outside the int32 range are never markers and are not converted.
Marker MarkerOf(double value) {
  if (value == 0.0) return Marker::kBlank;
  if (!(value > -2147483649.0 && value < 2147483648.0)) return Marker::kNone;
  switch (static_cast<int32_t>(value)) {
    case BLANK_FIELD: return Marker::kBlank;
    case YES_FIELD: return Marker::kYes;
    case NO_FIELD: return Marker::kNo;
    default: return Marker::kNone;
  }
}

constexpr std::string_view kMarkerText[] = {"", " ,", " YES,", " NO,"};

// Writes " ," for a NaN or infinity and counts it for the deck's warning.
void WriteNonFinite(OutputFile& out, int64_t& nonFinite) {
  out.Write(" ,");
  ++nonFinite;
}

// Copies at most `kept` characters of [first, last) to out.
char* CopyCut(const char* first, const char* last, std::size_t kept, char* out) {
  std::size_t length = static_cast<std::size_t>(last - first);
  if (length > kept) length = kept;
  std::memcpy(out, first, length);
  return out + length;
}

// A short-form text is kept when it reads back within this share of the value.
constexpr double kFaithfulShare = 5.0e-5;
// Below this magnitude the six decimals of the fixed form may miss the share.
constexpr float kSixDecimalsFaithful = 0.0101f;

int ExponentOf(const char* e, const char* last) {
  int exponent = 0;
  std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), last, exponent);
  return exponent;
}

// Characters of a short exponent: its sign and its digits without leading zeros.
int ShortExponentLength(int exponent) {
  int length = 2;
  for (int rest = exponent < 0 ? -exponent : exponent; rest >= 10; rest /= 10) ++length;
  return length;
}

char* PutShortExponent(int exponent, char* out) {
  *out++ = exponent < 0 ? '-' : '+';
  return std::to_chars(out, out + 8, exponent < 0 ? -exponent : exponent).ptr;
}

// The scientific short form: one non-zero digit, the point, as many decimals
// as fit in eight characters with the sign and the short exponent, correctly
// rounded. When rounding carries the mantissa to 10 the exponent grows by one
// and the decimals are counted again (the mantissa is then 1.000...).
char* FormatScientificReal(double value, char* out) {
  const int sign = value < 0 ? 1 : 0;
  const int width = static_cast<int>(kRealFieldWidth) - sign - 2;  // less the sign and "d."
  char text[40];
  int decimals = width - 2;  // room left by a one-digit exponent
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, decimals);
  const char* e = static_cast<const char*>(std::memchr(text, 'e', static_cast<std::size_t>(result.ptr - text)));
  int exponent = ExponentOf(e, result.ptr);
  const int fitting = width - ShortExponentLength(exponent);
  if (fitting != decimals) {
    decimals = fitting;
    result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, decimals);
    e = static_cast<const char*>(std::memchr(text, 'e', static_cast<std::size_t>(result.ptr - text)));
    const int rounded = ExponentOf(e, result.ptr);
    if (rounded != exponent) {
      exponent = rounded;
      decimals = width - ShortExponentLength(exponent);
      if (sign) *out++ = '-';
      *out++ = '1';
      *out++ = '.';
      std::memset(out, '0', static_cast<std::size_t>(decimals));
      return PutShortExponent(exponent, out + decimals);
    }
  }
  const std::size_t mantissa = static_cast<std::size_t>(e - text);
  std::memcpy(out, text, mantissa);
  return PutShortExponent(exponent, out + mantissa);
}

// The value a short-form text stands for ("1.500+8" is 1.5e8), read with a
// correctly rounded decimal conversion.
double ReadShortForm(const char* first, const char* last) {
  char text[40];
  const std::size_t length = static_cast<std::size_t>(last - first);
  std::memcpy(text, first, length);
  char* end = text + length;
  for (char* c = text + 1; c < end; ++c) {
    if (*c == '+' || *c == '-') {  // the short exponent: make it "e+8"
      std::memmove(c + 1, c, static_cast<std::size_t>(end - c));
      *c = 'e';
      ++end;
      break;
    }
  }
  double read = 0;
  std::from_chars(text, end, read);
  return read;
}

bool ReadsBackFaithfully(const char* first, const char* last, double value) {
  return std::fabs(ReadShortForm(first, last) - value) <= kFaithfulShare * std::fabs(value);
}

// The text of the field rules' table rows for a finite value of float range,
// written to `out`, which has room for kFieldRoom characters. `faithful` is
// set when the text is certainly within the faithful share (an uncut
// fixed-point text of enough significant digits), so that the common case
// needs no reading back.
char* FormatTableReal(float v, char* out, bool& faithful) {
  const float a = std::fabs(v);
  char text[64];
  faithful = false;
  for (const ExponentRow& row : kExponentRows) {
    if (row.above ? !(a > row.limit) : !(a < row.limit)) continue;
    const float m = row.above ? v / row.scale : v * row.scale;
    const char* last = FixedPointText(m, row.precision, text, text + sizeof text);
    const char* point = static_cast<const char*>(std::memchr(text, '.', static_cast<std::size_t>(last - text)));
    if (point == nullptr || static_cast<std::size_t>(point - text) > kLongestIntegerPart) {
      return FormatScientificReal(static_cast<double>(v), out);  // cutting would lose the magnitude
    }
    out = CopyCut(text, last, kExponentMantissaKept, out);
    std::memcpy(out, row.exponent.data(), row.exponent.size());
    return out + row.exponent.size();
  }
  int precision = kFixedRows[std::size(kFixedRows) - 1].precision;
  for (const FixedRow& row : kFixedRows) {
    if (a >= row.minimum) {
      precision = row.precision;
      break;
    }
  }
  // At most 99999 here: the text (sign, five digits, point, decimals) fits
  // the field's room and is written in place, then cut.
  char* last = FixedPointText(v, precision, out, out + kFieldRoom);
  // Rounded to N decimals, the text is off by at most half a unit of its last
  // digit, which each band's smallest magnitude keeps within the share.
  faithful = static_cast<std::size_t>(last - out) <= kFixedKept &&
             (precision != kFixedRows[std::size(kFixedRows) - 1].precision || a >= kSixDecimalsFaithful);
  return std::min(last, out + kFixedKept);
}

// The text of a finite, non-zero real field without its comma, written to
// `out`, which has room for kFieldRoom characters: the table rows' text when
// it reads back within 5.0e-5 of the value, otherwise the scientific short
// form. Doubles beyond the float range keep their magnitude in the
// scientific short form.
char* FormatFiniteReal(double value, char* out) {
  if (std::fabs(value) > static_cast<double>(FLT_MAX)) return FormatScientificReal(value, out);
  bool faithful = false;
  char* end = FormatTableReal(static_cast<float>(value), out, faithful);
  if (faithful || ReadsBackFaithfully(out, end, value)) return end;
  return FormatScientificReal(value, out);
}

// A real field; with `markers` clear the value is never taken for a marker
// (coordinates, loads, computed values), only 0.0 is an empty field.
void WriteRealValue(OutputFile& out, int64_t& nonFinite, double value, bool markers = true) {
  if (!std::isfinite(value)) return WriteNonFinite(out, nonFinite);
  const Marker marker = markers ? MarkerOf(value) : value == 0.0 ? Marker::kBlank : Marker::kNone;
  if (marker != Marker::kNone) return out.Write(kMarkerText[static_cast<int>(marker)]);
  if (static_cast<float>(value) == 0.0f) return out.Write(kMarkerText[static_cast<int>(Marker::kBlank)]);
  char* at = out.Reserve(kFieldRoom);
  at = FormatFiniteReal(value, at);
  *at++ = ',';
  out.Advance(at);
}

void WriteIntegerValue(OutputFile& out, int64_t& nonFinite, double value) {
  if (!std::isfinite(value)) return WriteNonFinite(out, nonFinite);
  const Marker marker = MarkerOf(value);
  if (marker != Marker::kNone) return out.Write(kMarkerText[static_cast<int>(marker)]);
  if (value > -9.0e18 && value < 9.0e18) {
    char* at = out.Reserve(kFieldRoom);
    *at++ = ' ';
    at = std::to_chars(at, at + kFieldRoom - 2, static_cast<long long>(value)).ptr;
    *at++ = ',';
    out.Advance(at);
    return;
  }
  // Beyond long long every double is a whole number: write all its digits.
  char* at = out.Reserve(kWideIntegerRoom);
  *at++ = ' ';
  at = std::to_chars(at, at + kWideIntegerRoom - 2, std::trunc(value), std::chars_format::fixed, 0).ptr;
  *at++ = ',';
  out.Advance(at);
}

void BeginFields(OutputFile& out, int continuationStart) {
  if (continuationStart) out.Write(CONTINUATION_START);
}

void EndFields(OutputFile& out, int endLine) {
  if (endLine) out.Put('\n');
}

template <typename T>
void RealFields(DeckContext& deck, const T* values, int count, int endLine, int continuationStart,
                bool markers = true) {
  OutputFile& out = *deck.out;
  BeginFields(out, continuationStart);
  for (int i = 0; i < count; ++i) {
    WriteRealValue(out, deck.warnings.nonFiniteValues, static_cast<double>(values[i]), markers);
  }
  EndFields(out, endLine);
}

// Integer data needs no finiteness or range test: the markers and the digits
// come straight from the value.
void WriteIntegerValue(OutputFile& out, int32_t value) {
  switch (value) {
    case 0:
    case BLANK_FIELD: return out.Write(kMarkerText[static_cast<int>(Marker::kBlank)]);
    case YES_FIELD: return out.Write(kMarkerText[static_cast<int>(Marker::kYes)]);
    case NO_FIELD: return out.Write(kMarkerText[static_cast<int>(Marker::kNo)]);
    default: break;
  }
  char* at = out.Reserve(kFieldRoom);
  *at++ = ' ';
  at = PutDecimal(value, at);
  *at++ = ',';
  out.Advance(at);
}

template <typename T>
void IntegerFields(DeckContext& deck, const T* values, int count, int endLine, int continuationStart) {
  OutputFile& out = *deck.out;
  BeginFields(out, continuationStart);
  for (int i = 0; i < count; ++i) {
    if constexpr (std::is_same_v<T, int32_t>) {
      WriteIntegerValue(out, values[i]);
    } else {
      WriteIntegerValue(out, deck.warnings.nonFiniteValues, static_cast<double>(values[i]));
    }
  }
  EndFields(out, endLine);
}

// NASTRAN continuation layout: an empty first field and up to eight data fields.
constexpr int kFieldsPerContinuation = 8;

template <typename T>
void RealFieldsWrapped(DeckContext& deck, const T* values, int total, int firstLineCount, int continuationStart) {
  int first = firstLineCount < total ? firstLineCount : total;
  if (first < 0) first = 0;
  RealFields(deck, values, first, 1, continuationStart);
  for (int done = first; done < total;) {
    const int line = total - done < kFieldsPerContinuation ? total - done : kFieldsPerContinuation;
    RealFields(deck, values + done, line, 1, 1);
    done += line;
  }
}

template <typename T>
void MixedFields(DeckContext& deck, const T* values, const int32_t* integerFlags, int count, int endLine,
                 int continuationStart) {
  OutputFile& out = *deck.out;
  BeginFields(out, continuationStart);
  for (int i = 0; i < count; ++i) {
    const double value = static_cast<double>(values[i]);
    if (integerFlags[i]) {
      WriteIntegerValue(out, deck.warnings.nonFiniteValues, value);
    } else {
      WriteRealValue(out, deck.warnings.nonFiniteValues, value);
    }
  }
  EndFields(out, endLine);
}

}  // namespace

void WriteRealFields(DeckContext& deck, const double* values, int count, int endLine, int continuationStart) {
  RealFields(deck, values, count, endLine, continuationStart);
}
void WriteRealFields(DeckContext& deck, const float* values, int count, int endLine, int continuationStart) {
  RealFields(deck, values, count, endLine, continuationStart);
}

void WriteNumberFields(DeckContext& deck, const double* values, int count, int endLine, int continuationStart) {
  RealFields(deck, values, count, endLine, continuationStart, false);
}
void WriteNumberFields(DeckContext& deck, const float* values, int count, int endLine, int continuationStart) {
  RealFields(deck, values, count, endLine, continuationStart, false);
}

void WriteFormFields(DeckContext& deck, const double* values, const FieldForm* forms, int count, int endLine,
                     int continuationStart) {
  OutputFile& out = *deck.out;
  int64_t& nonFinite = deck.warnings.nonFiniteValues;
  BeginFields(out, continuationStart);
  for (int i = 0; i < count; ++i) {
    switch (forms[i]) {
      case FieldForm::kReal: WriteRealValue(out, nonFinite, values[i]); break;
      case FieldForm::kInteger: WriteIntegerValue(out, nonFinite, values[i]); break;
      case FieldForm::kNumber: WriteRealValue(out, nonFinite, values[i], false); break;
    }
  }
  EndFields(out, endLine);
}

void WriteIntegerFields(DeckContext& deck, const double* values, int count, int endLine, int continuationStart) {
  IntegerFields(deck, values, count, endLine, continuationStart);
}
void WriteIntegerFields(DeckContext& deck, const float* values, int count, int endLine, int continuationStart) {
  IntegerFields(deck, values, count, endLine, continuationStart);
}
void WriteIntegerFields(DeckContext& deck, const int32_t* values, int count, int endLine, int continuationStart) {
  IntegerFields(deck, values, count, endLine, continuationStart);
}

void WriteRealFieldsWrapped(DeckContext& deck, const double* values, int total, int firstLineCount,
                            int continuationStart) {
  RealFieldsWrapped(deck, values, total, firstLineCount, continuationStart);
}
void WriteRealFieldsWrapped(DeckContext& deck, const float* values, int total, int firstLineCount,
                            int continuationStart) {
  RealFieldsWrapped(deck, values, total, firstLineCount, continuationStart);
}

void WriteMixedFields(DeckContext& deck, const double* values, const int32_t* integerFlags, int count, int endLine,
                      int continuationStart) {
  MixedFields(deck, values, integerFlags, count, endLine, continuationStart);
}
void WriteMixedFields(DeckContext& deck, const float* values, const int32_t* integerFlags, int count, int endLine,
                      int continuationStart) {
  MixedFields(deck, values, integerFlags, count, endLine, continuationStart);
}

char* FormatRealField(float value, char* out) {
  if (!std::isfinite(value)) return out;
  char text[kFieldRoom];
  char* last = FormatFiniteReal(static_cast<double>(value), text);
  return std::copy(text, last, out);
}

double ReadBackNumberField(float value) {
  if (!std::isfinite(value) || value == 0.0f) return 0.0;
  char text[kFieldRoom];
  const char* last = FormatFiniteReal(static_cast<double>(value), text);
  return ReadShortForm(text, last);
}

void WriteCardStart(DeckContext& deck, std::string_view name, int64_t first) {
  deck.out->Write(name);
  deck.out->Write(", ");
  deck.out->WriteInt(first);
  deck.out->Put(',');
}

void WriteCardStart(DeckContext& deck, std::string_view name, int64_t first, int64_t second) {
  WriteCardStart(deck, name, first);
  WriteIntegerText(deck, second);
}

void WriteIntegerText(DeckContext& deck, int64_t value) {
  deck.out->Put(' ');
  deck.out->WriteInt(value);
  deck.out->Put(',');
}
