// What differs between operating systems, in one place: files opened by name,
// positional reads, the creation and atomic replacement of output files, the
// command line and the console. The POSIX side is what Linux has always run;
// the Windows side gives the same behaviour with the Win32 calls.
//
// Names are UTF-8 everywhere. On Windows they are turned into wide characters
// at the system call, so that paths with letters such as "Träger" work there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// --- Input files

// Opens a file for binary reading; nullptr when it cannot be opened.
std::FILE* OpenForReading(const std::string& path);

// The length of an open regular file; 0 for anything else (a device, a pipe).
uint64_t RegularFileLength(std::FILE* file);

// Moves the file's read position to `offset`; false when that fails.
bool SeekTo(std::FILE* file, uint64_t offset);

// Reads exactly `bytes` bytes from `offset` on and leaves the read position
// as it was; false when the file does not hold them.
bool ReadAt(std::FILE* file, uint64_t offset, void* into, std::size_t bytes);

// --- Output files
//
// Files are C runtime descriptors, written in binary mode (on Windows too:
// a line end is "\n" on every system). A call that fails sets errno.

// How an output path is written.
struct OutputPlan {
  // A regular file, or nothing yet: write a temporary file beside `target`
  // and replace the target with it at the end. Otherwise (a device, a pipe)
  // write the path directly.
  bool throughTemporary = false;
  std::string target;  // the file to replace (a symbolic link's file on POSIX)
  unsigned mode = 0;   // permission bits of the new file (POSIX)
};
OutputPlan PlanOutput(const std::string& path);

// Creates a new file named `target` followed by ".tmp" and six characters,
// and returns its descriptor (and name), or -1.
int CreateTemporaryBeside(const std::string& target, unsigned mode, std::string& temporaryPath);

// Creates or empties `path` for writing; its descriptor, or -1.
int CreateForWriting(const std::string& path);

// Writes at most `bytes` bytes; the number written, or -1.
long long WriteSome(int descriptor, const char* at, std::size_t bytes);

// Starts writing a range of the file to the disk without waiting for it. A
// hint that Linux takes (see OutputFile); nothing elsewhere.
void StartWriteback(int descriptor, uint64_t offset, uint64_t bytes);

// 0, or -1 when the close reports an error.
int Close(int descriptor);

// Puts the closed file `from` in the place of `target` in one step: until
// then an earlier target stays whole. On Windows a move that replaces the
// target and returns once it is on the disk. False (with errno) when it
// fails; `from` then remains.
bool MoveIntoPlace(const std::string& from, const std::string& target);

void RemoveFile(const std::string& path);

// --- The command line and the console

// The words of the command line, the program's name first, as UTF-8 (on
// Windows read from the wide command line, not from the code page's argv).
std::vector<std::string> Arguments(int argc, char** argv);

// For the lifetime of a console program. On Windows: standard output is in
// binary mode, so the console text has the same bytes as elsewhere; a
// console shows UTF-8 (its code page is restored at the end); and what is
// typed on a console is read in wide characters and handed to std::cin as
// UTF-8. Nothing elsewhere.
class ConsoleSession {
 public:
  ConsoleSession();
  ~ConsoleSession();
  ConsoleSession(const ConsoleSession&) = delete;
  ConsoleSession& operator=(const ConsoleSession&) = delete;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The null device, for the examples in the usage text.
#ifdef _WIN32
inline constexpr const char* kNullDevice = "NUL";
inline constexpr bool kHasManualPages = false;
#else
inline constexpr const char* kNullDevice = "/dev/null";
inline constexpr bool kHasManualPages = true;
#endif

}  // namespace platform
