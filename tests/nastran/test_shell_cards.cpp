// Shell and plane element cards: card choice by class and node count, the
// data record fields, the class-22 offset clearing and geometry-only decks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "nastran/element_cards.h"
#include "tests/nastran/element_model.h"

namespace {

using element_test::ElementModel;

class ShellCards : public ::testing::Test {
 protected:
  void SetUp() override {
    deck.AddNodes(9, 11);  // positions 1..9 carry the numbers 11..19
  }
  ElementModel deck;
};

TEST_F(ShellCards, TriangleAndQuadrilateralWithoutDataEndAfterTheNodes) {
  deck.AddElement(1, 3, 11, {1, 2, 3}, 3);
  deck.AddElement(2, 3, 12, {4, 5, 6});
  deck.AddElement(3, 4, 11, {1, 2, 3, 4}, 3);
  deck.AddElement(4, 4, 42, {1, 2, 3, 4});  // the CQUADR rule comes before CSHEAR
  deck.AddRecord(3, 1011);
  EXPECT_EQ(deck.WriteElements(),
            "CTRIA3, 1, 3, 11, 12, 13,\n"
            "CTRIAR, 2, 0, 14, 15, 16,\n"
            "CQUAD4, 3, 3, 11, 12, 13, 14,\n"
            "CQUADR, 4, 0, 11, 12, 13, 14,\n");
}

TEST_F(ShellCards, QuadrilateralDataFields) {
  // Empty orientation and offset (0.0 and -99.0): only the line end, but the
  // thicknesses still get their continuation line.
  deck.AddElement(1, 4, 11, {1, 2, 3, 4}, 3);
  deck.AddRecord(3, 1011);
  deck.AddRecord(0, 11, {0.0f, -99.0f, 0.1f, 0.2f, 0.3f, 0.4f});
  EXPECT_EQ(deck.WriteElements(),
            "CQUAD4, 1, 3, 11, 12, 13, 14,\n"
            "     , , ,0.100000,0.200000,0.300000,0.400000,\n");

  ElementModel twoValues;
  twoValues.AddNodes(4, 11);
  twoValues.AddElement(2, 4, 11, {1, 2, 3, 4});
  twoValues.AddRecord(0, 11, {30.0f, 0.05f});
  EXPECT_EQ(twoValues.WriteElements(), "CQUAD4, 2, 0, 11, 12, 13, 14,30.0000,0.050000,\n");

  // Three values on a triangle: one thickness after the two empty fields,
  // and the missing corners of m = min(nodes, values) come out empty.
  ElementModel threeValues;
  threeValues.AddNodes(3, 11);
  threeValues.AddElement(3, 3, 21, {1, 2, 3});
  threeValues.AddRecord(0, 21, {-99.0f, 1.5f, 2.0f});
  EXPECT_EQ(threeValues.WriteElements(),
            "CTRIA3, 3, 0, 11, 12, 13, ,1.5000,\n"
            "     , , ,2.0000, , ,\n");
}

TEST_F(ShellCards, Class22ClearsTheOffsetInTheModel) {
  deck.AddElement(1, 4, 22, {1, 2, 3, 4});
  const std::size_t data = deck.AddRecord(0, 22, {5.0f, 0.25f});
  EXPECT_EQ(deck.WriteElements(), "CQUADR, 1, 0, 11, 12, 13, 14,5.0000, ,\n");
  EXPECT_EQ(deck.model.properties[data].values[1], 0.0f);

  // Another class keeps its offset.
  ElementModel other;
  other.AddNodes(4, 11);
  other.AddElement(2, 4, 12, {1, 2, 3, 4});
  const std::size_t kept = other.AddRecord(0, 12, {5.0f, 0.25f});
  EXPECT_EQ(other.WriteElements(), "CQUADR, 2, 0, 11, 12, 13, 14,5.0000,0.250000,\n");
  EXPECT_EQ(other.model.properties[kept].values[1], 0.25f);
}

TEST_F(ShellCards, SixAndEightNodeShells) {
  deck.AddElement(1, 3, 11, {1, 2, 3, 4, 5, 6});
  deck.AddElement(2, 3, 21, {1, 2, 3, 4, 5, 6}, 8);
  deck.AddElement(3, 4, 31, {1, 2, 3, 4, 5, 6, 7, 8});
  deck.AddElement(4, 4, 11, {1, 2, 3, 4, 5, 6, 7, 8});
  deck.AddElement(5, 4, 1, {1, 2, 3, 4, 5, 6, 7, 8});
  deck.AddRecord(8, 1021);
  deck.AddRecord(0, 21, {1.0f, 2.0f, 0.1f, 0.2f, 0.3f, 0.4f});
  deck.AddRecord(0, 31, {10.0f, 0.5f, 1.0f, 2.0f, 3.0f, 4.0f});
  deck.AddRecord(0, 1, {10.0f, 0.5f});
  EXPECT_EQ(deck.WriteElements(),
            "CTRIA6, 1, 0, 11, 12, 13, 14, 15, 16,\n"
            "     ,   ,\n"
            "CTRIA6, 2, 8, 11, 12, 13, 14, 15, 16,\n"
            "     ,1.0000,2.0000,0.100000,0.200000,0.300000,\n"
            "CQUAD8, 3, 0, 11, 12, 13, 14, 15, 16,\n"
            "     , 17, 18,1.0000,2.0000,3.0000,4.0000,10.0000,0.500000,\n"
            "CQUAD8, 4, 0, 11, 12, 13, 14, 15, 16,\n"
            "     , 17, 18,\n"
            "CQUAD8, 5, 0, 11, 12, 13, 14, 15, 16,\n"
            "     , 17, 18, , , , ,10.0000,0.500000,\n");
}

TEST_F(ShellCards, AxisymmetricAndShearCards) {
  deck.AddElement(1, 3, 14, {1, 2, 3, 4, 5, 6});
  deck.AddElement(2, 4, 14, {1, 2, 3, 4, 5, 6, 7, 8});
  deck.AddElement(3, 3, 45, {1, 2, 3});
  deck.AddElement(4, 4, 45, {1, 2, 3, 4});
  deck.AddElement(5, 4, 13, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  deck.AddElement(6, 4, 24, {1, 2, 3, 4}, 2);
  deck.AddRecord(2, 1021);
  deck.AddRecord(0, 45, {30.0f}, 7);
  EXPECT_EQ(deck.WriteElements(),
            "CTRIAX, 1, 0, 11, 12, 13, 14, 15, 16,\n"
            "CQUADX, 2, 0, 11, 12, 13, 14, 15, 16,\n"
            "     , 17, 18,\n"
            "CTRIAX6, 3, 7, 11, , 12, , 13,\n"
            "     ,30.0000,\n"
            "CSHEAR, 4, 0, 11, 12, 13, 14,\n"
            "CQUAD, 5, 0, 11, 12, 13, 14, 15, 16,\n"
            "     , 17, 18, 19,\n"
            "CQUADX, 6, 2, 11, 12, 13, 14,\n");
}

TEST_F(ShellCards, MaterialFieldWithoutDataRecordIsEmpty) {
  deck.AddElement(1, 3, 45, {1, 2, 3});
  deck.AddElement(2, 3, 46, {1, 2, 3});  // CSHEAR needs four nodes
  deck.AddElement(3, 4, 46, {1, 2, 3, 4});
  EXPECT_EQ(deck.WriteElements(),
            "CTRIAX6, 1, , 11, , 12, , 13,\n"
            "CSHEAR, 3, 0, 11, 12, 13, 14,\n");
}

// CTRIAX6 takes corners and midside nodes in turn, CSHEAR names a PSHEAR
// only, and an element whose node count its card cannot hold gets no card.
// Each row: the card, and beside it the card without these rules where it
// differs.
TEST_F(ShellCards, CardsHoldTheirNodesAndPropertyAsTheSolverReadsThem) {
  const struct {
    int32_t shape;
    int32_t elementClass;
    std::vector<int32_t> slots;
    int32_t propertyId;
    const char* card;
    const char* before;  // the text written before, where it differs
  } rows[] = {
      {3, 45, {1, 2, 3, 4, 5, 6}, 0, "CTRIAX6, 1, 7, 11, 14, 12, 15, 13, 16,\n",
       "CTRIAX6, 1, 7, 11, 12, 13, 14, 15, 16,\n"},
      {3, 45, {1, 2, 3}, 0, "CTRIAX6, 2, 7, 11, , 12, , 13,\n", "CTRIAX6, 2, 7, 11, 12, 13,\n"},
      {4, 45, {1, 2, 3, 4}, 4, "CSHEAR, 3, 4, 11, 12, 13, 14,\n", "CSHEAR, 3, 7, 11, 12, 13, 14,\n"},
      {4, 46, {1, 2, 3, 4}, 5, "CSHEAR, 4, 0, 11, 12, 13, 14,\n", "CSHEAR, 4, , 11, 12, 13, 14,\n"},
      {4, 13, {1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2, 3}, 0, "", "CQUAD with twelve nodes"},
      {3, 13, {1, 2, 3, 4, 5, 6}, 0, "", "CQUAD with six nodes"},
      {3, 14, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 0, "", "CQUADX with nine nodes"},
      {4, 14, {1, 2, 3}, 0, "", "CTRIAX with three nodes"},
      {4, 14, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 0, "CQUADX, 9, 0, 11, 12, 13, 14, 15, 16,\n     , 17, 18, 19,\n", nullptr},
      {5, 71, std::vector<int32_t>(16, 1), 0, "", "CTETRA with 16 nodes"},
      {7, 61, std::vector<int32_t>(24, 1), 0, "", "CPENTA with 24 nodes"},
      {8, 81, std::vector<int32_t>(32, 1), 0, "", "CHEXA with 32 nodes"},
      {8, 81, {1, 2, 3, 4, 5, 6, 7}, 0, "", "CHEXA with 7 nodes"},
      {5, 71, std::vector<int32_t>(10, 1), 0, "CTETRA, 14, 1,  11, 11, 11, 11, 11, 11,\n     , 11, 11, 11, 11,\n",
       nullptr},
  };
  std::string expected;
  int32_t number = 0;
  for (const auto& row : rows) {
    deck.AddElement(++number, row.shape, row.elementClass, row.slots, row.propertyId);
    expected += row.card;
  }
  deck.AddRecord(0, 45, {}, 7);
  deck.AddRecord(4, 1041, {0.5f});
  deck.AddRecord(5, 1021, {0.5f});
  EXPECT_EQ(deck.WriteElements(), expected);
}

TEST_F(ShellCards, ClassesWithoutACardAreSilent) {
  deck.AddElement(1, 3, 12, {1, 2, 3, 4, 5, 6});
  deck.AddElement(2, 4, 22, {1, 2, 3, 4, 5, 6, 7, 8});
  deck.AddElement(3, 4, 16, {1, 2, 3, 4});
  deck.AddElement(4, 3, 35, {1, 2, 3, 4});
  deck.AddElement(5, 4, -9, {1, 2, 3, 4});
  EXPECT_EQ(deck.WriteElements(), "");
}

TEST_F(ShellCards, GeometryOnlyWritesNoPropertyAndNoData) {
  deck.AddElement(1, 3, 11, {1, 2, 3}, 3);
  deck.AddElement(2, 4, 45, {1, 2, 3, 4});
  deck.AddRecord(3, 1011);
  deck.AddRecord(0, 11, {30.0f, 0.5f});
  deck.AddRecord(0, 45, {}, 7);
  deck.geometryOnly = true;
  EXPECT_EQ(deck.WriteElements(),
            "CTRIA3, 1, 0, 11, 12, 13,\n"
            "CSHEAR, 2, 0, 11, 12, 13, 14,\n");
}

}  // namespace
