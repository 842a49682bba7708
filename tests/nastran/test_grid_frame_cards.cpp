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
  const int saved = GeometryOnly;
  GeometryOnly = geometryOnly;
  const std::string text = CaptureCards(model, [&] { WriteGridCards(constraintFields); });
  GeometryOnly = saved;
  return text;
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
  EXPECT_EQ(CaptureCards(model, [&] { result = WriteFrameCards(); }),
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

TEST(FrameCards, NoFramesNoCards) {
  Model model;
  int result = -1;
  EXPECT_EQ(CaptureCards(model, [&] { result = WriteFrameCards(); }), "");
  EXPECT_EQ(result, 0);
}

}  // namespace
