// Writes the sample projects (tools/sample_projects.h) as project files:
//
//   make_samples <folder>   writes <folder>/NAME.fes and <folder>/NAME.lqd for
//                           NAME shells, solids and lines
#include <cstdio>
#include <exception>
#include <string>

#include "tools/sample_projects.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_samples <folder>\n", stderr);
    return 2;
  }
  try {
    for (const fixture::SampleProject& sample : fixture::SampleProjects()) {
      fixture::WriteProjectFiles(std::string(argv[1]) + "/" + sample.name, sample.project, &sample.loads);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_samples: %s\n", error.what());
    return 1;
  }
  return 0;
}
