#include "model/binary_input.h"

#include "model/platform.h"

bool BinaryInput::Open(const std::string& path) {
  file_.reset(platform::OpenForReading(path));
  if (!file_) return false;
  length_ = platform::RegularFileLength(file_.get());
  position_ = 0;
  return true;
}

bool BinaryInput::Fits(uint64_t count, uint64_t unit) const {
  const uint64_t rest = length_ > position_ ? length_ - position_ : 0;
  return unit == 0 || count <= rest / unit;
}

bool BinaryInput::Read(void* into, std::size_t bytes) {
  if (bytes == 0) return true;
  const std::size_t got = std::fread(into, 1, bytes, file_.get());
  position_ += got;
  return got == bytes;
}

bool BinaryInput::Skip(uint64_t count, uint64_t unit) {
  if (!Fits(count, unit)) return false;
  const uint64_t bytes = count * unit;
  if (bytes == 0) return true;
  if (!platform::SeekTo(file_.get(), position_ + bytes)) return false;
  position_ += bytes;
  return true;
}

bool BinaryInput::ReadAt(uint64_t offset, void* into, std::size_t bytes) const {
  return platform::ReadAt(file_.get(), offset, into, bytes);
}
