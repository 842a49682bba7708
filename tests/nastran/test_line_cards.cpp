// Line, scalar, gap, rigid and mass element cards and multipoint constraints.
#include <gtest/gtest.h>

#include <cmath>

#include "nastran/element_cards.h"
#include "tests/nastran/element_model.h"

namespace {

using element_test::ElementModel;

class LineCards : public ::testing::Test {
 protected:
  void SetUp() override {
    deck.AddNodes(4, 11);  // positions 1..4 carry the numbers 11..14
  }
  ElementModel deck;
};

TEST_F(LineCards, RodsTubesViscousDampersAndGaps) {
  deck.AddElement(1, 2, 102, {1, 2}, 7);
  deck.AddElement(2, 2, 101, {1, 2});
  deck.AddElement(3, 2, 101, {3, 4});
  deck.AddElement(4, 2, 108, {1, 2}, 7);
  deck.AddElement(5, 2, 140, {1, 2});
  deck.AddElement(6, 2, 131, {1, 2, 3}, 9);
  deck.AddElement(7, 2, 130, {1, 2});
  deck.AddElement(8, 2, 130, {3, 4});
  deck.AddRecord(7, 1102);
  deck.AddRecord(7, 1108);
  deck.AddRecord(9, 1130);  // class 131 shares the code of class 130
  deck.ListData(2, deck.AddRecord(1, 101, {2.5f, 1.25f, 0.0f, 0.01f}, 4));  // CONROD with a data record
  deck.ListData(7, deck.AddRecord(1, 130, {0.0f, 0.0f, 1.0f, 2.0f}));      // CGAP with a data record
  EXPECT_EQ(deck.WriteElements(),
            "CROD,  1, 7, 11, 12,\n"
            "CONROD,  2, 11, 12, ,\n"
            "CONROD,  3, 13, 14, 4,2.5000,1.2500, ,0.010000,\n"
            "CTUBE,  4, 7, 11, 12,\n"
            "CVISC,  5, , 11, 12,\n"
            "CGAP,  6, 9, 11, 12, 13,\n"
            "CGAP,  7, , 11, 12,\n"
            "CGAP,  8, , 13, 14, , ,1.0000, 2,\n");
}

// A gap's orientation vector without a CID is read in GA's displacement
// frame, as a bar's is: it is written as its components along that frame's
// directions at GA. Each row: the card, and beside it the card where it was
// otherwise.
TEST_F(LineCards, GapVectorInTheDisplacementFrameOfGa) {
  const float c30 = static_cast<float>(std::cos(M_PI / 6)), s30 = 0.5f;
  const struct {
    int32_t gaFrame;  // CD of GA (constrained); 0 = no CD
    float cid;
    const char* card;
    const char* before;  // the text written before, where it differs
  } rows[] = {
      {1, 0, "CGAP,  7, , 1, 2,0.866025,-0.50000, , ,\n", "CGAP,  7, , 1, 2,1.0000, , , ,\n"},
      {1, -99, "CGAP,  7, , 1, 2,0.866025,-0.50000, , ,\n", "CGAP,  7, , 1, 2,1.0000, , , ,\n"},
      {1, 5, "CGAP,  7, , 1, 2,1.0000, , , 5,\n", nullptr},
      {0, 0, "CGAP,  7, , 1, 2,1.0000, , , ,\n", nullptr},
      {9, 0, "CGAP,  7, , 1, 2,1.0000, , , ,\n", nullptr},  // no frame card for CD 9
  };
  for (const auto& row : rows) {
    ElementModel gap;
    gap.AddNode(1);
    gap.AddNode(2);
    gap.model.nodes[0].constraintCode = row.gaFrame != 0 ? 1 : 0;
    gap.model.nodes[0].outputFrameId = row.gaFrame;
    gap.model.frames = {FrameRecord{1, 1, {0, 0, 0}, {0, 0, 1}, {c30, s30, 0}}};
    gap.model.frameCount = 1;
    gap.AddElement(7, 2, 130, {1, 2});
    gap.AddRecord(0, 130, {1, 0, 0, row.cid});
    EXPECT_EQ(gap.WriteElements(), row.card);
  }
}

TEST_F(LineCards, SpringsAndDampers) {
  deck.AddElement(1, 2, 103, {1, 0}, 9);  // no second node: G2 and C2 empty
  deck.AddElement(2, 2, 105, {1, 2});
  deck.AddElement(3, 2, 104, {1, 2});
  deck.AddElement(4, 2, 104, {1, 0});
  deck.AddElement(5, 2, 106, {1, 2});
  deck.AddElement(6, 2, 106, {1, 2});
  deck.AddRecord(9, 1103);
  deck.ListData(0, deck.AddRecord(1, 103, {1.0f, 2.0f}));
  const std::size_t spring = deck.AddRecord(1, 104, {1000.0f, 1.0f, 2.0f, 0.05f, 0.0f});
  deck.ListData(2, spring);
  deck.ListData(3, spring);
  deck.ListData(4, deck.AddRecord(1, 106, {0.5f, 3.0f, 4.0f}));
  EXPECT_EQ(deck.WriteElements(),
            "CELAS1,  1, 9, 11, 1, , ,\n"
            "CDAMP1,  2, , 11, , 12, ,\n"
            "CELAS2, 3,1000.0, 11, 1, 12, 2,0.050000, ,\n"
            "CELAS2, 4,1000.0, 11, 1, , ,0.050000, ,\n"
            "CDAMP2, 5,0.500000, 11, 3, 12, 4,\n"
            "CDAMP2, 6, , 11, , 12, ,\n");
}

TEST_F(LineCards, RigidBarAndMasses) {
  deck.AddElement(1, 2, 150, {1, 2});
  deck.AddElement(2, 1, 202, {3});
  deck.AddElement(3, 1, 202, {3});
  deck.AddElement(4, 1, 201, {4});
  deck.AddElement(5, 2, 150, {1, 2});
  deck.ListData(0, deck.AddRecord(1, 150, {123456.0f, 0.0f, 123.0f}));
  deck.ListData(2, deck.AddRecord(1, 202, {2.0f, 12.5f, 0.0f, 1.0f, 0.0f, 3.0f, 0.0f, 3.0f, 0.0f, 0.0f, 3.0f}));
  EXPECT_EQ(deck.WriteElements(),
            "RBAR,  1, 11, 12, 123456, , 123, ,\n"
            "CONM2,  2, 13, , , , , ,\n"
            "     , , , , , , ,\n"
            "CONM2,  3, 13, 2,12.5000, ,1.0000, ,\n"
            "     ,3.0000, ,3.0000, , ,3.0000,\n"
            "CONM1,  4, 14, , , , , , ,\n"
            "     , , , , , , , , ,\n"
            "     , , , , , , , , ,\n"
            "RBAR,  5, 11, 12, , , , ,\n");
}

TEST_F(LineCards, MpcFromDataRecord) {
  deck.AddElement(1, 1, 210, {1});
  deck.AddElement(2, 1, 210, {1});
  deck.AddElement(3, 1, 210, {1});  // no data record: no card
  deck.AddElement(4, 2, 102, {1, 2});
  deck.ListData(0, deck.AddRecord(1, 210, {5.0f, 11.0f, 1.0f, 1.0f, 12.0f, 2.0f, -1.0f, 13.0f, 3.0f, 0.5f}));
  // No complete term: the card still ends its line.
  deck.ListData(1, deck.AddRecord(2, 210, {6.0f, 11.0f, 1.0f}));
  EXPECT_EQ(deck.WriteElements(),
            "MPC, 5, 11, 1,1.0000, 12, 2,-1.0000,\n"
            "    ,  , 13, 3,0.500000,\n"
            "MPC, 6,\n"
            "CROD,  4, , 11, 12,\n");
}

TEST_F(LineCards, MpcFromNodeList) {
  deck.AddElement(1, 2, 211, {1, 2, 3, 4});
  deck.AddElement(2, 2, 211, {1, 2, 3, 0});  // last slot empty: the card still ends its line
  deck.AddElement(3, 2, 211, {1, 0, 3});  // an empty slot between two nodes leaves no gap in the card
  deck.AddElement(4, 2, 102, {1, 2});
  deck.AddRecord(0, 211, {7.0f, 1.0f, 1.0f, 2.0f, 2.0f, 3.0f, 3.0f, 4.0f, 4.0f});
  EXPECT_EQ(deck.WriteElements(),
            "MPC, 7, 11, 1,1.0000, 12, 2,2.0000,\n"
            "    ,  , 13, 3,3.0000, 14, 4,4.0000,\n"
            "MPC, 7, 11, 1,1.0000, 12, 2,2.0000,\n"
            "    ,  , 13, 3,3.0000,\n"
            "MPC, 7, 11, 1,1.0000, 13, 3,3.0000,\n"
            "CROD,  4, , 11, 12,\n");
}

TEST_F(LineCards, ClassesWithoutACardAreSilent) {
  int32_t number = 1;
  for (int32_t elementClass : {99, 100, 107, 109, 132, 139, 141, 149, 151, 200, 203, 209, 212, 1000, -5}) {
    deck.AddElement(number++, 2, elementClass, {1, 2});
    deck.AddRecord(0, elementClass, {1.0f, 2.0f, 3.0f, 4.0f});
  }
  EXPECT_EQ(deck.WriteElements(), "");
}

TEST_F(LineCards, NumbersBeyondFloatPrecisionAreExact) {
  ElementModel big;
  big.AddNode(16777217);
  big.AddNode(2147483647);
  big.AddElement(16777219, 2, 102, {1, 2}, 33554433);
  big.AddElement(16777221, 2, 211, {1, 2});
  big.AddRecord(33554433, 1102);
  big.AddRecord(0, 211, {9.0f, 1.0f, 1.0f, 2.0f, -1.0f});
  EXPECT_EQ(big.WriteElements(),
            "CROD,  16777219, 33554433, 16777217, 2147483647,\n"
            "MPC, 9, 16777217, 1,1.0000, 2147483647, 2,-1.0000,\n");
}

}  // namespace
