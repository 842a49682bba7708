// Matching of elements to property records (by normalised class and property
// id) and element data records (by class and second reference): the first
// record in properties order wins, also on models of realistic size.
#include <gtest/gtest.h>

#include <string>

#include "nastran/element_cards.h"
#include "tests/nastran/element_model.h"

namespace {

using element_test::ElementModel;

class ElementMatching : public ::testing::Test {
 protected:
  void SetUp() override { GeometryOnly = 0; }
};

TEST_F(ElementMatching, PropertyCodeIsTheNormalisedClassPlus1000) {
  ElementModel deck;
  deck.AddNodes(4, 11);
  deck.AddElement(1, 3, 11, {1, 2, 3}, 5);
  deck.AddElement(2, 3, 12, {1, 2, 3}, 5);    // CTRIAR shares 1011
  deck.AddElement(3, 3, 1, {1, 2, 3}, 5);     // 1001 only
  deck.AddElement(4, 4, 33, {1, 2, 3, 4}, 6); // CQUAD: 1031
  deck.AddElement(5, 2, 112, {1, 2}, 6);      // bar: 1110
  deck.AddElement(6, 2, 131, {1, 2, 3}, 6);   // gap: 1130
  deck.AddElement(7, 3, 11, {1, 2, 3}, 9);    // id 9 is only an element data record
  deck.AddRecord(5, 1001);
  deck.AddRecord(5, 1011);
  deck.AddRecord(6, 1031);
  deck.AddRecord(6, 1110);
  deck.AddRecord(6, 1130);
  deck.AddRecord(9, 11);
  EXPECT_EQ(deck.WriteElements(),
            "CTRIA3, 1, 5, 11, 12, 13,\n"
            "CTRIAR, 2, 5, 11, 12, 13,\n"
            "CTRIA3, 3, 5, 11, 12, 13,\n"
            "CQUAD, 4, 6, 11, 12, 13, 14,\n"
            "CBAR, 5, 6, 11, 12, , , , ,\n"
            "CGAP,  6, 6, 11, 12, 13,\n"
            "CTRIA3, 7, 0, 11, 12, 13,\n");

  ElementModel wrongCode;
  wrongCode.AddNodes(3, 11);
  wrongCode.AddElement(1, 3, 11, {1, 2, 3}, 5);
  wrongCode.AddRecord(5, 1001);
  wrongCode.AddRecord(5, 1021);
  EXPECT_EQ(wrongCode.WriteElements(), "CTRIA3, 1, 0, 11, 12, 13,\n");
}

TEST_F(ElementMatching, DataRecordMatchesTheExactClassAndTheEarlierRecordWins) {
  ElementModel deck;
  deck.AddNodes(3, 11);
  deck.AddElement(1, 3, 11, {1, 2, 3});
  deck.AddElement(2, 3, 12, {1, 2, 3});  // no record of code 12: no data
  deck.AddElement(3, 3, 11, {1, 2, 3});
  deck.model.elements[2].materialId = 4;
  deck.AddRecord(0, 11, {1.0f, 0.5f});
  deck.AddRecord(4, 11, {3.0f, 0.5f});
  deck.AddRecord(0, 11, {2.0f, 0.5f});   // later twin of the first: never used
  deck.AddRecord(4, 1011, {9.0f, 9.0f}); // a property record is no data record
  EXPECT_EQ(deck.WriteElements(),
            "CTRIA3, 1, 0, 11, 12, 13,1.0000,0.500000,\n"
            "CTRIAR, 2, 0, 11, 12, 13,\n"
            "CTRIA3, 3, 0, 11, 12, 13,3.0000,0.500000,\n");
}

// A model of 300,000 elements and 40,000 records: decoys of another class,
// data records with later twins, property records for most ids. Every element
// gets the first record that matches it.
TEST_F(ElementMatching, LargeModelGetsTheFirstMatchingRecords) {
  constexpr int kElements = 300000;
  constexpr int kPropertyIds = 25000;  // ids used by elements
  constexpr int kDefinedIds = 20000;   // ids that have a property record
  constexpr int kDataIds = 6000;       // second references used by elements
  constexpr int kDefinedData = 5000;   // references that have a data record

  ElementModel deck;
  deck.AddNodes(4, 11);
  deck.model.elements.reserve(kElements);
  for (int j = 0; j < kElements; ++j) {
    const int32_t elementClass = j % 3 == 2 ? 12 : 11;
    const std::size_t e = deck.AddElement(j + 1, 4, elementClass, {1, 2, 3, 4}, j % kPropertyIds + 1);
    deck.model.elements[e].materialId = j % kDataIds;
  }
  for (int i = 0; i < 10000; ++i) deck.AddRecord(i + 1, 1021);
  for (int m = 0; m < kDefinedData; ++m) deck.AddRecord(m, 11, {static_cast<float>(m % 50 + 1), 0.5f});
  for (int i = 0; i < kDefinedIds; ++i) deck.AddRecord(i + 1, 1011);
  for (int m = 0; m < kDefinedData; ++m) deck.AddRecord(m, 11, {99.0f, 0.25f});

  std::string expected;
  expected.reserve(static_cast<std::size_t>(kElements) * 48);
  for (int j = 0; j < kElements; ++j) {
    const bool quadr = j % 3 == 2;
    const int id = j % kPropertyIds + 1;
    const int m = j % kDataIds;
    expected += quadr ? "CQUADR, " : "CQUAD4, ";
    expected += std::to_string(j + 1) + ", " + std::to_string(id <= kDefinedIds ? id : 0) + ", 11, 12, 13, 14,";
    if (!quadr && m < kDefinedData) expected += std::to_string(m % 50 + 1) + ".0000,0.500000,";
    expected += '\n';
  }

  const std::string written = deck.WriteElements();
  if (written != expected) {
    std::size_t at = 0;
    while (at < written.size() && at < expected.size() && written[at] == expected[at]) ++at;
    const std::size_t from = expected.rfind('\n', at) == std::string::npos ? 0 : expected.rfind('\n', at) + 1;
    FAIL() << "first difference at byte " << at << "\nexpected: " << expected.substr(from, 80)
           << "\nwritten:  " << written.substr(from, 80);
  }
}

}  // namespace
