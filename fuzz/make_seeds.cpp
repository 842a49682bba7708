// Writes the seed corpus of the fuzz targets: the example project and the
// sample projects of shells, solids and lines with loads of every kind.
//
//   make_seeds <folder>   writes <folder>/project, <folder>/load_file and
//                         <folder>/model_file, one file per seed
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/sample_projects.h"

namespace {

using Bytes = std::vector<char>;

Bytes ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// The project target's input: the model file's length, the model file, the load file.
Bytes Joined(const Bytes& fes, const Bytes& lqd) {
  Bytes joined(4);
  const uint32_t length = static_cast<uint32_t>(fes.size());
  std::memcpy(joined.data(), &length, sizeof length);
  joined.insert(joined.end(), fes.begin(), fes.end());
  joined.insert(joined.end(), lqd.begin(), lqd.end());
  return joined;
}

void Write(const std::filesystem::path& path, const Bytes& bytes) { fixture::WriteBytes(path.string(), bytes); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_seeds <folder>\n", stderr);
    return 2;
  }
  try {
    const std::filesystem::path folder = argv[1];
    for (const char* target : {"project", "load_file", "model_file"}) {
      std::filesystem::create_directories(folder / target);
    }
    const Bytes exampleFes = ReadFile(EXAMPLES_DIR "/bracket.fes");
    const Bytes exampleLqd = ReadFile(EXAMPLES_DIR "/bracket.lqd");
    Write(folder / "project" / "example", Joined(exampleFes, exampleLqd));
    Write(folder / "model_file" / "example", exampleFes);
    Write(folder / "load_file" / "example", exampleLqd);
    // Loads of every kind on the example's numbers (plate nodes 1001.., plate elements 5001..).
    Write(folder / "load_file" / "every_load", fixture::EncodeLoadFile(fixture::EveryLoad(1001, 5001)));
    for (const fixture::SampleProject& seed : fixture::SampleProjects()) {
      const Bytes fes = fixture::EncodeProject(seed.project);
      Write(folder / "project" / seed.name, Joined(fes, fixture::EncodeLoadFile(seed.loads)));
      Write(folder / "model_file" / seed.name, fes);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_seeds: %s\n", error.what());
    return 1;
  }
  return 0;
}
