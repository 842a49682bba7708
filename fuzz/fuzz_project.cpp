// Fuzz target: the input is a whole project. Its first four bytes (a
// little-endian count, taken modulo the rest's length + 1) give the length of
// the model file; the bytes after that are the model file, the rest the load
// file.
#include <cstring>

#include "fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Setup();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  uint32_t split = 0;
  std::memcpy(&split, data, sizeof split);
  data += 4;
  size -= 4;
  const std::size_t fesBytes = split % (size + 1);
  fuzz::WriteScratchFile("job.fes", data, fesBytes);
  fuzz::WriteScratchFile("job.lqd", data + fesBytes, size - fesBytes);
  fuzz::RunProject(size - fesBytes);
  return 0;
}
