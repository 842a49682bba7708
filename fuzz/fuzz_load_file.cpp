// Fuzz target: the input is a load file, read against the example project's
// model file.
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Setup();
  std::ifstream example(EXAMPLES_DIR "/bracket.fes", std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(example)), std::istreambuf_iterator<char>());
  if (bytes.empty()) return 1;
  fuzz::WriteScratchFile("job.fes", reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::WriteScratchFile("job.lqd", data, size);
  fuzz::RunProject(size);
  return 0;
}
