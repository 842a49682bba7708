// Solid element cards: all node slots in continuation lines of eight, the
// property id 0 -> 1 rule, empty and out-of-range slots.
#include <gtest/gtest.h>

#include "nastran/element_cards.h"
#include "tests/nastran/element_model.h"

namespace {

using element_test::ElementModel;

class SolidCards : public ::testing::Test {
 protected:
  void SetUp() override {
    deck.AddNodes(20, 11);  // positions 1..20 carry the numbers 11..30
  }
  ElementModel deck;
};

TEST_F(SolidCards, NodesSixOnTheFirstLineThenEightALine) {
  deck.AddElement(1, 8, 81, {1, 2, 3, 4, 5, 6, 7, 8}, 3);
  deck.AddElement(2, 5, 51, {1, 2, 3, 4}, 3);
  deck.AddElement(3, 8, 81, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}, 3);
  deck.AddElement(4, 7, 71, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 3);
  EXPECT_EQ(deck.WriteElements(),
            "CHEXA, 1, 3,  11, 12, 13, 14, 15, 16,\n"
            "     , 17, 18,\n"
            "CTETRA, 2, 3,  11, 12, 13, 14,\n"
            "CHEXA, 3, 3,  11, 12, 13, 14, 15, 16,\n"
            "     , 17, 18, 19, 20, 21, 22, 23, 24,\n"
            "     , 25, 26, 27, 28, 29, 30,\n"
            "CPENTA, 4, 3,  11, 12, 13, 14, 15, 16,\n"
            "     , 17, 18, 19, 20, 21, 22, 23, 24,\n"
            "     , 25,\n");
}

TEST_F(SolidCards, PropertyZeroBecomesOneAndEmptySlotsAreEmptyFields) {
  // Slot 99 names no node of the model: it is written as an empty slot.
  deck.AddElement(5, 5, 51, {1, 0, 3, 99});
  deck.AddElement(6, 6, 61, {1, 2, 3, 4, 5, 6});  // shape 6 has no card
  EXPECT_EQ(deck.WriteElements(), "CTETRA, 5, 1,  11, , 13, ,\n");
}

}  // namespace
