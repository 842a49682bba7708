// A text output file written through one large buffer.
//
// A path that names a regular file (or nothing) is written to a temporary
// file in the same folder, which Close() renames into place only after a
// complete, error-free write: a failed run never leaves a half-written file
// and never destroys an earlier one. A path that names anything else (a pipe,
// a device) is written directly.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

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

  // One line saying what failed, without a line end.
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
    Advance(std::to_chars(at, at + 24, value).ptr);
  }

  // Room for at least n (at most kMaxReserve) bytes; fill it and pass the end
  // of what was written to Advance().
  char* Reserve(std::size_t n) {
    if (static_cast<std::size_t>(end_ - next_) < n) Flush();
    return next_;
  }
  void Advance(char* newNext) { next_ = newNext; }

  // Writes the buffer out now (also called when it is full).
  void Flush();

 private:
  void WriteSlow(std::string_view text);
  void Fail(const char* what, const std::string& name, int errorNumber);

  std::unique_ptr<char[]> buffer_;
  char* next_ = nullptr;
  char* end_ = nullptr;
  int fd_ = -1;
  std::string path_;      // the name the caller asked for
  std::string target_;    // where the finished file goes (links resolved)
  std::string tempPath_;  // empty when writing directly
  std::string error_;
};

// Reports a failed output with one line on standard output ("*** " and what
// failed) and returns 1, the writers' failure result.
int ReportOutputFailure(const std::string& error);
