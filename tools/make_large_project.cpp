// Writes a large project for timing both programs by hand:
//
//   make_large_project <title> [cells per edge, default 100]
//
// A block of n x n x n eight-node hexahedra (1,000,000 for n = 100) on
// (n+1)^3 nodes, plus as many free nodes again as half the block's nodes (so
// about 1,500,000 nodes in all), numbered with gaps so that the load file's
// numbers go through the number lookup. The load file clamps the face x = 0,
// puts forces on the face x = n, a pressure on the elements of one layer and
// one solid property with its material on every element.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "tools/fixture_writer.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_large_project <title> [cells per edge]\n");
    return 2;
  }
  const int n = argc > 2 ? std::atoi(argv[2]) : 100;
  if (n < 1 || n > 300) {
    std::fprintf(stderr, "cells per edge must be 1 to 300\n");
    return 2;
  }
  const int m = n + 1;
  auto position = [m](int i, int j, int k) { return 1 + i + m * (j + m * k); };
  auto nodeNumber = [](int position) { return 2 * position + 1; };

  fixture::Project project;
  fixture::LoadFile loads;
  const int blockNodes = m * m * m;
  const int freeNodes = blockNodes / 2;
  project.nodes.reserve(static_cast<std::size_t>(blockNodes + freeNodes));
  for (int k = 0; k < m; ++k)
    for (int j = 0; j < m; ++j)
      for (int i = 0; i < m; ++i)
        project.nodes.push_back({nodeNumber(position(i, j, k)), 10.0f * i, 10.0f * j, 10.0f * k});
  for (int f = 0; f < freeNodes; ++f)
    project.nodes.push_back({nodeNumber(blockNodes + f + 1), -10.0f, 0.5f * f, 0});

  fixture::Property solid{};
  solid.id = 1;
  solid.materialId = 1;
  solid.typeCode = 1061;
  fixture::DistributedLoad pressure{};
  pressure.loadSet = 1;
  pressure.values = {0.1f, 0.1f, 0.1f, 0.1f};
  project.elements.reserve(static_cast<std::size_t>(n) * n * n);
  int number = 100000;
  for (int k = 0; k < n; ++k)
    for (int j = 0; j < n; ++j)
      for (int i = 0; i < n; ++i) {
        number += (i == 0) ? 3 : 1;
        project.elements.push_back(
            {number, 80, 61,
             {position(i, j, k), position(i + 1, j, k), position(i + 1, j + 1, k), position(i, j + 1, k),
              position(i, j, k + 1), position(i + 1, j, k + 1), position(i + 1, j + 1, k + 1),
              position(i, j + 1, k + 1)}});
        solid.elements.push_back(number);
        if (k == n - 1) pressure.list.push_back(number);
      }
  loads.properties.push_back(solid);
  loads.distributedLoads.push_back(pressure);
  loads.materials.push_back({1, 1, {210000, 80769, 0.3, 7.85e-9}});

  fixture::Constraint clamp{};
  clamp.code = 123;
  fixture::NodeLoad force{};
  force.loadSet = 1;
  force.components[2] = -1;
  force.scale = 10;
  for (int k = 0; k < m; ++k)
    for (int j = 0; j < m; ++j) {
      clamp.nodes.push_back(nodeNumber(position(0, j, k)));
      force.nodes.push_back(nodeNumber(position(n, j, k)));
    }
  loads.constraints.push_back(clamp);
  loads.nodeLoads.push_back(force);

  try {
    fixture::WriteProjectFiles(argv[1], project, &loads);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  std::printf("%s: %zu nodes, %zu elements\n", argv[1], project.nodes.size(), project.elements.size());
  return 0;
}
