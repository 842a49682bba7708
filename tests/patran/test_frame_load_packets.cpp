// Frame packets (type 5), distributed load packets (type 6), node force
// packets (type 7) and node displacement packets (type 8).
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

// The distributed loads whose flags announce another number of values: one
// per component set for the element (element flag) and per node set (node
// flag times the node flags set).
TEST(DistributedLoadPackets, ValuesThatTheFlagsDoNotAnnounceAreCounted) {
  const struct {
    int32_t componentCode, nodeCode, elementFlag, nodeFlag, valueCount;
    int64_t unannounced;
  } cases[] = {
      {0, 0, 0, 0, 0, 0},
      {0, 0, 0, 0, 4, 1},       // the pressures of the example project
      {3, 1234, 0, 1, 4, 0},    // one component at four nodes
      {3, 1234, 1, 1, 4, 1},    // and at the element: five
      {123, 0, 1, 0, 3, 0},
      {123, 12, 1, 1, 9, 0},    // three components, at the element and two nodes
      {123, 12, 1, 1, 8, 1},
      {1131, 0, 1, 0, 2, 0},    // a repeated digit counts once
      {79, 9, 1, 1, 0, 0},      // digits outside the flags count for nothing
      {12, 0, 2, 0, 4, 0},      // the element flag counts with its value
  };
  for (const auto& c : cases) {
    Model model;
    DistributedLoadRecord load = MakeLoad(1, 1, c.componentCode, c.nodeCode, std::vector<float>(c.valueCount, 1.0f));
    load.elementFlag = c.elementFlag;
    load.nodeFlag = c.nodeFlag;
    AddLoad(model, load);
    EXPECT_EQ(DistributedLoadsWithUnannouncedValues(model), c.unannounced)
        << c.componentCode << " " << c.nodeCode << " " << c.valueCount;
  }
}

// Each record with the packet it gives ("" for none): forces and moments
// carry their magnitude, scale times direction in double precision.
TEST(NodeForcePackets, ForcesAndMomentsWithTheirMagnitude) {
  const struct {
    int32_t node, frame, kind;
    float scale, x, y, z;
    const char* packet;
  } cases[] = {
      {1041, 0, 0, 100, 0, 0, -1,  // the example project's force
       " 7    1041       1       2\n       0111000\n       0.0000000       0.0000000    -100.0000000\n"},
      {12, 0, 0, 0.25f, 2, -1, 0.5f,
       " 7      12       1       2\n       0111000\n       0.5000000      -0.2500000       0.1250000\n"},
      {12, 0, 1, 100, 0.1f, 0, 0,  // a moment; 100 * 0.1f is not rounded to single precision
       " 7      12       1       2\n       0000111\n      10.0000001       0.0000000       0.0000000\n"},
      {13, 0, 0, 1.0e6f, 1000, 0, 0,  // the force takes exponent form where fixed point would not fit
       " 7      13       1       2\n       0111000\n   1.0000000E+09       0.0000000       0.0000000\n"},
      {14, 5, 0, 10, 0, 0, 0,
       " 7      14       1       2\n       5111000\n       0.0000000       0.0000000       0.0000000\n"},
      {15, 0, 2, 10, 1, 0, 0, ""},  // constraint and prescribed kinds give no packet
      {15, 0, 3, 10, 1, 0, 0, ""},
      {15, 0, 4, 10, 1, 0, 0, ""},
      {15, 0, 5, 10, 1, 0, 0, ""},
      {15, 0, 6, 10, 1, 0, 0, ""},
      {15, 0, -1, 10, 1, 0, 0, ""},
  };
  Model model;
  std::string expected;
  for (const auto& c : cases) {
    NodeLoadRecord load{};
    load.nodeNumber = c.node;
    load.loadSet = 1;
    load.frameId = c.frame;
    load.kind = c.kind;
    load.scale = c.scale;
    load.components[0] = c.x;
    load.components[1] = c.y;
    load.components[2] = c.z;
    model.nodeLoads.push_back(load);
    expected += c.packet;
  }
  model.nodeLoadCount = static_cast<int32_t>(model.nodeLoads.size());

  int looked = 0;
  const std::string text =
      CaptureOutput([&](OutputFile& file) { looked = WriteNodeForcePackets(file, model); });
  EXPECT_EQ(looked, 11);
  EXPECT_EQ(text, expected);
}

// Constraints and prescribed displacements: the degrees of freedom of the
// components other than 0 and their values (0 where they are held); none for
// a record without such a component, nor for other kinds.
TEST(NodeDisplacementPackets, FlagsAndValuesOfTheComponentsSet) {
  const struct {
    int32_t node, set, frame, kind;
    float x, y, z;
    const char* packet;
  } cases[] = {
      {4, 7, 3, 4, 0.25f, 0, -2,  // prescribed translations
       " 8       4       7       2\n       3101000\n       0.2500000      -2.0000000\n"},
      {5, 1, 0, 5, 0.1f, 0.2f, -0.3f,  // prescribed rotations
       " 8       5       1       2\n       0000111\n       0.1000000       0.2000000      -0.3000000\n"},
      {6, 2, 0, 2, 1, 0, 1,  // held translations
       " 8       6       2       2\n       0101000\n       0.0000000       0.0000000\n"},
      {7, 2, 9, 3, 0, -5, 0,  // a held rotation
       " 8       7       2       2\n       9000010\n       0.0000000\n"},
      {8, 3, 0, 4, 1.0e-9f, 0, 0,  // however small, a component is set
       " 8       8       3       2\n       0100000\n   9.9999997E-10\n"},
      {9, 1, 0, 2, 0, 0, 0, ""},
      {9, 1, 0, 4, -0.0f, 0, 0.0f, ""},
      {9, 1, 0, 0, 1, 1, 1, ""},  // forces and moments have their own packets
      {9, 1, 0, 1, 1, 1, 1, ""},
      {9, 1, 0, 6, 1, 1, 1, ""},
      {9, 1, 0, -1, 1, 1, 1, ""},
  };
  Model model;
  std::string expected;
  for (const auto& c : cases) {
    NodeLoadRecord load{};
    load.nodeNumber = c.node;
    load.loadSet = c.set;
    load.frameId = c.frame;
    load.kind = c.kind;
    load.scale = 10;  // not applied
    load.components[0] = c.x;
    load.components[1] = c.y;
    load.components[2] = c.z;
    model.nodeLoads.push_back(load);
    expected += c.packet;
  }
  model.nodeLoadCount = static_cast<int32_t>(model.nodeLoads.size());

  int looked = 0;
  const std::string text =
      CaptureOutput([&](OutputFile& file) { looked = WriteNodeDisplacementPackets(file, model); });
  EXPECT_EQ(looked, 11);
  EXPECT_EQ(text, expected);
}

}  // namespace
