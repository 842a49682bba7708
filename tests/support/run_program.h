// Runs a program as a process in a scratch folder, with its standard input
// taken from a text and its standard output and error kept as one text.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/wait.h>

#include <cstdlib>
#endif

#include "tests/support/test_support.h"
#include "tools/fixture_writer.h"

namespace testing_support {

// Shell commands (`ulimit`, `trap`) run before the program: POSIX only.
inline constexpr bool kHasShellLimits =
#ifdef _WIN32
    false;
#else
    true;
#endif

struct RunResult {
  int exitCode;
  std::string output;
};

#ifdef _WIN32

namespace run_program_detail {

// One word of a command line, quoted as the C runtime splits it again.
inline std::wstring Quoted(const std::string& word) {
  const std::wstring wide = std::filesystem::path(word).wstring();
  if (!wide.empty() && wide.find_first_of(L" \t\n\v\"") == std::wstring::npos) return wide;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : wide) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

inline HANDLE OpenInherited(const std::filesystem::path& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE handle =
      CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, disposition, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path.string());
  return handle;
}

}  // namespace run_program_detail

inline RunResult RunProgram(const ScratchDir& dir, const std::string& program, const std::vector<std::string>& args,
                            const std::string& input, const std::string& shellPrefix = "") {
  using namespace run_program_detail;
  if (!shellPrefix.empty()) throw std::logic_error("shell commands before a program need a POSIX shell");
  fixture::WriteBytes(dir / "stdin.txt", std::vector<char>(input.begin(), input.end()));
  std::wstring command = Quoted(program);
  for (const std::string& arg : args) command += L' ' + Quoted(arg);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = OpenInherited(dir.Path() / "stdin.txt", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = OpenInherited(dir.Path() / "stdout.txt", GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = startup.hStdOutput;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      dir.Path().c_str(), &startup, &process);
  CloseHandle(startup.hStdInput);
  CloseHandle(startup.hStdOutput);
  if (!started) throw std::runtime_error("cannot start " + program);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return RunResult{static_cast<int>(exitCode), ReadWholeFile(dir / "stdout.txt")};
}

#else

namespace run_program_detail {

inline std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') quoted += "'\\''";
    else quoted += c;
  }
  return quoted + "'";
}

}  // namespace run_program_detail

// shellPrefix: shell commands run first (limits), ending in "; ".
inline RunResult RunProgram(const ScratchDir& dir, const std::string& program, const std::vector<std::string>& args,
                            const std::string& input, const std::string& shellPrefix = "") {
  using run_program_detail::Quoted;
  fixture::WriteBytes(dir / "stdin.txt", std::vector<char>(input.begin(), input.end()));
  std::string command = "cd ";
  command += Quoted(dir.Path().string());
  command += " && ";
  command += shellPrefix;
  command += Quoted(program);
  for (const std::string& arg : args) {
    command += ' ';
    command += Quoted(arg);
  }
  command += " <stdin.txt >stdout.txt 2>&1";
  std::string shell = "/bin/sh -c ";
  shell += Quoted(command);
  const int status = std::system(shell.c_str());
  RunResult result{};
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.output = ReadWholeFile(dir / "stdout.txt");
  return result;
}

#endif

}  // namespace testing_support
