#include "model/platform.h"

#include <cerrno>

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <iostream>
#include <streambuf>
#include <string_view>

namespace platform {
namespace {

std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), size);
  return wide;
}

std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
  return text;
}

// The errno value of a Win32 error, for the messages that name the cause.
int ErrorNumber(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    default:
      return EIO;
  }
}

HANDLE HandleOf(std::FILE* file) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))); }

}  // namespace

std::FILE* OpenForReading(const std::string& path) { return _wfopen(Widen(path).c_str(), L"rb"); }

uint64_t RegularFileLength(std::FILE* file) {
  const HANDLE handle = HandleOf(file);
  LARGE_INTEGER size{};
  if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size) ||
      size.QuadPart <= 0) {
    return 0;
  }
  return static_cast<uint64_t>(size.QuadPart);
}

bool SeekTo(std::FILE* file, uint64_t offset) {
  return _fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0;
}

bool ReadAt(std::FILE* file, uint64_t offset, void* into, std::size_t bytes) {
  const HANDLE handle = HandleOf(file);
  if (handle == INVALID_HANDLE_VALUE) return false;
  // A read at an offset moves the file pointer of a handle opened for
  // ordinary reads; it is put back, so that the stream reads on where it was.
  LARGE_INTEGER position{};
  if (!SetFilePointerEx(handle, LARGE_INTEGER{}, &position, FILE_CURRENT)) return false;
  auto* at = static_cast<char*>(into);
  bool complete = true;
  while (bytes > 0) {
    const DWORD part = bytes < (DWORD{1} << 30) ? static_cast<DWORD>(bytes) : DWORD{1} << 30;
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(offset);
    where.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    if (!ReadFile(handle, at, part, &got, &where) || got == 0) {
      complete = false;
      break;
    }
    at += got;
    offset += got;
    bytes -= got;
  }
  SetFilePointerEx(handle, position, nullptr, FILE_BEGIN);
  return complete;
}

OutputPlan PlanOutput(const std::string& path) {
  OutputPlan plan;
  plan.target = path;
  const HANDLE handle = CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    plan.throughTemporary = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return plan;
  }
  // A file on a disk is replaced; a device (NUL, CON) is written directly,
  // and a folder fails when it is opened for writing.
  BY_HANDLE_FILE_INFORMATION information{};
  plan.throughTemporary = GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &information) &&
                          (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  CloseHandle(handle);
  return plan;
}

int CreateTemporaryBeside(const std::string& target, unsigned, std::string& temporaryPath) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  uint64_t state = GetTickCount64() ^ (static_cast<uint64_t>(GetCurrentProcessId()) << 32) ^
                   reinterpret_cast<uintptr_t>(&temporaryPath);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = target + ".tmp";
    for (int i = 0; i < 6; ++i) {
      state = state * 6364136223846793005u + 1442695040888963407u;
      name += kLetters[(state >> 33) % (sizeof kLetters - 1)];
    }
    const int descriptor = _wopen(Widen(name).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                  _S_IREAD | _S_IWRITE);
    if (descriptor >= 0) {
      temporaryPath = name;
      return descriptor;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

int CreateForWriting(const std::string& path) {
  const std::wstring name = Widen(path);
  const int descriptor =
      _wopen(name.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
  // A folder is refused as "access denied"; name the cause as POSIX does.
  if (descriptor < 0 && errno == EACCES) {
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) errno = EISDIR;
  }
  return descriptor;
}

long long WriteSome(int descriptor, const char* at, std::size_t bytes) {
  const unsigned part = bytes < (1u << 30) ? static_cast<unsigned>(bytes) : 1u << 30;
  return _write(descriptor, at, part);
}

void StartWriteback(int, uint64_t, uint64_t) {}

int Close(int descriptor) { return _close(descriptor); }

bool MoveIntoPlace(const std::string& from, const std::string& target) {
  if (MoveFileExW(Widen(from).c_str(), Widen(target).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  errno = ErrorNumber(GetLastError());
  return false;
}

void RemoveFile(const std::string& path) { _wunlink(Widen(path).c_str()); }

std::vector<std::string> Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (words == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) arguments.push_back(Narrow(words[i]));
  LocalFree(words);
  return arguments;
}

namespace {

// What is typed on a console, read as wide characters and handed on as UTF-8.
// A line that starts with Ctrl+Z ends the input, as in the C runtime.
class WideConsoleInput : public std::streambuf {
 public:
  explicit WideConsoleInput(HANDLE console) : console_(console) {}

 protected:
  int_type underflow() override {
    while (gptr() == egptr()) {
      if (ended_) return traits_type::eof();
      wchar_t wide[1024];
      DWORD count = 0;
      DWORD start = 0;
      if (carried_ != 0) wide[start++] = carried_;
      carried_ = 0;
      if (!ReadConsoleW(console_, wide + start, 1024 - start, &count, nullptr) || count == 0 ||
          wide[start] == L'\x1a') {
        ended_ = true;
        return traits_type::eof();
      }
      count += start;
      // A character outside the basic plane may be split between two reads.
      if (wide[count - 1] >= 0xD800 && wide[count - 1] <= 0xDBFF) carried_ = wide[--count];
      text_ = Narrow(std::wstring_view(wide, count));
      setg(text_.data(), text_.data(), text_.data() + text_.size());
    }
    return traits_type::to_int_type(*gptr());
  }

 private:
  HANDLE console_;
  std::string text_;
  wchar_t carried_ = 0;
  bool ended_ = false;
};

}  // namespace

struct ConsoleSession::State {
  UINT outputCodePage = 0;  // to restore; 0 when unchanged
  std::unique_ptr<WideConsoleInput> input;
  std::streambuf* previousInput = nullptr;
};

ConsoleSession::ConsoleSession() : state_(std::make_unique<State>()) {
  _setmode(_fileno(stdout), _O_BINARY);
  DWORD mode = 0;
  if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) {
    state_->outputCodePage = GetConsoleOutputCP();
    SetConsoleOutputCP(CP_UTF8);
    // The C runtime writes an unbuffered console byte by byte, which splits
    // the UTF-8 sequences; buffered, the text goes out at each flush (the
    // front end flushes before it reads, and at the end).
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
  }
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  if (GetConsoleMode(input, &mode)) {
    state_->input = std::make_unique<WideConsoleInput>(input);
    state_->previousInput = std::cin.rdbuf(state_->input.get());
  }
}

ConsoleSession::~ConsoleSession() {
  std::fflush(stdout);
  if (state_->outputCodePage != 0) SetConsoleOutputCP(state_->outputCodePage);
  if (state_->previousInput != nullptr) std::cin.rdbuf(state_->previousInput);
}

}  // namespace platform

#else  // POSIX

#include <climits>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::FILE* OpenForReading(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

uint64_t RegularFileLength(std::FILE* file) {
  struct stat status {};
  // Only a regular file has a length to trust; anything else (a device, a
  // pipe) yields at most what a header read finds.
  if (fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
    return static_cast<uint64_t>(status.st_size);
  }
  return 0;
}

bool SeekTo(std::FILE* file, uint64_t offset) { return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0; }

bool ReadAt(std::FILE* file, uint64_t offset, void* into, std::size_t bytes) {
  auto* at = static_cast<char*>(into);
  while (bytes > 0) {
    const ssize_t got = pread(fileno(file), at, bytes, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    at += got;
    offset += static_cast<uint64_t>(got);
    bytes -= static_cast<std::size_t>(got);
  }
  return true;
}

OutputPlan PlanOutput(const std::string& path) {
  OutputPlan plan;
  plan.target = path;
  struct stat info {};
  if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    // Replace the file the link names, not the link itself.
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
      char resolved[PATH_MAX];
      if (realpath(path.c_str(), resolved) != nullptr) {
        plan.target = resolved;
        plan.throughTemporary = true;
        plan.mode = info.st_mode & 07777;
      }
    }
  } else if (lstat(path.c_str(), &info) == 0) {
    plan.throughTemporary = S_ISREG(info.st_mode);
    plan.mode = info.st_mode & 07777;
  } else if (errno == ENOENT) {
    plan.throughTemporary = true;
    const mode_t mask = umask(0);
    umask(mask);
    plan.mode = 0666 & ~mask;
  }
  return plan;
}

int CreateTemporaryBeside(const std::string& target, unsigned mode, std::string& temporaryPath) {
  std::string name = target + ".tmpXXXXXX";
  const int descriptor = mkstemp(name.data());
  if (descriptor < 0) return -1;
  temporaryPath = name;
  fchmod(descriptor, static_cast<mode_t>(mode));
  return descriptor;
}

int CreateForWriting(const std::string& path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

long long WriteSome(int descriptor, const char* at, std::size_t bytes) { return ::write(descriptor, at, bytes); }

void StartWriteback(int descriptor, uint64_t offset, uint64_t bytes) {
  sync_file_range(descriptor, static_cast<off_t>(offset), static_cast<off_t>(bytes), SYNC_FILE_RANGE_WRITE);
}

int Close(int descriptor) { return ::close(descriptor); }

bool MoveIntoPlace(const std::string& from, const std::string& target) {
  return std::rename(from.c_str(), target.c_str()) == 0;
}

void RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

struct ConsoleSession::State {};
ConsoleSession::ConsoleSession() = default;
ConsoleSession::~ConsoleSession() = default;

}  // namespace platform

#endif
