#include "model/console.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

char LastByte = 0;  // the last byte written; 0 before anything is written
bool LineEndAdded = false;

void WriteFormatted(const char* format, std::va_list args) {
  std::va_list again;
  va_copy(again, args);
  char text[256];
  const int length = std::vsnprintf(text, sizeof text, format, args);
  if (length >= 0 && static_cast<std::size_t>(length) < sizeof text) {
    ConsoleWrite(std::string_view(text, static_cast<std::size_t>(length)));
  } else if (length > 0) {
    std::string longer(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(longer.data(), longer.size(), format, again);
    longer.pop_back();
    ConsoleWrite(longer);
  }
  va_end(again);
}

}  // namespace

void ConsoleWrite(std::string_view text) {
  if (text.empty()) return;
  std::fwrite(text.data(), 1, text.size(), stdout);
  LastByte = text.back();
}

void ConsolePrint(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  WriteFormatted(format, args);
  va_end(args);
}

void ConsoleWarning(const char* format, ...) {
  if (LastByte != 0 && LastByte != '\n') {
    ConsoleWrite("\n");
    LineEndAdded = true;
  }
  std::va_list args;
  va_start(args, format);
  WriteFormatted(format, args);
  va_end(args);
  ConsoleWrite("\n");
}

bool ConsoleLineEndAddedForWarning() { return LineEndAdded; }
