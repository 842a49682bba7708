// Fuzz target: the input is a model file, read with the example project's
// load file beside it (so that loads, constraints and node-set faces meet
// damaged geometry).
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/fuzz_run.h"

namespace {
std::size_t LoadFileBytes = 0;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Setup();
  std::ifstream example(EXAMPLES_DIR "/bracket.lqd", std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(example)), std::istreambuf_iterator<char>());
  if (bytes.empty()) return 1;
  fuzz::WriteScratchFile("job.lqd", reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  LoadFileBytes = bytes.size();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::WriteScratchFile("job.fes", data, size);
  fuzz::RunProject(LoadFileBytes);
  return 0;
}
