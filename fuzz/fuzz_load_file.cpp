// Fuzz target: the input is a load file, read against the example project's
// model file.
#include "fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Setup();
  return fuzz::CopyToScratch(EXAMPLES_DIR "/bracket.fes", "job.fes") > 0 ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::WriteScratchFile("job.lqd", data, size);
  fuzz::RunProject(size);
  return 0;
}
