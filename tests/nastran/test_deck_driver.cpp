// The deck driver: header and case control, subcases, SPC1 cards, section
// order, geometry-only and split decks, and the failure paths of the output.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "model/project_reader.h"
#include "nastran/bulk_data_writer.h"
#include "tests/support/test_support.h"
#include "tools/fixture_writer.h"

namespace {

using testing_support::FileExists;
using testing_support::ReadWholeFile;
using testing_support::ScratchDir;

// The date of SOURCE_DATE_EPOCH=315626635.
constexpr const char* kFixedEpoch = "315626635";
constexpr const char* kFixedDate = "Wed Jan 02 02:03:55 1980";

class DeckDriver : public testing::Test {
 protected:
  void SetUp() override { setenv("SOURCE_DATE_EPOCH", kFixedEpoch, 1); }
  void TearDown() override { unsetenv("SOURCE_DATE_EPOCH"); }
  ScratchDir dir;
  Console console;
};

NodeRecord Node(int32_t number, int32_t code = 0, float x = 0) {
  NodeRecord node{};
  node.coordinates[0] = x;
  node.externalNumber = number;
  node.dofCount = 6;
  node.constraintCode = code;
  node.nodeKind = 'G';
  return node;
}

void SetNodes(Model& model, std::vector<NodeRecord> nodes) {
  model.nodes.assign(nodes.begin(), nodes.end());
  model.nodeCount = static_cast<int32_t>(model.nodes.size());
  for (int32_t i = 0; i < model.nodeCount; ++i) {
    if (model.nodes[static_cast<std::size_t>(i)].externalNumber != i + 1) model.nodeNumbersNonSequential = true;
  }
}

void SetLoadSets(Model& model, std::vector<int32_t> distributed, std::vector<int32_t> nodeLoads) {
  for (int32_t set : distributed) {
    DistributedLoadRecord record{};
    record.loadSet = set;  // card kind 0: no card
    model.distributedLoads.push_back(record);
  }
  for (int32_t set : nodeLoads) {
    NodeLoadRecord record{};
    record.nodeNumber = 1;
    record.loadSet = set;
    record.scale = 1;
    record.components[0] = 1;
    model.nodeLoads.push_back(record);
  }
  model.distributedLoadCount = static_cast<int32_t>(model.distributedLoads.size());
  model.nodeLoadCount = static_cast<int32_t>(model.nodeLoads.size());
}

std::string Between(const std::string& text, const std::string& from, const std::string& to) {
  const std::size_t start = text.find(from);
  if (start == std::string::npos) return "<missing " + from + ">";
  const std::size_t end = text.find(to, start + from.size());
  if (end == std::string::npos) return "<missing " + to + ">";
  return text.substr(start + from.size(), end - start - from.size());
}

std::string CaseControl(const std::string& deck) { return deck.substr(0, deck.find("$\n$ node data\n")); }

std::string Header(const std::string& title) {
  return "$ Project file: " + title + "\n$ Date:  " + kFixedDate + "\n$\nSOL 101\nCEND\n$\nTITLE=" + title +
         "\nECHO=BOTH\nDISP=ALL\nFORCE=ALL\nSPCF=ALL\nSTRESS=ALL\n";
}

// --- case control ---------------------------------------------------------

class CaseControlTest : public DeckDriver {
 protected:
  std::string Write(Model& model, int writeConstraints, std::string title = "plate") {
    std::string path = dir / "deck.bdf";
    EXPECT_EQ(BulkDataWriter(path, model, title, 0, 0, writeConstraints, console), 0);
    return ReadWholeFile(dir / "deck.bdf");
  }
};

TEST_F(CaseControlTest, OneSubcasePerLoadSetInOrderOfFirstAppearance) {
  Model model;
  SetNodes(model, {Node(1)});
  SetLoadSets(model, {5, 5, 3}, {3, 7});
  EXPECT_EQ(CaseControl(Write(model, 0)), Header("plate") +
                                              "SUBCASE 1\nSUBTITLE = Load case  5\nLOAD=5\n"
                                              "SUBCASE 2\nSUBTITLE = Load case  3\nLOAD=3\n"
                                              "SUBCASE 3\nSUBTITLE = Load case  7\nLOAD=7\n"
                                              "$\n$\nBEGIN BULK\n");
}

TEST_F(CaseControlTest, ConstraintSetIsRequestedAboveTheFirstSubcase) {
  Model model;
  SetNodes(model, {Node(1, 123)});
  SetLoadSets(model, {}, {2, 2, 9});
  EXPECT_EQ(CaseControl(Write(model, 1)), Header("plate") +
                                              "SPC=100\n"
                                              "SUBCASE 1\nSUBTITLE = Load case  2\nLOAD=2\n"
                                              "SUBCASE 2\nSUBTITLE = Load case  9\nLOAD=9\n"
                                              "$\n$\nBEGIN BULK\n");
}

TEST_F(CaseControlTest, LeadingZeroSetsAndRepeatsAcrossTheTwoListsAreSkipped) {
  Model model;
  SetNodes(model, {Node(1)});
  SetLoadSets(model, {0, 0, 4}, {4, 4});
  EXPECT_EQ(CaseControl(Write(model, 1)),
            Header("plate") + "SUBCASE 1\nSUBTITLE = Load case  4\nLOAD=4\n$\n$\nBEGIN BULK\n");
  Model empty;
  SetNodes(empty, {Node(1, 123)});
  EXPECT_EQ(CaseControl(Write(empty, 1)), Header("plate") + "SPC=100\n$\n$\nBEGIN BULK\n");
  Model noConstraints;
  SetNodes(noConstraints, {Node(1)});
  EXPECT_EQ(CaseControl(Write(noConstraints, 0)), Header("plate") + "$\n$\nBEGIN BULK\n");
}

TEST_F(CaseControlTest, TitleLosesAShortExtensionInTheCallersString) {
  Model model;
  SetNodes(model, {Node(1)});
  std::string title = "model.fes";
  std::string path = dir / "deck.bdf";
  ASSERT_EQ(BulkDataWriter(path, model, title, 0, 0, 0, console), 0);
  EXPECT_EQ(title, "model");
  EXPECT_EQ(CaseControl(ReadWholeFile(path)), Header("model") + "$\n$\nBEGIN BULK\n");

  for (const std::string& kept : std::vector<std::string>{"beam.data", "beam", "dir.v1/beam", std::string(300, 't')}) {
    Model again;
    SetNodes(again, {Node(1)});
    EXPECT_EQ(CaseControl(Write(again, 0, kept)), Header(kept) + "$\n$\nBEGIN BULK\n");
  }
}

TEST_F(CaseControlTest, PropertyTypeCodesOfAGroupShareOneCode) {
  const std::vector<std::pair<int32_t, int32_t>> rewrites = {
      {1000, 1001}, {1009, 1001}, {1010, 1011}, {1015, 1011}, {1022, 1021}, {1039, 1031}, {1040, 1040},
      {999, 999},   {1103, 1103}, {1104, 1103}, {1106, 1105}, {1110, 1110}, {1111, 1110}, {1112, 1110},
      {1114, 1113}, {1115, 1113}, {1116, 1116}, {1121, 1120}, {1122, 1120}, {1124, 1123}, {1125, 1123},
      {1127, 1126}, {1128, 1126}, {1131, 1130}, {1132, 1132}};
  Model model;
  SetNodes(model, {Node(1)});
  for (const auto& [code, unused] : rewrites) {
    PropertyRecord record{};
    record.id = static_cast<int32_t>(model.properties.size()) + 1;
    record.typeCode = code;
    model.properties.push_back(record);
  }
  model.propertyCount = static_cast<int32_t>(model.properties.size());
  Model geometry = model;
  Write(model, 1);
  std::string title = "plate";
  std::string path = dir / "geometry.bdf";
  ASSERT_EQ(BulkDataWriter(path, geometry, title, 1, 0, 1, console), 0);
  for (std::size_t i = 0; i < rewrites.size(); ++i) {
    EXPECT_EQ(model.properties[i].typeCode, rewrites[i].second) << rewrites[i].first;
    EXPECT_EQ(geometry.properties[i].typeCode, rewrites[i].first) << "geometry-only keeps the codes";
  }
}

// --- SPC1 cards -------------------------------------------------------------

class ConstraintCards : public DeckDriver {
 protected:
  // The constraints section of a geometry-only deck of these nodes.
  std::string Spc1(std::vector<NodeRecord> nodes) {
    Model model;
    SetNodes(model, std::move(nodes));
    std::string path = dir / "deck.bdf";
    std::string title = "t";
    EXPECT_EQ(BulkDataWriter(path, model, title, 1, 0, 1, console), 0);
    return Between(ReadWholeFile(path), "$\n$ constraints\n$\n", "$\n$ element data\n$\n");
  }
};

TEST_F(ConstraintCards, ThruRangesAndSingleEntries) {
  EXPECT_EQ(Spc1({Node(1, 123456), Node(2, 123456), Node(3, 123456), Node(4, 123456), Node(7, 123456),
                  Node(8, 123456), Node(10, 123456)}),
            "SPC1, 100, 123456, 1, THRU, 4\n"
            "SPC1, 100, 123456,7,8,10\n");
  // Two consecutive numbers are no range.
  EXPECT_EQ(Spc1({Node(5, 12), Node(6, 12)}), "SPC1, 100, 12,5,6\n");
  // Every node in a range: no single-entry card.
  EXPECT_EQ(Spc1({Node(11, 3), Node(12, 3), Node(13, 3), Node(14, 3), Node(15, 3)}),
            "SPC1, 100, 3, 11, THRU, 15\n");
  EXPECT_EQ(Spc1({Node(1), Node(2)}), "");
  EXPECT_EQ(Spc1({Node(20000001, 1), Node(20000002, 1), Node(20000003, 1), Node(2147483647, 1)}),
            "SPC1, 100, 1, 20000001, THRU, 20000003\nSPC1, 100, 1,2147483647\n");
}

TEST_F(ConstraintCards, RangesFollowTheNodeArrayNotTheNumbers) {
  // Consecutive numbers that are not neighbours in the array.
  EXPECT_EQ(Spc1({Node(1, 1), Node(50, 1), Node(2, 1), Node(51, 1), Node(3, 1)}), "SPC1, 100, 1,1,50,2,51,3\n");
  // Descending numbers.
  EXPECT_EQ(Spc1({Node(3, 1), Node(2, 1), Node(1, 1)}), "SPC1, 100, 1,3,2,1\n");
  // A node of another code, or without constraint, breaks a run.
  EXPECT_EQ(Spc1({Node(1, 123), Node(2, 456), Node(3, 123), Node(4, 123), Node(5, 123), Node(6), Node(7, 123)}),
            "SPC1, 100, 123, 3, THRU, 5\n"
            "SPC1, 100, 123,1,7\n"
            "SPC1, 100, 456,2\n");
}

TEST_F(ConstraintCards, ContinuationLinesHoldEightNumbers) {
  auto spread = [](int count) {
    std::vector<NodeRecord> nodes;
    for (int i = 1; i <= count; ++i) nodes.push_back(Node(10 * i, 123));
    return nodes;
  };
  EXPECT_EQ(Spc1(spread(6)), "SPC1, 100, 123,10,20,30,40,50,60\n");
  EXPECT_EQ(Spc1(spread(7)), "SPC1, 100, 123,10,20,30,40,50,60\n   ,70\n");
  EXPECT_EQ(Spc1(spread(14)), "SPC1, 100, 123,10,20,30,40,50,60\n   ,70,80,90,100,110,120,130,140\n");
  EXPECT_EQ(Spc1(spread(15)), "SPC1, 100, 123,10,20,30,40,50,60\n   ,70,80,90,100,110,120,130,140\n   ,150\n");
}

TEST_F(ConstraintCards, EveryDistinctCodeGetsItsCardsBeyondAHundred) {
  std::vector<NodeRecord> nodes;
  std::string expected;
  for (int i = 1; i <= 150; ++i) {
    nodes.push_back(Node(i, 1000 + i));
    expected += "SPC1, 100, " + std::to_string(1000 + i) + "," + std::to_string(i) + "\n";
  }
  // A repeated code later on joins its first card.
  nodes.push_back(Node(500, 1001));
  expected.replace(0, std::string("SPC1, 100, 1001,1\n").size(), "SPC1, 100, 1001,1,500\n");
  EXPECT_EQ(Spc1(nodes), expected);
}

// --- deck forms -------------------------------------------------------------

// A plate of one quadrilateral on four nodes with one frame, read through the
// project reader.
Model ReadPlate(const ScratchDir& dir) {
  fixture::Project project;
  project.nodes = {{101, 0, 0, 0}, {102, 1, 0, 0}, {103, 1, 1, 0}, {104, 0, 1, 0}};
  project.elements.push_back({11, 40, 21, {1, 2, 3, 4}});
  project.frames.push_back({7, 1});
  fixture::WriteProjectFiles(dir / "plate", project, nullptr);
  Model model;
  Console console;
  EXPECT_EQ(ProjectReader(dir / "plate.fes", model, console), 0);
  return model;
}

const char* const kPlateGeometry =
    "$\n$ node data\n$\n"
    "GRID, 101, 0, , , ,\n"
    "GRID, 102, 0,1.0000, , ,\n"
    "GRID, 103, 0,1.0000,1.0000, ,\n"
    "GRID, 104, 0, ,1.0000, ,\n";
const char* const kPlateConstraints =
    "$\n$ constraints\n$\n"
    "SPC1, 100, 123456,101,102,104\n"
    "SPC1, 100, 3,103\n";
const char* const kPlateElementsAndFrames =
    "$\n$ element data\n$\n"
    "CQUAD4, 11, 0, 101, 102, 103, 104,\n"
    "$\n$ coordinate frames\n$\n"
    "CORD2R, 7, , , , , , ,1.0000,\n"
    "     ,1.0000, ,1.0000,\n";
const char* const kPlateSideSections =
    "$\n$ material properties\n$\n"
    "$\n$ element properties\n$\n"
    "$\n$ distributed loads\n$\n"
    "$\n$ node forces\n$\n";

void ConstrainPlate(Model& model) {
  model.nodes[0].constraintCode = 123456;
  model.nodes[1].constraintCode = 123456;
  model.nodes[2].constraintCode = 3;
  model.nodes[3].constraintCode = 123456;
}

TEST_F(DeckDriver, WholeDeck) {
  Model model = ReadPlate(dir);
  ConstrainPlate(model);
  std::string title = dir / "plate.fes";
  std::string path = dir / "plate.bdf";
  ASSERT_EQ(BulkDataWriter(path, model, title, 0, 0, 1, console), 0);
  EXPECT_EQ(ReadWholeFile(path), Header(dir / "plate") + "SPC=100\n$\n$\nBEGIN BULK\n" + kPlateGeometry +
                                     kPlateConstraints + kPlateElementsAndFrames + kPlateSideSections +
                                     "$\nENDDATA");
  EXPECT_EQ(path, dir / "plate.bdf");
}

TEST_F(DeckDriver, ConstraintsGoIntoTheGridCardsWhenNotAsSpc1) {
  Model model = ReadPlate(dir);
  ConstrainPlate(model);
  std::string title = "plate";
  std::string path = dir / "plate.bdf";
  ASSERT_EQ(BulkDataWriter(path, model, title, 0, 0, 0, console), 0);
  const std::string deck = ReadWholeFile(path);
  EXPECT_EQ(Between(deck, "$\n$ node data\n$\n", "$\n$ element data\n$\n"),
            "GRID, 101, 0, , , , 0, 123456,\n"
            "GRID, 102, 0,1.0000, , , 0, 123456,\n"
            "GRID, 103, 0,1.0000,1.0000, , 0, 3,\n"
            "GRID, 104, 0, ,1.0000, , 0, 123456,\n");
  EXPECT_EQ(deck.find("SPC"), deck.find("SPCF=ALL"));
}

TEST_F(DeckDriver, GeometryOnlyDeck) {
  Model model = ReadPlate(dir);
  ConstrainPlate(model);
  std::string title = "plate.fes";
  std::string path = dir / "plate.bdf";
  ASSERT_EQ(BulkDataWriter(path, model, title, 1, 1, 1, console), 0);
  EXPECT_EQ(ReadWholeFile(path), std::string(kPlateGeometry) + kPlateConstraints + kPlateElementsAndFrames);
  EXPECT_EQ(title, "plate.fes");
  EXPECT_EQ(path, dir / "plate.bdf");
  EXPECT_FALSE(FileExists(dir / "plate.nprop"));
  EXPECT_FALSE(FileExists(dir / "plate.nload"));
}

TEST_F(DeckDriver, SplitDeckPutsPropertiesAndLoadsIntoSideFiles) {
  Model model = ReadPlate(dir);
  std::string title = "plate";
  std::string path = dir / "deck.dat";
  ASSERT_EQ(BulkDataWriter(path, model, title, 0, 1, 1, console), 0);
  EXPECT_EQ(path, dir / "deck.nload");
  EXPECT_EQ(ReadWholeFile(dir / "deck.dat"), Header("plate") + "$\n$\nBEGIN BULK\n" + kPlateGeometry +
                                                 "$\n$ constraints\n$\n" + kPlateElementsAndFrames);
  EXPECT_EQ(ReadWholeFile(dir / "deck.nprop"), "$\n$ material properties\n$\n$\n$ element properties\n$\n");
  EXPECT_EQ(ReadWholeFile(dir / "deck.nload"), "$\n$ distributed loads\n$\n$\n$ node forces\n$\n");
}

TEST_F(DeckDriver, SplitNamesOfPathsWithoutAnExtension) {
  std::filesystem::create_directory(dir.Path() / "v1.2");
  for (const std::string& name : {std::string("deck"), std::string("v1.2/deck")}) {
    Model model;
    SetNodes(model, {Node(1)});
    std::string title = "plate";
    std::string path = dir / name;
    ASSERT_EQ(BulkDataWriter(path, model, title, 0, 1, 1, console), 0);
    EXPECT_EQ(path, dir / (name + ".nload"));
    EXPECT_TRUE(FileExists(dir / name));
    EXPECT_TRUE(FileExists(dir / (name + ".nprop")));
    EXPECT_TRUE(FileExists(dir / (name + ".nload")));
  }
}

TEST_F(DeckDriver, NonFiniteValuesAreCountedInOneWarningAfterTheDeck) {
  for (int run = 0; run < 2; ++run) {
    Model model;
    SetNodes(model, {Node(1, 0, std::numeric_limits<float>::quiet_NaN()),
                     Node(2, 0, std::numeric_limits<float>::infinity())});
    std::string title = "plate";
    std::string path = dir / "deck.bdf";
    testing::internal::CaptureStdout();
    ASSERT_EQ(BulkDataWriter(path, model, title, 1, 0, 0, console), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "warning: 2 values that are not finite numbers were written as empty fields\n");
    EXPECT_EQ(Between(ReadWholeFile(path), "$\n$ node data\n$\n", "$\n$ element data"),
              "GRID, 1, 0, , , ,\nGRID, 2, 0, , , ,\n");
  }
}

// --- failures -----------------------------------------------------------------

TEST_F(DeckDriver, OutputThatCannotBeCreatedIsReported) {
  Model model;
  SetNodes(model, {Node(1)});
  std::string title = "plate";
  std::string path = dir / "missing/deck.bdf";
  testing::internal::CaptureStdout();
  EXPECT_EQ(BulkDataWriter(path, model, title, 0, 0, 1, console), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "\n*** cannot create " + path + ": No such file or directory\n");
}

// Limits the size of files this process writes, so that a write fails
// (POSIX only: Windows has no such limit).
class FileSizeLimit {
 public:
#ifdef _WIN32
  static constexpr bool kAvailable = false;
  explicit FileSizeLimit(long long) {}
#else
  static constexpr bool kAvailable = true;
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
#endif
};

// Whether a folder's permission bits keep this process from writing in it:
// on POSIX systems, unless it runs as root.
bool FolderPermissionsBind() {
#ifdef _WIN32
  return false;
#else
  return geteuid() != 0;
#endif
}

std::vector<std::string> FolderEntries(const ScratchDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(DeckDriver, FailedWriteKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
  if (!FileSizeLimit::kAvailable) GTEST_SKIP() << "limits the file size with setrlimit, which is POSIX's";
  const std::string path = dir / "deck.bdf";
  fixture::WriteBytes(path, {'e', 'a', 'r', 'l', 'i', 'e', 'r'});
  Model model;
  std::vector<NodeRecord> nodes;
  for (int i = 1; i <= 2000; ++i) nodes.push_back(Node(i, 0, static_cast<float>(i)));
  SetNodes(model, nodes);
  std::string title = "plate";
  std::string output = path;
  int result = 0;
  testing::internal::CaptureStdout();
  {
    FileSizeLimit limit(4096);
    result = BulkDataWriter(output, model, title, 0, 0, 1, console);
  }
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(result, 1);
  EXPECT_EQ(printed, "\n*** cannot write " + path + ": File too large\n");
  EXPECT_EQ(ReadWholeFile(path), "earlier");
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"deck.bdf"});
}

TEST_F(DeckDriver, UnwritableFolderKeepsTheEarlierFile) {
  if (!FolderPermissionsBind()) GTEST_SKIP() << "folder permissions bind only on POSIX systems, and not root";
  const std::string path = dir / "deck.bdf";
  fixture::WriteBytes(path, {'o', 'l', 'd'});
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  Model model;
  SetNodes(model, {Node(1)});
  std::string title = "plate";
  std::string output = path;
  testing::internal::CaptureStdout();
  const int result = BulkDataWriter(output, model, title, 0, 0, 1, console);
  const std::string printed = testing::internal::GetCapturedStdout();
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(printed, "\n*** cannot create " + path + ": Permission denied\n");
  EXPECT_EQ(ReadWholeFile(path), "old");
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"deck.bdf"});
}

TEST_F(DeckDriver, SideFileThatCannotBeCreatedIsAFailure) {
  std::filesystem::create_directory(dir.Path() / "deck.nprop");
  Model model;
  SetNodes(model, {Node(1)});
  std::string title = "plate";
  std::string path = dir / "deck.dat";
  testing::internal::CaptureStdout();
  EXPECT_EQ(BulkDataWriter(path, model, title, 0, 1, 1, console), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "\n*** cannot create " + (dir / "deck.nprop") + ": Is a directory\n");
  // The main file was complete before the switch.
  const std::string deck = ReadWholeFile(dir / "deck.dat");
  EXPECT_TRUE(deck.ends_with("$\n$ coordinate frames\n$\n")) << deck;
  EXPECT_FALSE(FileExists(dir / "deck.nload"));
}

TEST_F(DeckDriver, DeckNamedLikeItsSideFileIsRefusedBeforeWriting) {
  for (const std::string& name : {std::string("deck.nprop"), std::string("deck.nload")}) {
    Model model;
    SetNodes(model, {Node(1)});
    std::string title = "plate";
    std::string path = dir / name;
    testing::internal::CaptureStdout();
    EXPECT_EQ(BulkDataWriter(path, model, title, 0, 1, 1, console), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\n*** cannot write the side files of " + path + ": a side file would replace the deck\n");
    EXPECT_TRUE(FolderEntries(dir).empty());
  }
}


// Coordinates, frame points, load values and computed offsets that look like
// markers are written as numbers; a data value of a property stays a marker.
TEST_F(DeckDriver, MarkersOnlyInDataValues) {
  Model model;
  NodeRecord grid = Node(1);
  grid.coordinates[0] = -99.5f;
  grid.coordinates[1] = -88.2f;
  grid.coordinates[2] = -89.0f;
  NodeRecord offsetA = Node(4);
  offsetA.coordinates[1] = -99.0f;
  SetNodes(model, {grid, Node(2), Node(3, 0, 1.0f), offsetA});
  ElementRecord bar{};
  bar.externalNumber = 7;
  bar.shape = 2;
  bar.elementClass = 112;
  model.AddElement(bar, std::vector<int32_t>{2, 3, 1, 4, 0});
  model.frames = {FrameRecord{5, 1, {-99.0f, 0, 0}, {-99.0f, 0, 1}, {-88.0f, 0, 1}}};
  model.frameCount = 1;
  PropertyRecord rod{};
  rod.id = 3;
  rod.typeCode = 1102;
  rod.valueCount = 2;
  rod.values[0] = -99.5f;
  rod.values[1] = 2.0f;
  PropertyRecord barData{};
  barData.typeCode = 112;
  model.properties = {rod, barData};
  model.propertyCount = 2;
  auto distributed = [](int32_t cardKind, std::initializer_list<float> values) {
    DistributedLoadRecord load{};
    load.elementNumber = 7;
    load.loadSet = 1;
    load.cardKind = cardKind;
    std::copy(values.begin(), values.end(), load.values);
    load.valueCount = static_cast<int32_t>(values.size());
    return load;
  };
  model.distributedLoads = {distributed(10, {-99.0f, 1, 2, 3}),
                            distributed(11, {1, 1, -88.0f, -99.0f, -89.0f, -99.5f, 1}), distributed(12, {-99.0f, 7}),
                            distributed(14, {-99.0f, -88.0f, -89.0f, -99.5f, 0, 0, 0, -99.0f})};
  model.distributedLoadCount = 4;
  NodeLoadRecord force{1, 1, 0, 0, -99.0f, {-88.0f, 0, -89.0f}};
  NodeLoadRecord displacement{2, 1, 0, 4, 1.0f, {-99.0f, 0, 0}};
  model.nodeLoads = {force, displacement};
  model.nodeLoadCount = 2;
  std::string title = "plate";
  std::string path = dir / "deck.bdf";
  ASSERT_EQ(BulkDataWriter(path, model, title, 0, 0, 1, console), 0);
  EXPECT_EQ(Between(ReadWholeFile(path), "$ node data\n$\n", "$\nENDDATA"),
            "GRID, 1, 0,-99.5000,-88.2000,-89.0000,\nGRID, 2, 0, , , ,\nGRID, 3, 0,1.0000, , ,\n"
            "GRID, 4, 0, ,-99.0000, ,\n$\n$ constraints\n$\nSPCADD, 102, 101,\n$\n$ element data\n$\n"
            "CBAR, 7, , 2, 3, 1, , , ,\n     , , , ,-99.0000, , , , ,\n"
            "$\n$ coordinate frames\n$\n"
            "CORD2R, 5, ,-99.0000, , ,-99.0000, ,1.0000,\n     ,-88.0000, ,1.0000,\n"
            "$\n$ material properties\n$\n$\n$ element properties\n$\nPROD, 3, 0, ,2.0000, , ,\n"
            "$\n$ distributed loads\n$\n"
            "PLOAD, 1,-99.0000, 1, 2, 3, ,\n"
            "PLOAD1, 1, 7, FX, LE,-88.0000,-99.0000,-89.0000,-99.5000,\n"
            "PLOAD2, 1,-99.0000, 7,\n"
            "PLOAD4, 1, 7,-99.0000,-88.0000,-89.0000,-99.5000, , ,\n     , ,-99.0000, , ,\n"
            "$\n$ node forces\n$\n"
            "FORCE, 1, 1, 0,-99.0000,-88.0000, ,-89.0000,\nSPC, 101, 2, 1, ,\nSPCD, 1, 2, 1,-99.0000,\n");
}

// A pressure found from a node set on a face of a solid names the face by its
// corners: G1 and G3 of a four-cornered face, G1 alone for a wedge's
// triangle, G1 and the corner off the face (G4) for a tetrahedron.
TEST_F(DeckDriver, SolidFacePressuresNameTheirFace) {
  fixture::Project project;
  const float corners[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
  for (int i = 0; i < 8; ++i) project.nodes.push_back({11 + i, corners[i][0], corners[i][1], corners[i][2]});
  for (int i = 0; i < 6; ++i) project.nodes.push_back({21 + i, corners[i][0] + 5, corners[i][1], corners[i][2]});
  for (int i = 0; i < 4; ++i) project.nodes.push_back({31 + i, corners[i][0] + 9, corners[i][1], corners[i][2]});
  project.elements = {{101, 80, 0, {1, 2, 3, 4, 5, 6, 7, 8}},
                      {102, 60, 0, {9, 10, 11, 12, 13, 14}},
                      {103, 70, 0, {15, 16, 17, 18}}};
  fixture::LoadFile loads;
  for (const std::vector<int32_t>& nodeSet :
       {std::vector<int32_t>{15, 16, 17, 18}, {21, 22, 25, 24}, {24, 25, 26}, {31, 32, 34}}) {
    fixture::DistributedLoad pressure{};
    pressure.loadSet = 1;
    pressure.nodeSet = true;
    pressure.list = nodeSet;
    pressure.values = {5};
    loads.distributedLoads.push_back(pressure);
  }
  fixture::WriteProjectFiles(dir / "solid", project, &loads);
  Model model;
  Console reading;
  ASSERT_EQ(ProjectReader(dir / "solid", model, reading), 0);
  std::string title = "solid";
  std::string path = dir / "solid.bdf";
  ASSERT_EQ(BulkDataWriter(path, model, title, 0, 0, 1, console), 0);
  EXPECT_EQ(Between(ReadWholeFile(path), "$ distributed loads\n$\n", "$\n$ node forces"),
            "PLOAD4, 1, 101,5.0000, , , , 15, 17,\n"
            "PLOAD4, 1, 102,5.0000, , , , 21, 25,\n"
            "PLOAD4, 1, 102,5.0000, , , , 24, ,\n"
            "PLOAD4, 1, 103,5.0000, , , , 31, 33,\n");
}

// What the deck leaves out is said once per kind, after the deck is written.
TEST_F(DeckDriver, RecordsWithoutCardsAreCountedInWarnings) {
  Model model;
  SetNodes(model, {Node(1), Node(2), Node(3), Node(4), Node(5), Node(6)});
  auto element = [&model](int32_t number, int8_t shape, int32_t elementClass, int32_t nodeCount) {
    ElementRecord record{};
    record.externalNumber = number;
    record.shape = shape;
    record.elementClass = elementClass;
    std::vector<int32_t> slots;
    for (int32_t k = 0; k < nodeCount; ++k) slots.push_back(k + 1);
    model.AddElement(record, slots);
  };
  element(1, 2, 107, 2);
  element(2, 3, 12, 6);
  element(3, 2, 210, 2);
  element(4, 2, 102, 2);
  DistributedLoadRecord unknownKind{};
  unknownKind.elementNumber = 1;
  unknownKind.loadSet = 1;
  unknownKind.cardKind = 13;
  model.distributedLoads = {unknownKind};
  model.distributedLoadCount = 1;
  std::string title = "plate";
  std::string path = dir / "deck.bdf";
  testing::internal::CaptureStdout();
  ASSERT_EQ(BulkDataWriter(path, model, title, 0, 0, 1, console), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "warning: 2 elements have no NASTRAN card and were not written\n"
            "warning: 1 MPC element has no element data record and was not written\n"
            "warning: 1 distributed load has a card kind without NASTRAN card and was not written\n");
  EXPECT_EQ(Between(ReadWholeFile(path), "$ element data\n$\n", "$\n"), "CROD,  4, , 1, 2,\n");
}

// Cards written as before that the solver may still read otherwise than the
// model means: one warning line per kind, with the count.
TEST_F(DeckDriver, CardsTheSolverMayMisreadAreCountedInWarnings) {
  auto record = [](int32_t id, int32_t typeCode, std::initializer_list<float> values) {
    PropertyRecord property{};
    property.id = id;
    property.typeCode = typeCode;
    for (float value : values) property.values[property.valueCount++] = value;
    return property;
  };
  ElementRecord tetra{};
  tetra.externalNumber = 9;
  tetra.shape = 5;
  tetra.elementClass = 71;
  const struct {
    std::vector<PropertyRecord> properties;
    const char* console;
  } rows[] = {
      {{}, "warning: 1 solid element has no property and was written with property id 1, which no PSOLID card "
           "defines\n"},
      {{record(1, 1061, {})}, ""},
      {{record(2, 1061, {}), record(5, 1113, {0, 25, 0, 0, 0, 0, 1}), record(6, 1126, {0, 19})},
       "warning: 1 solid element has no property and was written with property id 1, which no PSOLID card "
       "defines\n"
       "warning: 2 PBARL/PBEAML cards have a section type outside the table (0 to 18) and were not written\n"},
      {{record(1, 1061, {}), record(3, 1021, {0.5f}), record(3, 1110, {1}), record(3, 2110, {1, 2}),
        record(4, 1102, {1}), record(4, 1102, {2}), record(4, 1102, {3}), record(1, 1113, {0, 25})},
       "warning: 1 PBARL/PBEAML card has a section type outside the table (0 to 18) and was not written\n"
       "warning: 2 property ids are written on more than one property card\n"},
  };
  for (const auto& row : rows) {
    Model model;
    SetNodes(model, {Node(1), Node(2), Node(3), Node(4)});
    model.AddElement(tetra, std::vector<int32_t>{1, 2, 3, 4});
    model.properties.assign(row.properties.begin(), row.properties.end());
    model.propertyCount = static_cast<int32_t>(model.properties.size());
    std::string title = "plate";
    std::string path = dir / "deck.bdf";
    testing::internal::CaptureStdout();
    ASSERT_EQ(BulkDataWriter(path, model, title, 0, 0, 1, console), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), row.console);
    EXPECT_NE(ReadWholeFile(path).find("CTETRA, 9, 1,"), std::string::npos);
  }
}

// --- constraint and MPC sets that reach the solver -------------------------

class SetSelectionTest : public DeckDriver {
 protected:
  std::string Write(Model& model) {
    std::string title = "plate";
    std::string path = dir / "deck.bdf";
    testing::internal::CaptureStdout();
    EXPECT_EQ(BulkDataWriter(path, model, title, 0, 0, 1, console), 0);
    printed = testing::internal::GetCapturedStdout();
    return ReadWholeFile(path);
  }
  std::string printed;
};

// Adds a line element; dataSlot lists it in the element data definition at
// that 1-based position of properties.
void AddLineElement(Model& model, int32_t number, int32_t elementClass, std::vector<int32_t> slots,
                    int32_t dataSlot = 0) {
  ElementRecord element{};
  element.externalNumber = number;
  element.shape = 2;
  element.elementClass = elementClass;
  element.dataDefinition = dataSlot;
  model.AddElement(element, slots);
}

PropertyRecord DataRecord(int32_t id, int32_t typeCode, std::initializer_list<float> values) {
  PropertyRecord record{};
  record.id = id;
  record.typeCode = typeCode;
  for (float value : values) record.values[record.valueCount++] = value;
  return record;
}

// The MPC cards' sets are selected above the subcases: one set directly,
// several through an MPCADD after the element cards; a set id of 0 or below
// cannot be selected and is counted in a warning.
TEST_F(SetSelectionTest, MpcSetsAreSelected) {
  const struct {
    std::vector<float> sets;
    const char* request;
    const char* union_;
    const char* console;
  } cases[] = {
      {{5, 5}, "MPC=5\n", "", ""},
      {{9, 4, 9}, "MPC=10\n", "MPCADD, 10, 9, 4,\n", ""},
      {{1, 2, 3, 4, 5, 6, 7, 8, 9}, "MPC=10\n", "MPCADD, 10, 1, 2, 3, 4, 5, 6, 7,\n     , 8, 9,\n", ""},
      {{0, 3, -2}, "MPC=3\n", "", "warning: 2 MPC cards have a set id that no solver accepts\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.request);
    Model model;
    SetNodes(model, {Node(1, 123456), Node(2)});
    for (std::size_t i = 0; i < c.sets.size(); ++i) {
      const int32_t id = static_cast<int32_t>(i) + 1;
      AddLineElement(model, 10 + id, 210, {1, 2}, id);
      model.properties.push_back(DataRecord(id, 210, {c.sets[i], 2, 1, 1.0f}));
    }
    model.elementCount = static_cast<int32_t>(model.elements.size());
    model.propertyCount = static_cast<int32_t>(model.properties.size());
    const std::string deck = Write(model);
    EXPECT_EQ(Between(deck, "STRESS=ALL\nSPC=100\n", "$\n$\nBEGIN BULK"), c.request);
    const std::string elements = Between(deck, "$ element data\n$\n", "$\n$ coordinate frames");
    EXPECT_EQ(elements.substr(elements.rfind("1.0000,\n") + 8), c.union_);
    EXPECT_EQ(printed, c.console);
  }
}

// A node constrained in a frame keeps that frame (CD) on its GRID card, and
// vectors given at that grid are written in that frame's directions there.
TEST_F(SetSelectionTest, ConstraintsKeepTheirFrame) {
  const float c30 = static_cast<float>(std::cos(M_PI / 6)), s30 = 0.5f;
  Model model;
  NodeRecord roller = Node(2, 23, 10.0f);
  roller.outputFrameId = 1;
  NodeRecord ring = Node(4, 3);
  ring.coordinates[0] = 3;
  ring.coordinates[1] = 4;
  ring.outputFrameId = 2;
  NodeRecord undefined = Node(5, 1);
  undefined.outputFrameId = 9;
  SetNodes(model, {Node(1), roller, Node(3, 0, 20.0f), ring, undefined});
  model.frames = {FrameRecord{1, 1, {0, 0, 0}, {0, 0, 1}, {c30, s30, 0}},
                  FrameRecord{2, 2, {0, 0, 0}, {0, 0, 1}, {1, 0, 0}}};
  model.frameCount = 2;
  // Vector X = (0, 1, 0), offsets WA = (1, 0, 0) and WB = (0, 0, 1).
  AddLineElement(model, 7, 110, {2, 3});
  AddLineElement(model, 8, 110, {4, 3});
  model.properties = {DataRecord(0, 110, {0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1})};
  model.propertyCount = 1;
  const std::string deck = Write(model);
  EXPECT_EQ(Between(deck, "$ node data\n$\n", "$\n$ element data"),
            "GRID, 1, 0, , , ,\n"
            "GRID, 2, 0,10.0000, , , 1,\n"
            "GRID, 3, 0,20.0000, , ,\n"
            "GRID, 4, 0,3.0000,4.0000, , 2,\n"
            "GRID, 5, 0, , , , 9,\n"
            "$\n$ constraints\n$\n"
            "SPC1, 100, 23,2\n"
            "SPC1, 100, 3,4\n"
            "SPC1, 100, 1,5\n");
  // At grid 2 the frame's x axis is turned 30 degrees about z; at grid 4 the
  // cylindrical frame's radial direction is (0.6, 0.8, 0). WB stays basic.
  const std::string bars = Between(deck, "$ element data\n$\n", "$\n$ coordinate frames");
  EXPECT_EQ(bars,
            "CBAR, 7, , 2, 3,0.500000,0.866025, , ,\n"
            "     , , ,0.866025,-0.50000, , , ,1.0000,\n"
            "CBAR, 8, , 4, 3,0.800000,0.600000, , ,\n"
            "     , , ,0.600000,-0.80000, , , ,1.0000,\n");
  // Turned back into the basic frame (first and second direction at the
  // grid), the written components give the vectors.
  std::vector<double> written;
  for (std::size_t at = bars.find(','); at != std::string::npos; at = bars.find(',', at + 1)) {
    written.push_back(std::strtod(bars.c_str() + at + 1, nullptr));
  }
  const double directions[2][2][2] = {{{c30, s30}, {-s30, c30}}, {{0.6, 0.8}, {-0.8, 0.6}}};
  const std::size_t vectors[2][2] = {{4, 11}, {22, 29}};  // field positions of X1 and W1A per bar
  for (int bar = 0; bar < 2; ++bar) {
    for (int v = 0; v < 2; ++v) {
      const double a = written[vectors[bar][v]], b = written[vectors[bar][v] + 1];
      const double x = a * directions[bar][0][0] + b * directions[bar][1][0];
      const double y = a * directions[bar][0][1] + b * directions[bar][1][1];
      EXPECT_NEAR(x, v == 0 ? 0.0 : 1.0, 2e-6);
      EXPECT_NEAR(y, v == 0 ? 1.0 : 0.0, 2e-6);
    }
  }
  EXPECT_EQ(printed, "warning: 1 node has a displacement frame (CD) that no frame card defines\n");
}

// Constraints and prescribed displacements of a load set act in its subcase
// only: their SPC cards form a set of their own, which the subcase selects
// together with set 100; each SPCD's components are held in that set.
TEST_F(SetSelectionTest, LoadSetConstraintsActInTheirSubcase) {
  auto load = [](int32_t set, int32_t node, int32_t kind, float x, float y, float z) {
    return NodeLoadRecord{node, set, 0, kind, 1.0f, {x, y, z}};
  };
  Model model;
  SetNodes(model, {Node(1, 123456), Node(2), Node(3)});
  model.nodeLoads = {load(3, 2, 0, 0, 0, -5), load(7, 3, 2, 1, 0, 1), load(7, 2, 4, 0, 0, 0.5f)};
  model.nodeLoadCount = 3;
  std::string deck = Write(model);
  EXPECT_EQ(Between(deck, "STRESS=ALL\n", "$\n$\nBEGIN BULK"),
            "SPC=100\n"
            "SUBCASE 1\nSUBTITLE = Load case  3\nLOAD=3\n"
            "SUBCASE 2\nSUBTITLE = Load case  7\nLOAD=7\nSPC=102\n");
  EXPECT_EQ(Between(deck, "$ constraints\n$\n", "$\n$ element data"), "SPC1, 100, 123456,1\nSPCADD, 102, 100, 101,\n");
  EXPECT_EQ(Between(deck, "$ node forces\n$\n", "$\nENDDATA"),
            "FORCE, 3, 2, 0,1.0000, , ,-5.0000,\n"
            "SPC, 101, 3, 1, , 3, 3, ,\n"
            "SPC, 101, 2, 3, ,\n"
            "SPCD, 7, 2, 3,0.500000,\n");

  // Load sets numbered 100 and 250, no SPC1 card: the sets start above the
  // largest load set, and no set 100 is requested or added.
  Model high;
  SetNodes(high, {Node(1), Node(2)});
  high.nodeLoads = {load(100, 1, 3, 1, 0, 0), load(250, 2, 5, 0.1f, 0, 0)};
  high.nodeLoadCount = 2;
  deck = Write(high);
  EXPECT_EQ(Between(deck, "STRESS=ALL\n", "$\n$\nBEGIN BULK"),
            "SUBCASE 1\nSUBTITLE = Load case  100\nLOAD=100\nSPC=253\n"
            "SUBCASE 2\nSUBTITLE = Load case  250\nLOAD=250\nSPC=254\n");
  EXPECT_EQ(Between(deck, "$ constraints\n$\n", "$\n$ element data"), "SPCADD, 253, 251,\nSPCADD, 254, 252,\n");
  EXPECT_EQ(Between(deck, "$ node forces\n$\n", "$\nENDDATA"),
            "SPC, 251, 1, 4, ,\n"
            "SPC, 252, 2, 4, ,\n"
            "SPCD, 250, 2, 4,0.100000,\n");
}

// Every set id of the deck is from 1 to 99,999,999: load records of another
// load set write nothing and make no subcase; the load sets' own constraint
// sets move below that limit when B + 2n would pass it; MPC sets outside it
// are not selected, and an MPC card whose set id is longer than a field is
// not written. Each row: the deck's parts, and beside them the parts where
// they were otherwise.
TEST_F(SetSelectionTest, SetIdsStayWithinEightCharacters) {
  auto load = [](int32_t set, int32_t node, int32_t kind, float x, float y, float z) {
    return NodeLoadRecord{node, set, 0, kind, 1.0f, {x, y, z}};
  };
  auto pressure = [](int32_t set, int32_t cardKind) {
    DistributedLoadRecord record{};
    record.elementNumber = 1;
    record.loadSet = set;
    record.cardKind = cardKind;
    record.values[0] = 1;
    record.valueCount = 1;
    return record;
  };
  const struct {
    std::vector<NodeLoadRecord> nodeLoads;
    std::vector<DistributedLoadRecord> distributedLoads;
    std::vector<float> mpcSets;
    const char* caseControl;  // after STRESS=ALL
    const char* constraints;  // the constraints section
    const char* loads;        // the distributed loads and node forces sections
    const char* console;
    const char* before;  // the text written before, where it differs
  } rows[] = {
      {{load(101, 10, 0, 0, 1, 0), load(99999999, 11, 2, 1, 0, 0)},
       {},
       {},
       "SUBCASE 1\nSUBTITLE = Load case  101\nLOAD=101\n"
       "SUBCASE 2\nSUBTITLE = Load case  99999999\nLOAD=99999999\nSPC=103\n",
       "SPCADD, 103, 102,\n",
       "FORCE, 101, 10, 0,1.0000, ,1.0000, ,\nSPC, 102, 11, 1, ,\n",
       "",
       "SPC=100000001, SPCADD, 100000001, 100000000, and SPC, 100000000, 11, 1, ,"},
      {{load(99999997, 11, 2, 1, 0, 0)},
       {},
       {},
       "SUBCASE 1\nSUBTITLE = Load case  99999997\nLOAD=99999997\nSPC=99999999\n",
       "SPCADD, 99999999, 99999998,\n",
       "SPC, 99999998, 11, 1, ,\n",
       "",
       nullptr},
      {{load(5, 11, 0, 0, 1, 1), load(0, 11, 0, 0, 1, 1)},
       {},
       {},
       "SUBCASE 1\nSUBTITLE = Load case  5\nLOAD=5\n",
       "",
       "FORCE, 5, 11, 0,1.0000, ,1.0000,1.0000,\n",
       "warning: 1 load record has a load set outside 1 to 99999999 and was not written\n",
       "a subcase LOAD=0 and FORCE, 0, 11, 0,1.0000, ,1.0000,1.0000,"},
      {{load(0, 10, 2, 1, 0, 0), load(-7, 10, 0, 1, 0, 0), load(2147483647, 11, 4, 0.5f, 0, 0),
        load(5, 11, 2, 0, 0, 1)},
       {pressure(0, 14), pressure(0, 13), pressure(5, 14)},
       {},
       "SUBCASE 1\nSUBTITLE = Load case  5\nLOAD=5\nSPC=102\n",
       "SPCADD, 102, 101,\n",
       "PLOAD4, 5, 1,1.0000, , , , , ,\n$\n$ node forces\n$\nSPC, 101, 11, 3, ,\n",
       "warning: 5 load records have a load set outside 1 to 99999999 and were not written\n",
       "SPC, 0, ... ahead of the subcases LOAD=-7, LOAD=2147483647 (SPC=2147483649) and LOAD=5, their cards, "
       "and a warning about one distributed load of card kind 13"},
      {{},
       {},
       {1.0e8f, 1, 2147483648.0f, -1.0e7f, -9999999.0f},
       "MPC=1\n",
       "",
       "",
       "warning: 4 MPC cards have a set id that no solver accepts\n"
       "warning: 3 MPC cards have a set id of more than eight characters and were not written\n",
       "MPC=100000001 with MPCADD, 100000001, 100000000, 1, and MPC cards of sets 100000000, 2147483647 and "
       "-10000000"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.caseControl);
    Model model;
    SetNodes(model, {Node(1), Node(2), Node(10), Node(11)});
    model.nodeLoads.assign(row.nodeLoads.begin(), row.nodeLoads.end());
    model.nodeLoadCount = static_cast<int32_t>(model.nodeLoads.size());
    model.distributedLoads.assign(row.distributedLoads.begin(), row.distributedLoads.end());
    model.distributedLoadCount = static_cast<int32_t>(model.distributedLoads.size());
    std::string mpcCards;
    for (std::size_t i = 0; i < row.mpcSets.size(); ++i) {
      const int32_t id = static_cast<int32_t>(i) + 1;
      AddLineElement(model, 10 + id, 210, {1, 2}, id);
      model.properties.push_back(DataRecord(id, 210, {row.mpcSets[i], 2, 1, 1.0f}));
      const double set = row.mpcSets[i];
      if (set >= -9999999 && set <= 99999999) mpcCards += "MPC, " + std::to_string(int64_t(set)) + ", 2, 1,1.0000,\n";
    }
    model.elementCount = static_cast<int32_t>(model.elements.size());
    model.propertyCount = static_cast<int32_t>(model.properties.size());
    const std::string deck = Write(model);
    EXPECT_EQ(Between(deck, "STRESS=ALL\n", "$\n$\nBEGIN BULK"), row.caseControl);
    EXPECT_EQ(Between(deck, "$ constraints\n$\n", "$\n$ element data"), row.constraints);
    EXPECT_EQ(Between(deck, "$ element data\n$\n", "$\n$ coordinate frames"), mpcCards);
    std::string loads = Between(deck, "$ distributed loads\n$\n", "$\nENDDATA");
    const std::string nodeForces = "$\n$ node forces\n$\n";
    if (loads.starts_with(nodeForces)) loads.erase(0, nodeForces.size());
    EXPECT_EQ(loads, row.loads);
    EXPECT_EQ(printed, row.console);
  }
}

}  // namespace
