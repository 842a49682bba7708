// Helpers shared by the model tests: console capture and small projects.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "model/model.h"
#include "model/project_reader.h"
#include "tests/support/test_support.h"
#include "tools/fixture_writer.h"

namespace model_test {

// Runs `action` and returns everything it printed to standard output.
inline std::string Printed(const std::function<void()>& action) {
  std::fflush(stdout);
  testing::internal::CaptureStdout();
  action();
  std::fflush(stdout);
  return testing::internal::GetCapturedStdout();
}

// Nodes numbered first, first+step, ... at (i, 0, 0).
inline std::vector<fixture::Node> NodeRow(int count, int32_t first = 1, int32_t step = 1) {
  std::vector<fixture::Node> nodes;
  for (int i = 0; i < count; ++i) nodes.push_back({first + i * step, static_cast<float>(i), 0, 0});
  return nodes;
}

// A project with `nodes` nodes numbered 1..n and one point element per node.
inline fixture::Project PointProject(int nodes) {
  fixture::Project project;
  project.nodes = NodeRow(nodes);
  for (int i = 1; i <= nodes; ++i) project.elements.push_back({i, 1, 202, {i}});
  return project;
}

// Writes the project (and load file) under `scratch` and reads it back.
struct ReadResult {
  int result = -99;
  std::string console;
};
inline ReadResult WriteAndRead(const testing_support::ScratchDir& scratch, const fixture::Project& project,
                               const fixture::LoadFile* loads, Model& model) {
  const std::string title = scratch / "job";
  fixture::WriteProjectFiles(title, project, loads);
  ReadResult read;
  read.console = Printed([&] {
    Console console;
    read.result = ProjectReader(title, model, console);
  });
  return read;
}

}  // namespace model_test
