#include "nastran/fields.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "nastran/bulk_data_writer.h"

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

const char kNonFiniteWarning[] = "warning: a value that is not a finite number was written as an empty field\n";

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

// Writes " ," for a NaN or infinity and warns once per run.
void WriteNonFinite(OutputFile& out) {
  out.Write(" ,");
  if (!NonFiniteValueReported) {
    NonFiniteValueReported = 1;
    std::fputs(kNonFiniteWarning, stdout);
    std::fflush(stdout);
  }
}

// Copies at most `kept` characters of [first, last) to out.
char* CopyCut(const char* first, const char* last, std::size_t kept, char* out) {
  std::size_t length = static_cast<std::size_t>(last - first);
  if (length > kept) length = kept;
  std::memcpy(out, first, length);
  return out + length;
}

// Short-exponent form of a magnitude too large for the "+8" row: d.ddd+EE
// (one decimal fewer for a negative value, or for a three-digit exponent),
// at most eight characters, correctly rounded.
char* FormatLargeReal(double value, char* out) {
  const std::size_t sign = value < 0 ? 1 : 0;
  // d.ddd+EE is eight characters: the field width less sign, "d.", "+" and two exponent digits.
  for (int decimals = static_cast<int>(kRealFieldWidth - sign) - 5; decimals >= 0; --decimals) {
    char text[40];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, decimals);
    if (result.ec != std::errc()) break;
    const char* e = static_cast<const char*>(std::memchr(text, 'e', static_cast<std::size_t>(result.ptr - text)));
    if (e == nullptr) break;
    const char* exponentSign = e + 1;
    const char* digits = exponentSign + 1;
    while (digits + 1 < result.ptr && *digits == '0') ++digits;  // 1.0e+05 -> 5
    const std::size_t mantissaLength = static_cast<std::size_t>(e - text);
    const std::size_t digitCount = static_cast<std::size_t>(result.ptr - digits);
    if (mantissaLength + 1 + digitCount > kRealFieldWidth) continue;  // rounding grew the exponent
    std::memcpy(out, text, mantissaLength);
    out += mantissaLength;
    *out++ = *exponentSign;
    std::memcpy(out, digits, digitCount);
    return out + digitCount;
  }
  return out;  // unreachable for finite values
}

// The text of a finite real field without its comma. Values that fit a float
// are formatted in single precision; larger doubles keep their magnitude.
char* FormatFiniteReal(double value, char* out) {
  if (std::fabs(value) > static_cast<double>(FLT_MAX)) return FormatLargeReal(value, out);
  const float v = static_cast<float>(value);
  const float a = std::fabs(v);
  char text[64];
  for (const ExponentRow& row : kExponentRows) {
    if (row.above ? !(a > row.limit) : !(a < row.limit)) continue;
    const float m = row.above ? v / row.scale : v * row.scale;
    const auto result =
        std::to_chars(text, text + sizeof text, static_cast<double>(m), std::chars_format::fixed, row.precision);
    const char* point = static_cast<const char*>(std::memchr(text, '.', static_cast<std::size_t>(result.ptr - text)));
    if (result.ec != std::errc() || point == nullptr ||
        static_cast<std::size_t>(point - text) > kLongestIntegerPart) {
      return FormatLargeReal(static_cast<double>(v), out);
    }
    out = CopyCut(text, result.ptr, kExponentMantissaKept, out);
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
  const auto result =
      std::to_chars(text, text + sizeof text, static_cast<double>(v), std::chars_format::fixed, precision);
  return CopyCut(text, result.ptr, kFixedKept, out);
}

void WriteRealValue(OutputFile& out, double value) {
  if (!std::isfinite(value)) return WriteNonFinite(out);
  const Marker marker = MarkerOf(value);
  if (marker != Marker::kNone) return out.Write(kMarkerText[static_cast<int>(marker)]);
  if (static_cast<float>(value) == 0.0f) return out.Write(kMarkerText[static_cast<int>(Marker::kBlank)]);
  char* at = out.Reserve(kFieldRoom);
  at = FormatFiniteReal(value, at);
  *at++ = ',';
  out.Advance(at);
}

void WriteIntegerValue(OutputFile& out, double value) {
  if (!std::isfinite(value)) return WriteNonFinite(out);
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
void RealFields(const T* values, int count, int endLine, int continuationStart) {
  OutputFile& out = *OutputStream;
  BeginFields(out, continuationStart);
  for (int i = 0; i < count; ++i) WriteRealValue(out, static_cast<double>(values[i]));
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
  at = std::to_chars(at, at + kFieldRoom - 2, value).ptr;
  *at++ = ',';
  out.Advance(at);
}

template <typename T>
void IntegerFields(const T* values, int count, int endLine, int continuationStart) {
  OutputFile& out = *OutputStream;
  BeginFields(out, continuationStart);
  for (int i = 0; i < count; ++i) {
    if constexpr (std::is_same_v<T, int32_t>) {
      WriteIntegerValue(out, values[i]);
    } else {
      WriteIntegerValue(out, static_cast<double>(values[i]));
    }
  }
  EndFields(out, endLine);
}

// NASTRAN continuation layout: an empty first field and up to eight data fields.
constexpr int kFieldsPerContinuation = 8;

template <typename T>
void RealFieldsWrapped(const T* values, int total, int firstLineCount, int continuationStart) {
  int first = firstLineCount < total ? firstLineCount : total;
  if (first < 0) first = 0;
  RealFields(values, first, 1, continuationStart);
  for (int done = first; done < total;) {
    const int line = total - done < kFieldsPerContinuation ? total - done : kFieldsPerContinuation;
    RealFields(values + done, line, 1, 1);
    done += line;
  }
}

template <typename T>
void MixedFields(const T* values, const int32_t* integerFlags, int count, int endLine, int continuationStart) {
  OutputFile& out = *OutputStream;
  BeginFields(out, continuationStart);
  for (int i = 0; i < count; ++i) {
    const double value = static_cast<double>(values[i]);
    if (integerFlags[i]) {
      WriteIntegerValue(out, value);
    } else {
      WriteRealValue(out, value);
    }
  }
  EndFields(out, endLine);
}

}  // namespace

void WriteRealFields(const double* values, int count, int endLine, int continuationStart) {
  RealFields(values, count, endLine, continuationStart);
}
void WriteRealFields(const float* values, int count, int endLine, int continuationStart) {
  RealFields(values, count, endLine, continuationStart);
}

void WriteIntegerFields(const double* values, int count, int endLine, int continuationStart) {
  IntegerFields(values, count, endLine, continuationStart);
}
void WriteIntegerFields(const float* values, int count, int endLine, int continuationStart) {
  IntegerFields(values, count, endLine, continuationStart);
}
void WriteIntegerFields(const int32_t* values, int count, int endLine, int continuationStart) {
  IntegerFields(values, count, endLine, continuationStart);
}

void WriteRealFieldsWrapped(const double* values, int total, int firstLineCount, int continuationStart) {
  RealFieldsWrapped(values, total, firstLineCount, continuationStart);
}
void WriteRealFieldsWrapped(const float* values, int total, int firstLineCount, int continuationStart) {
  RealFieldsWrapped(values, total, firstLineCount, continuationStart);
}

void WriteMixedFields(const double* values, const int32_t* integerFlags, int count, int endLine,
                      int continuationStart) {
  MixedFields(values, integerFlags, count, endLine, continuationStart);
}
void WriteMixedFields(const float* values, const int32_t* integerFlags, int count, int endLine,
                      int continuationStart) {
  MixedFields(values, integerFlags, count, endLine, continuationStart);
}

char* FormatRealField(float value, char* out) {
  if (!std::isfinite(value)) return out;
  return FormatFiniteReal(static_cast<double>(value), out);
}

void WriteCardStart(std::string_view name, int64_t first) {
  OutputStream->Write(name);
  OutputStream->Write(", ");
  OutputStream->WriteInt(first);
  OutputStream->Put(',');
}

void WriteCardStart(std::string_view name, int64_t first, int64_t second) {
  WriteCardStart(name, first);
  WriteIntegerText(second);
}

void WriteIntegerText(int64_t value) {
  OutputStream->Put(' ');
  OutputStream->WriteInt(value);
  OutputStream->Put(',');
}
