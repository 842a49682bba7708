// The shipped example project converted by both programs, compared with the
// expected deck and neutral file (date fixed through SOURCE_DATE_EPOCH).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/run_program.h"
#include "tests/support/test_support.h"

using testing_support::ReadWholeFile;
using testing_support::RunProgram;
using testing_support::RunResult;
using testing_support::ScratchDir;

namespace {

// Runs the program on a copy of the example in a scratch folder, so that the
// title written into the output is the plain project name.
std::string Convert(const char* program, const std::string& outputName) {
  ScratchDir dir;
  for (const char* extension : {".fes", ".lqd"}) {
    std::filesystem::copy_file(std::string(EXAMPLES_DIR) + "/bracket" + extension,
                               dir / (std::string("bracket") + extension));
  }
  setenv("SOURCE_DATE_EPOCH", "1796601600", 1);
  const RunResult run = RunProgram(dir, program, {"bracket", outputName}, "0\n");
  unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  return ReadWholeFile(dir / outputName);
}

TEST(ExampleProject, DeckMatchesTheExpectedText) {
  EXPECT_EQ(Convert(VARDEX_BINARY, "bracket.bdf"), ReadWholeFile(std::string(EXPECTED_DIR) + "/bracket.bdf"));
}

TEST(ExampleProject, NeutralFileMatchesTheExpectedText) {
  EXPECT_EQ(Convert(PELMOR_BINARY, "bracket.nf"), ReadWholeFile(std::string(EXPECTED_DIR) + "/bracket.nf"));
}

TEST(ExampleProject, ShippedFilesAreWhatTheGeneratorWrites) {
  ScratchDir dir;
  const RunResult run = RunProgram(dir, MAKE_EXAMPLE_BINARY, {dir.Path().string()}, "");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  for (const char* extension : {".fes", ".lqd"}) {
    EXPECT_EQ(ReadWholeFile(dir / (std::string("bracket") + extension)),
              ReadWholeFile(std::string(EXAMPLES_DIR) + "/bracket" + extension))
        << "examples/bracket" << extension << " differs from what make_example writes";
  }
}

}  // namespace
