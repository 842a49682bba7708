#include "apps/front_end.h"

#include <cstdio>
#include <iostream>
#include <string>

#include "model/project_reader.h"

namespace {

// One whitespace-delimited word from standard input; empty at end of input.
std::string ReadWord() {
  std::string word;
  std::cin >> word;
  return word;
}

int Finish(int exitCode) {
  std::fputs("exit with input of any integer k = ? ", stdout);
  std::fflush(stdout);
  int ignored = 0;
  std::cin >> ignored;  // waits for the user; any input or its end will do
  return exitCode;
}

int Fail(const char* formatName) {
  std::printf("\n***No %s file written\n", formatName);
  return Finish(1);
}

}  // namespace

int RunFrontEnd(int argc, char** argv, const char* formatName, ModelWriter writer) {
  Model model;

  std::string title;
  if (argc > 1) {
    title = argv[1];
  } else {
    std::fputs("filetitel of the project ? \n", stdout);
    std::fflush(stdout);
    title = ReadWord();
  }
  if (title.size() < 2) return Fail(formatName);

  if (ProjectReader(title, model) != 0) return Fail(formatName);

  std::string output;
  if (argc > 2) {
    output = argv[2];
  } else {
    std::printf("\nfiletitel %s-file ? \n", formatName);
    std::fflush(stdout);
    output = ReadWord();
  }
  if (output.size() < 2) {
    FreeModel(model);
    return Fail(formatName);
  }

  // The writer may rename the output path (side files); report the name given.
  std::string written = output;
  const int result = writer(written, model, title);
  FreeModel(model);
  if (result != 0) return Fail(formatName);

  std::printf("\n%s file written: %s\n\n", formatName, output.c_str());
  return Finish(0);
}
