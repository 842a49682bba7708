#include "model/binary_input.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

bool BinaryInput::Open(const std::string& path) {
  file_.reset(std::fopen(path.c_str(), "rb"));
  if (!file_) return false;
  struct stat status {};
  // Only a regular file has a length to trust; anything else (a device, a
  // pipe) yields at most what a header read finds.
  if (fstat(fileno(file_.get()), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
    length_ = static_cast<uint64_t>(status.st_size);
  }
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
  if (fseeko(file_.get(), static_cast<off_t>(position_ + bytes), SEEK_SET) != 0) return false;
  position_ += bytes;
  return true;
}

bool BinaryInput::ReadAt(uint64_t offset, void* into, std::size_t bytes) const {
  auto* at = static_cast<char*>(into);
  while (bytes > 0) {
    const ssize_t got = pread(fileno(file_.get()), at, bytes, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    at += got;
    offset += static_cast<uint64_t>(got);
    bytes -= static_cast<std::size_t>(got);
  }
  return true;
}
