// Small projects of shells, solids and lines, each with loads of every kind,
// built with the fixture writer: the seeds of the fuzz targets, and projects
// that CI converts with the Linux and the Windows programs alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/fixture_writer.h"

namespace fixture {

struct SampleProject {
  std::string name;  // "shells", "solids", "lines"
  Project project;
  LoadFile loads;
};

std::vector<SampleProject> SampleProjects();

// Loads of every kind (node loads of each kind, each distributed load card,
// a node-set pressure, node vectors, constraints, materials and properties)
// on the nodes firstNode.. and elements firstElement.. (external numbers).
LoadFile EveryLoad(int32_t firstNode, int32_t firstElement);

}  // namespace fixture
