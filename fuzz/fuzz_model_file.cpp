// Fuzz target: the input is a model file, read with the example project's
// load file beside it (so that loads, constraints and node-set faces meet
// damaged geometry).
#include "fuzz/fuzz_run.h"

namespace {
std::size_t LoadFileBytes = 0;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Setup();
  LoadFileBytes = fuzz::CopyToScratch(EXAMPLES_DIR "/bracket.lqd", "job.lqd");
  return LoadFileBytes > 0 ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::WriteScratchFile("job.fes", data, size);
  fuzz::RunProject(LoadFileBytes);
  return 0;
}
