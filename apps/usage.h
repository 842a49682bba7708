// The two informational command lines of both programs: a sole "-h" or
// "--help" prints the usage text, a sole "--version" the version line. Any
// other command line, words beginning with "-" included, names a project.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct ProgramText {
  const char* name;        // "vardex"
  const char* writes;      // what the program writes, one or more whole lines
  const char* outputName;  // an example output name, "out.bdf"
};

// Prints the usage text or the version line to standard output and returns
// the exit code (0, or 1 when standard output cannot be written); nothing
// (std::nullopt) for every other command line, which goes to the front end.
std::optional<int> AnswerHelpOrVersion(const std::vector<std::string>& args, const ProgramText& program);
