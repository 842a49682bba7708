// Runs neutral file packet routines (or single field writers) against a
// scratch file and returns the text they wrote.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "model/model.h"
#include "model/output_file.h"
#include "tests/support/test_support.h"

namespace testing_support {

inline std::string CaptureOutput(const std::function<void(OutputFile&)>& routine) {
  ScratchDir scratch;
  const std::string path = scratch / "packets.txt";
  OutputFile file;
  if (!file.Open(path)) throw std::runtime_error(file.Error());
  routine(file);
  if (!file.Close()) throw std::runtime_error(file.Error());
  return ReadWholeFile(path);
}

// The text of one packet routine run against the model.
template <typename Routine>
std::string CapturePackets(Routine routine, const Model& model) {
  return CaptureOutput([&](OutputFile& file) { routine(file, model); });
}

}  // namespace testing_support
