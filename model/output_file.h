// A text output file written through one large buffer.
//
// A path that names a regular file (or nothing) is written to a temporary
// file in the same folder, which Close() renames into place only after a
// complete, error-free write: a failed run never leaves a half-written file
// and never destroys an earlier one. A path that names anything else (a pipe,
// a device) is written directly.
//
// Full buffers are written by a second thread while the caller fills the
// other buffer, so formatting and the write system calls overlap; the file is
// still one sequential stream, and a write error on that thread is reported
// like any other (Error(), Close()).
#pragma once

#include <charconv>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "model/console.h"
#include "model/decimal_text.h"

class OutputFile {
 public:
  static constexpr std::size_t kBufferSize = 1 << 20;
  // The most a single Reserve() may ask for.
  static constexpr std::size_t kMaxReserve = 4096;

  OutputFile();
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Creates the file. False when it cannot be created; Error() says why.
  bool Open(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }

  // Writes what is buffered, closes the file and moves it into place.
  // False on any write, close or rename error (the earlier file then stays).
  bool Close();
  // Closes without keeping anything: a temporary file is removed.
  void Discard();

  // One line saying what failed, without a line end. A write error of the
  // writing thread shows here once Close() has returned.
  const std::string& Error() const { return error_; }
  bool Failed() const { return !error_.empty(); }

  void Write(std::string_view text) {
    if (text.size() <= static_cast<std::size_t>(end_ - next_)) {
      std::char_traits<char>::copy(next_, text.data(), text.size());
      next_ += text.size();
    } else {
      WriteSlow(text);
    }
  }
  void Put(char c) {
    if (next_ == end_) Flush();
    *next_++ = c;
  }
  void WriteInt(long long value) {
    char* at = Reserve(24);
    if (value >= INT32_MIN && value <= INT32_MAX) {
      Advance(PutDecimal(static_cast<int32_t>(value), at));
    } else {
      Advance(std::to_chars(at, at + 24, value).ptr);
    }
  }

  // Room for at least n (at most kMaxReserve) bytes; fill it and pass the end
  // of what was written to Advance().
  char* Reserve(std::size_t n) {
    if (static_cast<std::size_t>(end_ - next_) < n) Flush();
    return next_;
  }
  void Advance(char* newNext) { next_ = newNext; }

  // Hands the buffer to the writing thread (called when it is full).
  void Flush();

 private:
  void WriteSlow(std::string_view text);
  void Fail(const char* what, const std::string& name, int errorNumber);
  // Writes [at, at + size) to the file; false (after Fail) on an error.
  bool WriteAll(const char* at, std::size_t size);
  // Waits until the writing thread has written everything handed to it.
  void WaitForWriter();
  // Stops the writing thread (after what it was handed is written).
  void StopWriter();
  void WriterLoop();
  void StartWriteback(std::size_t size);
  void StartFilling(char* buffer);

  // Two buffers: the caller fills one while the thread writes the other.
  std::unique_ptr<char[]> buffers_[2];
  int filling_ = 0;  // the buffer the caller fills
  char* next_ = nullptr;
  char* end_ = nullptr;
  int fd_ = -1;
  std::string path_;      // the name the caller asked for
  std::string target_;    // where the finished file goes (links resolved)
  std::string tempPath_;  // empty when writing directly
  // Bytes the writing thread has written, and where the next writeback starts.
  static constexpr std::size_t kWritebackStep = std::size_t{8} << 20;
  std::size_t written_ = 0;
  std::size_t writebackStart_ = 0;

  // Shared with the writing thread, under mutex_.
  std::mutex mutex_;
  std::condition_variable changed_;
  const char* pending_ = nullptr;  // a buffer handed over and not yet written
  std::size_t pendingSize_ = 0;
  bool stopping_ = false;
  std::string error_;
  std::thread writer_;
};

// Reports a failed output with one line on standard output ("*** " and what
// failed) and returns 1, the writers' failure result.
int ReportOutputFailure(Console& console, const std::string& error);
