// Whole-block reading of a binary input file with a known length, so that
// every block size a header promises can be checked against the bytes that
// are really there before anything is allocated for it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "model/large_array.h"

class BinaryInput {
 public:
  // False when the file cannot be opened.
  bool Open(const std::string& path);

  // Reads exactly `bytes` bytes; false on a short read.
  bool Read(void* into, std::size_t bytes);

  // Reads `count` elements of `unit` bytes into `into`, which is resized to
  // hold them. Checks first that the file still holds that many bytes, so a
  // damaged count never causes a large allocation. False when it does not.
  template <typename T, typename Allocator>
  bool ReadBlock(std::vector<T, Allocator>& into, uint64_t count) {
    if (!Fits(count, sizeof(T))) return false;
    if constexpr (std::is_same_v<Allocator, LargeArrayAllocator<T>>) {
      into.reserve(static_cast<std::size_t>(count));
      PrefaultCapacity(into);
    }
    into.resize(static_cast<std::size_t>(count));
    return Read(into.data(), static_cast<std::size_t>(count) * sizeof(T));
  }

  // Passes over `count` elements of `unit` bytes; false when the file is
  // shorter than that.
  bool Skip(uint64_t count, uint64_t unit);

  // True when `count` elements of `unit` bytes lie within the rest of the file.
  bool Fits(uint64_t count, uint64_t unit) const;

  // Bytes consumed so far: the offset of what is read next.
  uint64_t Position() const { return position_; }

  // Reads exactly `bytes` bytes from `offset` on, leaving the position as it
  // is; false when the file (since shortened, say) does not hold them.
  bool ReadAt(uint64_t offset, void* into, std::size_t bytes) const;

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  uint64_t length_ = 0;    // bytes in the file (0 for anything but a regular file)
  uint64_t position_ = 0;  // bytes consumed so far
};
