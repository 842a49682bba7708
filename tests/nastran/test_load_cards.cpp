// Load cards: PLOAD, PLOAD1, PLOAD2 and PLOAD4 from distributed loads, and
// FORCE, MOMENT, SPC and SPCD from node loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "nastran/bulk_data_writer.h"
#include "tests/support/nastran_capture.h"

namespace {

using testing_support::CaptureCards;

// Nodes numbered 101, 102, ... and elements numbered 11, 12, ... so that an
// index and the number it names always differ.
Model LoadModel(int nodes = 10, int elements = 5) {
  Model model;
  for (int i = 0; i < nodes; ++i) {
    NodeRecord node{};
    node.externalNumber = 101 + i;
    model.nodes.push_back(node);
  }
  for (int i = 0; i < elements; ++i) {
    ElementRecord element{};
    element.externalNumber = 11 + i;
    model.elements.push_back(element);
  }
  model.nodeCount = nodes;
  model.elementCount = elements;
  return model;
}

DistributedLoadRecord Distributed(int32_t loadSet, int32_t cardKind, std::initializer_list<float> values,
                                  int32_t elementNumber = 0) {
  DistributedLoadRecord load{};
  load.elementNumber = elementNumber;
  load.loadSet = loadSet;
  load.cardKind = cardKind;
  int count = 0;
  for (float value : values) load.values[count++] = value;
  load.valueCount = count;
  return load;
}

NodeLoadRecord NodeLoad(int32_t loadSet, int32_t nodeNumber, int32_t kind, float c1, float c2, float c3,
                        float scale = 1, int32_t frameId = 0) {
  NodeLoadRecord load{};
  load.nodeNumber = nodeNumber;
  load.loadSet = loadSet;
  load.frameId = frameId;
  load.kind = kind;
  load.scale = scale;
  load.components[0] = c1;
  load.components[1] = c2;
  load.components[2] = c3;
  return load;
}

std::string DistributedCards(Model& model, std::vector<DistributedLoadRecord> loads) {
  model.distributedLoads.assign(loads.begin(), loads.end());
  model.distributedLoadCount = static_cast<int32_t>(model.distributedLoads.size());
  int result = -1;
  std::string text = CaptureCards(model, [&](DeckContext& deck) { result = WriteDistributedLoadCards(deck); });
  EXPECT_EQ(result, model.distributedLoadCount);
  return text;
}

std::string DistributedCards(std::vector<DistributedLoadRecord> loads) {
  Model model = LoadModel();
  return DistributedCards(model, std::move(loads));
}

std::string NodeCards(std::vector<NodeLoadRecord> loads) {
  Model model = LoadModel();
  model.nodeLoads.assign(loads.begin(), loads.end());
  model.nodeLoadCount = static_cast<int32_t>(model.nodeLoads.size());
  int result = -1;
  std::string text = CaptureCards(model, [&](DeckContext& deck) { result = WriteNodeForceCards(deck); });
  EXPECT_EQ(result, model.nodeLoadCount);
  return text;
}

TEST(DistributedLoadCards, OtherCardKindsWriteNothing) {
  EXPECT_EQ(DistributedCards({Distributed(1, 13, {1, 2, 3}), Distributed(1, 0, {1, 2, 3}),
                              Distributed(1, 15, {1, 2, 3}), Distributed(1, -10, {1, 2, 3})}),
            "");
}

TEST(DistributedLoadCards, PloadNamesNodesByIndex) {
  // A three-node face: the fourth grid field stays empty.
  EXPECT_EQ(DistributedCards({Distributed(1, 10, {2.5f, 5, 6, 7, 0})}), "PLOAD, 1,2.5000, 105, 106, 107, ,\n");
  // Indexes outside the node table are empty fields, like index 0.
  EXPECT_EQ(DistributedCards({Distributed(2, 10, {-1, -3, 11, 10, 1.0e9f})}), "PLOAD, 2,-1.0000, , , 110, ,\n");
}

TEST(DistributedLoadCards, Pload1WritesOneCardPerElementIndex) {
  EXPECT_EQ(DistributedCards({Distributed(7, 11, {3, 2, 0, 10, 1, 10, 1, 3, 2, 0, 4})}),
            "PLOAD1, 7, 11, FZ, FR,0.0,10.0000,1.0000,10.0000,\n"
            "PLOAD1, 7, 13, FZ, FR,0.0,10.0000,1.0000,10.0000,\n"
            "PLOAD1, 7, 12, FZ, FR,0.0,10.0000,1.0000,10.0000,\n");
  // Load types and scale kinds outside their tables count as FX and LE; an
  // element index outside the table is an empty field.
  EXPECT_EQ(DistributedCards({Distributed(8, 11, {13, 5, 1, 0, 0, 0, 6, -2}),
                              Distributed(8, 11, {12, 4, 1, 0, 0, 0, 5})}),
            "PLOAD1, 8, , FX, LE,1.0000, , , ,\n"
            "PLOAD1, 8, , FX, LE,1.0000, , , ,\n"
            "PLOAD1, 8, 15, MZE, FRPR,1.0000, , , ,\n");
}

TEST(DistributedLoadCards, Pload2GroupsRunsOfFiveOrMore) {
  EXPECT_EQ(DistributedCards({Distributed(3, 12, {100, 3, 4, 5, 6, 7, 9})}),
            "PLOAD2, 3,100.00, 3, THRU, 7,\n"
            "PLOAD2, 3,100.00, 9,\n");
  // A run of four is no range.
  EXPECT_EQ(DistributedCards({Distributed(3, 12, {100, 3, 4, 5, 6, 9})}), "PLOAD2, 3,100.00, 3, 4, 5, 6, 9,\n");
  EXPECT_EQ(DistributedCards({Distributed(3, 12, {100, 1, 2, 3, 4, 5, 6, 7, 8, 20})}),
            "PLOAD2, 3,100.00, 1, THRU, 8,\n"
            "PLOAD2, 3,100.00, 20,\n");
  // Eight numbers without a run: six and two.
  EXPECT_EQ(DistributedCards({Distributed(3, 12, {100, 2, 4, 6, 8, 10, 12, 14, 16})}),
            "PLOAD2, 3,100.00, 2, 4, 6, 8, 10, 12,\n"
            "PLOAD2, 3,100.00, 14, 16,\n");
  // Two runs and the numbers around them; the rest keep their list order.
  EXPECT_EQ(DistributedCards({Distributed(4, 12, {-2, 50, 10, 11, 12, 13, 14, 1, 20, 21, 22, 23, 24, 25, 2})}),
            "PLOAD2, 4,-2.0000, 10, THRU, 14,\n"
            "PLOAD2, 4,-2.0000, 20, THRU, 25,\n"
            "PLOAD2, 4,-2.0000, 50, 1, 2,\n");
}

// Zero corner pressures of a varying PLOAD4 are written 0.0: an empty P2 to
// P4 would mean "equal to P1". A uniform pressure keeps its empty fields.
TEST(DistributedLoadCards, Pload4ZeroCornersOfAVaryingPressure) {
  EXPECT_EQ(DistributedCards({Distributed(1, 14, {10, 0, 0, 10}, 11), Distributed(1, 14, {0, 0, 5, 0}, 12),
                              Distributed(1, 14, {10, 0, 0, 0}, 13), Distributed(1, 14, {10, -0.0f, 0, 0}, 14)}),
            "PLOAD4, 1, 11,10.0000,0.0,0.0,10.0000, , ,\n"
            "PLOAD4, 1, 12,0.0,0.0,5.0000,0.0, , ,\n"
            "PLOAD4, 1, 13,10.0000, , , , , ,\n"
            "PLOAD4, 1, 14,10.0000, , , , , ,\n");
}

// PLOAD1 and PLOAD2 take their elements from the list in their values, or,
// when it is empty, load the record's own element. The records of one
// definition share one value row, so a record that repeats the one before it
// writes nothing; a PLOAD4 is written for every record.
TEST(DistributedLoadCards, ListCardsAndRecordsOfOneDefinition) {
  EXPECT_EQ(DistributedCards({
                Distributed(9, 11, {1, 1, 0, 5, 1, 5, 0}, 12),       // no list: its own element
                Distributed(9, 11, {1, 1, 0, 5, 1, 5, 0}, 13),       // no list: written again
                Distributed(9, 11, {2, 1, 0, 5, 1, 5, 2, 3}, 12),    // a list of elements 12, 13
                Distributed(9, 11, {2, 1, 0, 5, 1, 5, 2, 3}, 13),    // the same definition: nothing
                Distributed(9, 12, {100}, 14),                       // no list
                Distributed(9, 12, {100, 3, 4}, 14),                 // a list
                Distributed(9, 12, {100, 3, 4}, 15),                 // repeated
                Distributed(8, 12, {100, 3, 4}, 15),                 // another load set
                Distributed(8, 10, {2.5f, 5, 6, 7}, 11),             // PLOAD after a PLOAD2: written
                Distributed(8, 10, {2.5f, 5, 6, 7}, 12),             // repeated
                Distributed(8, 14, {1, 1, 1, 1}, 11),
                Distributed(8, 14, {1, 1, 1, 1}, 11),                // PLOAD4: every record
            }),
            "PLOAD1, 9, 12, FX, LE,0.0,5.0000,1.0000,5.0000,\n"
            "PLOAD1, 9, 13, FX, LE,0.0,5.0000,1.0000,5.0000,\n"
            "PLOAD1, 9, 12, FY, LE,0.0,5.0000,1.0000,5.0000,\n"
            "PLOAD1, 9, 13, FY, LE,0.0,5.0000,1.0000,5.0000,\n"
            "PLOAD2, 9,100.00, 14,\n"
            "PLOAD2, 9,100.00, 3, 4,\n"
            "PLOAD2, 8,100.00, 3, 4,\n"
            "PLOAD, 8,2.5000, 105, 106, 107, ,\n"
            "PLOAD4, 8, 11,1.0000,1.0000,1.0000,1.0000, , ,\n"
            "PLOAD4, 8, 11,1.0000,1.0000,1.0000,1.0000, , ,\n");
}

TEST(DistributedLoadCards, Pload2ReadsAFullRecord) {
  // Thirty-one numbers fill the record with no terminating zero; they are not
  // looked up in the element table.
  DistributedLoadRecord load = Distributed(5, 12, {1});
  for (int p = 1; p < 32; ++p) load.values[p] = static_cast<float>(1000 + 2 * p);
  const std::string text = DistributedCards({load});
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
  EXPECT_EQ(text.substr(text.rfind("PLOAD2")), "PLOAD2, 5,1.0000, 1062,\n");
}

TEST(DistributedLoadCards, Pload4DirectionLineOnlyWithADirection) {
  Model model = LoadModel();
  // A frame but no direction: no continuation line.
  EXPECT_EQ(DistributedCards(model, {Distributed(6, 14, {1, 0, 0, 0, 2, 4, 3, 0, 0, 0}, 500)}),
            "PLOAD4, 6, 500,1.0000, , , , 102, 104,\n");
  // The record keeps the node numbers in place of the indexes.
  EXPECT_EQ(model.distributedLoads[0].values[4], 102.0f);
  EXPECT_EQ(model.distributedLoads[0].values[5], 104.0f);

  EXPECT_EQ(DistributedCards({Distributed(6, 14, {1, 2, 3, 4, 1, 0, 3, 0, 0, 1}, 501)}),
            "PLOAD4, 6, 501,1.0000,2.0000,3.0000,4.0000, 101, ,\n"
            "     , 3, , ,1.0000,\n");
  EXPECT_EQ(DistributedCards({Distributed(6, 14, {1, 0, 0, 0, 0, 0, 0, -0.5f}, 502)}),
            "PLOAD4, 6, 502,1.0000, , , , , ,\n"
            "     , ,-0.50000, , ,\n");
}

TEST(DistributedLoadCards, Pload4IndexesOutsideTheNodeTableAreEmpty) {
  Model model = LoadModel();
  EXPECT_EQ(DistributedCards(model, {Distributed(6, 14, {1, 0, 0, 0, 11, -4}, 503)}),
            "PLOAD4, 6, 503,1.0000, , , , , ,\n");
  EXPECT_EQ(model.distributedLoads[0].values[4], 0.0f);
}

TEST(DistributedLoadCards, NumbersAreExact) {
  Model model = LoadModel(2, 1);
  model.nodes[1].externalNumber = 20000001;
  model.elements[0].externalNumber = 30000001;
  EXPECT_EQ(DistributedCards(model, {Distributed(40000001, 10, {1, 2}), Distributed(7, 11, {1, 1, 0, 0, 0, 0, 1}),
                                     Distributed(7, 14, {1, 0, 0, 0, 2}, 50000001)}),
            "PLOAD, 40000001,1.0000, 20000001, , , ,\n"
            "PLOAD1, 7, 30000001, FX, LE,0.0, , , ,\n"
            "PLOAD4, 7, 50000001,1.0000, , , , 20000001, ,\n");
}

TEST(NodeForceCards, ForceAndMomentCards) {
  EXPECT_EQ(NodeCards({NodeLoad(2, 33, 0, 1, 0, -2.5f), NodeLoad(2, 34, 1, 0, 1, 0, 2, 4),
                       NodeLoad(2, 35, 9, 1, 0, 0), NodeLoad(2, 20000001, -1, 0, 0, 3)}),
            "FORCE, 2, 33, 0,1.0000,1.0000, ,-2.5000,\n"
            "MOMENT, 2, 34, 4,2.0000, ,1.0000, ,\n"
            "FORCE, 2, 35, 0,1.0000,1.0000, , ,\n"
            "FORCE, 2, 20000001, 0,1.0000, , ,3.0000,\n");
}

// Only a record whose components are all zero writes nothing; a small load is
// a load. Each row: the cards, and beside them the cards when components
// below 1.0e-8 counted as zero.
TEST(NodeForceCards, OnlyZeroComponentsWriteNothing) {
  const struct {
    NodeLoadRecord load;
    const char* cards;
    const char* before;  // the text written before, where it differs
  } rows[] = {
      {NodeLoad(1, 10, 0, 0, 0, 5.0e-9f), "FORCE, 1, 10, 0,1.0000, , ,0.5000-8,\n", ""},
      {NodeLoad(2, 33, 1, -9.0e-9f, 5.0e-9f, 0), "MOMENT, 2, 33, 0,1.0000,-0.900-8,0.5000-8, ,\n", ""},
      {NodeLoad(2, 33, 2, 0, 1.0e-9f, 0), "SPC, 101, 33, 2, ,\n", ""},
      {NodeLoad(2, 33, 0, 0, 0, 2.0e-8f), "FORCE, 2, 33, 0,1.0000, , ,0.0020-5,\n", nullptr},
      {NodeLoad(2, 33, 0, 0, 0, 0), "", nullptr},
      {NodeLoad(2, 33, 0, -0.0f, 0, -0.0f), "", nullptr},
  };
  for (const auto& row : rows) EXPECT_EQ(NodeCards({row.load}), row.cards);
}

// Constraints of a load set hold their components at zero in the load set's
// own constraint set (101 here: the first such set above 100); each SPCD card
// follows an SPC card that constrains its components there.
TEST(NodeForceCards, ConstraintsTakeTwoTriplesPerCard) {
  EXPECT_EQ(NodeCards({NodeLoad(5, 33, 4, 0.1f, 0, 0.3f)}),
            "SPC, 101, 33, 1, , 33, 3, ,\n"
            "SPCD, 5, 33, 1,0.100000, 33, 3,0.300000,\n");
  EXPECT_EQ(NodeCards({NodeLoad(5, 33, 4, 0.1f, 0.2f, 0.3f)}),
            "SPC, 101, 33, 1, , 33, 2, ,\n"
            "SPCD, 5, 33, 1,0.100000, 33, 2,0.200000,\n"
            "SPC, 101, 33, 3, ,\n"
            "SPCD, 5, 33, 3,0.300000,\n");
  EXPECT_EQ(NodeCards({NodeLoad(5, 33, 3, 1, 1, 1), NodeLoad(5, 34, 2, 0, 0, 1), NodeLoad(5, 35, 5, 0, -0.5f, 0)}),
            "SPC, 101, 33, 4, , 33, 5, ,\n"
            "SPC, 101, 33, 6, ,\n"
            "SPC, 101, 34, 3, ,\n"
            "SPC, 101, 35, 5, ,\n"
            "SPCD, 5, 35, 5,-0.50000,\n");
  // All components zero: nothing.
  EXPECT_EQ(NodeCards({NodeLoad(5, 33, 2, 0, 0, 0), NodeLoad(5, 33, 5, 0, 0, 0)}), "");
}

}  // namespace
