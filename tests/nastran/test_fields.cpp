// Free-field formatting of bulk data fields: worked values, markers, wrapped
// lines, exact integers, huge and non-finite values.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "nastran/bulk_data_writer.h"
#include "nastran/fields.h"
#include "tests/support/nastran_capture.h"

namespace {

using testing_support::CaptureCards;

std::string Capture(const std::function<void(DeckContext&)>& routine, DeckWarningCounts* warnings = nullptr) {
  Model model;
  return CaptureCards(model, routine, false, warnings);
}

std::string Real(double value) {
  return Capture([&](DeckContext& deck) { WriteRealFields(deck, &value, 1, 0, 0); });
}
std::string RealFromFloat(float value) {
  return Capture([&](DeckContext& deck) { WriteRealFields(deck, &value, 1, 0, 0); });
}
std::string Integer(double value) {
  return Capture([&](DeckContext& deck) { WriteIntegerFields(deck, &value, 1, 0, 0); });
}
std::string Mixed(double value, int32_t integerFlag) {
  return Capture([&](DeckContext& deck) { WriteMixedFields(deck, &value, &integerFlag, 1, 0, 0); });
}
std::string WrappedOne(float value) {
  return Capture([&](DeckContext& deck) { WriteRealFieldsWrapped(deck, &value, 1, 1, 0); });
}

struct Worked {
  float value;
  const char* text;
};

// Every worked value of the field rules, including the precision table.
const Worked kWorked[] = {
    {1234.5f, "1234.5,"},
    {100.0f, "100.00,"},
    {2.0f, "2.0000,"},
    {0.5f, "0.500000,"},
    {1.5e9f, "15.000+8,"},
    {250000.0f, "2.500+5,"},
    {-3.0e-6f, "-0.300-5,"},
    {2.0e-10f, "0.0200-8,"},
    {-12.34567f, "-12.3457,"},
    {-0.123456f, "-0.12345,"},
    {-1234.56f, "-1234.6,"},
    {1.0e8f, "1000.0+5,"},
    {99999.0f, "99999.0,"},
    {99999.5f, "1.000+5,"},
    {1.0e-4f, "0.000100,"},
};

TEST(RealFields, WorkedValuesInEveryRoutineThatWritesReals) {
  for (const Worked& w : kWorked) {
    SCOPED_TRACE(w.text);
    EXPECT_EQ(RealFromFloat(w.value), w.text);
    EXPECT_EQ(Real(static_cast<double>(w.value)), w.text);
    EXPECT_EQ(Mixed(static_cast<double>(w.value), 0), w.text);
    EXPECT_EQ(WrappedOne(w.value), std::string(w.text) + "\n");
    char text[20];
    EXPECT_EQ(std::string(text, FormatRealField(w.value, text)) + ",", w.text);
  }
}

TEST(RealFields, BoundariesFallIntoTheirRows) {
  EXPECT_EQ(RealFromFloat(std::nextafter(1.0e-4f, 0.0f)), "10.000-5,");
  EXPECT_EQ(RealFromFloat(1.0e-8f), "0.0010-5,");
  EXPECT_EQ(RealFromFloat(std::nextafter(1.0e-8f, 0.0f)), "1.0000-8,");
  EXPECT_EQ(RealFromFloat(std::nextafter(1.0e8f, 2.0e8f)), "1.000+8,");
  EXPECT_EQ(RealFromFloat(std::nextafter(99999.0f, 1.0e6f)), "1.000+5,");
  EXPECT_EQ(RealFromFloat(1000.0f), "1000.0,");
  EXPECT_EQ(RealFromFloat(999.99f), "999.99,");
  EXPECT_EQ(RealFromFloat(1.0f), "1.0000,");
  EXPECT_EQ(RealFromFloat(std::nextafter(1.0f, 0.0f)), "1.000000,");
  // A minus sign counts against the characters kept.
  EXPECT_EQ(RealFromFloat(-99999.0f), "-99999.0,");
  EXPECT_EQ(RealFromFloat(-0.5f), "-0.50000,");
  EXPECT_EQ(RealFromFloat(-2.5e-6f), "-0.250-5,");
  EXPECT_EQ(RealFromFloat(-1.5e9f), "-15.00+8,");
}

// The forms of the field rules written with printf, as a reference for a
// sweep over many values.
std::string ReferenceReal(float v) {
  const float a = std::fabs(v);
  char text[64];
  std::string exponent;
  std::size_t kept = 8;
  if (a > 1.0e8f) {
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(static_cast<float>(v / 1.0e8)));
    exponent = "+8";
    kept = 6;
  } else if (a > 99999.0f) {
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(static_cast<float>(v / 1.0e5)));
    exponent = "+5";
    kept = 6;
  } else if (a < 1.0e-8f) {
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(static_cast<float>(v * 1.0e8)));
    exponent = "-8";
    kept = 6;
  } else if (a < 1.0e-4f) {
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(static_cast<float>(v * 1.0e5)));
    exponent = "-5";
    kept = 6;
  } else {
    char format[] = "%.2f";
    format[2] = "0123456789"[a >= 1000 ? 1 : a >= 100 ? 2 : a >= 1 ? 4 : 6];
    std::snprintf(text, sizeof text, format, static_cast<double>(v));
  }
  return std::string(text).substr(0, kept) + exponent + ",";
}

// A field text without its comma read as a decimal ("1.500+8" is 1.5e8).
double ReadField(const std::string& field) {
  const std::size_t split = field.find_first_of("+-", 1);
  if (split == std::string::npos) return std::strtod(field.c_str(), nullptr);
  return std::strtod((field.substr(0, split) + "e" + field.substr(split)).c_str(), nullptr);
}

// The scientific short form written with printf: as many decimals as fit in
// eight characters; a mantissa rounded up to 10 moves the exponent and is 1.0...
std::string ReferenceScientific(double v) {
  const int sign = v < 0 ? 1 : 0;
  auto exponentLength = [](int x) { return x <= -10 || x >= 10 ? (x <= -100 || x >= 100 ? 4 : 3) : 2; };
  char text[64];
  std::snprintf(text, sizeof text, "%.20e", v);
  int exponent = std::atoi(std::strchr(text, 'e') + 1);
  int decimals = 8 - sign - 2 - exponentLength(exponent);
  std::snprintf(text, sizeof text, "%.*e", decimals, v);
  std::string mantissa(text, std::strchr(text, 'e'));
  if (std::atoi(std::strchr(text, 'e') + 1) != exponent) {
    ++exponent;
    decimals = 8 - sign - 2 - exponentLength(exponent);
    mantissa = std::string(sign ? "-1." : "1.") + std::string(static_cast<std::size_t>(decimals), '0');
  }
  return mantissa + (exponent < 0 ? "-" : "+") + std::to_string(std::abs(exponent)) + ",";
}

// The field as the rules write it: the table's text when it reads back within
// 5.0e-5 of the value, else the scientific short form.
std::string ReferenceField(float v) {
  const std::string table = ReferenceReal(v);
  const double read = ReadField(table.substr(0, table.size() - 1));
  if (std::fabs(read - v) <= 5.0e-5 * std::fabs(static_cast<double>(v))) return table;
  return ReferenceScientific(v);
}

TEST(RealFields, AgreesWithPrintfAndReadsBackOverTheWholeRangeBelowTheHugeLimit) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<float> mantissa(1.0f, 10.0f);
  std::uniform_int_distribution<int> exponent(-44, 13);
  std::vector<float> values;
  for (int i = 0; i < 20000; ++i) {
    float v = mantissa(random) * std::pow(10.0f, static_cast<float>(exponent(random)));
    if (!std::isfinite(v) || v == 0.0f || v >= 1.0e14f) continue;
    values.push_back(i % 2 || v >= 1.0e13f ? v : -v);
  }
  // Values that round at the last kept digit in each form, and values exactly
  // half way between two texts (they round to the even digit).
  for (float v : {0.00012345f, 1.2345f, 12.34565f, 123.455f, 1234.55f, 0.1234565f, 99999.96f, 999.995f, 99.99995f,
                  1.03125f, 0.5078125f, 100.125f, 1000.25f, 1000.75f, 106250.0f}) {
    values.push_back(v);
    values.push_back(-v);
  }
  const std::string text =
      Capture([&](DeckContext& deck) { WriteRealFields(deck, values.data(), static_cast<int>(values.size()), 0, 0); });
  std::size_t at = 0;
  for (float v : values) {
    const int t = static_cast<int>(v);
    const std::size_t comma = text.find(',', at);
    ASSERT_NE(comma, std::string::npos);
    if (t != -99 && t != -88 && t != -89) {
      const std::string field = text.substr(at, comma + 1 - at);
      ASSERT_EQ(field, ReferenceField(v)) << "value " << v;
      EXPECT_LE(field.size(), 9u);
    }
    at = comma + 1;
  }
  EXPECT_EQ(at, text.size());
}

// Texts that do not read back within 5.0e-5 of the value give way to the
// scientific short form; faithful texts stay as they were.
TEST(RealFields, UnfaithfulTextsBecomeTheScientificShortForm) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {1.1499e-8, "1.1499-8,"},   {-1.5e-8, "-1.500-8,"},     {1.2345e-4, "1.2345-4,"},
      {120049.0, "1.2005+5,"},    {4.0e-13, "4.000-13,"},     {-0.0123456, "-1.235-2,"},
      {1.23456e20, "1.235+20,"},  {9.99996e-14, "1.000-13,"}, {-9.9994e-10, "-1.000-9,"},
      {0.0100005, "0.010000,"},   // just inside the share
      {0.0090005, "9.0005-3,"},   // just outside
      {-0.0090005, "-9.000-3,"},
      {1.5e8, "1.500+8,"},        {8.3333e-6, "0.8333-5,"},   {7.85e-9, "0.7850-8,"},
      {2.1e5, "2.100+5,"},        {70000.0, "70000.0,"},      {0.3, "0.300000,"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const float v = static_cast<float>(c.value);
    EXPECT_EQ(RealFromFloat(v), c.text);
    EXPECT_EQ(Real(static_cast<double>(v)), c.text);
  }
  // A double beyond the float range takes the form with a three-digit exponent.
  EXPECT_EQ(Real(1.23456e200), "1.23+200,");
}

// Coordinates, loads and computed values are never markers; data values are.
TEST(NumberFields, NeverMarkersButZeroStaysEmpty) {
  const float values[] = {-99.5f, -88.2f, -89.0f, 0.0f, -0.0f, 2.5f};
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteNumberFields(deck, values, 6, 1, 1); }),
            "     ,-99.5000,-88.2000,-89.0000, , ,2.5000,\n");
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFields(deck, values, 6, 0, 0); }), " , YES, NO, , ,2.5000,");
  const double fields[] = {-99.0, -99.0, -88.0};
  const FieldForm forms[] = {FieldForm::kInteger, FieldForm::kNumber, FieldForm::kReal};
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteFormFields(deck, fields, forms, 3, 1, 0); }), " ,-99.0000, YES,\n");
}

TEST(Markers, ZeroAndMarkersInAllFourRoutines) {
  const double values[] = {0.0, -0.0, -99.0, -99.7, -88.0, -88.6, -89.0, -89.9};
  const char* expected = " , , , , YES, YES, NO, NO,";
  const int32_t realFlags[8] = {};
  const int32_t integerFlags[8] = {1, 1, 1, 1, 1, 1, 1, 1};
  float floats[8];
  for (int i = 0; i < 8; ++i) floats[i] = static_cast<float>(values[i]);
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFields(deck, values, 8, 0, 0); }), expected);
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFields(deck, floats, 8, 0, 0); }), expected);
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteIntegerFields(deck, values, 8, 0, 0); }), expected);
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteIntegerFields(deck, floats, 8, 0, 0); }), expected);
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteMixedFields(deck, values, realFlags, 8, 0, 0); }), expected);
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteMixedFields(deck, values, integerFlags, 8, 0, 0); }), expected);
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFieldsWrapped(deck, floats, 8, 8, 0); }),
            std::string(expected) + "\n");
  const int32_t markers[] = {0, BLANK_FIELD, YES_FIELD, NO_FIELD};
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteIntegerFields(deck, markers, 4, 0, 0); }), " , , YES, NO,");
}

TEST(IntegerFields, TruncateTowardZeroKeepEveryDigitAndTakeOnlyMarkersAsMarkers) {
  EXPECT_EQ(Integer(12.9), " 12,");
  EXPECT_EQ(Integer(-3.7), " -3,");
  EXPECT_EQ(Integer(0.5), " 0,");
  EXPECT_EQ(Integer(-98.5), " -98,");
  EXPECT_EQ(Real(-98.5), "-98.5000,");
  EXPECT_EQ(Integer(20000001.0), " 20000001,");
  const int32_t big[] = {20000001, 2147483647, -2147483647 - 1};
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteIntegerFields(deck, big, 3, 1, 0); }),
            " 20000001, 2147483647, -2147483648,\n");
  // Beyond the int32 range nothing is a marker and nothing is cut.
  EXPECT_EQ(Integer(-4294967395.0), " -4294967395,");
  EXPECT_EQ(Integer(1.0e20), " 100000000000000000000,");
  EXPECT_EQ(Integer(-1.0e300).size(), 1u + 1u + 301u + 1u);
  // The mixed form chooses per field.
  const double values[] = {7.0, 1.5, 20000001.0, -99.0, 2.5e5};
  const int32_t flags[] = {1, 0, 1, 0, 0};
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteMixedFields(deck, values, flags, 5, 1, 1); }),
            "     , 7,1.5000, 20000001, ,2.500+5,\n");
}

TEST(Lines, FlagsAndEmptyCounts) {
  const float values[] = {1.0f, 2.0f};
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFields(deck, values, 2, 1, 1); }), "     ,1.0000,2.0000,\n");
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFields(deck, values, 0, 1, 1); }), "     ,\n");
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFields(deck, values, 0, 0, 0); }), "");
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteIntegerFields(deck, values, 0, 1, 0); }), "\n");
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteMixedFields(deck, values, nullptr, 0, 0, 1); }), "     ,");
}

TEST(WrappedFields, LineCountsAndContinuationLayout) {
  std::vector<float> values(20);
  for (int i = 0; i < 20; ++i) values[i] = static_cast<float>(i + 1);
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFieldsWrapped(deck, values.data(), 20, 4, 0); }),
            "1.0000,2.0000,3.0000,4.0000,\n"
            "     ,5.0000,6.0000,7.0000,8.0000,9.0000,10.0000,11.0000,12.0000,\n"
            "     ,13.0000,14.0000,15.0000,16.0000,17.0000,18.0000,19.0000,20.0000,\n");
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFieldsWrapped(deck, values.data(), 3, 4, 0); }),
            "1.0000,2.0000,3.0000,\n");
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFieldsWrapped(deck, values.data(), 5, 4, 1); }),
            "     ,1.0000,2.0000,3.0000,4.0000,\n     ,5.0000,\n");
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFieldsWrapped(deck, values.data(), 0, 4, 1); }), "     ,\n");
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFieldsWrapped(deck, values.data(), -3, 4, 0); }), "\n");
  // A first line that takes nothing still ends before the continuation lines.
  EXPECT_EQ(Capture([&](DeckContext& deck) { WriteRealFieldsWrapped(deck, values.data(), 2, 0, 0); }),
            "\n     ,1.0000,2.0000,\n");
}

// Reads a short-exponent field back: 1.500+15 -> 1.5e15.
double ReadShortForm(const std::string& field) {
  const std::size_t split = field.find_last_of("+-");
  if (split == 0 || split == std::string::npos) return std::stod(field);
  return std::stod(field.substr(0, split)) * std::pow(10.0, std::stod(field.substr(split)));
}

TEST(HugeValues, KeepTheirMagnitudeInEightCharacters) {
  EXPECT_EQ(Real(1.5e15), "1.500+15,");
  EXPECT_EQ(Real(-1.5e15), "-1.50+15,");
  EXPECT_EQ(Real(1.2346e14), "1.235+14,");
  EXPECT_EQ(Real(9.9996e14), "1.000+15,");
  EXPECT_EQ(Real(1.0e14), "1.000+14,");
  EXPECT_EQ(Real(-1.0e13), "-1.00+13,");
  EXPECT_EQ(RealFromFloat(FLT_MAX), "3.403+38,");
  EXPECT_EQ(RealFromFloat(-FLT_MAX), "-3.40+38,");
  // Just below the limits the "+8" row still applies.
  EXPECT_EQ(Real(5.0e13), "500000+8,");
  EXPECT_EQ(Real(-9.0e12), "-90000+8,");
  // Doubles beyond the float range (material values) keep their magnitude too.
  EXPECT_EQ(Real(1.0e40), "1.000+40,");
  EXPECT_EQ(Real(1.0e300), "1.00+300,");
  EXPECT_EQ(Real(-1.0e300), "-1.0+300,");
  EXPECT_EQ(Real(9.9999e99), "1.00+100,");
  // A double too small for a float is a zero and stays empty.
  EXPECT_EQ(Real(1.0e-50), " ,");

  for (double magnitude = 1.0e12; magnitude < 3.0e38; magnitude *= 1.37) {
    for (double value : {magnitude, -magnitude}) {
      const std::string field = Real(static_cast<float>(value));
      SCOPED_TRACE(field);
      ASSERT_LE(field.size(), 9u);
      EXPECT_NEAR(ReadShortForm(field.substr(0, field.size() - 1)) / static_cast<float>(value), 1.0, 5.0e-3);
    }
  }
}

// The deck reports them after it is written (one warning line with the count).
TEST(NonFiniteValues, WrittenEmptyAndCounted) {
  DeckWarningCounts total;
  auto counted = [&](const std::function<void(DeckContext&)>& routine) {
    DeckWarningCounts warnings;
    const std::string text = Capture(routine, &warnings);
    total.nonFiniteValues += warnings.nonFiniteValues;
    return text;
  };
  const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(), 1.0};
  const int32_t flags[] = {1, 0, 1, 0};
  testing::internal::CaptureStdout();
  EXPECT_EQ(counted([&](DeckContext& deck) { WriteRealFields(deck, values, 4, 0, 0); }), " , , ,1.0000,");
  EXPECT_EQ(counted([&](DeckContext& deck) { WriteIntegerFields(deck, values, 4, 0, 0); }), " , , , 1,");
  EXPECT_EQ(counted([&](DeckContext& deck) { WriteMixedFields(deck, values, flags, 4, 0, 0); }), " , , ,1.0000,");
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(counted([&](DeckContext& deck) { WriteRealFieldsWrapped(deck, &nan, 1, 1, 0); }), " ,\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(total.nonFiniteValues, 10);
}

}  // namespace
