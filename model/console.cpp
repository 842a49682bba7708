#include "model/console.h"

#include <cstdio>
#include <string>

void Console::WriteFormatted(const char* format, std::va_list args) {
  std::va_list again;
  va_copy(again, args);
  char text[256];
  const int length = std::vsnprintf(text, sizeof text, format, args);
  if (length >= 0 && static_cast<std::size_t>(length) < sizeof text) {
    Write(std::string_view(text, static_cast<std::size_t>(length)));
  } else if (length > 0) {
    std::string longer(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(longer.data(), longer.size(), format, again);
    longer.pop_back();
    Write(longer);
  }
  va_end(again);
}

void Console::Write(std::string_view text) {
  if (text.empty()) return;
  std::fwrite(text.data(), 1, text.size(), stdout);
  lastByte_ = text.back();
}

void Console::Print(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  WriteFormatted(format, args);
  va_end(args);
}

void Console::Warning(const char* format, ...) {
  if (lastByte_ != 0 && lastByte_ != '\n') {
    Write("\n");
    lineEndAdded_ = true;
  }
  std::va_list args;
  va_start(args, format);
  WriteFormatted(format, args);
  va_end(args);
  Write("\n");
}
