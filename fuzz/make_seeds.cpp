// Writes the seed corpus of the fuzz targets: small projects of shells,
// solids and lines with loads of every kind, built with the fixture writer.
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

#include "tools/fixture_writer.h"

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

fixture::DistributedLoad Pressure(int32_t loadSet, int32_t cardKind, std::vector<int32_t> list, bool nodeSet,
                                  std::vector<float> values) {
  fixture::DistributedLoad load{};
  load.loadSet = loadSet;
  load.cardKind = cardKind;
  load.list = std::move(list);
  load.nodeSet = nodeSet;
  load.values = std::move(values);
  return load;
}

// Loads of every kind on nodes 1..4 and elements 1..2 (external numbers).
fixture::LoadFile EveryLoad(int32_t firstNode, int32_t firstElement) {
  const int32_t n = firstNode;
  const int32_t e = firstElement;
  fixture::LoadFile loads;
  for (int32_t kind = 0; kind <= 5; ++kind) loads.nodeLoads.push_back({kind + 1, kind, {n, n + 1}, {1, 0, 2}, 3});
  loads.nodeLoads[1].frameOffset = 100;
  loads.distributedLoads.push_back(Pressure(1, 10, {e}, false, {5, 1, 2, 3, 0}));
  loads.distributedLoads.push_back(Pressure(1, 11, {e}, false, {2, 1, 0, 1, 1, 2, 1, 2, 0}));
  loads.distributedLoads.push_back(Pressure(2, 12, {e}, false, {4, 1, 2, 3, 4, 5, 9}));
  loads.distributedLoads.push_back(Pressure(2, 14, {e, e + 1}, false, {1, 2, 3, 4, 1, 3, 0, 0, 0, 1}));
  loads.distributedLoads.push_back(Pressure(3, 14, {n, n + 1, n + 2, n + 3}, true, {7}));
  fixture::DistributedLoad vectors = Pressure(4, 14, {e}, false, {1});
  vectors.vectorMarker = -1;
  vectors.loadType = 1;
  vectors.vectors = {{static_cast<float>(n), 1, 2, 3}, {static_cast<float>(n + 2), 0, 0, 1}};
  loads.distributedLoads.push_back(vectors);
  loads.constraints = {{{n, n + 1}, 123}, {{n + 1}, 456, 6, 'G', 0}, {{n + 2}, 3, 6, 'G', 0, 5}};
  loads.materials = {{1, 1, {210000, 80769, 0.3, 7.85e-9}}, {2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9}}};
  loads.properties = {{1, 1, 1021, {2.0f}, {e, e + 1}},
                      {2, 2, 1061, {}, {e + 1}},
                      {3, 1, 1110, {100, 833, 833, 1406}, {e}},
                      {0, 0, 111, {0, 0, 1}, {}}};
  return loads;
}

// Nodes 1..count on a line, numbered from `first`.
std::vector<fixture::Node> Nodes(int count, int32_t first) {
  std::vector<fixture::Node> nodes;
  for (int i = 0; i < count; ++i)
    nodes.push_back({first + i, static_cast<float>(i % 3), static_cast<float>(i / 3 % 3), static_cast<float>(i / 9)});
  return nodes;
}

struct Seed {
  std::string name;
  fixture::Project project;
  fixture::LoadFile loads;
};

std::vector<Seed> Seeds() {
  std::vector<Seed> seeds;
  Seed shells{"shells", {}, EveryLoad(1, 1)};
  shells.project.nodes = Nodes(9, 1);
  shells.project.elements = {{1, 40, 21, {1, 2, 5, 4}}, {2, 30, 21, {2, 3, 6}}, {3, 42, 21, {1, 2, 3, 6, 9, 8, 7, 4}}};
  shells.project.frames = {{10, 1}, {11, 2, {1, 2, 3}}, {12, 3}, {13, 5}};
  seeds.push_back(shells);

  Seed solids{"solids", {}, EveryLoad(101, 11)};
  solids.project.nodes = Nodes(18, 101);
  solids.project.elements = {{11, 80, 61, {1, 2, 5, 4, 10, 11, 14, 13}},
                             {12, 60, 61, {2, 3, 6, 11, 12, 15}},
                             {13, 70, 61, {4, 5, 7, 13}},
                             {14, 82, 61, {1, 2, 5, 4, 10, 11, 14, 13, 3, 6, 9, 8, 12, 15, 18, 17, 7, 16, 0, 0}}};
  seeds.push_back(solids);

  Seed lines{"lines", {}, EveryLoad(1, 1)};
  lines.project.nodes = Nodes(6, 1);
  lines.project.elements = {{1, 20, 111, {1, 2, 3, 0, 0}}, {2, 22, 121, {2, 3, 4, 0, 0}},
                            {3, 20, 103, {3, 4, 0, 0, 0}}, {4, 20, 11, {4, 5, 0, 0, 0}},
                            {5, 1, 202, {6}},              {6, 20, 131, {5, 6, 0, 0, 0}}};
  lines.project.entryWords = 12;
  seeds.push_back(lines);
  return seeds;
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
    Write(folder / "load_file" / "every_load", fixture::EncodeLoadFile(EveryLoad(1001, 5001)));
    for (const Seed& seed : Seeds()) {
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
