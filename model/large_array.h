// Storage for the model's large arrays (millions of nodes and elements).
//
// An array of a few megabytes or more is mapped on its own, aligned to 2 MiB
// and marked for transparent huge pages: filling it then takes one page fault
// per 2 MiB instead of one per 4 KiB, which on a virtual machine is most of
// the time spent reading a large project. Smaller arrays come from the heap
// as usual. Where huge pages are not available the mapping works as any
// other memory.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace large_array {

// Arrays from this size on are mapped on their own.
inline constexpr std::size_t kMappedBytes = std::size_t{4} << 20;

// Maps `bytes` (a multiple of the huge page size) at a huge page boundary;
// throws std::bad_alloc when the memory cannot be had.
void* Map(std::size_t bytes);
void Unmap(void* at, std::size_t bytes);

// `bytes` rounded up to whole huge pages.
std::size_t MappedSize(std::size_t bytes);

}  // namespace large_array

template <typename T>
struct LargeArrayAllocator {
  using value_type = T;

  LargeArrayAllocator() noexcept = default;
  template <typename U>
  LargeArrayAllocator(const LargeArrayAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    const std::size_t bytes = n * sizeof(T);
    if (bytes < large_array::kMappedBytes) return static_cast<T*>(::operator new(bytes));
    return static_cast<T*>(large_array::Map(large_array::MappedSize(bytes)));
  }

  void deallocate(T* at, std::size_t n) noexcept {
    const std::size_t bytes = n * sizeof(T);
    if (bytes < large_array::kMappedBytes) {
      ::operator delete(at);
    } else {
      large_array::Unmap(at, large_array::MappedSize(bytes));
    }
  }

  template <typename U>
  bool operator==(const LargeArrayAllocator<U>&) const noexcept {
    return true;
  }
};

// The array type of the model's records and of the readers' large tables.
template <typename T>
using LargeArray = std::vector<T, LargeArrayAllocator<T>>;
