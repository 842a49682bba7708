// Element property cards: card selection by type code, value limits, integer
// and keyword fields, and line breaks of each card.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "nastran/bulk_data_writer.h"
#include "tests/support/nastran_capture.h"

namespace {

using testing_support::CaptureCards;

PropertyRecord Property(int32_t id, int32_t materialId, int32_t typeCode, std::initializer_list<float> values) {
  PropertyRecord property{};
  property.id = id;
  property.materialId = materialId;
  property.typeCode = typeCode;
  int count = 0;
  for (float value : values) property.values[count++] = value;
  property.valueCount = count;
  return property;
}

// Values 1, 2, 3 ... in the first count positions.
PropertyRecord Counting(int32_t id, int32_t materialId, int32_t typeCode, int count) {
  PropertyRecord property{};
  property.id = id;
  property.materialId = materialId;
  property.typeCode = typeCode;
  for (int j = 0; j < count; ++j) property.values[j] = static_cast<float>(j + 1);
  property.valueCount = count;
  return property;
}

std::string Cards(std::vector<PropertyRecord> properties, int* result = nullptr,
                  DeckWarningCounts* warnings = nullptr) {
  Model model;
  model.properties.assign(properties.begin(), properties.end());
  model.propertyCount = static_cast<int32_t>(model.properties.size());
  return CaptureCards(
      model,
      [&](DeckContext& deck) {
        const int written = WritePropertyCards(deck);
        if (result != nullptr) *result = written;
      },
      false, warnings);
}

TEST(PropertyCards, CodesWithoutACardWriteNothing) {
  int result = -1;
  EXPECT_EQ(Cards({Counting(1, 2, 999, 3), Counting(2, 2, 1001, 3), Counting(3, 2, 1104, 3),
                   Counting(4, 2, 0, 3), Counting(5, 2, -1021, 3)},
                  &result),
            "");
  EXPECT_EQ(result, 5);
  EXPECT_EQ(Cards({}, &result), "");
  EXPECT_EQ(result, 0);
}

TEST(PropertyCards, ShellWithThicknessOnlyTakesTheMembraneMaterial) {
  EXPECT_EQ(Cards({Property(1, 3, 1021, {0.5f})}), "PSHELL, 1, 3,0.500000, 3, , 3, , ,\n");
  // The material id is copied exactly, whatever its size.
  EXPECT_EQ(Cards({Property(20000001, 30000001, 1021, {0.5f})}),
            "PSHELL, 20000001, 30000001,0.500000, 30000001, , 30000001, , ,\n");
}

// With more values than the thickness, an empty MID2 takes the membrane
// material, and then an empty MID3 too; MID2 given as the empty marker keeps
// the plate a membrane. Each row: the card, and beside it the card without
// that rule where it differs.
TEST(PropertyCards, ShellBendingAndShearMaterialsDefaultFieldByField) {
  const struct {
    PropertyRecord property;
    const char* card;
    const char* before;  // the text written before, where it differs
  } rows[] = {
      {Property(1, 1, 1021, {0.1f, 0, 0, 0, 0, 0.5f}), "PSHELL, 1, 1,0.100000, 1, , 1, ,0.500000,\n",
       "PSHELL, 1, 1,0.100000, , , , ,0.500000,\n"},
      {Property(1, 1, 1021, {0.1f, 4, 1, 0, 0.8333f}), "PSHELL, 1, 1,0.100000, 4,1.0000, 1,0.833300, ,\n",
       "PSHELL, 1, 1,0.100000, 4,1.0000, ,0.833300, ,\n"},
      {Property(1, 1, 1021, {0.1f, 0, 0, 5}), "PSHELL, 1, 1,0.100000, 1, , 5, , ,\n",
       "PSHELL, 1, 1,0.100000, , , 5, , ,\n"},
      {Property(1, 1, 1021, {0.1f, -99.5f, 0, 0, 0, 0.5f}), "PSHELL, 1, 1,0.100000, , , , ,0.500000,\n", nullptr},
      {Property(1, 0, 1021, {0.1f, 0, 0, 0, 0, 0.5f}), "PSHELL, 1, 0,0.100000, , , , ,0.500000,\n", nullptr},
  };
  for (const auto& row : rows) EXPECT_EQ(Cards({row.property}), row.card);
}

TEST(PropertyCards, ShellWithNineValuesHasAContinuationLine) {
  EXPECT_EQ(Cards({Property(2, 3, 1021, {0.1f, 4, 1, 5, 0.833333f, 0, -0.05f, 0.05f, 6})}),
            "PSHELL, 2, 3,0.100000, 4,1.0000, 5,0.833333, ,\n"
            "     ,-0.05000,0.050000, 6,\n");
  // Values beyond the card's nine are not written.
  PropertyRecord eleven = Counting(4, 3, 1021, 11);
  EXPECT_EQ(Cards({eleven}),
            "PSHELL, 4, 3,1.0000, 2,3.0000, 4,5.0000,6.0000,\n"
            "     ,7.0000,8.0000, 9,\n");
}

TEST(PropertyCards, CompositePliesTwoToALine) {
  // n = 15: two plies on one continuation line.
  EXPECT_EQ(Cards({Property(20, 0, 1031, {-0.5f, 0, 0, 3, 0, 0, 1, 7, 0.1f, 45, 1, 7, 0.1f, -45, 0})}),
            "PCOMP, 20,-0.50000, , , TSAI,  , , SYM,\n"
            "     , 7,0.100000,45.0000, YES, 7,0.100000,-45.0000, ,\n");
  // n = 19: a third ply on a second continuation line; the YES marker counts as set.
  EXPECT_EQ(Cards({Property(21, 0, 1031,
                            {0, 0, 0, 1, 0, 0, 0, 7, 0.1f, 45, 1, 7, 0.1f, -45, 0, 8, 0.2f, 0, -88})}),
            "PCOMP, 21, , , , HILL,  , ,\n"
            "     , 7,0.100000,45.0000, YES, 7,0.100000,-45.0000, ,\n"
            "     , 8,0.200000, , YES,\n");
  // n = 8: one ply with only its material.
  EXPECT_EQ(Cards({Property(22, 0, 1031, {0, 0, 0, 0, 0, 0, 0, 9})}),
            "PCOMP, 22, , , , , , ,\n"
            "     , 9, , , ,\n");
}

TEST(PropertyCards, CompositeFailureTheories) {
  EXPECT_EQ(Cards({Property(1, 0, 1031, {0, 0, 0, 0}), Property(2, 0, 1031, {0, 0, 0, 5}),
                   Property(3, 0, 1031, {0, 0, 0, 2}), Property(4, 0, 1031, {0, 0, 0, 4.5f}),
                   Property(5, 0, 1031, {0, 0, 0, -1})}),
            "PCOMP, 1, , , , , , ,\n"
            "PCOMP, 2, , , , , , ,\n"
            "PCOMP, 3, , , , HOFF,  , ,\n"
            "PCOMP, 4, , , , STRN,  , ,\n"
            "PCOMP, 5, , , , , , ,\n");
}

TEST(PropertyCards, CompositeEleventhPlyHasAnEmptyStressFlag) {
  // Fifty values: eleven plies, every stress flag set; the eleventh ply's flag
  // would be the 51st value, which does not exist.
  PropertyRecord property = Property(30, 0, 1031, {});
  property.valueCount = 50;
  for (int k = 0; k < 11; ++k) {
    property.values[7 + 4 * k] = 9;
    if (10 + 4 * k < 50) property.values[10 + 4 * k] = 1;
  }
  const std::string text = Cards({property});
  const std::string pair = "     , 9, , , YES, 9, , , YES,\n";
  EXPECT_EQ(text, "PCOMP, 30, , , , , , ,\n" + pair + pair + pair + pair + pair + "     , 9, , , ,\n");
}

TEST(PropertyCards, SolidAndPlaneKeywords) {
  EXPECT_EQ(Cards({Property(30, 2, 1061, {1, 2, 3, 4, 1}), Property(31, 2, 1061, {0, 2, 1, 0}),
                   Property(32, 2, 1061, {})}),
            "PSOLID, 30, 2, 1, 2, 3, 4, PFLUID, \n"
            "PSOLID, 31, 2, , 2, 1, ,\n"
            "PSOLID, 32, 2, , , , ,\n");
  EXPECT_EQ(Cards({Property(60, 2, 1011, {2, 1}), Property(61, 2, 1011, {0, 0}), Property(63, 2, 1011, {-99, 7})}),
            "PLPLANE, 60, 2, 2, GRID\n"
            "PLPLANE, 61, 2,\n"
            "PLPLANE, 63, 2, 0, GRID\n");
  EXPECT_EQ(Cards({Property(64, 2, 1060, {1}), Property(65, 2, 1060, {0})}),
            "PLSOLID, 64, 2, GRID\n"
            "PLSOLID, 65, 2,\n");
}

// A section type outside the table writes no card (it would give the solver
// another section), and is counted for the deck's warning.
TEST(PropertyCards, SectionTypesOfLibraryBeams) {
  DeckWarningCounts warnings;
  EXPECT_EQ(Cards({Property(40, 2, 1113, {0, 25, 0, 0, 0, 0, 1.5f, 2.5f}),
                   Property(41, 2, 1113, {0, 3}),
                   Property(42, 2, 1126, {0, 18, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
                   Property(43, 2, 1113, {0, -1, 0, 0, 0, 0, 1})},
                  nullptr, &warnings),
            "PBARL, 41, 2, ,I,\n"
            "     ,\n"
            "PBEAML, 42, 2, ,HAT,\n"
            "     ,1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,7.0000,8.0000,\n"
            "     ,9.0000,\n");
  EXPECT_EQ(warnings.unknownSectionTypes, 2);
}

TEST(PropertyCards, BarTakesSeventeenValuesWithAnEmptySixthField) {
  EXPECT_EQ(Cards({Counting(50, 2, 1110, 20)}),
            "PBAR, 50, 2,1.0000,2.0000,3.0000,4.0000,5.0000, ,\n"
            "     ,7.0000,8.0000,9.0000,10.0000,11.0000,12.0000,13.0000,14.0000,\n"
            "     ,15.0000,16.0000,17.0000,\n");
  EXPECT_EQ(Cards({Counting(51, 2, 1110, 0)}), "PBAR, 51, 2,\n");
}

TEST(PropertyCards, BarOutputKeywordIsTheScaleField) {
  EXPECT_EQ(Cards({Property(10, 0, 2110, {1, 3, 0.1f, 0.2f}), Property(10, 0, 2110, {2, 3, 0.1f, 0.2f}),
                   Property(11, 0, 2110, {1, 3, 0.1f, 0.2f, 0.3f}), Property(12, 0, 2110, {})}),
            "CBARAO, 10, LE, 3,0.100000,0.200000,\n"
            "CBARAO, 10, FR,3.0000,0.100000,0.200000,\n"
            "CBARAO, 11, LE,3.0000,0.100000,0.200000,0.300000,\n"
            "CBARAO, 12, LE,\n");
}

TEST(PropertyCards, CompositeBeamWritesOneLumpedAreaPerGroup) {
  EXPECT_EQ(Cards({Counting(70, 2, 1123, 22)}),
            "PBCOMP, 70, 2,1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,\n"
            "     ,7.0000,8.0000,9.0000,10.0000,11.0000,12.0000, 13,\n"
            "     ,15.0000,16.0000,17.0000, 18,\n");
  // Fifty values: five groups, the last one ending at the fiftieth value.
  const std::string text = Cards({Counting(71, 2, 1123, 50)});
  EXPECT_NE(text.find("     ,47.0000,48.0000,49.0000, 50,\n"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7);
}

TEST(PropertyCards, PlainListsAndWrappedCards) {
  EXPECT_EQ(Cards({Property(80, 2, 1102, {0.5f, 0.25f}), Property(81, 2, 1103, {1000, 0, 0, 9}),
                   Property(82, 2, 1105, {3, 4}), Property(83, 2, 1108, {1, 0.1f, 0, 2}),
                   Property(84, 2, 1041, {0.2f, 1, 2, 3}), Property(85, 2, 1140, {1, 2, 3})}),
            "PROD, 80, 2,0.500000,0.250000, , ,\n"
            "PELAS, 81,1000.0, , ,\n"
            "PDAMP, 82,3.0000,\n"
            "PTUBE, 83, 2,1.0000,0.100000, ,2.0000,\n"
            "PSHEAR, 84, 2,0.200000,1.0000,2.0000,3.0000,\n"
            "PVISC, 85,1.0000,2.0000,\n");
  EXPECT_EQ(Cards({Counting(90, 2, 1130, 12), Counting(91, 2, 1120, 15)}),
            "PGAP, 90,1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,7.0000,\n"
            "     ,8.0000,9.0000,10.0000,\n"
            "PBEAM, 91, 2,1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,\n"
            "     ,7.0000,8.0000,9.0000,10.0000,11.0000,12.0000,13.0000,14.0000,\n"
            "     ,15.0000,\n");
}

}  // namespace
