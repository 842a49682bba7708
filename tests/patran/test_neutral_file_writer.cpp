// The neutral file driver: title and summary packets, packet order,
// geometry-only and split forms, and failures reported as failures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "model/project_reader.h"
#include "patran/neutral_file_writer.h"
#include "tools/fixture_writer.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::FileExists;
using testing_support::ReadWholeFile;
using testing_support::ScratchDir;

// A small project: a quad and a bar on four nodes numbered 10 to 40 (so the
// load file's numbers are looked up), a frame, constrained node 10, a force,
// a constraint of a load set, a pressure (whose flags announce no value), a
// material and a property.
void WriteSmallProject(const std::string& title) {
  fixture::Project project;
  project.nodes = {{10, 0, 0, 0}, {20, 2, 0, 0}, {30, 2, 1, 0}, {40, 0, 1, 0.5f}};
  project.elements = {{1, 40, 40, {1, 2, 3, 4}}, {2, 20, 20, {1, 2, 4, 0, 0}}};
  project.frames = {{3, 1}};

  fixture::LoadFile loads;
  fixture::NodeLoad force{};
  force.loadSet = 1;
  force.nodes = {30};
  force.components[1] = -100;
  fixture::NodeLoad fixedNode{};
  fixedNode.loadSet = 1;
  fixedNode.kind = 2;
  fixedNode.nodes = {10};
  fixedNode.components[0] = 1;
  loads.nodeLoads = {force, fixedNode};
  fixture::DistributedLoad pressure{};
  pressure.loadSet = 1;
  pressure.list = {1};
  pressure.values = {-0.25f};
  pressure.componentCode = 3;
  pressure.nodeCode = 1234;
  loads.distributedLoads = {pressure};
  loads.constraints = {{{10}, 123}};
  loads.materials = {{1, 1, {210000.0, 0.3, 7.85e-9}}};
  fixture::Property shell{5, 1, 1002, {1.5f}, {1}};
  loads.properties = {shell};
  fixture::WriteProjectFiles(title, project, &loads);
}

Model ReadProject(const std::string& title) {
  Model model;
  ::testing::internal::CaptureStdout();
  Console console;
  const int read = ProjectReader(title, model, console);
  const std::string readerOutput = ::testing::internal::GetCapturedStdout();
  if (read != 0 || !readerOutput.empty()) throw std::runtime_error("cannot read " + title + ": " + readerOutput);
  return model;
}

class NeutralFileWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SOURCE_DATE_EPOCH", "315626635", 1); }  // Wed Jan 02 02:03:55 1980
  void TearDown() override { unsetenv("SOURCE_DATE_EPOCH"); }

  // The small project, written to the project folder and read back.
  Model SmallModel() {
    WriteSmallProject(projectFolder / "plate");
    return ReadProject(projectFolder / "plate");
  }

  // Runs the writer and returns its result; its console output goes to printed.
  int Write(std::string& path, const Model& model, std::string title, int geometryOnly = 0, int split = 0) {
    ::testing::internal::CaptureStdout();
    Console console;
    const int result = NeutralFileWriter(path, model, title, geometryOnly, split, console);
    printed = ::testing::internal::GetCapturedStdout();
    return result;
  }

  ScratchDir scratch;        // output files
  ScratchDir projectFolder;  // project files
  std::string printed;
};

std::string Repeat(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

const std::string kZeros5 = Repeat("   0.0000000E+00", 5) + "\n";

const std::string kGeometryPart =
    " 1      10       0       2\n"
    "       0.0000000       0.0000000       0.0000000\n"
    "0G       6       0       0  111000\n"
    " 1      20       0       2\n"
    "       2.0000000       0.0000000       0.0000000\n"
    "0G       6       0       0  000000\n"
    " 1      30       0       2\n"
    "       2.0000000       1.0000000       0.0000000\n"
    "0G       6       0       0  000000\n"
    " 1      40       0       2\n"
    "       0.0000000       1.0000000       0.5000000\n"
    "0G       6       0       0  000000\n"
    " 2       1       4       2       0       0\n"
    "       4       0       5       0       0.0000000       0.0000000       0.0000000\n"
    "      10      20      30      40\n"
    " 2       2       2       2       0      40\n"
    "       2       0       0       0       0.0000000       1.0000000       0.5000000\n"
    "      10      20\n"
    " 5       3       1       4\n"
    "   0.0000000e+00   0.0000000e+00   0.0000000e+00   0.0000000e+00   0.0000000e+00\n"
    "   1.0000000e+00   1.0000000e+00   0.0000000e+00   1.0000000e+00   1.0000000e+00\n"
    "   0.0000000e+00   0.0000000e+00   0.0000000e+00   1.0000000e+00   0.0000000e+00\n"
    "   0.0000000e+00   0.0000000e+00   1.0000000e+00\n";

// The isotropic material's E (210000), G (0.3) and NU (7.85e-9) at their
// positions 27 to 35.
const std::string kPropertyPart = " 3       1       1      20       0\n" + Repeat(kZeros5, 5) +
                                  "   0.0000000E+00   2.1000000E+05   2.1000000E+05   2.1000000E+05        7.85e-09\n"
                                  "        7.85e-09        7.85e-09             0.3             0.3             0.3\n" +
                                  Repeat(kZeros5, 12) + "   0.0000000E+00\n" +
                                  " 4       5       1       1       0       0    1002       1\n"
                                  "       1.5000000\n";

const std::string kLoadPart =
    " 6       1       1       2\n"
    "00000100011110000 0\n"
    "      -0.2500000\n"
    " 7      30       1       2\n"
    "       0111000\n"
    "       0.0000000    -100.0000000       0.0000000\n"
    " 8      10       1       2\n"
    "       0100000\n"
    "       0.0000000\n";

const std::string kHeaderPart =
    "25       0       0       1\n"
    "plate\n"
    "26       0       0       1       4       2       1       1       1\n"
    "Wed Jan 02 02:03:55 1980\n";

TEST_F(NeutralFileWriterTest, WholeFileOfASmallProject) {
  std::string path = scratch / "plate.nf";
  ASSERT_EQ(Write(path, SmallModel(), "plate.fes"), 0);
  EXPECT_EQ(printed, "warning: 1 distributed load carries a number of values that its flags do not announce\n");
  EXPECT_EQ(path, scratch / "plate.nf");
  EXPECT_EQ(ReadWholeFile(path), kHeaderPart + kGeometryPart + kPropertyPart + kLoadPart);
}

TEST_F(NeutralFileWriterTest, EmptyModelGivesFourCards) {
  std::string path = scratch / "empty.nf";
  ASSERT_EQ(Write(path, Model{}, "empty"), 0);
  EXPECT_EQ(ReadWholeFile(path),
            "25       0       0       1\n"
            "empty\n"
            "26       0       0       1       0       0       0       0       0\n"
            "Wed Jan 02 02:03:55 1980\n");
}

TEST_F(NeutralFileWriterTest, SummaryCountsWidenTheirFields) {
  // The counts are written as the model holds them, even beyond its arrays.
  Model model;
  model.nodeCount = 123456789;
  model.elementCount = 99999999;
  model.frameCount = -5;
  std::string path = scratch / "wide.nf";
  ASSERT_EQ(Write(path, model, "wide"), 0);
  EXPECT_EQ(ReadWholeFile(path),
            "25       0       0       1\n"
            "wide\n"
            "26       0       0       112345678999999999       0       0      -5\n"
            "Wed Jan 02 02:03:55 1980\n");
}

TEST_F(NeutralFileWriterTest, TitleLosesOnlyAShortExtension) {
  const struct {
    const char* title;
    const char* card;
  } cases[] = {{"model.fes", "model"}, {"model.data", "model.data"}, {"model", "model"},
               {"model.", "model"},    {"a.b.c", "a.b"},            {"two words.x", "two words"}};
  for (const auto& c : cases) {
    std::string path = scratch / "title.nf";
    std::string title = c.title;
    ::testing::internal::CaptureStdout();
    Console console;
    ASSERT_EQ(NeutralFileWriter(path, Model{}, title, 0, 0, console), 0);
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(title, c.card);
    const std::string text = ReadWholeFile(path);
    EXPECT_EQ(text.substr(27, text.find('\n', 27) - 27), c.card) << c.title;
  }
}

TEST_F(NeutralFileWriterTest, NamesOfAnyLength) {
  const std::string longTitle(1000, 't');
  std::string folder = scratch.Path().string();
  for (int i = 0; i < 3; ++i) {
    folder += "/" + std::string(120, 'd');
    std::filesystem::create_directory(folder);
  }
  std::string path = folder + "/" + std::string(200, 'n');
  const std::string given = path;
  ASSERT_GT(path.size(), 500u);
  ASSERT_EQ(Write(path, Model{}, longTitle), 0);
  EXPECT_EQ(ReadWholeFile(given).substr(27, 1001), longTitle + "\n");
}

TEST_F(NeutralFileWriterTest, GeometryOnlyLeavesOutMaterialsPropertiesAndLoads) {
  std::string path = scratch / "geo.nf";
  ASSERT_EQ(Write(path, SmallModel(), "plate", 1, 0), 0);
  // N3 and N4 still count the materials and properties.
  EXPECT_EQ(ReadWholeFile(path), kHeaderPart + kGeometryPart);
}

TEST_F(NeutralFileWriterTest, SplitPutsPropertiesAndLoadsIntoSideFiles) {
  std::string path = scratch / "wing.out";
  ASSERT_EQ(Write(path, SmallModel(), "plate", 0, 1), 0);
  EXPECT_EQ(path, scratch / "wing.pload");
  EXPECT_EQ(ReadWholeFile(scratch / "wing.out"), kHeaderPart + kGeometryPart);
  EXPECT_EQ(ReadWholeFile(scratch / "wing.pprop"), kPropertyPart);
  EXPECT_EQ(ReadWholeFile(scratch / "wing.pload"), kLoadPart);
}

TEST_F(NeutralFileWriterTest, SplitCreatesAnEmptyPropertyFile) {
  Model model = SmallModel();
  model.materials.clear();
  model.materialCount = 0;
  model.properties.clear();
  model.propertyCount = 0;
  std::string path = scratch / "wing.out";
  ASSERT_EQ(Write(path, model, "plate", 0, 1), 0);
  ASSERT_TRUE(FileExists(scratch / "wing.pprop"));
  EXPECT_EQ(ReadWholeFile(scratch / "wing.pprop"), "");
  EXPECT_EQ(ReadWholeFile(scratch / "wing.pload"), kLoadPart);
}

TEST_F(NeutralFileWriterTest, SplitCutsAtTheFirstDotOfTheWholePath) {
  std::filesystem::create_directory(scratch / "run.d");
  std::string path = scratch / "run.d/wing.v2.out";
  ASSERT_EQ(scratch.Path().string().find('.'), std::string::npos);
  ASSERT_EQ(Write(path, SmallModel(), "plate", 0, 1), 0);
  EXPECT_TRUE(FileExists(scratch / "run.d/wing.v2.out"));
  EXPECT_EQ(ReadWholeFile(scratch / "run.pprop"), kPropertyPart);
  EXPECT_EQ(ReadWholeFile(scratch / "run.pload"), kLoadPart);
}

TEST_F(NeutralFileWriterTest, SplitWithoutADotAppendsTheExtensions) {
  ASSERT_EQ(scratch.Path().string().find('.'), std::string::npos);
  std::string path = scratch / "wing";
  ASSERT_EQ(Write(path, SmallModel(), "plate", 0, 1), 0);
  EXPECT_EQ(ReadWholeFile(scratch / "wing"), kHeaderPart + kGeometryPart);
  EXPECT_EQ(ReadWholeFile(scratch / "wing.pprop"), kPropertyPart);
  EXPECT_EQ(ReadWholeFile(scratch / "wing.pload"), kLoadPart);
}

TEST_F(NeutralFileWriterTest, MainFileNotCreatable) {
  std::string path = scratch / "missing/out.nf";
  EXPECT_EQ(Write(path, SmallModel(), "plate"), 1);
  EXPECT_EQ(printed, "\n*** cannot create " + path + ": No such file or directory\n");
  EXPECT_TRUE(std::filesystem::is_empty(scratch.Path()));
}

TEST_F(NeutralFileWriterTest, SideFileNotCreatable) {
  for (const char* blocked : {"wing.pprop", "wing.pload"}) {
    ScratchDir folder;
    std::filesystem::create_directory(folder / blocked);  // a folder where the side file should go
    std::string path = folder / "wing.out";
    EXPECT_EQ(Write(path, SmallModel(), "plate", 0, 1), 1) << blocked;
    EXPECT_EQ(printed, "\n*** cannot create " + (folder / blocked) + ": Is a directory\n");
  }
}

TEST_F(NeutralFileWriterTest, SplitRefusesAMainFileNamedLikeASideFile) {
  for (const char* name : {"wing.pprop", "wing.pload"}) {
    const std::string earlier = scratch / name;
    std::ofstream(earlier, std::ios::binary) << "earlier\n";
    std::string path = earlier;
    EXPECT_EQ(Write(path, SmallModel(), "plate", 0, 1), 1) << name;
    EXPECT_EQ(printed, "\n*** cannot write the side files of " + earlier +
                           ": a side file would replace the neutral file\n");
    EXPECT_EQ(ReadWholeFile(earlier), "earlier\n");
  }
  // Without loads and properties there are no side files to collide with.
  std::string path = scratch / "wing.pprop";
  EXPECT_EQ(Write(path, SmallModel(), "plate", 1, 1), 0);
}

TEST_F(NeutralFileWriterTest, WriteErrorIsAFailure) {
  if (!FileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  std::string path = "/dev/full";
  EXPECT_EQ(Write(path, SmallModel(), "plate"), 1);
  EXPECT_EQ(printed.rfind("\n*** cannot write /dev/full: ", 0), 0u) << printed;
  EXPECT_EQ(printed.back(), '\n');
}

}  // namespace
