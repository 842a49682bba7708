#include "model/console.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

struct ConsoleState {
  bool written = false;  // something has been written
  char lastByte = '\n';
  bool lineEndBeforeWarnings = false;
};
ConsoleState state;

}  // namespace

void ConsoleWrite(std::string_view text) {
  if (text.empty()) return;
  std::fwrite(text.data(), 1, text.size(), stdout);
  state.written = true;
  state.lastByte = text.back();
}

void ConsolePrint(const char* format, ...) {
  // Messages are short; a longer one (a long file name) is formatted again
  // into a string of its length.
  char text[512];
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  if (length >= 0 && static_cast<std::size_t>(length) < sizeof text) {
    ConsoleWrite(std::string_view(text, static_cast<std::size_t>(length)));
  } else if (length > 0) {
    std::string longer(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(longer.data(), longer.size() + 1, format, again);
    ConsoleWrite(longer);
  }
  va_end(again);
}

bool ConsoleAtLineStart() { return !state.written || state.lastByte == '\n'; }

void ConsoleWarning(std::string_view text) {
  if (!ConsoleAtLineStart()) {
    ConsoleWrite("\n");
    state.lineEndBeforeWarnings = true;
  }
  ConsoleWrite(text);
  ConsoleWrite("\n");
}

bool ConsoleLineEndBeforeWarnings() { return state.lineEndBeforeWarnings; }
