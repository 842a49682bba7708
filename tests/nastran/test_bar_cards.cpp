// Bar and beam cards: orientation by vector or node, offsets computed from
// the offset nodes, the continuation lines, and the node lookup.
#include <gtest/gtest.h>

#include <initializer_list>

#include "nastran/element_cards.h"
#include "tests/nastran/element_model.h"

namespace {

using element_test::ElementModel;

TEST(BarCards, VectorOrientationAndOrientationNode) {
  ElementModel deck;
  deck.AddNodes(3, 11);
  deck.AddElement(1, 2, 110, {1, 2}, 2);
  deck.AddElement(2, 2, 111, {1, 2, 3}, 2);  // class 111 shares the property code of 110
  deck.AddElement(3, 2, 113, {1, 2});  // no property or data record of its class
  deck.AddRecord(2, 1110);
  deck.AddRecord(0, 110, {0.0f, 0.0f, 1.0f});
  deck.AddRecord(0, 111, {0.5f, 0.5f, 0.5f});
  EXPECT_EQ(deck.WriteElements(),
            "CBAR, 1, 2, 11, 12, , ,1.0000, ,\n"
            "CBAR, 2, 2, 11, 12, 13, , , ,\n"
            "CBAR, 3, , 11, 12, , , , ,\n");
}

TEST(BarCards, OffsetsFromOffsetNodes) {
  // Node numbers differ from positions, so the offset nodes are found by
  // number through the index.
  ElementModel deck;
  deck.AddNode(101, 0, 0, 0);
  deck.AddNode(102, 1, 0, 0);
  deck.AddNode(103, 0, 1, 0);
  deck.AddNode(104, 0, 0.1f, 0);
  deck.AddNode(105, 1, 0.1f, 0);
  deck.AddElement(3, 2, 112, {1, 2, 3, 4, 5}, 4);
  deck.AddElement(4, 2, 112, {1, 2, 3, 0, 5}, 4);  // no offset point at end A
  deck.AddRecord(4, 1110);
  deck.AddRecord(0, 112, {123.0f, 456.0f, 9.0f, 9.0f});
  EXPECT_EQ(deck.WriteElements(),
            "CBAR, 3, 4, 101, 102, 103, , , ,\n"
            "     , 123, 456, ,0.100000, , ,0.100000, ,\n"
            "CBAR, 4, 4, 101, 102, 103, , , ,\n"
            "     , 123, 456, , , , ,0.100000, ,\n");
}

TEST(BarCards, OffsetNodeLookupTakesDirectPositionElseFirstWithTheNumber) {
  ElementModel deck;
  deck.AddNode(1, 0, 0, 0);
  deck.AddNode(7, 5, 0, 0);    // number 7 at position 2
  deck.AddNode(3, 0, 0, 0);    // number 3 at position 3: found directly
  deck.AddNode(7, 9, 0, 0);    // a second node 7 is never taken
  deck.AddNode(2, 0, 0, 0.5f);
  // GA = node 1 (direct), GB = node 3 (direct), OA = 7 (first of two), OB = 2
  // (position 2 carries 7, so found by search at position 5).
  deck.AddElement(1, 2, 129, {1, 3, 3, 2, 5});
  deck.AddRecord(0, 129, {0.0f});
  EXPECT_EQ(deck.WriteElements(),
            "CBEAM, 1, , 1, 3, 3, , , ,\n"
            "     , , ,5.0000, , , , ,0.500000,\n"
            "     , , ,\n");

  // An offset node number that no node carries gives no offset.
  ElementModel missing;
  missing.AddNode(1, 0, 0, 0);
  missing.AddNode(2, 1, 1, 1);
  missing.AddElement(2, 2, 112, {1, 2, 0, 8, 9});
  missing.AddRecord(0, 112, {1.0f, 2.0f});
  EXPECT_EQ(missing.WriteElements(),
            "CBAR, 2, , 1, 2, , , , ,\n"
            "     , 1, 2, , , , , , ,\n");
}

// The offset vector points from the grid to the bar's end: end A lies at GA
// plus the offset. The orientation node and computed offsets need no data
// record; without one there are no pins, and a vector class stays bare.
TEST(BarCards, OffsetsPointFromTheGridAndNodeClassesNeedNoDataRecord) {
  ElementModel deck;
  deck.AddNode(1, 0, 0, 0);
  deck.AddNode(2, 10, 0, 0);
  deck.AddNode(3, 0, 5, 0);
  deck.AddNode(4, 1, 0, 0);   // OA: one along the axis from GA
  deck.AddNode(5, 9, 0, 2);   // OB: inward and up from GB
  deck.AddElement(1, 2, 112, {1, 2, 3, 4, 5});
  deck.AddElement(2, 2, 111, {1, 2, 3});
  deck.AddElement(3, 2, 129, {1, 2, 3, 4, 0});
  deck.AddElement(4, 2, 110, {1, 2, 3});
  EXPECT_EQ(deck.WriteElements(),
            "CBAR, 1, , 1, 2, 3, , , ,\n"
            "     , , ,1.0000, , ,-1.0000, ,2.0000,\n"
            "CBAR, 2, , 1, 2, 3, , , ,\n"
            "CBEAM, 3, , 1, 2, 3, , , ,\n"
            "     , , ,1.0000, , , , , ,\n"
            "     , , ,\n"
            "CBAR, 4, , 1, 2, , , , ,\n");
}

TEST(BarCards, BeamWithAllFourteenValues) {
  ElementModel deck;
  deck.AddNodes(2, 11);
  deck.AddElement(4, 2, 120, {1, 2}, 5);
  deck.AddRecord(5, 1120);
  deck.AddRecord(0, 120, {0.0f, 1.0f, 0.0f, 7.0f, 1.0f, 2.0f, 0.5f, 0.0f, 0.0f, 0.25f, 0.0f, 0.0f, 3.0f, 4.0f});
  EXPECT_EQ(deck.WriteElements(),
            "CBEAM, 4, 5, 11, 12, ,1.0000, ,7.0000,\n"
            "     , 1, 2,0.500000, , ,0.250000, , ,\n"
            "     , 3, 4,\n");
}

// A beam's BIT, given with an orientation vector, is a real field. Each row:
// the card, and beside it the card when it was written as an integer.
TEST(BarCards, BeamBitIsARealField) {
  const struct {
    std::initializer_list<float> data;
    const char* card;
    const char* before;  // the text written before, where it differs
  } rows[] = {
      {{0, 1, 0, 2.5f}, "CBEAM, 1, , 11, 12, ,1.0000, ,2.5000,\n", "CBEAM, 1, , 11, 12, ,1.0000, , 2,\n"},
      {{0, 1, 0, -99}, "CBEAM, 1, , 11, 12, ,1.0000, , ,\n", nullptr},
  };
  for (const auto& row : rows) {
    ElementModel deck;
    deck.AddNodes(2, 11);
    deck.AddElement(1, 2, 120, {1, 2});
    deck.AddRecord(0, 120, row.data);
    EXPECT_EQ(deck.WriteElements(), row.card);
  }
}

TEST(BarCards, SecondLineOnlyWhenSomeValueIsNotEmpty) {
  ElementModel deck;
  deck.AddNodes(3, 11);
  deck.AddElement(5, 2, 121, {1, 2, 3});
  deck.AddElement(6, 2, 113, {1, 2});
  deck.AddElement(7, 2, 122, {1, 2, 3});
  deck.AddRecord(0, 121, {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -99.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -99.0f, 0.0f});
  deck.AddRecord(0, 113, {1.0f, 0.0f, 0.0f, 5.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
  deck.AddRecord(0, 122, {3.0f, 4.0f});
  EXPECT_EQ(deck.WriteElements(),
            "CBEAM, 5, , 11, 12, 13, , , ,\n"
            "CBAR, 6, , 11, 12,1.0000, , , ,\n"  // a bar's OFFT stays empty
            "CBEAM, 7, , 11, 12, 13, , , ,\n"
            "     , , , , , , , , ,\n"
            "     , 3, 4,\n");
}

}  // namespace
