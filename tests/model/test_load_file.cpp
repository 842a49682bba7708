// The load file reader: header checks, block order and sizes, short files,
// negative and oversized counts.
#include <gtest/gtest.h>

#include <cstring>

#include "model/load_file.h"
#include "model/project_file.h"
#include "tests/model/model_fixtures.h"

namespace {

using model_test::Printed;
using testing_support::ScratchDir;

struct Outcome {
  int result;
  std::string console;
};

Outcome Read(const std::string& path, int mode, LoadFileHeader& header, LoadFileBlocks* blocks) {
  Outcome outcome{};
  outcome.console = Printed([&] {
    Console console;
    outcome.result = ReadLoadFile(mode, path, header, blocks, console);
  });
  return outcome;
}

std::string ReadError(const std::string& path) { return "error on reading the file\n  " + path + "\n"; }

fixture::LoadFile EveryGroup() {
  fixture::LoadFile loads;
  loads.nodeLoads = {{1, 0, {5, 6}, {1, 2, 3}, 4}};
  fixture::DistributedLoad pressure{};
  pressure.loadSet = 2;
  pressure.list = {7, 8, 9};
  pressure.values = {0.5f, 0.5f};
  pressure.vectors = {{5, 1, 2, 3}};
  pressure.vectorMarker = -1;
  loads.distributedLoads = {pressure};
  loads.constraints = {{{1, 2}, 123}};
  loads.materials = {{1, 1, {210000, 80000, 0.3}}};
  loads.properties = {{7, 1, 1021, {2.5f}, {7, 8}}};
  return loads;
}

TEST(ReadLoadFile, EmptyFileIsJustTheHeader) {
  ScratchDir scratch;
  const std::vector<char> bytes = fixture::EncodeLoadFile({});
  EXPECT_EQ(bytes.size(), 120u);
  fixture::WriteBytes(scratch / "e.lqd", bytes);
  LoadFileHeader header;
  LoadFileBlocks blocks;
  EXPECT_EQ(Read(scratch / "e.lqd", kReadHeaderOnly, header, nullptr).result, 1);
  const Outcome outcome = Read(scratch / "e.lqd", kReadFull, header, &blocks);
  EXPECT_EQ(outcome.result, 1);
  EXPECT_EQ(outcome.console, "");
  EXPECT_EQ(header.fileKind, 3);
  EXPECT_EQ(header.version, 1);
}

TEST(ReadLoadFile, OneNodeLoadDefinitionTakes168Bytes) {
  fixture::LoadFile loads;
  loads.nodeLoads = {{3, 0, {11, 12}, {1.5f, 2.5f, 3.5f}, 9}};
  const std::vector<char> bytes = fixture::EncodeLoadFile(loads);
  ASSERT_EQ(bytes.size(), 168u);
  auto word = [&bytes](std::size_t offset) {
    int32_t value;
    std::memcpy(&value, &bytes[offset], 4);
    return value;
  };
  auto real = [&bytes](std::size_t offset) {
    float value;
    std::memcpy(&value, &bytes[offset], 4);
    return value;
  };
  EXPECT_EQ(word(0), 1);                      // one definition
  EXPECT_EQ(word(4), 2);                      // two list entries
  EXPECT_EQ(word(8), 6);                      // 6 words per definition
  EXPECT_EQ(word(12), 4);                     // 4 values per definition
  EXPECT_EQ(word(40), 3);                     // kind
  EXPECT_EQ(word(44), 1);                     // version
  EXPECT_EQ(word(120), 3);                    // definition: load set
  EXPECT_EQ(word(124), 2);                    //   node count
  EXPECT_EQ(word(136), 0);                    //   list start
  EXPECT_EQ(word(144), 11);                   // list
  EXPECT_EQ(word(148), 12);
  EXPECT_EQ(real(152), 1.5f);                 // value row: components, then scale
  EXPECT_EQ(real(164), 9.0f);

  ScratchDir scratch;
  fixture::WriteBytes(scratch / "n.lqd", bytes);
  LoadFileHeader header;
  LoadFileBlocks blocks;
  ASSERT_EQ(Read(scratch / "n.lqd", kReadFull, header, &blocks).result, 1);
  EXPECT_EQ(blocks.nodeLoadDefinitions, (std::vector<int32_t>{3, 2, 0, 0, 0, 0}));
  EXPECT_EQ(blocks.nodeLoadList, (std::vector<int32_t>{11, 12}));
  EXPECT_EQ(blocks.nodeLoadValues, (std::vector<float>{1.5f, 2.5f, 3.5f, 9}));
}

TEST(ReadLoadFile, ReadsEveryGroupInOrder) {
  ScratchDir scratch;
  fixture::WriteBytes(scratch / "g.lqd", fixture::EncodeLoadFile(EveryGroup()));
  LoadFileHeader header;
  LoadFileBlocks blocks;
  ASSERT_EQ(Read(scratch / "g.lqd", kReadFull, header, &blocks).result, 1);
  EXPECT_EQ(blocks.distLoadList, (std::vector<int32_t>{7, 8, 9}));
  EXPECT_EQ(blocks.distLoadValues, (std::vector<float>{0.5f, 0.5f}));
  EXPECT_EQ(blocks.nodeVectors, (std::vector<float>{5, 1, 2, 3}));
  EXPECT_EQ(blocks.constraintList, (std::vector<int32_t>{1, 2}));
  ASSERT_EQ(blocks.materialRecords.size(), 110u);
  EXPECT_EQ(blocks.materialRecords[2], 3.0);
  EXPECT_EQ(blocks.materialRecords[12], 0.3);
  EXPECT_EQ(blocks.propertyList, (std::vector<int32_t>{7, 8}));
  ASSERT_EQ(blocks.propertyValues.size(), 1u);
  float thickness;
  std::memcpy(&thickness, &blocks.propertyValues[0], 4);
  EXPECT_EQ(thickness, 2.5f);
}

TEST(ReadLoadFile, NodeVectorsExistOnlyWithDistributedLoads) {
  ScratchDir scratch;
  fixture::LoadFile loads = EveryGroup();
  loads.distributedLoads.clear();
  loads.materials.clear();  // the property group then follows the constraints directly
  std::vector<char> bytes = fixture::EncodeLoadFile(loads);
  fixture::PatchInt32(bytes, 72, 5);  // claims node vectors, but there is no distributed load group
  fixture::WriteBytes(scratch / "v.lqd", bytes);
  LoadFileHeader header;
  LoadFileBlocks blocks;
  ASSERT_EQ(Read(scratch / "v.lqd", kReadFull, header, &blocks).result, 1);
  EXPECT_TRUE(blocks.nodeVectors.empty());
  EXPECT_EQ(blocks.constraintList, (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(blocks.propertyList, (std::vector<int32_t>{7, 8}));
}

TEST(ReadLoadFile, WrongFilesAreRefusedWithTheirMessages) {
  ScratchDir scratch;
  LoadFileHeader header;
  const std::string missing = scratch / "none.lqd";
  Outcome outcome = Read(missing, kReadHeaderOnly, header, nullptr);
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.console, "\n***file " + missing + " can not be opened\n");

  // A project model file: kind 1 and version 2 in the same words; the version speaks first.
  fixture::WriteBytes(scratch / "m.lqd", fixture::EncodeProject(model_test::PointProject(40)));
  outcome = Read(scratch / "m.lqd", kReadHeaderOnly, header, nullptr);
  EXPECT_EQ(outcome.result, -5);
  EXPECT_EQ(outcome.console, "Old version of file can not be read");

  fixture::LoadFile otherKind;
  otherKind.fileKind = 1;
  fixture::WriteBytes(scratch / "k.lqd", fixture::EncodeLoadFile(otherKind));
  outcome = Read(scratch / "k.lqd", kReadFull, header, nullptr);
  EXPECT_EQ(outcome.result, -5);
  EXPECT_EQ(outcome.console, "File does not containe load data");

  std::vector<char> shortHeader = fixture::EncodeLoadFile({});
  shortHeader.resize(119);
  fixture::WriteBytes(scratch / "h.lqd", shortHeader);
  outcome = Read(scratch / "h.lqd", kReadHeaderOnly, header, nullptr);
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.console, ReadError(scratch / "h.lqd"));
}

TEST(ReadLoadFile, OneByteShortFailsOnlyTheFullRead) {
  ScratchDir scratch;
  std::vector<char> bytes = fixture::EncodeLoadFile(EveryGroup());
  bytes.pop_back();
  const std::string path = scratch / "s.lqd";
  fixture::WriteBytes(path, bytes);
  LoadFileHeader header;
  LoadFileBlocks blocks;
  EXPECT_EQ(Read(path, kReadHeaderOnly, header, nullptr).result, 1);
  const Outcome outcome = Read(path, kReadFull, header, &blocks);
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.console, ReadError(path));
}

TEST(ReadLoadFile, NegativeOrHugeCountsAreReadFailures) {
  ScratchDir scratch;
  const std::string path = scratch / "c.lqd";
  LoadFileHeader header;
  LoadFileBlocks blocks;
  // Every count and row width of a present group, negative and then huge.
  for (std::size_t word : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15, 16, 17, 18}) {
    for (int32_t value : {-1, -2147483647 - 1, 2147483647}) {
      std::vector<char> bytes = fixture::EncodeLoadFile(EveryGroup());
      fixture::PatchInt32(bytes, 4 * word, value);
      fixture::WriteBytes(path, bytes);
      EXPECT_EQ(Read(path, kReadHeaderOnly, header, nullptr).result, 1);
      const Outcome outcome = Read(path, kReadFull, header, &blocks);
      EXPECT_EQ(outcome.result, -1) << word << " " << value;
      EXPECT_EQ(outcome.console, ReadError(path)) << word << " " << value;
    }
  }
  // Counts of an absent group mean nothing.
  fixture::LoadFile onlyMaterials;
  onlyMaterials.materials = {{1, 1, {1}}};
  std::vector<char> bytes = fixture::EncodeLoadFile(onlyMaterials);
  fixture::PatchInt32(bytes, 4, -7);
  fixture::WriteBytes(path, bytes);
  EXPECT_EQ(Read(path, kReadFull, header, &blocks).result, 1);
}

}  // namespace
