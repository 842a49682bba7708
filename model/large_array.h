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

// Arrays from this size on are mapped on their own. Under AddressSanitizer
// every array comes from the heap, where reads past its end are caught and
// its size is counted. So it does on Windows, whose heap takes large blocks
// straight from the system's virtual memory (the huge-page mapping is Linux's).
#if defined(_WIN32)
#define LARGE_ARRAY_HEAP_ONLY 1
#elif defined(__SANITIZE_ADDRESS__)
#define LARGE_ARRAY_HEAP_ONLY 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LARGE_ARRAY_HEAP_ONLY 1
#endif
#endif
#ifdef LARGE_ARRAY_HEAP_ONLY
inline constexpr bool kHeapOnly = true;
inline constexpr std::size_t kMappedBytes = static_cast<std::size_t>(-1);
#else
inline constexpr bool kHeapOnly = false;
inline constexpr std::size_t kMappedBytes = std::size_t{4} << 20;
#endif

// Maps `bytes` (a multiple of the huge page size) at a huge page boundary;
// throws std::bad_alloc when the memory cannot be had.
void* Map(std::size_t bytes);
void Unmap(void* at, std::size_t bytes);

// `bytes` rounded up to whole huge pages.
std::size_t MappedSize(std::size_t bytes);

// Starts faulting in the pages of a mapped array on a second thread, so that
// the kernel's work of providing fresh pages (zeroing them; on a virtual
// machine also the host backing them, often the larger part) runs on another
// core while this thread fills the array. Only mapped arrays (from
// kMappedBytes on) are faulted in; where the second thread or the kernel's
// populate call is missing, the pages are faulted in as they are filled.
void Prefault(void* at, std::size_t bytes);

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
    if constexpr (!large_array::kHeapOnly) {
      if (bytes >= large_array::kMappedBytes) return static_cast<T*>(large_array::Map(large_array::MappedSize(bytes)));
    }
    return static_cast<T*>(::operator new(bytes));
  }

  void deallocate(T* at, std::size_t n) noexcept {
    const std::size_t bytes = n * sizeof(T);
    if constexpr (!large_array::kHeapOnly) {
      if (bytes >= large_array::kMappedBytes) {
        large_array::Unmap(at, large_array::MappedSize(bytes));
        return;
      }
    }
    ::operator delete(at);
  }

  template <typename U>
  bool operator==(const LargeArrayAllocator<U>&) const noexcept {
    return true;
  }
};

// The array type of the model's records and of the readers' large tables.
template <typename T>
using LargeArray = std::vector<T, LargeArrayAllocator<T>>;

// Faults in the pages of `array`'s whole capacity ahead of filling it (see
// large_array::Prefault): for arrays reserved at their final size.
template <typename T>
void PrefaultCapacity(LargeArray<T>& array) {
  if constexpr (!large_array::kHeapOnly) large_array::Prefault(array.data(), array.capacity() * sizeof(T));
}
