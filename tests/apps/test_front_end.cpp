// The two programs run as processes: arguments, prompts fed on standard
// input, result lines, closing prompt and exit codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/run_program.h"
#include "tests/support/test_support.h"
#include "tools/fixture_writer.h"

using testing_support::FileExists;
using testing_support::kHasShellLimits;
using testing_support::ReadWholeFile;
using testing_support::RunProgram;
using testing_support::RunResult;
using testing_support::ScratchDir;

namespace {

// A plate of two quadrilaterals on six nodes.
void WritePlate(const std::string& title) {
  fixture::Project project;
  for (int i = 0; i < 6; ++i) project.nodes.push_back({101 + i, float(i % 3), float(i / 3), 0});
  project.elements.push_back({11, 40, 21, {1, 2, 5, 4}});
  project.elements.push_back({12, 40, 21, {2, 3, 6, 5}});
  const fixture::LoadFile noLoads;
  fixture::WriteProjectFiles(title, project, &noLoads);
}

// A plate of side x side nodes: with the default side its deck and neutral
// file are several kilobytes long, with a side of 300 several megabytes.
void WriteLargerPlate(const std::string& title, int side = 20) {
  fixture::Project project;
  for (int i = 0; i < side * side; ++i) project.nodes.push_back({1 + i, float(i % side), float(i / side), 0});
  for (int row = 0; row < side - 1; ++row)
    for (int column = 0; column < side - 1; ++column) {
      const int corner = row * side + column + 1;
      project.elements.push_back(
          {row * (side - 1) + column + 1, 40, 21, {corner, corner + 1, corner + side + 1, corner + side}});
    }
  const fixture::LoadFile noLoads;
  fixture::WriteProjectFiles(title, project, &noLoads);
}

constexpr const char* kClosing = "exit with input of any integer k = ? ";

struct Program {
  const char* path;
  const char* format;
  const char* name;
};

class FrontEnd : public testing::TestWithParam<Program> {};

TEST_P(FrontEnd, BothArgumentsWriteTheFileAndReportIt) {
  ScratchDir dir;
  WritePlate(dir / "plate");
  const RunResult run = RunProgram(dir, GetParam().path, {"plate", "plate.out"}, "7\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, std::string("\n") + GetParam().format + " file written: plate.out\n\n" + kClosing);
  EXPECT_TRUE(FileExists(dir / "plate.out"));
}

TEST_P(FrontEnd, PromptsReadOneWordEach) {
  ScratchDir dir;
  WritePlate(dir / "plate");
  const RunResult run = RunProgram(dir, GetParam().path, {}, "plate.fes   result.out\n3\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, std::string("filetitel of the project ? \n\nfiletitel ") + GetParam().format +
                            "-file ? \n\n" + GetParam().format + " file written: result.out\n\n" + kClosing);
  EXPECT_TRUE(FileExists(dir / "result.out"));
}

TEST_P(FrontEnd, OnlyTheTitleAsksForTheOutputName) {
  ScratchDir dir;
  WritePlate(dir / "plate");
  // End of input answers the closing prompt as well.
  const RunResult run = RunProgram(dir, GetParam().path, {"plate"}, "named.out");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, std::string("\nfiletitel ") + GetParam().format + "-file ? \n\n" + GetParam().format +
                            " file written: named.out\n\n" + kClosing);
}

TEST_P(FrontEnd, TitleWithBlanksOnTheCommandLineIsUsedWhole) {
  ScratchDir dir;
  WritePlate(dir / "my plate");
  const RunResult run = RunProgram(dir, GetParam().path, {"my plate", "out.txt"}, "");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(FileExists(dir / "out.txt"));
}

TEST_P(FrontEnd, NamesLongerThan255CharactersAreUsedWhole) {
  ScratchDir dir;
  const std::string folder = std::string(150, 'a') + "/" + std::string(150, 'b');
  std::filesystem::create_directories(dir.Path() / folder);
  WritePlate(dir / (folder + "/plate"));
  const std::string output = folder + "/" + std::string(100, 'c') + ".out";
  const RunResult run = RunProgram(dir, GetParam().path, {folder + "/plate", output}, "");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find(output), std::string::npos);
  EXPECT_TRUE(FileExists(dir / output));
}

TEST_P(FrontEnd, OneCharacterTitleFailsWithoutReading) {
  ScratchDir dir;
  const RunResult run = RunProgram(dir, GetParam().path, {"x", "out.txt"}, "1\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output, std::string("\n***No ") + GetParam().format + " file written\n" + kClosing);
  EXPECT_FALSE(FileExists(dir / "out.txt"));
}

TEST_P(FrontEnd, OneCharacterOutputNameFails) {
  ScratchDir dir;
  WritePlate(dir / "plate");
  const RunResult run = RunProgram(dir, GetParam().path, {"plate"}, "o\n1\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output, std::string("\nfiletitel ") + GetParam().format + "-file ? \n\n***No " +
                            GetParam().format + " file written\n" + kClosing);
}

TEST_P(FrontEnd, MissingProjectFailsAfterTheReadersMessage) {
  ScratchDir dir;
  const RunResult run = RunProgram(dir, GetParam().path, {"absent", "out.txt"}, "");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output, std::string("file absent.fes \ncould not be opened\n***No ") + GetParam().format +
                            " file written\n" + kClosing);
  EXPECT_FALSE(FileExists(dir / "out.txt"));
}

TEST_P(FrontEnd, OutputInAMissingFolderFails) {
  ScratchDir dir;
  WritePlate(dir / "plate");
  const RunResult run = RunProgram(dir, GetParam().path, {"plate", "nowhere/out.txt"}, "");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("cannot create nowhere/out.txt"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(std::string("\n***No ") + GetParam().format + " file written\n"), std::string::npos);
  EXPECT_EQ(run.output.find("file written:"), std::string::npos);
}

// A write that fails, in the last buffer or in one that the writing thread
// writes while the program formats the next, ends with one message and exit 1.
TEST_P(FrontEnd, WriteErrorKeepsTheEarlierFile) {
  if (!kHasShellLimits) GTEST_SKIP() << "limits the file size with the POSIX shell's ulimit";
  // Files may not grow beyond the limit (in KiB); the signal is ignored so
  // that the write itself fails, as on a full disk.
  for (const auto& [side, limit] : {std::pair{20, "1"}, std::pair{300, "2048"}}) {
    ScratchDir dir;
    WriteLargerPlate(dir / "plate", side);
    fixture::WriteBytes(dir / "out.txt", {'e', 'a', 'r', 'l', 'i', 'e', 'r'});
    const RunResult run = RunProgram(dir, GetParam().path, {"plate", "out.txt"}, "",
                                     std::string("trap '' XFSZ; ulimit -f ") + limit + "; ");
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_EQ(run.output, std::string("\n*** cannot write out.txt: File too large\n\n***No ") + GetParam().format +
                              " file written\n" + kClosing);
    EXPECT_EQ(ReadWholeFile(dir / "out.txt"), "earlier");
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
      EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    }
  }
}

TEST_P(FrontEnd, FullDeviceIsAFailure) {
  if (!FileExists("/dev/full")) GTEST_SKIP() << "needs the device /dev/full, which only POSIX systems have";
  ScratchDir dir;
  WriteLargerPlate(dir / "plate");
  const RunResult run = RunProgram(dir, GetParam().path, {"plate", "/dev/full"}, "");
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_NE(run.output.find(std::string("\n***No ") + GetParam().format + " file written\n"), std::string::npos);
}

// Only a sole -h, --help or --version is answered at once; every other word,
// and these words beside a second argument, remain project titles.
TEST_P(FrontEnd, SoleHelpOrVersionIsAnsweredWithoutPromptOrProject) {
  const std::string name = GetParam().name;
  const std::string usage = "Usage: " + name + " PROJECT [OUTPUT]\n";
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string expectedStart;  // the output begins with this
  };
  const Case cases[] = {
      {{"--help"}, 0, usage},
      {{"-h"}, 0, usage},
      {{"--version"}, 0, name + " " + FEM_VERSION + "\n"},
      {{"-v"}, 1, "file -v.fes \ncould not be opened"},
      {{"--help", "out.txt"}, 0, std::string("\n") + GetParam().format + " file written: out.txt\n"},
  };
  ScratchDir dir;
  WritePlate(dir / "--help");
  for (const Case& c : cases) {
    const RunResult run = RunProgram(dir, GetParam().path, c.args, "");
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0];
    EXPECT_EQ(run.output.substr(0, c.expectedStart.size()), c.expectedStart) << run.output;
    const bool answered = c.exitCode == 0 && c.args.size() == 1;
    EXPECT_EQ(run.output.find(kClosing) == std::string::npos, answered) << run.output;
    if (c.expectedStart == usage) {
      EXPECT_NE(run.output.find("0 when the file was written, 1 when it was not"), std::string::npos);
      EXPECT_NE(run.output.find("SOURCE_DATE_EPOCH"), std::string::npos);
    }
    if (c.args[0] == "--version") {
      EXPECT_EQ(run.output, c.expectedStart);
    }
  }
}

// A project whose writer needs more memory than its reader: 10,000 forces,
// each in a load set of its own, so the deck writer keeps a list of load
// sets on top of the model and its output buffer.
void WriteManyLoadSets(const std::string& title) {
  fixture::Project project;
  for (int i = 0; i < 4; ++i) project.nodes.push_back({1 + i, float(i % 2), float(i / 2), 0});
  project.elements.push_back({1, 40, 21, {1, 2, 4, 3}});
  fixture::LoadFile loads;
  for (int set = 1; set <= 10000; ++set) loads.nodeLoads.push_back({set, 0, {1 + set % 4}, {1, 0, 0}, 1});
  fixture::WriteProjectFiles(title, project, &loads);
}

bool HasTemporaryFile(const ScratchDir& dir) {
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    if (entry.path().filename().string().find(".tmp") != std::string::npos) return true;
  }
  return false;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

TEST_P(FrontEnd, ExceptionInTheWriterEndsTheRunWithoutAFile) {
  if (kAddressSanitizer) GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit would leave";
  if (!kHasShellLimits) GTEST_SKIP() << "limits the address space with the POSIX shell's ulimit";
  ScratchDir dir;
  WriteManyLoadSets(dir / "sets");
  auto runWithin = [&](long kib) {
    return RunProgram(dir, GetParam().path, {"sets", "out.txt"}, "", "ulimit -v " + std::to_string(kib) + "; ");
  };
  // The least address space (to 64 KiB) in which the run succeeds.
  long fails = 1024;
  long succeeds = 1024 * 1024;
  ASSERT_EQ(runWithin(succeeds).exitCode, 0);
  while (succeeds - fails > 64) {
    const long middle = (fails + succeeds) / 2;
    (runWithin(middle).exitCode == 0 ? succeeds : fails) = middle;
  }
  // Just below it the peak is not reached: an allocation of the writer fails
  // (std::bad_alloc, or the like for other resources). The run ends like any
  // failure, and unwinding removes the unfinished file.
  const std::string cannotWrite = "\n*** cannot write out.txt: ";
  const std::string failed = std::string("\n\n***No ") + GetParam().format + " file written\n" + kClosing;
  bool writerFailed = false;
  for (long kib = succeeds - 32; kib > succeeds - 4096 && !writerFailed; kib -= 32) {
    std::filesystem::remove(dir / "out.txt");
    const RunResult run = runWithin(kib);
    if (run.exitCode == 0) continue;
    ASSERT_EQ(run.exitCode, 1) << kib << " KiB: " << run.output;
    EXPECT_FALSE(FileExists(dir / "out.txt")) << kib;
    EXPECT_FALSE(HasTemporaryFile(dir)) << kib;
    ASSERT_EQ(run.output.find("cannot read"), std::string::npos) << kib << " KiB: " << run.output;
    writerFailed = run.output.starts_with(cannotWrite) && run.output.ends_with(failed) &&
                   std::count(run.output.begin(), run.output.end(), '\n') == 4;
  }
  EXPECT_TRUE(writerFailed);
}

// pelmor's warning line comes after the file is written and stands on a line
// of its own: after a reader message that ends inside a line, a line end
// comes first and the result line then needs none of its own.
TEST(PelmorConsole, WarningLineStandsOnALineOfItsOwn) {
  const std::string warning =
      "warning: 1 distributed load carries a number of values that its flags do not announce\n";
  const std::string unknownNode = "Die Lastdatei enth\xE4lt 1 externe Knotennummern,\n die nicht existieren";
  const struct {
    bool unknownNode;        // a force on a node that does not exist: the reader's message
    bool unannouncedValues;  // a pressure whose flags announce no value
    std::vector<std::string> args;
    std::string output;
  } cases[] = {
      {false, true, {"plate", "out.nf"}, warning + "\nPATRAN file written: out.nf\n\n"},
      {true, true, {"plate", "out.nf"}, unknownNode + "\n" + warning + "PATRAN file written: out.nf\n\n"},
      {true, false, {"plate", "out.nf"}, unknownNode + "\nPATRAN file written: out.nf\n\n"},
      {false, true, {"plate"}, "\nfiletitel PATRAN-file ? \n" + warning + "\nPATRAN file written: out.nf\n\n"},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    fixture::Project project;
    for (int i = 0; i < 4; ++i) project.nodes.push_back({101 + i, float(i % 2), float(i / 2), 0});
    project.elements.push_back({11, 40, 21, {1, 2, 4, 3}});
    fixture::LoadFile loads;
    if (c.unknownNode) loads.nodeLoads.push_back({1, 0, {999}, {1, 0, 0}, 1});
    fixture::DistributedLoad pressure{};
    pressure.loadSet = 1;
    pressure.list = {11};
    pressure.values = {0.5f};
    if (!c.unannouncedValues) {
      pressure.componentCode = 3;
      pressure.elementFlag = 1;
    }
    loads.distributedLoads.push_back(pressure);
    fixture::WriteProjectFiles(dir / "plate", project, &loads);

    const RunResult run = RunProgram(dir, PELMOR_BINARY, c.args, "out.nf\n0\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, c.output + kClosing) << c.unknownNode << c.unannouncedValues << c.args.size();
  }
}

// The deck's warning lines come after the reader's messages, each on a line
// of its own: a reader message that ends within its line gets a line end
// before the first warning, which the result line then does without.
TEST(VardexConsole, WarningLinesStandOnLinesOfTheirOwn) {
  const std::string readerMessage = "Die Lastdatei enth\xE4lt 1 externe Elementnummern,\n die nicht existieren";
  const std::string warning = "warning: 1 element has no NASTRAN card and was not written\n";
  const struct {
    bool unknownElement;  // the load file names an element that does not exist
    bool elementWithoutCard;
    std::string console;
  } cases[] = {
      {true, true, readerMessage + "\n" + warning + "NASTRAN file written: plate.bdf\n\n"},
      {false, true, warning + "\nNASTRAN file written: plate.bdf\n\n"},
      {true, false, readerMessage + "\nNASTRAN file written: plate.bdf\n\n"},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    fixture::Project project;
    project.nodes = {{1, 0, 0, 0}, {2, 1, 0, 0}};
    project.elements.push_back({1, 20, c.elementWithoutCard ? 107 : 102, {1, 2, 0, 0, 0}});
    fixture::LoadFile loads;
    fixture::Property rod{};
    rod.id = 1;
    rod.typeCode = 1102;
    rod.values = {1.0f};
    rod.elements = {1};
    if (c.unknownElement) rod.elements.push_back(99);
    loads.properties.push_back(rod);
    fixture::WriteProjectFiles(dir / "plate", project, &loads);
    const RunResult run = RunProgram(dir, VARDEX_BINARY, {"plate", "plate.bdf"}, "");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, c.console + kClosing);
  }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, FrontEnd,
                         testing::Values(Program{VARDEX_BINARY, "NASTRAN", "vardex"},
                                         Program{PELMOR_BINARY, "PATRAN", "pelmor"}),
                         [](const testing::TestParamInfo<Program>& info) {
                           return std::string(info.param.format);
                         });

}  // namespace
