#include "model/large_array.h"

#include <pthread.h>
#include <sys/mman.h>

#include <cstdint>
#include <memory>

namespace large_array {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14 on; older kernels refuse it
#endif

struct Range {
  void* at;
  std::size_t bytes;
};

void* Populate(void* argument) {
  const std::unique_ptr<Range> range(static_cast<Range*>(argument));
  // Populating maps pages without writing to them, so it never races with
  // the thread that fills them; on a range unmapped meanwhile it just fails.
  madvise(range->at, range->bytes, MADV_POPULATE_WRITE);
  return nullptr;
}

}  // namespace

std::size_t MappedSize(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

void* Map(std::size_t bytes) {
  // Map one huge page more than needed and give back the unaligned ends.
  const std::size_t span = bytes + kHugePage;
  if (span < bytes) throw std::bad_alloc();
  void* mapped = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
  if (aligned > start) munmap(mapped, aligned - start);
  const std::uintptr_t end = start + span;
  if (end > aligned + bytes) munmap(reinterpret_cast<void*>(aligned + bytes), end - (aligned + bytes));
  void* at = reinterpret_cast<void*>(aligned);
  madvise(at, bytes, MADV_HUGEPAGE);  // a hint: without huge pages the memory works all the same
  return at;
}

void Unmap(void* at, std::size_t bytes) { munmap(at, bytes); }

void Prefault(void* at, std::size_t bytes) {
  if (bytes < kMappedBytes || at == nullptr) return;
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) return;
  // A detached thread with a small stack: it only makes one system call.
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  pthread_attr_setstacksize(&attributes, std::size_t{64} << 10);
  auto range = std::make_unique<Range>(Range{at, bytes});
  pthread_t thread;
  if (pthread_create(&thread, &attributes, Populate, range.get()) == 0) range.release();
  pthread_attr_destroy(&attributes);
}

}  // namespace large_array
