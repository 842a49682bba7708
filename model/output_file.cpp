#include "model/output_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

OutputFile::OutputFile() : buffer_(new char[kBufferSize]) {
  next_ = buffer_.get();
  end_ = next_ + kBufferSize;
}

OutputFile::~OutputFile() { Discard(); }

void OutputFile::Fail(const char* what, const std::string& name, int errorNumber) {
  if (!error_.empty()) return;  // keep the first cause
  error_ = std::string("cannot ") + what + " " + name + ": " + std::strerror(errorNumber);
}

bool OutputFile::Open(const std::string& path) {
  Discard();
  error_.clear();
  path_ = path;
  target_ = path;
  tempPath_.clear();
  next_ = buffer_.get();

  struct stat info {};
  bool replaceable = false;
  mode_t mode = 0;
  if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    // Replace the file the link names, not the link itself.
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
      char resolved[PATH_MAX];
      if (realpath(path.c_str(), resolved) != nullptr) {
        target_ = resolved;
        replaceable = true;
        mode = info.st_mode & 07777;
      }
    }
  } else if (lstat(path.c_str(), &info) == 0) {
    replaceable = S_ISREG(info.st_mode);
    mode = info.st_mode & 07777;
  } else if (errno == ENOENT) {
    replaceable = true;
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }

  if (replaceable) {
    std::string pattern = target_ + ".tmpXXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = mkstemp(name.data());
    if (fd_ < 0) {
      Fail("create", path, errno);
      return false;
    }
    tempPath_ = name.data();
    fchmod(fd_, mode);
  } else {
    fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
      Fail("create", path, errno);
      return false;
    }
  }
  return true;
}

void OutputFile::Flush() {
  const char* at = buffer_.get();
  std::size_t left = static_cast<std::size_t>(next_ - at);
  next_ = buffer_.get();
  if (fd_ < 0 || !error_.empty()) return;  // after an error the rest is dropped
  while (left > 0) {
    const ssize_t written = ::write(fd_, at, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail("write", path_, errno);
      return;
    }
    at += written;
    left -= static_cast<std::size_t>(written);
  }
}

void OutputFile::WriteSlow(std::string_view text) {
  while (!text.empty()) {
    if (next_ == end_) Flush();
    const std::size_t room = static_cast<std::size_t>(end_ - next_);
    const std::size_t part = text.size() < room ? text.size() : room;
    std::char_traits<char>::copy(next_, text.data(), part);
    next_ += part;
    text.remove_prefix(part);
  }
}

bool OutputFile::Close() {
  if (fd_ < 0) return error_.empty();
  Flush();
  if (::close(fd_) != 0) Fail("close", path_, errno);
  fd_ = -1;
  if (!tempPath_.empty()) {
    if (error_.empty() && std::rename(tempPath_.c_str(), target_.c_str()) != 0) {
      Fail("rename the finished file to", path_, errno);
    }
    if (!error_.empty()) ::unlink(tempPath_.c_str());
    tempPath_.clear();
  }
  return error_.empty();
}

void OutputFile::Discard() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!tempPath_.empty()) {
    ::unlink(tempPath_.c_str());
    tempPath_.clear();
  }
  next_ = buffer_.get();
}

int ReportOutputFailure(const std::string& error) {
  std::printf("\n*** %s\n", error.c_str());
  std::fflush(stdout);
  return 1;
}
