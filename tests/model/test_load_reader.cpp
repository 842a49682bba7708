// Load assembly: number mapping, node loads, node vector loads, distributed
// loads by element list, constraints, materials, properties, warnings.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "model/number_mapping.h"
#include "tests/model/model_fixtures.h"

namespace {

using model_test::WriteAndRead;
using testing_support::ScratchDir;

std::string NodeWarning(int count) {
  return "Die Lastdatei enth\xE4" "lt " + std::to_string(count) + " externe Knotennummern,\n die nicht existieren";
}
std::string ElementWarning(int count) {
  return "Die Lastdatei enth\xE4" "lt " + std::to_string(count) + " externe Elementnummern,\n die nicht existieren";
}

fixture::DistributedLoad Pressure(int32_t loadSet, std::vector<int32_t> list, std::vector<float> values) {
  fixture::DistributedLoad load{};
  load.loadSet = loadSet;
  load.list = std::move(list);
  load.values = std::move(values);
  return load;
}

// Four nodes and two line elements with scattered numbers.
fixture::Project Scattered() {
  fixture::Project project;
  project.nodes = {{1001, 0, 0, 0}, {1005, 1, 0, 0}, {1002, 2, 0, 0}, {7, 3, 0, 0}};
  project.elements = {{5001, 20, 100, {1, 2, 0, 0, 0}}, {5003, 20, 100, {2, 3, 0, 0, 0}}};
  return project;
}

TEST(LoadReader, LoadFileNameFollowsTheTitle) {
  ScratchDir scratch;
  fixture::LoadFile loads;
  loads.materials = {{4, 1, {1}}};
  const std::vector<char> project = fixture::EncodeProject(model_test::PointProject(1));
  const std::vector<char> loadBytes = fixture::EncodeLoadFile(loads);
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"model.fes", "model"}, {"model", "model"}, {"model.backup", "model.backup"}};
  for (const auto& [title, stem] : cases) {
    fixture::WriteBytes(scratch / (stem + ".fes"), project);
    fixture::WriteBytes(scratch / (stem + ".lqd"), loadBytes);
    Model model;
    std::string printed = model_test::Printed([&] {
      Console console;
      EXPECT_EQ(ProjectReader(scratch / title, model, console), 0);
    });
    EXPECT_EQ(printed, "") << title;
    EXPECT_EQ(model.materialCount, 1) << title;
    std::filesystem::remove(scratch / (stem + ".lqd"));
  }
}

TEST(LoadReader, SequentialNumbersArePositionsAndOthersAreUnknown) {
  ScratchDir scratch;
  fixture::Project project = model_test::PointProject(3);
  fixture::LoadFile loads;
  loads.nodeLoads = {{1, 0, {3, 0, 4, 1}, {1, 2, 3}, 2}};
  loads.distributedLoads = {Pressure(1, {2, 0, 9}, {5})};
  Model model;
  const model_test::ReadResult read = WriteAndRead(scratch, project, &loads, model);
  ASSERT_EQ(read.result, 0);
  EXPECT_EQ(read.console, NodeWarning(2) + ElementWarning(2));
  ASSERT_EQ(model.nodeLoadCount, 2);
  EXPECT_EQ(model.nodeLoads[0].nodeNumber, 3);
  EXPECT_EQ(model.nodeLoads[1].nodeNumber, 1);
  ASSERT_EQ(model.distributedLoadCount, 1);
  EXPECT_EQ(model.distributedLoads[0].elementNumber, 2);
}

TEST(LoadReader, ScatteredNumbersAreLookedUp) {
  ScratchDir scratch;
  fixture::LoadFile loads;
  // 1002 exists, 1003 exists nowhere, 0 is unknown as well, 7 is node 4's number (not position 7).
  loads.nodeLoads = {{1, 0, {1002, 1003, 0, 7}, {1, 0, 0}, 1}};
  loads.properties = {{8, 0, 1100, {}, {5003, 5002}}};
  Model model;
  const model_test::ReadResult read = WriteAndRead(scratch, Scattered(), &loads, model);
  ASSERT_EQ(read.result, 0);
  EXPECT_TRUE(model.nodeNumbersNonSequential);
  EXPECT_TRUE(model.elementNumbersNonSequential);
  EXPECT_EQ(read.console, NodeWarning(2) + ElementWarning(1));
  ASSERT_EQ(model.nodeLoadCount, 2);
  EXPECT_EQ(model.nodeLoads[0].nodeNumber, 1002);
  EXPECT_EQ(model.nodeLoads[1].nodeNumber, 7);
  EXPECT_EQ(model.elements[0].propertyId, 0);
  EXPECT_EQ(model.elements[1].propertyId, 8);
}

TEST(MapExternalNumbers, MapsBySearchOnlyWhenNeeded) {
  const std::vector<int32_t> table = {0, 1, 2, 3};  // already positions
  std::vector<int32_t> list = {3, 1, 2};
  SortedNumberTable slot;
  MapExternalNumbers(list.data(), list.size(), NumberColumn::Table(table.data(), 3), &slot);
  EXPECT_EQ(list, (std::vector<int32_t>{3, 1, 2}));
  EXPECT_FALSE(slot.built);  // no table was needed

  const std::vector<int32_t> scattered = {0, INT_MAX, -5, 40, INT_MIN};
  list = {40, INT_MIN, 0, 41, INT_MAX, -5, 2};
  MapExternalNumbers(list.data(), list.size(), NumberColumn::Table(scattered.data(), 4), nullptr);
  EXPECT_EQ(list, (std::vector<int32_t>{3, 4, 0, -1, 1, 2, -1}));

  // A leading entry that is its own position is looked up too once a later one is not.
  const std::vector<int32_t> mixed = {0, 1, 20};
  list = {1, 20};
  MapExternalNumbers(list.data(), list.size(), NumberColumn::Table(mixed.data(), 2), &slot);
  EXPECT_EQ(list, (std::vector<int32_t>{1, 2}));
  EXPECT_TRUE(slot.built);  // kept for later calls
}

TEST(LoadReader, NodeLoadsTakeFramesScalesAndComponents) {
  ScratchDir scratch;
  fixture::LoadFile loads;
  fixture::NodeLoad force{3, 0, {2}, {1, 2, 3}, 10};
  force.frame = 5;
  fixture::NodeLoad moment{4, 1, {1, 3}, {0, 0, 1}, 2};
  moment.frameOffset = 100;
  fixture::NodeLoad outside{4, 7, {3}};  // a kind outside 0..5 stays as it is
  loads.nodeLoads = {force, moment, outside};
  Model model;
  ASSERT_EQ(WriteAndRead(scratch, model_test::PointProject(3), &loads, model).result, 0);
  ASSERT_EQ(model.nodeLoadCount, 4);
  ASSERT_EQ(model.nodeLoads.size(), 4u);
  const NodeLoadRecord& first = model.nodeLoads[0];
  EXPECT_EQ(first.nodeNumber, 2);
  EXPECT_EQ(first.loadSet, 3);
  EXPECT_EQ(first.frameId, 5);
  EXPECT_EQ(first.kind, 0);
  EXPECT_EQ(first.scale, 10.0f);
  EXPECT_EQ(std::vector<float>(first.components, first.components + 3), (std::vector<float>{1, 2, 3}));
  EXPECT_EQ(model.nodeLoads[1].frameId, 101);  // external number + offset
  EXPECT_EQ(model.nodeLoads[2].frameId, 103);
  EXPECT_EQ(model.nodeLoads[2].kind, 1);
  EXPECT_EQ(model.nodeLoads[3].kind, 7);
}

TEST(LoadReader, NodeVectorsBecomeForcesByTheSignOfTheMarker) {
  ScratchDir scratch;
  fixture::LoadFile loads;
  loads.nodeLoads = {{1, 0, {1}, {9, 9, 9}, 1}};
  fixture::DistributedLoad vectorsOnly = Pressure(5, {1}, {7});
  vectorsOnly.vectorMarker = 1;
  vectorsOnly.vectors = {{2.9f, 1, 2, 3}, {-1, 0, 0, 0}};
  fixture::DistributedLoad both = Pressure(6, {2}, {8});
  both.vectorMarker = -1;
  both.vectors = {{3, 4, 5, 6}};
  fixture::DistributedLoad plain = Pressure(7, {3}, {9});
  plain.vectors = {{1, 1, 1, 1}};  // marker 0: its vectors are not loads
  loads.distributedLoads = {vectorsOnly, both, plain};
  Model model;
  const model_test::ReadResult read = WriteAndRead(scratch, model_test::PointProject(3), &loads, model);
  ASSERT_EQ(read.result, 0);
  EXPECT_EQ(read.console, NodeWarning(1));  // the vector of node -1
  ASSERT_EQ(model.nodeLoadCount, 3);
  EXPECT_EQ(model.nodeLoads[0].loadSet, 1);  // node load definitions first
  const NodeLoadRecord& vector = model.nodeLoads[1];
  EXPECT_EQ(vector.nodeNumber, 2);  // 2.9 truncated
  EXPECT_EQ(vector.loadSet, 5);
  EXPECT_EQ(vector.frameId, 0);
  EXPECT_EQ(vector.kind, 0);
  EXPECT_EQ(vector.scale, 1.0f);
  EXPECT_EQ(std::vector<float>(vector.components, vector.components + 3), (std::vector<float>{1, 2, 3}));
  EXPECT_EQ(model.nodeLoads[2].nodeNumber, 3);
  EXPECT_EQ(model.nodeLoads[2].loadSet, 6);
  ASSERT_EQ(model.distributedLoadCount, 2);  // marker -1 and 0, not 1
  EXPECT_EQ(model.distributedLoads[0].loadSet, 6);
  EXPECT_EQ(model.distributedLoads[1].loadSet, 7);
}

TEST(LoadReader, DistributedLoadFieldsAndValueCap) {
  ScratchDir scratch;
  fixture::LoadFile loads;
  std::vector<float> forty(40);
  for (std::size_t i = 0; i < forty.size(); ++i) forty[i] = static_cast<float>(i + 1);
  fixture::DistributedLoad capped = Pressure(2, {3, 1}, forty);
  capped.valueCount1 = 30;
  capped.valueCount2 = 10;
  capped.cardKind = 11;
  capped.face0 = 4;
  capped.face1 = 5;
  capped.loadType = 7;  // counts as 1: the face comes from word 2
  capped.componentCode = 123;
  capped.elementFlag = 8;
  capped.nodeCode = 1234;
  capped.nodeFlag = 9;
  fixture::DistributedLoad typeZero = Pressure(3, {2}, {1, 2, 3});
  typeZero.valueCount1 = 2;
  typeZero.face0 = 4;
  typeZero.face1 = 5;
  loads.distributedLoads = {capped, typeZero};
  Model model;
  ASSERT_EQ(WriteAndRead(scratch, model_test::PointProject(3), &loads, model).result, 0);
  ASSERT_EQ(model.distributedLoadCount, 3);
  const DistributedLoadRecord& first = model.distributedLoads[0];
  EXPECT_EQ(first.elementNumber, 3);  // list order
  EXPECT_EQ(model.distributedLoads[1].elementNumber, 1);
  EXPECT_EQ(first.loadSet, 2);
  EXPECT_EQ(first.loadType, 1);
  EXPECT_EQ(first.cardKind, 11);
  EXPECT_EQ(first.faceNumber, 5);
  EXPECT_EQ(first.componentCode, 123);
  EXPECT_EQ(first.elementFlag, 8);
  EXPECT_EQ(first.nodeCode, 1234);
  EXPECT_EQ(first.nodeFlag, 9);
  EXPECT_EQ(first.valueCount, 32);
  EXPECT_EQ(first.values[31], 32.0f);
  const DistributedLoadRecord& second = model.distributedLoads[2];
  EXPECT_EQ(second.loadType, 0);
  EXPECT_EQ(second.faceNumber, 4);
  EXPECT_EQ(second.valueCount, 2);
  EXPECT_EQ(std::vector<float>(second.values, second.values + 4), (std::vector<float>{1, 2, 0, 0}));
}

TEST(LoadReader, ConstraintCodesMergeInOneFrameOnly) {
  ScratchDir scratch;
  fixture::LoadFile loads;
  fixture::Constraint other{{3}, 456};
  other.frame = 9;
  other.dofCount = 3;
  other.nodeKind = 'S' + 0x100;  // only the low byte is the kind
  loads.constraints = {{{1, 2, 3}, 13}, {{1, 2}, 23}, {{2}, 456}, other};
  Model model;
  ASSERT_EQ(WriteAndRead(scratch, model_test::PointProject(4), &loads, model).result, 0);
  EXPECT_EQ(model.nodes[0].constraintCode, 123);
  EXPECT_EQ(model.nodes[1].constraintCode, 123456);
  EXPECT_EQ(model.nodes[2].constraintCode, 13);  // the frame-9 definition is ignored ...
  EXPECT_EQ(model.nodes[2].outputFrameId, 0);
  EXPECT_EQ(model.nodes[2].dofCount, 3);         // ... but its dof count and kind apply
  EXPECT_EQ(model.nodes[2].nodeKind, 'S');
  EXPECT_EQ(model.nodes[3].constraintCode, 0);
  EXPECT_EQ(model.nodes[3].nodeKind, 'G');

  fixture::Constraint byNumber{{2}, 1};
  byNumber.frameOffset = 10;
  loads.constraints = {byNumber};
  ASSERT_EQ(WriteAndRead(scratch, model_test::PointProject(2), &loads, model).result, 0);
  EXPECT_EQ(model.nodes[1].outputFrameId, 12);
}

TEST(LoadReader, MaterialsAndPropertiesKeepTheirValues) {
  ScratchDir scratch;
  fixture::LoadFile loads;
  fixture::Material steel{1.9, -2.7, {210000, 80769, 0.3}};
  loads.materials = {steel};
  std::vector<float> sixty(60);
  for (std::size_t i = 0; i < sixty.size(); ++i) sixty[i] = static_cast<float>(i);
  fixture::Property shell{5, 1, 1021, sixty, {1, 3}};
  shell.auxiliary1 = 11;
  shell.auxiliary2 = 12;
  fixture::Property later{6, 1, 1021, {2.5f}, {3}};
  fixture::Property unused{7, 0, 103, {}, {}};
  loads.properties = {shell, later, unused};
  Model model;
  ASSERT_EQ(WriteAndRead(scratch, model_test::PointProject(3), &loads, model).result, 0);
  ASSERT_EQ(model.materialCount, 1);
  const MaterialRecord& material = model.materials[0];
  EXPECT_EQ(material.id, 1);
  EXPECT_EQ(material.kind, -2);
  EXPECT_EQ(material.reserved, 0);
  EXPECT_EQ(material.values[0], 210000.0);
  EXPECT_EQ(material.values[2], 0.3);
  EXPECT_EQ(material.values[3], 0.0);
  EXPECT_EQ(material.values[99], 0.0);

  ASSERT_EQ(model.propertyCount, 3);
  const PropertyRecord& first = model.properties[0];
  EXPECT_EQ(first.id, 5);
  EXPECT_EQ(first.materialId, 1);
  EXPECT_EQ(first.typeCode, 1021);
  EXPECT_EQ(first.valueCount, 50);
  EXPECT_EQ(first.values[49], 49.0f);
  EXPECT_EQ(first.auxiliary1, 11);
  EXPECT_EQ(first.auxiliary2, 12);
  EXPECT_EQ(model.properties[1].values[0], 2.5f);  // its values start after the first's sixty
  EXPECT_EQ(model.properties[1].values[1], 0.0f);
  EXPECT_EQ(model.properties[2].id, 7);
  EXPECT_EQ(model.elements[0].propertyId, 5);
  EXPECT_EQ(model.elements[1].propertyId, 0);
  EXPECT_EQ(model.elements[2].propertyId, 6);  // the later definition wins
}

TEST(LoadReader, FaultyLoadFileLeavesTheGeometry) {
  ScratchDir scratch;
  fixture::LoadFile loads;
  loads.materials = {{1, 1, {1}}};
  std::vector<char> bytes = fixture::EncodeLoadFile(loads);
  bytes.pop_back();
  fixture::WriteProjectFiles(scratch / "job", model_test::PointProject(2), nullptr);
  fixture::WriteBytes(scratch / "job.lqd", bytes);
  Model model;
  std::string printed = model_test::Printed([&] {
    Console console;
    EXPECT_EQ(ProjectReader(scratch / "job", model, console), 0);
  });
  EXPECT_EQ(printed, "error on reading the file\n  " + (scratch / "job.lqd") + "\n");
  EXPECT_EQ(model.nodeCount, 2);
  EXPECT_EQ(model.materialCount, 0);
  EXPECT_TRUE(model.materials.empty());
  printed = model_test::Printed([&] {
    Console console;
    EXPECT_EQ(LoadReader(scratch / "job", model, console), -1);
  });
}

}  // namespace
