#include "tools/sample_projects.h"

#include <utility>

namespace fixture {
namespace {

DistributedLoad Pressure(int32_t loadSet, int32_t cardKind, std::vector<int32_t> list, bool nodeSet,
                         std::vector<float> values) {
  DistributedLoad load{};
  load.loadSet = loadSet;
  load.cardKind = cardKind;
  load.list = std::move(list);
  load.nodeSet = nodeSet;
  load.values = std::move(values);
  return load;
}

// Nodes 1..count on a line, numbered from `first`.
std::vector<Node> Nodes(int count, int32_t first) {
  std::vector<Node> nodes;
  for (int i = 0; i < count; ++i)
    nodes.push_back({first + i, static_cast<float>(i % 3), static_cast<float>(i / 3 % 3), static_cast<float>(i / 9)});
  return nodes;
}

}  // namespace

LoadFile EveryLoad(int32_t firstNode, int32_t firstElement) {
  const int32_t n = firstNode;
  const int32_t e = firstElement;
  LoadFile loads;
  for (int32_t kind = 0; kind <= 5; ++kind) loads.nodeLoads.push_back({kind + 1, kind, {n, n + 1}, {1, 0, 2}, 3});
  loads.nodeLoads[1].frameOffset = 100;
  loads.distributedLoads.push_back(Pressure(1, 10, {e}, false, {5, 1, 2, 3, 0}));
  loads.distributedLoads.push_back(Pressure(1, 11, {e}, false, {2, 1, 0, 1, 1, 2, 1, 2, 0}));
  loads.distributedLoads.push_back(Pressure(2, 12, {e}, false, {4, 1, 2, 3, 4, 5, 9}));
  loads.distributedLoads.push_back(Pressure(2, 14, {e, e + 1}, false, {1, 2, 3, 4, 1, 3, 0, 0, 0, 1}));
  loads.distributedLoads.push_back(Pressure(3, 14, {n, n + 1, n + 2, n + 3}, true, {7}));
  DistributedLoad vectors = Pressure(4, 14, {e}, false, {1});
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

std::vector<SampleProject> SampleProjects() {
  std::vector<SampleProject> samples;
  SampleProject shells{"shells", {}, EveryLoad(1, 1)};
  shells.project.nodes = Nodes(9, 1);
  shells.project.elements = {{1, 40, 21, {1, 2, 5, 4}}, {2, 30, 21, {2, 3, 6}}, {3, 42, 21, {1, 2, 3, 6, 9, 8, 7, 4}}};
  shells.project.frames = {{10, 1}, {11, 2, {1, 2, 3}}, {12, 3}, {13, 5}};
  samples.push_back(shells);

  SampleProject solids{"solids", {}, EveryLoad(101, 11)};
  solids.project.nodes = Nodes(18, 101);
  solids.project.elements = {{11, 80, 61, {1, 2, 5, 4, 10, 11, 14, 13}},
                             {12, 60, 61, {2, 3, 6, 11, 12, 15}},
                             {13, 70, 61, {4, 5, 7, 13}},
                             {14, 82, 61, {1, 2, 5, 4, 10, 11, 14, 13, 3, 6, 9, 8, 12, 15, 18, 17, 7, 16, 0, 0}}};
  samples.push_back(solids);

  SampleProject lines{"lines", {}, EveryLoad(1, 1)};
  lines.project.nodes = Nodes(6, 1);
  lines.project.elements = {{1, 20, 111, {1, 2, 3, 0, 0}}, {2, 22, 121, {2, 3, 4, 0, 0}},
                            {3, 20, 103, {3, 4, 0, 0, 0}}, {4, 20, 11, {4, 5, 0, 0, 0}},
                            {5, 1, 202, {6}},              {6, 20, 131, {5, 6, 0, 0, 0}}};
  lines.project.entryWords = 12;
  samples.push_back(lines);
  return samples;
}

}  // namespace fixture
