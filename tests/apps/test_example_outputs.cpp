// The shipped example project converted by both programs, compared with the
// expected deck and neutral file (date fixed through SOURCE_DATE_EPOCH).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/test_support.h"

using testing_support::ReadWholeFile;
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
  std::string command = "cd '";
  command += dir.Path().string();
  command += "' && echo 0 | SOURCE_DATE_EPOCH=1796601600 '";
  command += program;
  command += "' bracket ";
  command += outputName;
  command += " >console.txt";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadWholeFile(dir / "console.txt");
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
  std::string command = "'";
  command += MAKE_EXAMPLE_BINARY;
  command += "' '";
  command += dir.Path().string();
  command += "' >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const char* extension : {".fes", ".lqd"}) {
    EXPECT_EQ(ReadWholeFile(dir / (std::string("bracket") + extension)),
              ReadWholeFile(std::string(EXAMPLES_DIR) + "/bracket" + extension))
        << "examples/bracket" << extension << " differs from what make_example writes";
  }
}

}  // namespace
