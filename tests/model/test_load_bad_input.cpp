// Load file definitions that point outside their blocks are skipped whole and
// counted; everything else of the file is kept.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <limits>

#include "model/load_file.h"
#include "tests/model/model_fixtures.h"

namespace {

using testing_support::ScratchDir;

std::string Skipped(int count) {
  return std::to_string(count) + " load file definitions point outside their data and were skipped\n";
}

// Offsets of the blocks of a file with the given header counts.
std::size_t NodeLoadDefinition(int row) { return fixture::kLoadHeaderBytes + 4 * 6 * static_cast<std::size_t>(row); }

fixture::DistributedLoad Pressure(std::vector<int32_t> elements) {
  fixture::DistributedLoad load{};
  load.loadSet = 1;
  load.list = std::move(elements);
  load.values = {3};
  return load;
}

struct Loaded {
  Model model;
  std::string console;
  std::string loadPath;  // the load file's name as the reader saw it
};

void ReadWith(const std::vector<char>& loadBytes, Loaded& loaded, int nodes = 4) {
  ScratchDir scratch;
  fixture::WriteProjectFiles(scratch / "job", model_test::PointProject(nodes), nullptr);
  loaded.loadPath = scratch / "job.lqd";
  fixture::WriteBytes(loaded.loadPath, loadBytes);
  loaded.console = model_test::Printed([&] {
    Console console;
    EXPECT_EQ(ProjectReader(scratch / "job", loaded.model, console), 0);
  });
}

TEST(LoadBadInput, NodeLoadSlicesAndValueRowsOutsideTheirBlocks) {
  fixture::LoadFile loads;
  loads.nodeLoads = {{1, 0, {1, 2}, {1, 0, 0}, 1}, {2, 0, {3}, {0, 1, 0}, 1}, {3, 0, {4}, {0, 0, 1}, 1}};
  for (const auto& [word, value] : std::vector<std::pair<int, int32_t>>{
           {4, 4}, {4, -1}, {1, 5}, {1, -1}, {4, INT_MAX}, {1, INT_MAX}}) {
    std::vector<char> bytes = fixture::EncodeLoadFile(loads);
    fixture::PatchInt32(bytes, NodeLoadDefinition(1) + 4 * static_cast<std::size_t>(word), value);
    Loaded loaded;
    ReadWith(bytes, loaded);
    EXPECT_EQ(loaded.console, Skipped(1)) << word << " " << value;
    ASSERT_EQ(loaded.model.nodeLoadCount, 3) << word << " " << value;
    EXPECT_EQ(loaded.model.nodeLoads[2].loadSet, 3);
  }
  // Value rows narrower than the four floats a definition takes: the last row reaches past the block.
  std::vector<char> bytes = fixture::EncodeLoadFile(loads);
  fixture::PatchInt32(bytes, 12, 3);
  bytes.resize(bytes.size() - 12);
  Loaded loaded;
  ReadWith(bytes, loaded);
  EXPECT_EQ(loaded.console, Skipped(1));
  EXPECT_EQ(loaded.model.nodeLoadCount, 3);  // rows 0 and 1 still lie inside the block
}

TEST(LoadBadInput, DistributedLoadListsValuesAndVectorsOutsideTheirBlocks) {
  fixture::LoadFile loads;
  fixture::DistributedLoad vectors = Pressure({});
  vectors.vectorMarker = 1;
  vectors.vectors = {{1, 1, 0, 0}, {2, 0, 1, 0}};
  fixture::DistributedLoad many = Pressure({1, 2, 3});
  many.values = {1, 2, 3, 4};
  loads.distributedLoads = {vectors, many, Pressure({4})};
  const std::size_t definitions = fixture::kLoadHeaderBytes;
  auto word = [definitions](int row, int k) {
    return definitions + 4 * (17 * static_cast<std::size_t>(row) + static_cast<std::size_t>(k));
  };
  const std::vector<std::pair<std::size_t, int32_t>> damages = {
      {word(1, 13), 2},          // list slice 2..4 of a 4-entry list
      {word(1, 10), INT_MAX},    // list slice length
      {word(2, 6), 5},           // the last value row is 4 words wide
      {word(0, 14), 1},          // node vectors 1..2 of 2
      {word(0, 12), -3},         // a negative vector count
  };
  for (const auto& [offset, value] : damages) {
    std::vector<char> bytes = fixture::EncodeLoadFile(loads);
    fixture::PatchInt32(bytes, offset, value);
    Loaded loaded;
    ReadWith(bytes, loaded);
    EXPECT_EQ(loaded.console, Skipped(1)) << offset;
    const bool vectorDamage = offset == word(0, 14) || offset == word(0, 12);
    EXPECT_EQ(loaded.model.nodeLoadCount, vectorDamage ? 0 : 2) << offset;
    EXPECT_EQ(loaded.model.distributedLoadCount, vectorDamage ? 4 : (offset == word(2, 6) ? 3 : 1)) << offset;
  }
}

TEST(LoadBadInput, ConstraintMaterialAndPropertyDefinitionsOutsideTheirData) {
  fixture::LoadFile loads;
  loads.constraints = {{{1, 2}, 123}, {{3}, 3}};
  loads.materials = {{1, 1, {1, 2, 3}}, {2, 1, {4}}};
  loads.properties = {{5, 1, 1021, {1, 2}, {1}}, {6, 1, 1021, {3}, {2, 3}}};
  std::vector<char> bytes = fixture::EncodeLoadFile(loads);
  const std::size_t constraints = fixture::kLoadHeaderBytes;
  const std::size_t materials = constraints + 4 * (2 * 8 + 3);
  const std::size_t properties = materials + 2 * 880;
  fixture::PatchInt32(bytes, constraints + 4 * 7, 2);  // first constraint: nodes 2..3 of a 3-entry list
  double tooMany = 101;
  std::memcpy(&bytes[materials + 16], &tooMany, sizeof tooMany);
  fixture::PatchInt32(bytes, properties + 4 * (9 + 8), 3);  // second property: value 3 of a 3-word block
  Loaded loaded;
  ReadWith(bytes, loaded);
  EXPECT_EQ(loaded.console, Skipped(3));
  EXPECT_EQ(loaded.model.nodes[0].constraintCode, 0);
  EXPECT_EQ(loaded.model.nodes[2].constraintCode, 3);
  ASSERT_EQ(loaded.model.materialCount, 1);
  EXPECT_EQ(loaded.model.materials[0].id, 2);
  ASSERT_EQ(loaded.model.propertyCount, 1);
  EXPECT_EQ(loaded.model.properties[0].id, 5);
  EXPECT_EQ(loaded.model.elements[0].propertyId, 5);
  EXPECT_EQ(loaded.model.elements[1].propertyId, 0);

  // n = 100 fills every value slot and is fine; a negative n gives no values.
  loads.materials = {{1, 1, std::vector<double>(100, 7.0)}, {2, 1, {}, -4}};
  Loaded full;
  ReadWith(fixture::EncodeLoadFile(loads), full);
  EXPECT_EQ(full.console, "");
  EXPECT_EQ(full.model.materials[0].values[99], 7.0);
  EXPECT_EQ(full.model.materials[1].values[0], 0.0);
}

TEST(LoadBadInput, OverlappingSlicesAreMappedOncePerDefinition) {
  // Scattered numbering: a slice shared by two definitions would, if mapped in
  // place, turn positions into numbers a second time.
  ScratchDir scratch;
  fixture::Project project;
  project.nodes = {{30, 0, 0, 0}, {10, 1, 0, 0}, {20, 2, 0, 0}};
  project.elements = {{1, 1, 202, {1}}};
  fixture::LoadFile loads;
  loads.nodeLoads = {{1, 0, {10, 20}, {1, 0, 0}, 1}, {2, 0, {}, {0, 1, 0}, 1}};
  std::vector<char> bytes = fixture::EncodeLoadFile(loads);
  // The second definition reuses the first's nodes.
  fixture::PatchInt32(bytes, NodeLoadDefinition(1) + 4, 2);
  fixture::PatchInt32(bytes, NodeLoadDefinition(1) + 16, 0);
  fixture::WriteProjectFiles(scratch / "job", project, nullptr);
  fixture::WriteBytes(scratch / "job.lqd", bytes);
  Model model;
  const std::string printed = model_test::Printed([&] {
    Console console;
    ProjectReader(scratch / "job", model, console);
  });
  EXPECT_EQ(printed, "");
  ASSERT_EQ(model.nodeLoadCount, 4);
  EXPECT_EQ(model.nodeLoads[2].nodeNumber, 10);
  EXPECT_EQ(model.nodeLoads[3].nodeNumber, 20);
  EXPECT_EQ(model.nodeLoads[3].loadSet, 2);
}

TEST(LoadBadInput, SharedEntriesAreBoundedPerList) {
  // Every definition takes the one entry of the list. The list's length plus
  // 1024 entries are served; the definitions beyond are skipped.
  fixture::LoadFile loads;
  const int definitions = 1030;
  loads.nodeLoads.assign(definitions, fixture::NodeLoad{1, 0, {}});
  loads.nodeLoads[0].nodes = {2};
  std::vector<char> bytes = fixture::EncodeLoadFile(loads);
  for (int row = 1; row < definitions; ++row) {
    fixture::PatchInt32(bytes, NodeLoadDefinition(row) + 4, 1);
    fixture::PatchInt32(bytes, NodeLoadDefinition(row) + 16, 0);
  }
  Loaded loaded;
  ReadWith(bytes, loaded);
  EXPECT_EQ(loaded.console, Skipped(5));
  EXPECT_EQ(loaded.model.nodeLoadCount, 1025);
}

TEST(LoadBadInput, CountsTheFileCannotHoldRejectTheLoadFile) {
  // A bare 120-byte header whose count (header word) has rows of the given
  // width: rows of 0 words take no bytes, and a count of 2^31 rows of 2^31
  // words (or of 880-byte material records) needs more memory than any
  // machine has. Either way the load file is refused as a whole, before
  // anything is allocated, and the geometry stays.
  struct Case {
    int countWord;
    int32_t count;
    int widthWord;
    int32_t width;
    std::string message;  // empty: the file is too short for its count
  };
  const std::vector<Case> cases = {
      {0, 1000000, 2, 0, "1000000 node load definitions"},
      {4, INT_MAX, 6, 0, "2147483647 distributed load definitions"},
      {8, 7, 12, 0, "7 constraint definitions"},
      {14, 65536, 16, 0, "65536 property definitions"},
      {0, INT_MAX, 2, INT_MAX, ""},
      {13, INT_MAX, 13, INT_MAX, ""},
  };
  for (const Case& c : cases) {
    std::vector<char> header(fixture::kLoadHeaderBytes, 0);
    fixture::PatchInt32(header, 40, 3);  // kind
    fixture::PatchInt32(header, 44, 1);  // version
    fixture::PatchInt32(header, 4 * static_cast<std::size_t>(c.widthWord), c.width);
    fixture::PatchInt32(header, 4 * static_cast<std::size_t>(c.countWord), c.count);
    Loaded loaded;
    ReadWith(header, loaded);
    const std::string& path = loaded.loadPath;
    EXPECT_EQ(loaded.console, c.message.empty()
                                  ? "error on reading the file\n  " + path + "\n"
                                  : "warning: load file " + path + " ignored: " + c.message + " of 0 words each\n")
        << c.countWord;
    const Model& model = loaded.model;
    EXPECT_EQ(model.nodeCount, 4);
    EXPECT_EQ(model.elementCount, 4);
    EXPECT_EQ(model.nodeLoadCount + model.distributedLoadCount + model.materialCount + model.propertyCount, 0);
    EXPECT_TRUE(model.nodeLoads.empty() && model.distributedLoads.empty() && model.materials.empty() &&
                model.properties.empty());
  }
}

TEST(LoadBadInput, ExtremeFileValuesDoNotOverflow) {
  fixture::LoadFile loads;
  fixture::NodeLoad offset{1, 0, {2}};
  offset.frameOffset = INT_MAX;
  loads.nodeLoads = {offset};
  fixture::DistributedLoad counts = Pressure({1});
  counts.valueCount1 = INT_MAX;
  counts.valueCount2 = INT_MAX;  // the sum exceeds int32; the cap still gives 32 ...
  counts.values = std::vector<float>(32, 1);
  fixture::DistributedLoad negative = Pressure({2});
  negative.valueCount1 = INT_MIN;
  negative.valueCount2 = -1;  // ... and a negative sum gives 0
  fixture::DistributedLoad vectors = Pressure({});
  vectors.vectorMarker = 1;
  vectors.vectors = {{3e9f, 0, 0, 0}, {std::numeric_limits<float>::quiet_NaN(), 0, 0, 0}};
  loads.distributedLoads = {counts, negative, vectors};
  loads.constraints = {{{1}, INT_MIN}, {{1}, 35}};
  loads.materials = {{1e300, std::numeric_limits<double>::quiet_NaN(), {}, -1e300}};
  Loaded loaded;
  ReadWith(fixture::EncodeLoadFile(loads), loaded);
  EXPECT_EQ(loaded.console, "Die Lastdatei enth\xE4" "lt 2 externe Knotennummern,\n die nicht existieren");
  EXPECT_EQ(loaded.model.nodeLoads[0].frameId, INT_MIN + 1);  // 2 + INT_MAX, wrapped as in 32 bits
  EXPECT_EQ(loaded.model.distributedLoads[0].valueCount, 32);
  EXPECT_EQ(loaded.model.distributedLoads[1].valueCount, 0);
  // -2147483648 holds the digits 1 2 3 4 6; merged with 35 they give all six.
  EXPECT_EQ(loaded.model.nodes[0].constraintCode, 123456);
  EXPECT_EQ(loaded.model.materials[0].id, INT_MAX);
  EXPECT_EQ(loaded.model.materials[0].kind, 0);
}

}  // namespace
