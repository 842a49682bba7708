// Frame packets (type 5), distributed load packets (type 6) and node force
// packets (type 7).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "patran/neutral_file_writer.h"
#include "tests/patran/packet_capture.h"

namespace {

using testing_support::CaptureOutput;
using testing_support::CapturePackets;

FrameRecord MakeFrame(int32_t id, int32_t kind, const std::vector<float>& a, const std::vector<float>& b,
                      const std::vector<float>& c) {
  FrameRecord frame{};
  frame.id = id;
  frame.kind = kind;
  for (int i = 0; i < 3; ++i) {
    frame.origin[i] = a[i];
    frame.axisPoint[i] = b[i];
    frame.planePoint[i] = c[i];
  }
  return frame;
}

void AddFrame(Model& model, const FrameRecord& frame) {
  model.frames.push_back(frame);
  model.frameCount = static_cast<int32_t>(model.frames.size());
}

TEST(FramePackets, PointsThenAxesFiveToACard) {
  Model model;
  AddFrame(model, MakeFrame(4, 2, {0, 0, 0}, {0, 0, 2}, {3, 0, 0}));
  EXPECT_EQ(CapturePackets(WriteFramePackets, model),
            " 5       4       2       4\n"
            "   0.0000000e+00   0.0000000e+00   0.0000000e+00   0.0000000e+00   0.0000000e+00\n"
            "   2.0000000e+00   3.0000000e+00   0.0000000e+00   0.0000000e+00   1.0000000e+00\n"
            "   0.0000000e+00   0.0000000e+00   0.0000000e+00   1.0000000e+00   0.0000000e+00\n"
            "   0.0000000e+00   0.0000000e+00   1.0000000e+00\n");
}

TEST(FramePackets, TurnedFrameHasUnitAxes) {
  // ez = AB / |AB| = (-1, 0, 0); ey = ez x AC with AC = (0, 5, 0) is (0, 0, -5), normalised
  // (0, 0, -1); ex = ey x ez = (0, 1, 0).
  Model model;
  AddFrame(model, MakeFrame(9, 1, {1, 1, 1}, {-3, 1, 1}, {1, 6, 1}));
  EXPECT_EQ(CapturePackets(WriteFramePackets, model),
            " 5       9       1       4\n"
            "   1.0000000e+00   1.0000000e+00   1.0000000e+00  -3.0000000e+00   1.0000000e+00\n"
            "   1.0000000e+00   1.0000000e+00   6.0000000e+00   1.0000000e+00   0.0000000e+00\n"
            "   1.0000000e+00   0.0000000e+00   0.0000000e+00   0.0000000e+00  -1.0000000e+00\n"
            "  -1.0000000e+00   0.0000000e+00   0.0000000e+00\n");
}

TEST(FramePackets, DegenerateFramesAreSkippedButCounted) {
  Model model;
  AddFrame(model, MakeFrame(1, 1, {1, 2, 3}, {1, 2, 3}, {4, 2, 3}));  // B on A
  AddFrame(model, MakeFrame(2, 1, {0, 0, 0}, {0, 0, 2}, {0, 0, 7}));  // C on the line AB
  AddFrame(model, MakeFrame(3, 3, {0, 0, 0}, {0, 0, 1}, {1, 0, 0}));
  int looked = 0;
  const std::string text = CaptureOutput([&](OutputFile& file) { looked = WriteFramePackets(file, model); });
  EXPECT_EQ(looked, 3);
  EXPECT_EQ(text.substr(0, text.find('\n')), " 5       3       3       4");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
}

DistributedLoadRecord MakeLoad(int32_t element, int32_t loadSet, int32_t componentCode, int32_t nodeCode,
                               const std::vector<float>& values) {
  DistributedLoadRecord load{};
  load.elementNumber = element;
  load.loadSet = loadSet;
  load.cardKind = 14;
  load.componentCode = componentCode;
  load.nodeCode = nodeCode;
  load.valueCount = static_cast<int32_t>(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) load.values[i] = values[i];
  return load;
}

void AddLoad(Model& model, const DistributedLoadRecord& load) {
  model.distributedLoads.push_back(load);
  model.distributedLoadCount = static_cast<int32_t>(model.distributedLoads.size());
}

TEST(DistributedLoadPackets, FlagsFaceAndValues) {
  Model model;
  DistributedLoadRecord load = MakeLoad(31, 2, 3, 1234, {1, 2, 3, 4, 5, 6.5f, -7.25f});
  load.loadType = 1;
  load.nodeFlag = 1;
  load.faceNumber = 4;
  AddLoad(model, load);
  EXPECT_EQ(CapturePackets(WriteDistributedLoadPackets, model),
            " 6      31       2       3\n"
            "10100100011110000 4\n"
            "       1.0000000       2.0000000       3.0000000       4.0000000       5.0000000\n"
            "       6.5000000      -7.2500000\n");
}

TEST(DistributedLoadPackets, EveryRecordWhateverItsCardKind) {
  Model model;
  DistributedLoadRecord unknownKind = MakeLoad(5, 1, 0, 0, {});
  unknownKind.cardKind = 99;
  unknownKind.elementFlag = 1;
  AddLoad(model, unknownKind);
  DistributedLoadRecord wide = MakeLoad(6, 1, 123456, 12345678, {0.5f});
  wide.faceNumber = 123;  // wider than its two columns
  wide.elementFlag = 10;  // wider than its one column
  AddLoad(model, wide);
  EXPECT_EQ(CapturePackets(WriteDistributedLoadPackets, model),
            " 6       5       1       1\n"
            "01000000000000000 0\n"
            " 6       6       1       2\n"
            "010011111111111111123\n"
            "       0.5000000\n");
}

NodeLoadRecord MakeNodeLoad(int32_t node, int32_t loadSet, int32_t kind, float x, float y, float z) {
  NodeLoadRecord load{};
  load.nodeNumber = node;
  load.loadSet = loadSet;
  load.kind = kind;
  load.scale = 10;
  load.components[0] = x;
  load.components[1] = y;
  load.components[2] = z;
  return load;
}

TEST(NodeForcePackets, ForcesAndMomentsOnlyWithoutScale) {
  Model model;
  for (int kind = 0; kind <= 6; ++kind) model.nodeLoads.push_back(MakeNodeLoad(12, kind + 1, kind, 1, 0, -2.5f));
  model.nodeLoads.push_back(MakeNodeLoad(13, 1, -1, 1, 1, 1));
  NodeLoadRecord zero = MakeNodeLoad(14, 3, 0, 0, 0, 0);
  zero.frameId = 5;
  model.nodeLoads.push_back(zero);
  model.nodeLoadCount = static_cast<int32_t>(model.nodeLoads.size());

  int looked = 0;
  const std::string text =
      CaptureOutput([&](OutputFile& file) { looked = WriteNodeForcePackets(file, model); });
  EXPECT_EQ(looked, 9);
  EXPECT_EQ(text,
            " 7      12       1       2\n"
            "       0111000\n"
            "       1.0000000       0.0000000      -2.5000000\n"
            " 7      12       2       2\n"
            "       0000111\n"
            "       1.0000000       0.0000000      -2.5000000\n"
            " 7      14       3       2\n"
            "       5111000\n"
            "       0.0000000       0.0000000       0.0000000\n");
}

}  // namespace
