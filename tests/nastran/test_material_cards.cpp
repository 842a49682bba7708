// Material cards: field counts after trimming trailing zeros, line breaks,
// the integer MCSID fields, the wrapped layouts and MATHP's empty positions.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "nastran/bulk_data_writer.h"
#include "tests/support/nastran_capture.h"

namespace {

using testing_support::CaptureCards;

// A material whose values are given as (position, value) pairs; the rest is 0.
MaterialRecord Material(int32_t id, int32_t kind, std::initializer_list<std::pair<int, double>> values) {
  MaterialRecord material{};
  material.id = id;
  material.kind = kind;
  for (const auto& [position, value] : values) material.values[position] = value;
  return material;
}

// A material whose values 0 to count - 1 are 1, 2, 3 ...
MaterialRecord Counting(int32_t id, int32_t kind, int count) {
  MaterialRecord material{};
  material.id = id;
  material.kind = kind;
  for (int j = 0; j < count; ++j) material.values[j] = j + 1;
  return material;
}

std::string Cards(std::initializer_list<MaterialRecord> materials, int* result = nullptr) {
  Model model;
  model.materials.assign(materials);
  model.materialCount = static_cast<int32_t>(model.materials.size());
  return CaptureCards(model, [&](DeckContext& deck) {
    const int written = WriteMaterialCards(deck);
    if (result != nullptr) *result = written;
  });
}

TEST(MaterialCards, Mat1FieldCountsFollowTheLastNonZeroValue) {
  // E, G and NU only: one line of three fields. A value too small for single
  // precision counts as zero and is trimmed away.
  EXPECT_EQ(Cards({Material(1, 1, {{0, 30000.0}, {1, 11500.0}, {2, 0.3}, {5, 1.0e-60}})}),
            "MAT1, 1,30000.0,11500.0,0.300000,\n");

  // SS last (n = 10): seven fields, then ST, SC, SS; a zero GE stays an empty field.
  EXPECT_EQ(Cards({Material(2, 1, {{0, 1}, {1, 2}, {2, 0.5}, {3, 3}, {4, 4}, {5, 5}, {7, 6}, {8, 7}, {9, 8}})}),
            "MAT1, 2,1.0000,2.0000,0.500000,3.0000,4.0000,5.0000, ,\n"
            "     ,6.0000,7.0000,8.0000,\n");

  // ST set after a zero GE (n = 8): the continuation line still has three fields.
  EXPECT_EQ(Cards({Material(3, 1, {{0, 1}, {7, 6}})}),
            "MAT1, 3,1.0000, ,0.0, , , , ,\n"
            "     ,6.0000, , ,\n");
}

// E alone: NU is written 0.0 so that the solver derives G from E instead of
// taking G and NU as 0. Each row: the card, and beside it the card without
// that rule where it differs.
TEST(MaterialCards, Mat1WithEAloneWritesNuZero) {
  const struct {
    MaterialRecord material;
    const char* card;
    const char* before;  // the text written before, where it differs
  } rows[] = {
      {Material(1, 1, {{0, 1.5e8}}), "MAT1, 1,1.500+8, ,0.0,\n", "MAT1, 1,1.500+8,\n"},
      {Material(1, 1, {{0, 1.5e8}, {3, 7.8}}), "MAT1, 1,1.500+8, ,0.0,7.8000,\n", "MAT1, 1,1.500+8, , ,7.8000,\n"},
      {Material(1, 1, {{0, 2.1e5}, {1, 80000}}), "MAT1, 1,2.100+5,80000.0,\n", nullptr},
      {Material(1, 1, {{0, 1.5e8}, {2, 0.3}}), "MAT1, 1,1.500+8, ,0.300000,\n", nullptr},
      {Material(1, 1, {{1, 80000}}), "MAT1, 1, ,80000.0,\n", nullptr},
  };
  for (const auto& row : rows) EXPECT_EQ(Cards({row.material}), row.card);
}

TEST(MaterialCards, Mat1McsidIsAnIntegerFieldAtTheEndOfTheContinuation) {
  EXPECT_EQ(Cards({Material(4, 1, {{0, 1}, {1, 2}, {2, 0.5}, {7, 6}, {8, 7}, {9, 8}, {10, 5}})}),
            "MAT1, 4,1.0000,2.0000,0.500000, , , , ,\n"
            "     ,6.0000,7.0000,8.0000, 5,\n");
  // Stress limits absent: MCSID still follows three empty fields.
  EXPECT_EQ(Cards({Material(5, 1, {{0, 1}, {10, 12.9}})}),
            "MAT1, 5,1.0000, ,0.0, , , , ,\n"
            "     , , , , 12,\n");
  // An MCSID that truncates to 0 is not written; the line ends after SS.
  EXPECT_EQ(Cards({Material(6, 1, {{0, 1}, {10, 0.5}})}),
            "MAT1, 6,1.0000, ,0.0, , , , ,\n"
            "     , , , ,\n");
}

TEST(MaterialCards, Mat2McsidGoesOnAThirdLine) {
  EXPECT_EQ(Cards({Material(7, 2, {{0, 10}, {8, 0.25}, {15, 3}})}),
            "MAT2, 7,10.0000, , , , , , ,\n"
            "     , ,0.250000, , , , , , ,\n"
            "     , 3,\n");
  // Without MCSID the card stops after the eight values of the continuation line.
  EXPECT_EQ(Cards({Material(8, 2, {{0, 10}, {14, 2}})}),
            "MAT2, 8,10.0000, , , , , , ,\n"
            "     , , , , , , , ,2.0000,\n");
}

TEST(MaterialCards, WrappedCardsTakeSevenThenEightFields) {
  EXPECT_EQ(Cards({Counting(8, 8, 20)}),
            "MAT8, 8,1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,7.0000,\n"
            "     ,8.0000,9.0000,10.0000,11.0000,12.0000,13.0000,14.0000,15.0000,\n"
            "     ,16.0000,17.0000,18.0000,19.0000,20.0000,\n");
  EXPECT_EQ(Cards({Counting(3, 3, 1), Counting(4, 4, 2), Counting(5, 5, 1), Counting(9, 9, 1),
                   Counting(10, 10, 8)}),
            "MAT3, 3,1.0000,\n"
            "MAT4, 4,1.0000,2.0000,\n"
            "MAT5, 5,1.0000,\n"
            "MAT9, 9,1.0000,\n"
            "MAT10, 10,1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,7.0000,\n"
            "     ,8.0000,\n");
  // All values zero: the card keeps one empty field.
  EXPECT_EQ(Cards({Material(11, 4, {})}), "MAT4, 11, ,\n");
}

TEST(MaterialCards, KindsWithoutACardWriteNothingAndIdsAreExact) {
  int result = -1;
  EXPECT_EQ(Cards({Counting(1, 6, 3), Counting(2, 7, 3), Counting(3, 12, 3), Counting(4, 0, 3),
                   Counting(5, -1, 3), Counting(6, 13, 3), Counting(20000001, 1, 1)},
                  &result),
            "MAT1, 20000001,1.0000, ,0.0,\n");
  EXPECT_EQ(result, 7);
}

TEST(MaterialCards, MathpShortAndFull) {
  // n = 5: the first line, then a line holding only the continuation start.
  EXPECT_EQ(Cards({Counting(11, 11, 5)}),
            "MATHP, 11,1.0000,2.0000,3.0000,4.0000,5.0000,\n"
            "     ,\n");

  // All 100 values set: F10 to F14 and everything after F54 are never
  // written, and the fixed positions are empty.
  EXPECT_EQ(Cards({Counting(12, 11, 100)}),
            "MATHP, 12,1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,7.0000,\n"
            "     , , 9, 10,\n"
            "     ,16.0000,17.0000,18.0000,19.0000, , , , ,\n"
            "     ,24.0000,25.0000,26.0000,27.0000,28.0000, , , ,\n"
            "     ,32.0000,33.0000,34.0000,35.0000,36.0000,37.0000, , ,\n"
            "     ,40.0000,41.0000,42.0000,43.0000,44.0000,45.0000,46.0000, ,\n"
            "     , 48, 49, 50, 51, , , , 55,\n");
}

TEST(MaterialCards, ValuesBeyondSinglePrecisionAreNotWrittenAsNumbers) {
  // 1e300 has no single-precision value: it becomes an empty field, and it
  // still counts as a non-zero value for the trimming.
  EXPECT_EQ(Cards({Material(1, 1, {{0, 1e300}, {1, 2}, {2, -1e300}})}), "MAT1, 1, ,2.0000, ,\n");
}

}  // namespace
