// Model assembly from the project model file: file names, nodes, elements,
// frames, numbering flags, and the refusal of unreadable element entries.
#include <gtest/gtest.h>

#include <filesystem>
#include <span>

#include "tests/model/model_fixtures.h"

namespace {

using model_test::WriteAndRead;
using testing_support::ScratchDir;

TEST(ProjectReader, TitleGivesTheFileNameByTheLastShortExtension) {
  ScratchDir scratch;
  std::filesystem::create_directories(scratch / "x.y");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"beam", "beam.fes"},         {"beam.fes", "beam.fes"}, {"beam.x", "beam.fes"},
      {"beam.", "beam.fes"},        {"beam.data", "beam.data.fes"}, {"a.b.c", "a.b.fes"},
      {"x.y/z", "x.fes"},           {"x.y/beam", "x.y/beam.fes"}};
  const std::vector<char> bytes = fixture::EncodeProject(model_test::PointProject(1));
  for (const auto& [title, file] : cases) {
    fixture::WriteBytes(scratch / file, bytes);
    Model model;
    std::string printed = model_test::Printed([&] {
      Console console;
      EXPECT_EQ(ProjectReader(scratch / title, model, console), 0) << title;
    });
    EXPECT_EQ(model.nodeCount, 1) << title;
    std::filesystem::remove(scratch / file);
    // No load file: the load reader's message names the same stem.
    EXPECT_NE(printed.find(".lqd can not be opened"), std::string::npos) << printed;
  }
}

TEST(ProjectReader, FillsNodesAndElementsAndNotesTheNumbering) {
  ScratchDir scratch;
  fixture::Project project;
  project.nodes = {{1, 0, 0, 0}, {2, 1, 0, 0}, {3, 1, 1, 0}, {4, 0, 1, 0.5f}};
  project.elements = {{1, 40, 21, {1, 2, 3, 4}, 17}, {2, 30, 22, {1, 2, 3}}};
  Model model;
  ASSERT_EQ(WriteAndRead(scratch, project, nullptr, model).result, 0);
  ASSERT_EQ(model.nodeCount, 4);
  ASSERT_EQ(model.nodes.size(), 4u);
  const NodeRecord& node = model.nodes[3];
  EXPECT_EQ(node.externalNumber, 4);
  EXPECT_EQ(node.coordinates[2], 0.5f);
  EXPECT_EQ(node.dofCount, 6);
  EXPECT_EQ(node.nodeKind, 'G');
  EXPECT_EQ(node.constraintCode, 0);
  EXPECT_FALSE(model.nodeNumbersNonSequential);
  EXPECT_FALSE(model.elementNumbersNonSequential);

  ASSERT_EQ(model.elementCount, 2);
  const ElementRecord& quad = model.elements[0];
  EXPECT_EQ(quad.shape, 4);
  EXPECT_EQ(quad.elementClass, 21);
  EXPECT_EQ(quad.nodeCount, 4);
  EXPECT_EQ(quad.propertyId, 0);
  const std::span<const int32_t> quadSlots = model.NodeSlots(quad);
  EXPECT_EQ(std::vector<int32_t>(quadSlots.begin(), quadSlots.end()), (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(model.elements[1].shape, 3);
  EXPECT_EQ(model.NodeSlots(model.elements[1]).size(), 3u);  // the triangle's entry is 8 words wide
  EXPECT_EQ(model.elementNodes.size(), 7u);                   // only the slots in use are kept
  EXPECT_EQ(model.frameCount, 0);
  EXPECT_TRUE(model.frames.empty());
  // No load file: the load side stays empty.
  EXPECT_EQ(model.materialCount + model.propertyCount + model.nodeLoadCount + model.distributedLoadCount, 0);

  project.nodes[2].number = 30;
  ASSERT_EQ(WriteAndRead(scratch, project, nullptr, model).result, 0);
  EXPECT_TRUE(model.nodeNumbersNonSequential);
  EXPECT_FALSE(model.elementNumbersNonSequential);
  EXPECT_EQ(model.nodes[2].externalNumber, 30);
}

TEST(ProjectReader, UnknownKindsStayAllZeroInPlaceAndDoNotSetTheFlag) {
  ScratchDir scratch;
  fixture::Project project = model_test::PointProject(3);
  project.elements = {{1, 20, 100, {1, 2, 3, 0, 0}}, {99, 50, 1, {1, 2}}, {3, 20, 100, {2, 3, 1, 0, 0}}};
  Model model;
  ASSERT_EQ(WriteAndRead(scratch, project, nullptr, model).result, 0);
  ASSERT_EQ(model.elementCount, 3);
  EXPECT_FALSE(model.elementNumbersNonSequential);  // entry 2's number 99 does not count
  const ElementRecord& unknown = model.elements[1];
  EXPECT_EQ(unknown.externalNumber, 0);
  EXPECT_EQ(unknown.shape, 0);
  EXPECT_EQ(unknown.elementClass, 0);
  EXPECT_EQ(unknown.nodeCount, 0);
  EXPECT_TRUE(model.NodeSlots(unknown).empty());
  EXPECT_EQ(model.elements[2].externalNumber, 3);
  EXPECT_EQ(model.elements[2].nodeCount, 5);
  EXPECT_EQ(model.NodeSlot(model.elements[2], 2), 1);
}

TEST(ProjectReader, FramesKeepKindsUpToThreeAndSumPointsOnce) {
  ScratchDir scratch;
  fixture::Project project = model_test::PointProject(1);
  fixture::Frame first{11, 1, {1, 2, 3}, {0, 0, 1}, {1, 0, 0}};
  fixture::Frame dropped{12, 5};
  fixture::Frame cylindrical{13, 2};
  fixture::Frame zero{14, 0};
  // Summed in double and rounded once: 1e8 + 1 + (-1e8) is 1 in double, but
  // 0 if the axis point were rounded to float first.
  fixture::Frame rounding{15, 3, {1e8f, 0, 0}, {1, 0, 0}, {-1e8f, 0, 0}};
  project.frames = {first, dropped, cylindrical, zero, rounding};
  Model model;
  ASSERT_EQ(WriteAndRead(scratch, project, nullptr, model).result, 0);
  ASSERT_EQ(model.frameCount, 4);
  ASSERT_EQ(model.frames.size(), 4u);
  EXPECT_EQ(model.frames[0].id, 11);
  EXPECT_EQ(model.frames[0].kind, 1);
  EXPECT_EQ(model.frames[1].id, 13);
  EXPECT_EQ(model.frames[1].kind, 2);
  EXPECT_EQ(model.frames[2].kind, 0);  // kept; the writers decide
  const FrameRecord& frame = model.frames[0];
  EXPECT_EQ(std::vector<float>(frame.origin, frame.origin + 3), (std::vector<float>{1, 2, 3}));
  EXPECT_EQ(std::vector<float>(frame.axisPoint, frame.axisPoint + 3), (std::vector<float>{1, 2, 4}));
  EXPECT_EQ(std::vector<float>(frame.planePoint, frame.planePoint + 3), (std::vector<float>{2, 2, 4}));
  EXPECT_EQ(model.frames[3].axisPoint[0], static_cast<float>(1e8 + 1.0));
  EXPECT_EQ(model.frames[3].planePoint[0], 1.0f);
}

TEST(ProjectReader, EmptyOrFaultyFilesLeaveTheModelCleared) {
  ScratchDir scratch;
  Model model;
  fixture::Project noElements = model_test::PointProject(2);
  noElements.elements.clear();
  EXPECT_EQ(WriteAndRead(scratch, noElements, nullptr, model).result, 1);
  fixture::Project noNodes = model_test::PointProject(2);
  noNodes.nodes.clear();
  EXPECT_EQ(WriteAndRead(scratch, noNodes, nullptr, model).result, 1);

  // A good read, then a failing one: nothing of the first survives.
  ASSERT_EQ(WriteAndRead(scratch, model_test::PointProject(2), nullptr, model).result, 0);
  std::vector<char> bytes = fixture::EncodeProject(model_test::PointProject(2));
  bytes.pop_back();
  fixture::WriteBytes(scratch / "job.fes", bytes);
  std::string printed = model_test::Printed([&] {
    Console console;
    EXPECT_EQ(ProjectReader(scratch / "job", model, console), 1);
  });
  EXPECT_EQ(printed, "error on reading the file\n  " + (scratch / "job.fes") + "\n");
  EXPECT_EQ(model.nodeCount, 0);
  EXPECT_EQ(model.elementCount, 0);
  EXPECT_TRUE(model.nodes.empty());
  EXPECT_TRUE(model.elements.empty());
}

TEST(ProjectReader, RefusesElementEntriesItCannotRead) {
  ScratchDir scratch;
  Model model;
  fixture::Project project;
  project.nodes = model_test::NodeRow(8);
  project.elements = {{501, 40, 21, {1, 2, 3, 4}}, {502, 80, 61, {1, 2, 3, 4, 5, 6, 7, 9}}};
  model_test::ReadResult read = WriteAndRead(scratch, project, nullptr, model);
  EXPECT_EQ(read.result, 1);
  EXPECT_EQ(read.console, "element 502: node position 9 is outside 0 to 8\n");
  EXPECT_TRUE(model.elements.empty());

  project.elements[1].nodes[7] = -1;
  read = WriteAndRead(scratch, project, nullptr, model);
  EXPECT_EQ(read.console, "element 502: node position -1 is outside 0 to 8\n");

  // Entries of 10 words hold the quadrilateral, not the hexahedron's 8 nodes.
  project.elements[1].nodes[7] = 0;
  project.entryWords = 10;
  read = WriteAndRead(scratch, project, nullptr, model);
  EXPECT_EQ(read.result, 1);
  EXPECT_EQ(read.console, "element 502: entry of 10 words is too short for the 8 nodes of kind 80\n");

  // W = 0 (and W = 1): no entry can be read at all.
  for (int32_t width : {0, 1}) {
    std::vector<char> bytes = fixture::EncodeProject(model_test::PointProject(1));
    fixture::PatchInt32(bytes, 8, width);
    fixture::WriteBytes(scratch / "job.fes", bytes);
    std::string printed = model_test::Printed([&] {
      Console console;
      EXPECT_EQ(ProjectReader(scratch / "job", model, console), 1);
    });
    EXPECT_EQ(printed, "element entry 1: entries of " + std::to_string(width) + " words cannot hold an element\n");
  }

  // Short entries are fine for kinds that need no more, and unknown kinds are never read past word 1.
  fixture::Project narrow = model_test::PointProject(2);
  narrow.elements.push_back({3, 99, 0, {}});
  narrow.entryWords = 5;
  read = WriteAndRead(scratch, narrow, nullptr, model);
  EXPECT_EQ(read.result, 0);
  EXPECT_EQ(model.elementCount, 3);
}

}  // namespace
