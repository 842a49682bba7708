// GRID and coordinate frame cards, written from models built in memory.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "nastran/bulk_data_writer.h"
#include "tests/support/nastran_capture.h"

namespace {

using testing_support::CaptureCards;

NodeRecord Node(int32_t number, float x, float y, float z, int32_t code = 0, int32_t frame = 0) {
  NodeRecord node{};
  node.coordinates[0] = x;
  node.coordinates[1] = y;
  node.coordinates[2] = z;
  node.externalNumber = number;
  node.dofCount = 6;
  node.outputFrameId = frame;
  node.constraintCode = code;
  node.nodeKind = 'G';
  return node;
}

Model NodeModel(std::initializer_list<NodeRecord> nodes) {
  Model model;
  model.nodes.assign(nodes.begin(), nodes.end());
  model.nodeCount = static_cast<int32_t>(model.nodes.size());
  return model;
}

std::string Grids(Model& model, int constraintFields, int geometryOnly = 0) {
  return CaptureCards(model, [&](DeckContext& deck) { WriteGridCards(deck, constraintFields); }, geometryOnly != 0);
}

TEST(GridCards, CoordinatesAndEmptyFields) {
  Model model = NodeModel({Node(5, 0, 0, 0), Node(1, 1.0f, 250.0f, 0.5f), Node(20000001, -3.0e-6f, 1.5e9f, 2)});
  EXPECT_EQ(Grids(model, 0),
            "GRID, 5, 0, , , ,\n"
            "GRID, 1, 0,1.0000,250.00,0.500000,\n"
            "GRID, 20000001, 0,-0.300-5,15.000+8,2.0000,\n");
}

TEST(GridCards, ConstraintFieldsOnlyForConstrainedNodesWhenAsked) {
  Model model = NodeModel({Node(1, 1, 0, 0, 123, 0), Node(2, 2, 0, 0, 0, 4), Node(3, 3, 0, 0, 123456, 7)});
  EXPECT_EQ(Grids(model, 1),
            "GRID, 1, 0,1.0000, , , 0, 123,\n"
            "GRID, 2, 0,2.0000, , ,\n"
            "GRID, 3, 0,3.0000, , , 7, 123456,\n");
  // With constraints as SPC1 cards, a constrained node outside the basic
  // frame keeps its displacement frame (CD).
  EXPECT_EQ(Grids(model, 0),
            "GRID, 1, 0,1.0000, , ,\n"
            "GRID, 2, 0,2.0000, , ,\n"
            "GRID, 3, 0,3.0000, , , 7,\n");
  EXPECT_EQ(Grids(model, 1, /*geometryOnly=*/1),
            "GRID, 1, 0,1.0000, , ,\n"
            "GRID, 2, 0,2.0000, , ,\n"
            "GRID, 3, 0,3.0000, , ,\n");
}

TEST(GridCards, CountBeyondTheArrayIsNotRead) {
  Model model = NodeModel({Node(1, 1, 0, 0)});
  model.nodeCount = 5;
  EXPECT_EQ(Grids(model, 0), "GRID, 1, 0,1.0000, , ,\n");
}

FrameRecord Frame(int32_t id, int32_t kind, std::array<float, 9> points) {
  FrameRecord frame{};
  frame.id = id;
  frame.kind = kind;
  for (int i = 0; i < 3; ++i) {
    frame.origin[i] = points[i];
    frame.axisPoint[i] = points[3 + i];
    frame.planePoint[i] = points[6 + i];
  }
  return frame;
}

TEST(FrameCards, OneCardWithContinuationPerKnownKind) {
  Model model;
  model.frames = {Frame(7, 1, {0, 0, 0, 0, 0, 1, 1, 0, 0}), Frame(8, 2, {1, 2, 3, 1, 2, 4, 2, 2, 3}),
                  Frame(9, 3, {-1.5f, 0, 0, -1.5f, 0, 10, 250000, 0, 0}),
                  Frame(10, 0, {0, 0, 0, 0, 0, 1, 1, 0, 0}), Frame(11, 4, {0, 0, 0, 0, 0, 1, 1, 0, 0}),
                  Frame(12, 1, {5, 5, 5, 5, 5, 5, 5, 5, 5})};
  model.frameCount = static_cast<int32_t>(model.frames.size());
  int result = -1;
  EXPECT_EQ(CaptureCards(model, [&](DeckContext& deck) { result = WriteFrameCards(deck); }),
            "CORD2R, 7, , , , , , ,1.0000,\n"
            "     ,1.0000, , ,\n"
            "CORD2C, 8, ,1.0000,2.0000,3.0000,1.0000,2.0000,4.0000,\n"
            "     ,2.0000,2.0000,3.0000,\n"
            "CORD2S, 9, ,-1.5000, , ,-1.5000, ,10.0000,\n"
            "     ,2.500+5, , ,\n"
            "CORD2R, 12, ,5.0000,5.0000,5.0000,5.0000,5.0000,5.0000,\n"
            "     ,5.0000,5.0000,5.0000,\n");
  EXPECT_EQ(result, 6);
}

// A frame whose origin, axis vector and plane vector are given, with the
// points summed as the project reader sums them.
FrameRecord FrameFromVectors(int32_t id, int32_t kind, std::array<float, 3> origin, std::array<float, 3> axis,
                             std::array<float, 3> plane) {
  std::array<float, 9> points{};
  for (int i = 0; i < 3; ++i) {
    points[i] = origin[i];
    points[3 + i] = static_cast<float>(static_cast<double>(origin[i]) + axis[i]);
    points[6 + i] = static_cast<float>(static_cast<double>(origin[i]) + axis[i] + plane[i]);
  }
  return Frame(id, kind, points);
}

// A frame whose axes the short fields would turn (or lose) is written as a
// fixed-column large-field card, its coordinates with all the digits their
// floats need. Each row: the card, and beside it the card in short fields.
TEST(FrameCards, FramesFarFromTheOriginKeepTheirAxes) {
  const struct {
    FrameRecord frame;
    const char* card;
    const char* before;  // the text written before, where it differs
  } rows[] = {
      {FrameFromVectors(5, 1, {123456.7f, 1000.3f, 7}, {0, -0.6f, 0.8f}, {1, 0, 0}),
       "CORD2R*                5                   123456.703125  1000.299987793\n"
       "*                    7.0   123456.703125   999.700012207 7.8000001907349\n"
       "*          123457.703125   999.700012207 7.8000001907349\n",
       "CORD2R, 5, ,1.2346+5,1000.3,7.0000,1.2346+5,999.70,7.8000,\n"
       "     ,1.2346+5,999.70,7.8000,\n"},
      {FrameFromVectors(7, 2, {123456.7f, 0, 0}, {0, 0, 1}, {1, 0, 0}),
       "CORD2C*                7                   123456.703125\n"
       "*                          123456.703125                             1.0\n"
       "*          123457.703125                             1.0\n",
       "CORD2C, 7, ,1.2346+5, , ,1.2346+5, ,1.0000,\n"
       "     ,1.2346+5, ,1.0000,\n"},
      {FrameFromVectors(8, 3, {-2.5e13f, -0.5f, 0}, {0, 0, 1}, {1.0e7f, 0, 0}),
       "CORD2S*                8                 -2.50000001E+13            -0.5\n"
       "*                        -2.50000001E+13            -0.5             1.0\n"
       "*        -2.49999896E+13            -0.5             1.0\n",
       "CORD2S, 8, ,-2.50+13,-0.50000, ,-2.50+13,-0.50000,1.0000,\n"
       "     ,-2.50+13,-0.50000,1.0000,\n"},
      {FrameFromVectors(12, 1, {1000.3f, 0, 0}, {0.01f, 0, 1}, {0, 1, 0}),
       "CORD2R*               12                  1000.299987793\n"
       "*                        1000.3099975586                             1.0\n"
       "*        1000.3099975586             1.0             1.0\n",
       "CORD2R, 12, ,1000.3, , ,1000.3, ,1.0000,\n"
       "     ,1000.3,1.0000,1.0000,\n"},  // the short fields turn the third axis by 0.01
      {FrameFromVectors(10, 1, {50, 25, 10}, {0, 0, 1}, {1, 0, 0}),
       "CORD2R, 10, ,50.0000,25.0000,10.0000,50.0000,25.0000,11.0000,\n"
       "     ,51.0000,25.0000,11.0000,\n",
       nullptr},
      {FrameFromVectors(11, 1, {123456.7f, 0, 0}, {0, 0, 0}, {0, 1, 0}),
       "CORD2R, 11, ,1.2346+5, , ,1.2346+5, , ,\n"
       "     ,1.2346+5,1.0000, ,\n",
       nullptr},  // no axes from the points themselves
  };
  for (const auto& row : rows) {
    Model model;
    model.frames = {row.frame};
    model.frameCount = 1;
    EXPECT_EQ(CaptureCards(model, [](DeckContext& deck) { WriteFrameCards(deck); }), row.card);
  }
}

TEST(FrameCards, NoFramesNoCards) {
  Model model;
  int result = -1;
  EXPECT_EQ(CaptureCards(model, [&](DeckContext& deck) { result = WriteFrameCards(deck); }), "");
  EXPECT_EQ(result, 0);
}

}  // namespace
