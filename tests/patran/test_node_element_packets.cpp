// Node packets (type 1) and element packets (type 2).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "patran/neutral_file_writer.h"
#include "tests/patran/packet_capture.h"

namespace {

using testing_support::CapturePackets;

NodeRecord MakeNode(int32_t number, float x, float y, float z) {
  NodeRecord node{};
  node.coordinates[0] = x;
  node.coordinates[1] = y;
  node.coordinates[2] = z;
  node.externalNumber = number;
  node.dofCount = 6;
  node.nodeKind = 'G';
  return node;
}

void AddNode(Model& model, const NodeRecord& node) {
  model.nodes.push_back(node);
  model.nodeCount = static_cast<int32_t>(model.nodes.size());
}

void AddElement(Model& model, int32_t number, int32_t shape, const std::vector<int32_t>& slots,
                int32_t propertyId = 0) {
  ElementRecord element{};
  element.externalNumber = number;
  element.shape = static_cast<int8_t>(shape);
  element.propertyId = propertyId;
  model.AddElement(element, slots);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  while (start < text.size()) {
    const std::string::size_type end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

TEST(NodePackets, ThreeCardsPerNode) {
  Model model;
  NodeRecord node = MakeNode(7, 1.5f, -2.0f, 0.0f);
  node.outputFrameId = 3;
  node.constraintCode = 123;
  AddNode(model, node);
  AddNode(model, MakeNode(8, 0.25f, 100.0f, -0.125f));

  EXPECT_EQ(CapturePackets(WriteNodePackets, model),
            " 1       7       0       2\n"
            "       1.5000000      -2.0000000       0.0000000\n"
            "0G       6       0       3  111000\n"
            " 1       8       0       2\n"
            "       0.2500000     100.0000000      -0.1250000\n"
            "0G       6       0       0  000000\n");
}

TEST(NodePackets, ConstraintFlagsAndNodeKind) {
  const struct {
    int32_t code;
    const char* flags;
  } cases[] = {{0, "000000"},   {123, "111000"}, {456, "000111"},   {1356, "101011"},
               {321, "111000"}, {70, "000000"},  {123456, "111111"}, {-24, "010100"}};
  for (const auto& c : cases) {
    Model model;
    NodeRecord node = MakeNode(1, 0, 0, 0);
    node.constraintCode = c.code;
    AddNode(model, node);
    EXPECT_EQ(Lines(CapturePackets(WriteNodePackets, model)).at(2),
              std::string("0G       6       0       0  ") + c.flags)
        << c.code;
  }

  Model model;
  NodeRecord unset = MakeNode(1, 0, 0, 0);
  unset.nodeKind = '\0';
  unset.dofCount = 3;
  AddNode(model, unset);
  NodeRecord scalar = MakeNode(2, 0, 0, 0);
  scalar.nodeKind = 'S';
  scalar.dofCount = 1;
  AddNode(model, scalar);
  const std::vector<std::string> lines = Lines(CapturePackets(WriteNodePackets, model));
  EXPECT_EQ(lines.at(2), "0G       3       0       0  000000");
  EXPECT_EQ(lines.at(5), "0S       1       0       0  000000");
}

TEST(NodePackets, LargeCoordinatesKeepTheirColumns) {
  Model model;
  AddNode(model, MakeNode(1, 1.0e10f, 2.0f, -1.0e10f));
  EXPECT_EQ(Lines(CapturePackets(WriteNodePackets, model)).at(1),
            "   1.0000000E+10       2.0000000  -1.0000000E+10");
}

TEST(NodePackets, CountBeyondTheNodeArrayIsNotRead) {
  Model model;
  AddNode(model, MakeNode(5, 0, 0, 0));
  model.nodeCount = 3;
  EXPECT_EQ(Lines(CapturePackets(WriteNodePackets, model)).size(), 3u);
}

// Twelve nodes numbered 101, 102, ... except node 12, which is 512 at (1, 2, 3).
Model TwelveNodes() {
  Model model;
  for (int i = 1; i <= 12; ++i) AddNode(model, MakeNode(100 + i, static_cast<float>(i), 0, 0));
  model.nodes[11] = MakeNode(512, 1, 2, 3);
  return model;
}

// A bar is written with its two end nodes, whatever its slot count; its
// orientation node stays in N2 and on the property card. Other shapes keep
// all their slots.
TEST(ElementPackets, BarListsItsTwoEndNodesAndTakesItsOrientationFromTheThirdSlot) {
  const struct {
    int32_t shape;
    std::vector<int32_t> slots;
    const char* packet;
  } cases[] = {
      {2, {1, 2, 12, 0, 0},
       " 2       5       2       2       0     512\n"
       "       2       0       9       0       1.0000000       2.0000000       3.0000000\n"
       "     101     102\n"},
      {2, {1, 2, 12},
       " 2       5       2       2       0     512\n"
       "       2       0       9       0       1.0000000       2.0000000       3.0000000\n"
       "     101     102\n"},
      {2, {1, 2},
       " 2       5       2       2       0       0\n"
       "       2       0       9       0       0.0000000       0.0000000       0.0000000\n"
       "     101     102\n"},
      {2, {1},
       " 2       5       2       2       0       0\n"
       "       1       0       9       0       0.0000000       0.0000000       0.0000000\n"
       "     101\n"},
      {3, {1, 2, 12},  // a triangle's third slot is a corner
       " 2       5       3       2       0       0\n"
       "       3       0       9       0       0.0000000       0.0000000       0.0000000\n"
       "     101     102     512\n"},
  };
  for (const auto& c : cases) {
    Model model = TwelveNodes();
    AddElement(model, 5, c.shape, c.slots, 9);
    EXPECT_EQ(CapturePackets(WriteElementPackets, model), c.packet) << c.shape << " " << c.slots.size();
  }
}

TEST(ElementPackets, OrientationOnlyForBarsWithAThirdNode) {
  Model model = TwelveNodes();
  AddElement(model, 41, 2, {1, 2, 0, 0, 0});  // bar without orientation node
  AddElement(model, 42, 3, {1, 2, 12});        // triangle: its third slot is a corner
  EXPECT_EQ(CapturePackets(WriteElementPackets, model),
            " 2      41       2       2       0       0\n"
            "       2       0       0       0       0.0000000       0.0000000       0.0000000\n"
            "     101     102\n"
            " 2      42       3       2       0       0\n"
            "       3       0       0       0       0.0000000       0.0000000       0.0000000\n"
            "     101     102     512\n");
}

TEST(ElementPackets, NodeNumbersTenToACard) {
  Model model = TwelveNodes();
  std::vector<int32_t> twenty;
  for (int i = 0; i < 20; ++i) twenty.push_back(i % 12 + 1);
  std::vector<int32_t> twentyFour;
  for (int i = 0; i < 24; ++i) twentyFour.push_back(i % 12 + 1);
  AddElement(model, 1, 8, twenty);
  AddElement(model, 2, 7, twentyFour);
  const std::vector<std::string> lines = Lines(CapturePackets(WriteElementPackets, model));
  ASSERT_EQ(lines.size(), 4u + 5u);
  EXPECT_EQ(lines[0], " 2       1       8       3       0       0");
  EXPECT_EQ(lines[2], "     101     102     103     104     105     106     107     108     109     110");
  EXPECT_EQ(lines[3], "     111     512     101     102     103     104     105     106     107     108");
  EXPECT_EQ(lines[4], " 2       2       7       4       0       0");
  EXPECT_EQ(lines[6], "     101     102     103     104     105     106     107     108     109     110");
  EXPECT_EQ(lines[7], "     111     512     101     102     103     104     105     106     107     108");
  EXPECT_EQ(lines[8], "     109     110     111     512");
}

TEST(ElementPackets, EmptyElementGivesHeaderAndPropertyCardOnly) {
  Model model = TwelveNodes();
  model.elements.push_back(ElementRecord{});
  model.elementCount = 1;
  EXPECT_EQ(CapturePackets(WriteElementPackets, model),
            " 2       0       0       1       0       0\n"
            "       0       0       0       0       0.0000000       0.0000000       0.0000000\n");
}

TEST(ElementPackets, SlotsNamingNoNodeAreWrittenAsZero) {
  Model model = TwelveNodes();
  AddElement(model, 9, 2, {13, -1, 99, 12, 1});  // bar whose third slot names no node
  EXPECT_EQ(CapturePackets(WriteElementPackets, model),
            " 2       9       2       2       0       0\n"
            "       2       0       0       0       0.0000000       0.0000000       0.0000000\n"
            "       0       0\n");
}

TEST(ElementPackets, NoElementsNoPackets) {
  Model model = TwelveNodes();
  EXPECT_EQ(CapturePackets(WriteElementPackets, model), "");
}

TEST(ElementPackets, ModelIsNotChanged) {
  Model model = TwelveNodes();
  AddElement(model, 40, 2, {1, 2, 12, 0, 0});
  CapturePackets(WriteElementPackets, model);
  EXPECT_EQ(model.NodeSlot(model.elements[0], 2), 12);
}

}  // namespace
