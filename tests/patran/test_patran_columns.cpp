// The fixed-column fields must match the C library's printf byte for byte.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
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
  return text;
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

TEST(PatranColumns, RealsMatchPrintfInAllThreeForms) {
  const std::vector<double> values = SampleReals();
  const struct {
    const char* format;
    void (*put)(OutputFile&, double);
  } forms[] = {{"%16.7f", columns::PutFixed}, {"%16.7e", columns::PutExponent}, {"%16.7g", columns::PutGeneral}};
  for (const auto& form : forms) {
    std::string expected;
    for (const double v : values) expected += Printf(form.format, v) + "|";
    const std::string actual = CaptureOutput([&](OutputFile& file) {
      for (const double v : values) {
        form.put(file, v);
        file.Put('|');
      }
    });
    EXPECT_EQ(actual, expected) << form.format;
  }
}

TEST(PatranColumns, NamedValuesInTheirFieldWidths) {
  const std::string text = CaptureOutput([](OutputFile& file) {
    columns::PutGeneral(file, 0.0);
    columns::PutGeneral(file, 210000.0);
    columns::PutGeneral(file, 1.0e-12);
    columns::PutGeneral(file, -2.5);
    columns::PutExponent(file, 1.0);
    columns::PutFixed(file, 3.0);
  });
  EXPECT_EQ(text,
            "               0"
            "          210000"
            "           1e-12"
            "            -2.5"
            "   1.0000000e+00"
            "       3.0000000");
}

TEST(PatranColumns, LongFixedTextWidensTheField) {
  const std::string text = CaptureOutput([](OutputFile& file) {
    columns::PutFixed(file, 1.0e10);
    columns::PutFixed(file, static_cast<double>(3.4e38f));
    columns::PutFixed(file, -DBL_MAX);
  });
  EXPECT_EQ(text, "10000000000.0000000" + Printf("%.7f", static_cast<double>(3.4e38f)) + Printf("%.7f", -DBL_MAX));
  EXPECT_EQ(Printf("%.7f", -DBL_MAX).size(), 318u);
}

TEST(PatranColumns, IntegersMatchPrintfAndWiden) {
  const long long values[] = {0, 1, -1, 9, 10, -9, 99, 100, 99999999, 100000000, -9999999, -10000000,
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
