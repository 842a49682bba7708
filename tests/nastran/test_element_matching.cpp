// Matching of elements to property records (by normalised class and property
// id) and element data records (the definition listing the element, else by
// class): the first record in properties order wins, also on models of
// realistic size.
#include <gtest/gtest.h>

#include <string>

#include "model/project_reader.h"
#include "nastran/element_cards.h"
#include "tests/nastran/element_model.h"
#include "tools/fixture_writer.h"

namespace {

using element_test::ElementModel;

TEST(ElementMatching, PropertyCodeIsTheNormalisedClassPlus1000) {
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

TEST(ElementMatching, DataRecordMatchesTheExactClassAndTheEarlierRecordWins) {
  ElementModel deck;
  deck.AddNodes(3, 11);
  deck.AddElement(1, 3, 11, {1, 2, 3});
  deck.AddElement(2, 3, 12, {1, 2, 3});  // no record of code 12: no data
  deck.AddElement(3, 3, 11, {1, 2, 3});
  deck.AddRecord(0, 11, {1.0f, 0.5f});
  deck.ListData(2, deck.AddRecord(4, 11, {3.0f, 0.5f}));
  deck.AddRecord(0, 11, {2.0f, 0.5f});   // later twin of the first: never used
  deck.AddRecord(4, 1011, {9.0f, 9.0f}); // a property record is no data record
  EXPECT_EQ(deck.WriteElements(),
            "CTRIA3, 1, 0, 11, 12, 13,1.0000,0.500000,\n"
            "CTRIAR, 2, 0, 11, 12, 13,\n"
            "CTRIA3, 3, 0, 11, 12, 13,3.0000,0.500000,\n");
}

// An element data definition (type code below 1000) listing elements of its
// class is their data record, whatever its id; it leaves the deck's property
// id alone, while the element's propertyId (which the neutral file writes)
// takes its id as before. Each row: the card, and beside it the card when
// data records were matched by class alone and every definition set the id.
TEST(ElementMatching, ElementDataDefinitionsFollowTheirElementList) {
  fixture::Project project;
  for (int32_t number : {1, 2, 3, 101, 102}) project.nodes.push_back({number, static_cast<float>(number), 0, 0});
  project.elements = {{1, 20, 110, {1, 2, 0, 0, 0}},
                      {101, 20, 110, {4, 5, 0, 0, 0}},
                      {102, 20, 110, {4, 3, 0, 0, 0}},  // listed by no data definition
                      {5, 20, 210, {1, 2, 0, 0, 0}},
                      {6, 20, 111, {1, 2, 3, 0, 0}}};   // listed by a definition of another class
  fixture::LoadFile loads;
  auto definition = [](int32_t id, int32_t typeCode, std::vector<float> values, std::vector<int32_t> elements) {
    fixture::Property property{};
    property.id = id;
    property.materialId = typeCode > 1000 ? 1 : 0;
    property.typeCode = typeCode;
    property.values = std::move(values);
    property.elements = std::move(elements);
    return property;
  };
  loads.properties = {definition(1, 1110, {1}, {101, 102}),     definition(3, 1110, {1}, {1, 6}),
                      definition(0, 110, {0, 1, 0}, {1}),       definition(0, 110, {0, 0, 1}, {101}),
                      definition(0, 210, {5, 1, 1, 1}, {}),     definition(8, 210, {7, 2, 3, 1}, {5}),
                      definition(0, 110, {1, 0, 0}, {6})};
  testing_support::ScratchDir dir;
  fixture::WriteProjectFiles(dir / "bars", project, &loads);
  ElementModel deck;
  Console console;
  ASSERT_EQ(ProjectReader(dir / "bars", deck.model, console), 0);

  const struct {
    const char* card;
    const char* before;  // the text written before, where it differs
  } rows[] = {
      {"CBAR, 1, 3, 1, 2, ,1.0000, , ,\n", "CBAR, 1, , 1, 2, ,1.0000, , ,\n"},
      {"CBAR, 101, 1, 101, 102, , ,1.0000, ,\n", "CBAR, 101, , 101, 102, ,1.0000, , ,\n"},
      {"CBAR, 102, 1, 101, 3, ,1.0000, , ,\n", nullptr},
      {"MPC, 7, 2, 3,1.0000,\n", "MPC, 5, 1, 1,1.0000,\n"},
      {"CBAR, 6, 3, 1, 2, 3, , , ,\n", "CBAR, 6, , 1, 2, 3, , , ,\n"},
  };
  std::string expected;
  for (const auto& row : rows) expected += row.card;
  EXPECT_EQ(deck.WriteElements(), expected);
  // The MPC set selected is the one of the card written.
  EXPECT_EQ(MpcCardSetIds(deck.model), std::vector<int32_t>{7});
  // The neutral file's property ids: the last definition listing the element.
  const int32_t neutralIds[] = {0, 0, 1, 8, 0};
  for (std::size_t j = 0; j < std::size(neutralIds); ++j) {
    EXPECT_EQ(deck.model.elements[j].propertyId, neutralIds[j]) << j;
  }
}

// A model of 300,000 elements and 40,000 records: decoys of another class,
// data records with later twins, property records for most ids. Every element
// gets the first record that matches it.
TEST(ElementMatching, LargeModelGetsTheFirstMatchingRecords) {
  constexpr int kElements = 300000;
  constexpr int kPropertyIds = 25000;  // ids used by elements
  constexpr int kDefinedIds = 20000;   // ids that have a property record
  constexpr int kDataIds = 6000;       // data ids the elements ask for
  constexpr int kDefinedData = 5000;   // ids that have a data record

  ElementModel deck;
  deck.AddNodes(4, 11);
  deck.model.elements.reserve(kElements);
  for (int j = 0; j < kElements; ++j) {
    const int32_t elementClass = j % 3 == 2 ? 12 : 11;
    const std::size_t e = deck.AddElement(j + 1, 4, elementClass, {1, 2, 3, 4}, j % kPropertyIds + 1);
    // Elements listed by the definition of their data record (ids below
    // kDefinedData); the others take the first record of their class.
    const int m = j % kDataIds;
    deck.model.elements[e].dataDefinition = m < kDefinedData ? 10000 + m + 1 : 0;
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
    if (!quadr) expected += std::to_string((m < kDefinedData ? m : 0) % 50 + 1) + ".0000,0.500000,";
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
