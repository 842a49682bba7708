// Standard output of both programs. Everything they print goes through these
// routines, which remember the last byte written: a warning line then always
// stands on a line of its own, also after a message that ends within a line.
#pragma once

#include <string_view>

#if defined(__GNUC__)
#define FEM_PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define FEM_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

// Writes text to standard output.
void ConsoleWrite(std::string_view text);

// Writes printf-formatted text to standard output.
void ConsolePrint(const char* format, ...) FEM_PRINTF_FORMAT(1, 2);

// Writes one warning line: the formatted text and a line end. When the text
// written before it ends within a line, a line end is written first.
void ConsoleWarning(const char* format, ...) FEM_PRINTF_FORMAT(1, 2);

// True once a warning line needed a line end written before it. The result
// line that follows the warnings then leaves out its own leading line end, so
// that without the warning lines the console reads as it would without them.
bool ConsoleLineEndAddedForWarning();
