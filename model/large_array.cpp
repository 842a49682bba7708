#include "model/large_array.h"

#include <sys/mman.h>

#include <cstdint>

namespace large_array {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

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

}  // namespace large_array
