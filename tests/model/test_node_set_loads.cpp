// Distributed loads given by a node set: the loaded faces of solids and the
// shells and lines whose corner nodes all lie in the set.
#include <gtest/gtest.h>

#include "tests/model/model_fixtures.h"

namespace {

using model_test::WriteAndRead;
using testing_support::ScratchDir;

fixture::DistributedLoad NodeSet(std::vector<int32_t> nodes) {
  fixture::DistributedLoad load{};
  load.loadSet = 1;
  load.list = std::move(nodes);
  load.nodeSet = true;
  load.values = {2, 2, 2, 2};
  load.face0 = 9;  // never used for node sets
  return load;
}

// Two hexahedra side by side (nodes 1-12, numbered 100 + position), a
// quadrilateral on the top of the first, a wedge and a tetrahedron on their
// own nodes, a bar, and an element of unknown kind.
fixture::Project Solids() {
  fixture::Project project;
  project.nodes = model_test::NodeRow(22, 101);
  // Bottom 1 2 3 / 4 5 6 (x along, y across), top 7 8 9 / 10 11 12.
  project.elements = {
      {11, 80, 61, {1, 2, 5, 4, 7, 8, 11, 10}},
      {12, 80, 61, {2, 3, 6, 5, 8, 9, 12, 11}},
      {13, 40, 21, {7, 8, 11, 10}},
      {14, 60, 61, {13, 14, 15, 16, 17, 18}},
      {15, 70, 61, {19, 20, 21, 22}},
      {16, 20, 111, {7, 8, 9, 0, 0}},
      {17, 99, 0, {7, 8}},
  };
  return project;
}

std::vector<std::pair<int32_t, int32_t>> ElementsAndFaces(const Model& model) {
  std::vector<std::pair<int32_t, int32_t>> found;
  for (int32_t i = 0; i < model.distributedLoadCount; ++i)
    found.emplace_back(model.distributedLoads[static_cast<std::size_t>(i)].elementNumber,
                       model.distributedLoads[static_cast<std::size_t>(i)].faceNumber);
  return found;
}

using Found = std::vector<std::pair<int32_t, int32_t>>;

Found Load(const std::vector<fixture::DistributedLoad>& definitions, std::string* console = nullptr) {
  ScratchDir scratch;
  fixture::LoadFile loads;
  loads.distributedLoads = definitions;
  Model model;
  const model_test::ReadResult read = WriteAndRead(scratch, Solids(), &loads, model);
  EXPECT_EQ(read.result, 0);
  if (console != nullptr) *console = read.console;
  EXPECT_EQ(static_cast<std::size_t>(model.distributedLoadCount), model.distributedLoads.size());
  return ElementsAndFaces(model);
}

TEST(NodeSetLoads, OneHexahedronFaceAndTheShellOnIt) {
  // The top of hexahedron 11 is its face 6 (slots 5 6 7 8); the quadrilateral
  // lies on the same nodes, and the bar's two ends are among them too.
  std::string console;
  EXPECT_EQ(Load({NodeSet({107, 108, 111, 110})}, &console), (Found{{11, 6}, {13, 0}, {16, 0}}));
  EXPECT_EQ(console, "");
  // Face 1 (slots 4 3 2 1), given in any order.
  EXPECT_EQ(Load({NodeSet({105, 101, 104, 102})}), (Found{{11, 1}}));
}

TEST(NodeSetLoads, AWholeHexahedronGivesItsSixFacesInOrder) {
  // Its neighbour's face 5 is the shared side, covered as well.
  EXPECT_EQ(Load({NodeSet({101, 102, 104, 105, 107, 108, 110, 111})}),
            (Found{{11, 1}, {11, 2}, {11, 3}, {11, 4}, {11, 5}, {11, 6}, {12, 5}, {13, 0}, {16, 0}}));
  // Both hexahedra: the first's six faces, then the second's, the shared face in each.
  const Found both = Load({NodeSet({101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112})});
  ASSERT_EQ(both.size(), 14u);
  EXPECT_EQ(both[6], (std::pair<int32_t, int32_t>{12, 1}));
  EXPECT_EQ(both[11], (std::pair<int32_t, int32_t>{12, 6}));
  EXPECT_EQ(both[12], (std::pair<int32_t, int32_t>{13, 0}));
}

TEST(NodeSetLoads, WedgeAndTetrahedronFacesWithThreeCorners) {
  EXPECT_EQ(Load({NodeSet({113, 114, 115})}), (Found{{14, 1}}));
  EXPECT_EQ(Load({NodeSet({116, 117, 118, 113, 114})}), (Found{{14, 2}, {14, 5}}));
  EXPECT_EQ(Load({NodeSet({119, 120, 122})}), (Found{{15, 2}}));
  EXPECT_EQ(Load({NodeSet({119, 120, 121, 122})}), (Found{{15, 1}, {15, 2}, {15, 3}, {15, 4}}));
}

TEST(NodeSetLoads, DefinitionsKeepTheirOwnSetsAndUnknownNodesAreCounted) {
  std::string console;
  fixture::DistributedLoad second = NodeSet({113, 114, 115, 999});
  second.loadSet = 2;
  const Found found = Load({NodeSet({107, 108, 111, 110, 0}), second}, &console);
  EXPECT_EQ(found, (Found{{11, 6}, {13, 0}, {16, 0}, {14, 1}}));
  EXPECT_EQ(console, "Die Lastdatei enth\xE4" "lt 2 externe Knotennummern,\n die nicht existieren");
  // A set that touches elements without covering a face gives nothing.
  EXPECT_EQ(Load({NodeSet({101, 102, 108})}), (Found{}));
}

TEST(NodeSetLoads, SequentialNumberingUsesPositionsDirectly) {
  ScratchDir scratch;
  fixture::Project project;
  project.nodes = model_test::NodeRow(4);
  project.elements = {{1, 40, 21, {1, 2, 3, 4}}, {2, 30, 21, {1, 2, 3}}};
  fixture::LoadFile loads;
  loads.distributedLoads = {NodeSet({4, 3, 2, 1})};
  Model model;
  ASSERT_EQ(WriteAndRead(scratch, project, &loads, model).result, 0);
  EXPECT_EQ(ElementsAndFaces(model), (Found{{1, 0}, {2, 0}}));
  const DistributedLoadRecord& record = model.distributedLoads[0];
  EXPECT_EQ(record.valueCount, 4);
  EXPECT_EQ(record.values[3], 2.0f);
  EXPECT_EQ(record.cardKind, 14);
}

}  // namespace
