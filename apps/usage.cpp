#include "apps/usage.h"

#include <cstdio>

#include "model/platform.h"

namespace {

void PrintUsage(const ProgramText& program) {
  std::printf("Usage: %s PROJECT [OUTPUT]\n       %s -h | --help | --version\n\n", program.name, program.name);
  std::fputs(program.writes, stdout);
  std::fputs(
      "from the project PROJECT: the files PROJECT.fes and PROJECT.lqd (a short\n"
      "extension such as \".fes\" on PROJECT is dropped). Missing arguments are\n"
      "asked for on the console. An existing OUTPUT file is replaced only once the\n"
      "new one is complete.\n"
      "\n"
      "Before it ends, the program waits for an integer on standard input; the end\n"
      "of input also ends it, so that\n",
      stdout);
  std::printf("    %s p %s <%s\n", program.name, program.outputName, platform::kNullDevice);
  std::fputs(
      "suits scripts.\n"
      "\n"
      "Exit status: 0 when the file was written, 1 when it was not.\n"
      "Environment: SOURCE_DATE_EPOCH, when it holds a whole number of seconds\n"
      "since 1970-01-01 00:00:00 UTC, is written as the date instead of the\n"
      "current time.\n",
      stdout);
  if (platform::kHasManualPages) {
    std::printf("\nThe manual page (man %s) says more.\n", program.name);
  } else {
    std::fputs("\nREADME.md beside the program says more.\n", stdout);
  }
}

}  // namespace

std::optional<int> AnswerHelpOrVersion(const std::vector<std::string>& args, const ProgramText& program) {
  if (args.size() != 2) return std::nullopt;
  const std::string& word = args[1];
  if (word == "-h" || word == "--help") {
    PrintUsage(program);
  } else if (word == "--version") {
    std::printf("%s %s\n", program.name, FEM_VERSION);
  } else {
    return std::nullopt;
  }
  return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
