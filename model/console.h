// Standard output of both programs. Everything a run prints goes through one
// Console, which the front end makes and hands to the readers and the
// writer: it remembers the last byte written, so that a warning line always
// stands on a line of its own, also after a message that ends within a line.
#pragma once

#include <cstdarg>
#include <string_view>

#if defined(__GNUC__)
#define FEM_PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define FEM_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

class Console {
 public:
  // Writes text to standard output.
  void Write(std::string_view text);

  // Writes printf-formatted text to standard output.
  void Print(const char* format, ...) FEM_PRINTF_FORMAT(2, 3);

  // Writes one warning line: the formatted text and a line end. When the text
  // written before it ends within a line, a line end is written first.
  void Warning(const char* format, ...) FEM_PRINTF_FORMAT(2, 3);

  // True once a warning line needed a line end written before it. The result
  // line that follows the warnings then leaves out its own leading line end,
  // so that without the warning lines the console reads as it would without
  // them.
  bool LineEndAddedForWarning() const { return lineEndAdded_; }

 private:
  void WriteFormatted(const char* format, std::va_list args);

  char lastByte_ = 0;  // the last byte written; 0 before anything is written
  bool lineEndAdded_ = false;
};
