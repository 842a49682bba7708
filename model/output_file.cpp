#include "model/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "model/platform.h"

#include "model/console.h"

OutputFile::OutputFile() : buffers_{std::make_unique<char[]>(kBufferSize), std::make_unique<char[]>(kBufferSize)} {
  StartFilling(buffers_[0].get());
}

OutputFile::~OutputFile() { Discard(); }

void OutputFile::StartFilling(char* buffer) {
  next_ = buffer;
  end_ = buffer + kBufferSize;
}

void OutputFile::Fail(const char* what, const std::string& name, int errorNumber) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!error_.empty()) return;  // keep the first cause
  error_ = std::string("cannot ") + what + " " + name + ": " + std::strerror(errorNumber);
}

bool OutputFile::Open(const std::string& path) {
  Discard();
  error_.clear();
  path_ = path;
  tempPath_.clear();
  filling_ = 0;
  written_ = 0;
  writebackStart_ = 0;
  StartFilling(buffers_[0].get());

  const platform::OutputPlan plan = platform::PlanOutput(path);
  target_ = plan.target;
  fd_ = plan.throughTemporary ? platform::CreateTemporaryBeside(target_, plan.mode, tempPath_)
                              : platform::CreateForWriting(path);
  if (fd_ < 0) {
    Fail("create", path, errno);
    return false;
  }
  return true;
}

bool OutputFile::WriteAll(const char* at, std::size_t size) {
  while (size > 0) {
    const long long written = platform::WriteSome(fd_, at, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail("write", path_, errno);
      return false;
    }
    at += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Hands what has been written so far to the disk in steps, without waiting
// for it. Replacing an existing file makes ext4 write all of the new file's
// data at the rename; begun here, that work runs beside the formatting and
// little is left for the rename. Advice only: a failure changes nothing, and
// systems other than Linux skip it.
void OutputFile::StartWriteback(std::size_t size) {
  if (tempPath_.empty()) return;
  written_ += size;
  if (written_ - writebackStart_ < kWritebackStep) return;
  platform::StartWriteback(fd_, writebackStart_, written_ - writebackStart_);
  writebackStart_ = written_;
}

void OutputFile::WriterLoop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return pending_ != nullptr || stopping_; });
    if (pending_ == nullptr) return;  // stopping, and nothing left
    const char* at = pending_;
    const std::size_t size = pendingSize_;
    const bool failed = !error_.empty();
    lock.unlock();
    if (!failed && WriteAll(at, size)) StartWriteback(size);  // after an error the rest is dropped
    lock.lock();
    pending_ = nullptr;
    changed_.notify_all();
  }
}

void OutputFile::WaitForWriter() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return pending_ == nullptr; });
}

void OutputFile::StopWriter() {
  if (!writer_.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  writer_.join();
  stopping_ = false;
}

void OutputFile::Flush() {
  char* const filled = buffers_[filling_].get();
  const std::size_t size = static_cast<std::size_t>(next_ - filled);
  if (fd_ < 0 || size == 0) {
    StartFilling(filled);
    return;
  }
  // The other buffer is free once the thread has written it; then it takes
  // this one, and the caller goes on in the other.
  WaitForWriter();
  if (!writer_.joinable()) {
    try {
      writer_ = std::thread(&OutputFile::WriterLoop, this);
    } catch (const std::system_error&) {
      // No second thread: write here.
      if (error_.empty()) WriteAll(filled, size);
      StartFilling(filled);
      return;
    }
  }
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    pending_ = filled;
    pendingSize_ = size;
  }
  changed_.notify_all();
  filling_ = 1 - filling_;
  StartFilling(buffers_[filling_].get());
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
  if (writer_.joinable()) {
    Flush();
    StopWriter();
  } else {
    // A file that fitted one buffer needs no second thread.
    char* const filled = buffers_[filling_].get();
    if (error_.empty()) WriteAll(filled, static_cast<std::size_t>(next_ - filled));
    StartFilling(filled);
  }
  if (platform::Close(fd_) != 0) Fail("close", path_, errno);
  fd_ = -1;
  if (!tempPath_.empty()) {
    if (error_.empty() && !platform::MoveIntoPlace(tempPath_, target_)) {
      Fail("rename the finished file to", path_, errno);
    }
    if (!error_.empty()) platform::RemoveFile(tempPath_);
    tempPath_.clear();
  }
  return error_.empty();
}

void OutputFile::Discard() {
  StopWriter();
  if (fd_ >= 0) {
    platform::Close(fd_);
    fd_ = -1;
  }
  if (!tempPath_.empty()) {
    platform::RemoveFile(tempPath_);
    tempPath_.clear();
  }
  filling_ = 0;
  StartFilling(buffers_[0].get());
}

int ReportOutputFailure(Console& console, const std::string& error) {
  console.Print("\n*** %s\n", error.c_str());
  std::fflush(stdout);
  return 1;
}
