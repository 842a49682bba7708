// The fixed-column fields must match the C library's printf byte for byte,
// and reals in fixed point or general form must follow the field rule as the
// C library's printf and strtod give it.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "patran/columns.h"
#include "tests/patran/packet_capture.h"

namespace {

using testing_support::CaptureOutput;

std::string Printf(const char* format, double value) {
  char text[512];
  std::snprintf(text, sizeof text, format, value);
  std::string result = text;
  // glibc keeps the sign of a NaN ("-nan"), as the writers do on every
  // system; the Windows C runtime drops it.
  if (std::isnan(value) && std::signbit(value) && result.find('-') == std::string::npos) {
    const std::size_t start = result.find_first_not_of(' ');
    if (start > 0) result[start - 1] = '-';
    else result.insert(0, "-");
  }
  return result;
}

// The field rule: the "%16.7f" or "%16.7g" text when it fits 16 columns, has a
// decimal point and strtod reads it back within 5.0E-5 of the value; else
// "%16.7E".
std::string FaithfulPrintf(const char* format, double value) {
  const std::string text = Printf(format, value);
  const std::size_t start = text.find_first_not_of(' ');
  const double back = std::strtod(text.c_str() + start, nullptr);
  if (text.size() <= 16 && text.find('.') != std::string::npos &&
      std::fabs(back - value) <= 5.0e-5 * std::fabs(value)) {
    return text;
  }
  return Printf("%16.7E", value);
}

std::string PrintfInt(const char* format, long long value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Values that exercise rounding, ties, exponent changes, widening and the
// special values.
std::vector<double> SampleReals() {
  std::vector<double> values = {0.0,
                                -0.0,
                                1.0,
                                -1.0,
                                0.5,
                                210000.0,
                                1.0e-12,
                                -1.0e-12,
                                1.0e16,
                                -1.0e16,
                                1.0e10,
                                9999999.5,
                                99999995.0,
                                0.00390625,  // exact tie at the eighth decimal
                                9.9e7,       // ends of the fixed form's quick acceptance
                                std::nextafter(9.9e7, 0.0),
                                -9.9e6,
                                std::nextafter(-9.9e6, 0.0),
                                99999999.99999999,
                                -9999999.99999996,
                                0.00012345,  // read back just inside and outside the tolerance
                                0.00012346,
                                0.0010000499,
                                0.0010000501,
                                0.99999995,
                                9.9999995e-5,
                                1.0e-5,
                                1.0e-4,
                                123456.75,
                                1234567.5,
                                0.1,
                                1.0 / 3.0,
                                2.0e-308,
                                4.9e-324,
                                static_cast<double>(FLT_MAX),
                                -static_cast<double>(FLT_MAX),
                                static_cast<double>(FLT_MIN),
                                DBL_MAX,
                                -DBL_MAX,
                                1.0e100,
                                1.0e-100,
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN(),
                                -std::numeric_limits<double>::quiet_NaN()};
  // Powers of ten and their neighbours, positive and negative.
  for (int e = -40; e <= 40; ++e) {
    const double p = std::pow(10.0, e);
    for (const double v : {p, std::nextafter(p, 0.0), std::nextafter(p, 1e300), 5 * p, 9.9999999 * p}) {
      values.push_back(v);
      values.push_back(-v);
    }
  }
  // Single precision values as the packets meet them (promoted to double).
  unsigned state = 12345;
  for (int i = 0; i < 4000; ++i) {
    state = state * 1103515245u + 12345u;
    const float mantissa = static_cast<float>(state % 2000001u) / 1000.0f - 1000.0f;
    const int exponent = static_cast<int>((state >> 8) % 41u) - 20;
    values.push_back(static_cast<double>(std::ldexp(mantissa, exponent)));
    values.push_back(static_cast<double>(static_cast<float>(i) * 0.125f - 100.0f));
  }
  return values;
}

TEST(PatranColumns, RealsFollowTheFieldRuleInAllThreeForms) {
  const std::vector<double> values = SampleReals();
  const struct {
    const char* format;
    std::string (*expect)(const char*, double);
    void (*put)(OutputFile&, double);
  } forms[] = {{"%16.7f", FaithfulPrintf, columns::PutFixed},
               {"%16.7e", Printf, columns::PutExponent},
               {"%16.7g", FaithfulPrintf, columns::PutGeneral}};
  for (const auto& form : forms) {
    std::string expected;
    for (const double v : values) expected += form.expect(form.format, v) + "|";
    const std::string actual = CaptureOutput([&](OutputFile& file) {
      for (const double v : values) {
        form.put(file, v);
        file.Put('|');
      }
    });
    EXPECT_EQ(actual, expected) << form.format;
  }
}

// Values as the packets meet them: single precision coordinates and
// property values in fixed point, double precision material values in general
// form.
TEST(PatranColumns, RealsThatAReaderWouldMisreadTakeExponentForm) {
  const struct {
    void (*put)(OutputFile&, double);
    double value;
    const char* field;
  } cases[] = {
      {columns::PutFixed, 1.1499e-8f, "   1.1499000E-08"},    // lost in fixed point
      {columns::PutFixed, 1.23456e-5f, "   1.2345600E-05"},   // fixed point keeps two digits
      {columns::PutFixed, 2.0e-5f, "       0.0000200"},       // but reads back exactly here
      {columns::PutFixed, 1.0e10f, "   1.0000000E+10"},     // wider than the field
      {columns::PutFixed, 0.3f, "       0.3000000"},
      {columns::PutFixed, 123.4567f, "     123.4567032"},
      {columns::PutFixed, -2.5f, "      -2.5000000"},
      {columns::PutFixed, 0.0, "       0.0000000"},
      {columns::PutFixed, -0.0, "      -0.0000000"},
      {columns::PutGeneral, 210000.0, "   2.1000000E+05"},  // no decimal point
      {columns::PutGeneral, 2.0e-5, "   2.0000000E-05"},
      {columns::PutGeneral, 7.85e-9, "        7.85e-09"},
      {columns::PutGeneral, 0.3, "             0.3"},
      {columns::PutGeneral, 123.4567, "        123.4567"},
      {columns::PutGeneral, 0.0, "   0.0000000E+00"},
      {columns::PutGeneral, -0.0, "  -0.0000000E+00"},
      {columns::PutExponent, 1.0, "   1.0000000e+00"},  // frames keep their form
  };
  for (const auto& c : cases) {
    const std::string text = CaptureOutput([&](OutputFile& file) { c.put(file, c.value); });
    EXPECT_EQ(text, c.field) << c.value;
  }
}

TEST(PatranColumns, IntegersMatchPrintfAndWiden) {
  const long long values[] = {0, 1, -1, 9, 10, -9, 99, 100, 1000, 10203, 99999999, 100000000, -9999999, -10000000,
                              INT_MAX, INT_MIN, 123456789012LL};
  std::string expected;
  for (const long long v : values) {
    expected += PrintfInt("%8lld", v) + PrintfInt("%2lld", v) + PrintfInt("%1lld", v) + "|";
  }
  const std::string actual = CaptureOutput([&](OutputFile& file) {
    for (const long long v : values) {
      columns::PutInt8(file, v);
      columns::PutInt(file, v, 2);
      columns::PutInt(file, v, 1);
      file.Put('|');
    }
  });
  EXPECT_EQ(actual, expected);
}

TEST(PatranColumns, DigitFlagsTakeEachDigitOnce) {
  const struct {
    int code;
    int count;
    const char* flags;
  } cases[] = {{0, 6, "000000"},         {123, 6, "111000"},         {456, 6, "000111"},
               {1356, 6, "101011"},      {321, 6, "111000"},         {70, 6, "000000"},
               {123456, 6, "111111"},    {1111, 6, "100000"},        {-12, 6, "110000"},
               {INT_MIN, 6, "111101"},   {1234, 8, "11110000"},      {78, 8, "00000011"},
               {9, 8, "00000000"},       {12345678, 8, "11111111"}};
  for (const auto& c : cases) {
    const std::string text = CaptureOutput([&](OutputFile& file) { columns::PutDigitFlags(file, c.code, c.count); });
    EXPECT_EQ(text, c.flags) << c.code;
  }
}

}  // namespace
