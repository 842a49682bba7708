// The output file: replaced only after a complete write, written directly
// when the path is not a regular file, and the date text.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/date_text.h"
#include "model/decimal_text.h"
#include "model/output_file.h"
#include "model/platform.h"
#include "tests/support/test_support.h"
#include "tools/fixture_writer.h"

using testing_support::ReadWholeFile;
using testing_support::ScratchDir;

namespace {

#ifdef _WIN32
constexpr bool kPosixFiles = false;
#else
constexpr bool kPosixFiles = true;
#endif

int FilesIn(const ScratchDir& dir) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++count;
  return count;
}

TEST(OutputFile, WritesThroughATemporaryFileAndRenamesOnClose) {
  ScratchDir dir;
  OutputFile file;
  ASSERT_TRUE(file.Open(dir / "deck.bdf"));
  file.Write("GRID, ");
  file.WriteInt(-20000001);
  file.Put('\n');
  EXPECT_FALSE(testing_support::FileExists(dir / "deck.bdf"));  // not there before the close
  ASSERT_TRUE(file.Close()) << file.Error();
  EXPECT_EQ(ReadWholeFile(dir / "deck.bdf"), "GRID, -20000001\n");
  EXPECT_EQ(FilesIn(dir), 1);
}

TEST(OutputFile, DiscardKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
  ScratchDir dir;
  fixture::WriteBytes(dir / "deck.bdf", {'o', 'l', 'd'});
  {
    OutputFile file;
    ASSERT_TRUE(file.Open(dir / "deck.bdf"));
    file.Write("new text");
  }  // destroyed without Close()
  EXPECT_EQ(ReadWholeFile(dir / "deck.bdf"), "old");
  EXPECT_EQ(FilesIn(dir), 1);
}

TEST(OutputFile, LargeOutputCrossesTheBufferIntact) {
  ScratchDir dir;
  OutputFile file;
  ASSERT_TRUE(file.Open(dir / "big.txt"));
  std::string expected;
  const std::string line(1000, 'x');
  for (int i = 0; i < 9000; ++i) {  // past the first writeback step too
    file.Write(line);
    file.WriteInt(i);
    expected += line + std::to_string(i);
  }
  const std::string longName(3 * OutputFile::kBufferSize, 'n');  // longer than the buffer
  file.Write(longName);
  expected += longName;
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(ReadWholeFile(dir / "big.txt"), expected);
}

// The replacement that Windows' rename would refuse: an earlier file is
// replaced only at the close, by the complete new one.
TEST(OutputFile, ReplacesAnEarlierFileAtTheClose) {
  ScratchDir dir;
  fixture::WriteBytes(dir / "deck.bdf", {'o', 'l', 'd'});
  OutputFile file;
  ASSERT_TRUE(file.Open(dir / "deck.bdf"));
  file.Write("new text");
  file.Flush();
  EXPECT_EQ(ReadWholeFile(dir / "deck.bdf"), "old");
  ASSERT_TRUE(file.Close()) << file.Error();
  EXPECT_EQ(ReadWholeFile(dir / "deck.bdf"), "new text");
  EXPECT_EQ(FilesIn(dir), 1);
}

// When the finished file cannot take the target's place (here a folder has
// taken it meanwhile), the close fails, the target stays as it was and the
// temporary file goes.
TEST(OutputFile, FailedReplacementKeepsTheTargetAndRemovesTheTemporaryFile) {
  ScratchDir dir;
  fixture::WriteBytes(dir / "deck.bdf", {'o', 'l', 'd'});
  OutputFile file;
  ASSERT_TRUE(file.Open(dir / "deck.bdf"));
  file.Write("new text");
  std::filesystem::remove(dir / "deck.bdf");
  std::filesystem::create_directory(dir / "deck.bdf");
  fixture::WriteBytes(dir / "deck.bdf/inside", {'k'});
  EXPECT_FALSE(file.Close());
  EXPECT_EQ(file.Error().rfind("cannot rename the finished file to " + (dir / "deck.bdf") + ": ", 0), 0u)
      << file.Error();
  EXPECT_EQ(ReadWholeFile(dir / "deck.bdf/inside"), "k");
  EXPECT_EQ(FilesIn(dir), 1);
}

TEST(OutputFile, KeepsTheModeOfAnEarlierFile) {
  if (!kPosixFiles) GTEST_SKIP() << "permission bits are POSIX's";
  using std::filesystem::perms;
  ScratchDir dir;
  fixture::WriteBytes(dir / "deck.bdf", {'o'});
  std::filesystem::permissions(dir / "deck.bdf", perms::owner_read | perms::owner_write | perms::group_read);
  OutputFile file;
  ASSERT_TRUE(file.Open(dir / "deck.bdf"));
  file.Write("n");
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(std::filesystem::status(dir / "deck.bdf").permissions() & perms::all,
            perms::owner_read | perms::owner_write | perms::group_read);
}

TEST(OutputFile, ReplacesTheFileALinkNamesAndKeepsTheLink) {
  if (!kPosixFiles) GTEST_SKIP() << "symbolic links are resolved on POSIX systems only";
  ScratchDir dir;
  fixture::WriteBytes(dir / "real.bdf", {'o'});
  std::filesystem::create_symlink("real.bdf", dir / "link.bdf");
  OutputFile file;
  ASSERT_TRUE(file.Open(dir / "link.bdf"));
  file.Write("through the link");
  ASSERT_TRUE(file.Close());
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.bdf"));
  EXPECT_EQ(ReadWholeFile(dir / "real.bdf"), "through the link");
}

TEST(OutputFile, CreationFailureSaysWhatFailed) {
  ScratchDir dir;
  OutputFile file;
  EXPECT_FALSE(file.Open(dir / "missing/deck.bdf"));
  EXPECT_EQ(file.Error(), "cannot create " + (dir / "missing/deck.bdf") + ": No such file or directory");
}

TEST(OutputFile, WriteErrorOnADeviceIsReportedAtClose) {
  if (!testing_support::FileExists("/dev/full")) GTEST_SKIP() << "needs the device /dev/full of POSIX systems";
  OutputFile file;
  ASSERT_TRUE(file.Open("/dev/full"));
  file.Write("text");
  EXPECT_FALSE(file.Close());
  EXPECT_EQ(file.Error(), "cannot write /dev/full: No space left on device");
}

TEST(OutputFile, NullDeviceIsWrittenDirectly) {
  OutputFile file;
  ASSERT_TRUE(file.Open(platform::kNullDevice));
  file.Write("text");
  EXPECT_TRUE(file.Close()) << file.Error();
  if (kPosixFiles) {
    EXPECT_TRUE(std::filesystem::is_character_file(platform::kNullDevice));
  }
}

// The digit-pair writer must give to_chars' bytes for every length: all
// numbers below 10^6, each power of ten and its neighbours, the extremes.
TEST(OutputFile, DecimalTextIsToCharsText) {
  std::vector<int64_t> values;
  for (int64_t v = -1000; v < 1000000; ++v) values.push_back(v);
  for (int64_t power = 1; power <= 10000000000; power *= 10) {
    for (int64_t v : {power - 1, power, power + 1, -power, -power + 1}) values.push_back(v);
  }
  for (int64_t v : {int64_t{INT32_MAX}, int64_t{INT32_MIN}, int64_t{INT32_MIN} + 1, int64_t{UINT32_MAX}}) {
    values.push_back(v);
  }
  for (const int64_t v : values) {
    char expected[24];
    char actual[24];
    const std::string_view want(expected, std::to_chars(expected, expected + 24, v).ptr - expected);
    if (v >= 0 && v <= UINT32_MAX) {
      ASSERT_EQ(std::string_view(actual, PutDecimal(static_cast<uint32_t>(v), actual) - actual), want);
    }
    if (v >= INT32_MIN && v <= INT32_MAX) {
      ASSERT_EQ(std::string_view(actual, PutDecimal(static_cast<int32_t>(v), actual) - actual), want);
    }
  }
}

TEST(DateText, FormatsUtcWithTwoDigitDay) {
  EXPECT_EQ(DateText(315626635), "Wed Jan 02 02:03:55 1980");
  EXPECT_EQ(DateText(0), "Thu Jan 01 00:00:00 1970");
  EXPECT_EQ(DateText(1796601600), "Mon Dec 07 00:00:00 2026");
  EXPECT_EQ(DateText(-86399), "Wed Dec 31 00:00:01 1969");
}

TEST(DateText, SourceDateEpochReplacesTheClockOnlyWhenWhole) {
  setenv("SOURCE_DATE_EPOCH", "315627835", 1);
  EXPECT_EQ(WritingMoment(), 315627835);
  setenv("SOURCE_DATE_EPOCH", "12abc", 1);
  EXPECT_GT(WritingMoment(), 1700000000);
  setenv("SOURCE_DATE_EPOCH", "1.5", 1);
  EXPECT_GT(WritingMoment(), 1700000000);
  unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_GT(WritingMoment(), 1700000000);
}

}  // namespace
