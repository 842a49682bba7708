// The project model file reader: header checks, block layout, short files.
#include <gtest/gtest.h>

#include <cstring>

#include "model/project_file.h"
#include "tests/model/model_fixtures.h"

namespace {

using model_test::Printed;
using testing_support::ScratchDir;

struct Outcome {
  int result;
  std::string console;
};

Outcome Read(const std::string& path, int mode, ProjectHeader& header, ProjectTables* tables) {
  Outcome outcome{};
  outcome.console = Printed([&] {
    Console console;
    outcome.result = ReadProjectFile(mode, path, header, tables, console);
  });
  return outcome;
}

fixture::Project TwoQuads() {
  fixture::Project project;
  project.nodes = model_test::NodeRow(6, 101);
  project.elements = {{7, 40, 21, {1, 2, 5, 4}}, {8, 40, 21, {2, 3, 6, 5}}};
  project.frames = {{3, 1}};
  return project;
}

TEST(ReadProjectFile, ReadsEveryUsedBlockWithItsSlotZero) {
  ScratchDir scratch;
  fixture::Project project = TwoQuads();
  project.auxWords = 3;
  project.auxBytes = 5;
  project.trailingBytes = 7;
  project.entryWords = 10;
  fixture::WriteBytes(scratch / "p.fes", fixture::EncodeProject(project));
  ProjectHeader header;
  ProjectTables tables;
  const Outcome outcome = Read(scratch / "p.fes", kReadFull, header, &tables);
  EXPECT_EQ(outcome.result, 1);
  EXPECT_EQ(outcome.console, "");
  EXPECT_EQ(header.nodeCount, 6);
  EXPECT_EQ(header.elementCount, 2);
  EXPECT_EQ(header.entryWords, 10);
  ASSERT_EQ(tables.nodes.entries, 7u);
  int32_t numbers[6];
  float coordinates[18];
  ASSERT_TRUE(ReadNodeEntries(tables, 1, 6, numbers, coordinates));
  EXPECT_EQ(numbers[0], 101);
  EXPECT_EQ(numbers[5], 106);
  EXPECT_EQ(coordinates[3 * 5], 5.0f);
  EXPECT_FALSE(ReadNodeEntries(tables, 2, 6, numbers, coordinates));  // past the table
  ASSERT_EQ(tables.elements.entries, 3u);
  int32_t entry[20];
  ASSERT_TRUE(ReadElementEntries(tables, 2, 1, entry));
  EXPECT_EQ(entry[0], 8);  // entry 2, word 0
  EXPECT_EQ(entry[5], 3);  // entry 2, node slot 2
  EXPECT_FALSE(ReadElementEntries(tables, 2, 2, entry));  // past the table
  ASSERT_EQ(tables.frames.size(), 42u);
  EXPECT_EQ(tables.frames[11], 3);     // after the auxiliary blocks, at the right place
}

TEST(ReadProjectFile, VersionIsCheckedBeforeMarkerAndOnlyVersionSpeaks) {
  ScratchDir scratch;
  std::vector<char> bytes = fixture::EncodeProject(TwoQuads());
  ProjectHeader header;
  for (int32_t version : {1, 3}) {
    std::vector<char> wrong = bytes;
    fixture::PatchInt32(wrong, 44, version);
    fixture::PatchInt32(wrong, 40, 0);  // a bad marker too: the version message still wins
    fixture::WriteBytes(scratch / "v.fes", wrong);
    const Outcome outcome = Read(scratch / "v.fes", kReadHeaderOnly, header, nullptr);
    EXPECT_EQ(outcome.result, -5);
    EXPECT_EQ(outcome.console, "\n***Version-Number is not correct: File can not be read");
  }
  fixture::PatchInt32(bytes, 40, 2);
  fixture::WriteBytes(scratch / "m.fes", bytes);
  for (int mode : {kReadHeaderOnly, kReadFull}) {
    const Outcome outcome = Read(scratch / "m.fes", mode, header, nullptr);
    EXPECT_EQ(outcome.result, -5);
    EXPECT_EQ(outcome.console, "");
  }
}

TEST(ReadProjectFile, MissingFileAndShortFilesGiveTheirMessages) {
  ScratchDir scratch;
  ProjectHeader header;
  const std::string missing = scratch / "none.fes";
  Outcome outcome = Read(missing, kReadHeaderOnly, header, nullptr);
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.console, "file " + missing + " \ncould not be opened");

  std::vector<char> bytes = fixture::EncodeProject(TwoQuads());
  const std::string path = scratch / "t.fes";
  fixture::WriteBytes(path, std::vector<char>(bytes.begin(), bytes.end() - 1));
  outcome = Read(path, kReadHeaderOnly, header, nullptr);
  EXPECT_EQ(outcome.result, 1);  // the header alone is intact
  EXPECT_EQ(outcome.console, "");
  ProjectTables tables;
  outcome = Read(path, kReadFull, header, &tables);
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.console, "error on reading the file\n  " + path + "\n");

  fixture::WriteBytes(path, std::vector<char>(bytes.begin(), bytes.begin() + 47));
  outcome = Read(path, kReadHeaderOnly, header, nullptr);
  EXPECT_EQ(outcome.result, -1);
  EXPECT_EQ(outcome.console, "error on reading the file\n  " + path + "\n");
}

TEST(ReadProjectFile, HugeCountsInASmallFileFailWithoutAllocating) {
  ScratchDir scratch;
  const std::string path = scratch / "h.fes";
  ProjectHeader header;
  ProjectTables tables;
  // Each of these headers promises gigabytes; the file holds a few hundred bytes.
  const std::vector<std::pair<std::size_t, int32_t>> patches = {
      {0, 2147483647}, {4, 2147483647}, {8, 2147483647}, {12, 2147483647}, {16, 2147483647}};
  for (const auto& [offset, value] : patches) {
    std::vector<char> bytes = fixture::EncodeProject(TwoQuads());
    fixture::PatchInt32(bytes, offset, value);
    if (offset == 4) fixture::PatchInt32(bytes, 8, 2147483647);  // E and W both at the limit
    fixture::WriteBytes(path, bytes);
    const Outcome outcome = Read(path, kReadFull, header, &tables);
    EXPECT_EQ(outcome.result, -1) << offset;
    EXPECT_EQ(outcome.console, "error on reading the file\n  " + path + "\n") << offset;
  }
}

TEST(ReadProjectFile, AbsentBlocksTakeNoBytes) {
  ScratchDir scratch;
  const std::string path = scratch / "a.fes";
  ProjectHeader header;
  ProjectTables tables;

  // W = 0: no element table and no side tables although E > 0; the frame
  // table follows the coordinates directly.
  std::vector<char> bytes = fixture::EncodeProject(TwoQuads());  // W = 8
  const std::size_t entryBytes = 4 * 3 * 8 + 2 * 4 * 3;  // (E+1) x W words + two side tables
  std::vector<char> shortened = bytes;
  const auto elementTable = shortened.begin() + 48 + 4 * 7 + 12 * 7;
  shortened.erase(elementTable, elementTable + static_cast<std::ptrdiff_t>(entryBytes));
  fixture::PatchInt32(shortened, 8, 0);
  fixture::WriteBytes(path, shortened);
  ASSERT_EQ(Read(path, kReadFull, header, &tables).result, 1);
  EXPECT_EQ(tables.elements.entries, 0u);
  EXPECT_EQ(tables.frames[11], 3);

  // B > 0 with M = 0: no auxiliary byte block.
  fixture::Project bytesOnly = TwoQuads();
  bytesOnly.auxBytes = 64;  // the encoder writes no block for it either
  fixture::WriteBytes(path, fixture::EncodeProject(bytesOnly));
  ASSERT_EQ(Read(path, kReadFull, header, &tables).result, 1);
  EXPECT_EQ(header.auxBytes, 64);
  EXPECT_EQ(tables.frames[11], 3);

  // Bytes after the last block are ignored.
  bytes = fixture::EncodeProject(TwoQuads());
  bytes.insert(bytes.end(), 100, '\x7f');
  fixture::WriteBytes(path, bytes);
  EXPECT_EQ(Read(path, kReadFull, header, &tables).result, 1);
}

}  // namespace
