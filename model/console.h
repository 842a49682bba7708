// Standard output of both programs. The messages of a run go through these
// routines, which note the last byte written, so that the warning lines
// printed after the output file start on a line of their own even when a
// message before them ends inside a line.
#pragma once

#include <string_view>

// Writes the text to standard output.
void ConsoleWrite(std::string_view text);

// Writes like printf to standard output.
[[gnu::format(printf, 1, 2)]] void ConsolePrint(const char* format, ...);

// True when nothing has been written yet or the last byte written was "\n".
bool ConsoleAtLineStart();

// Writes one warning line: the text and "\n", after a "\n" of its own when
// the console stands inside a line.
void ConsoleWarning(std::string_view text);

// True once a warning line needed that "\n": the line that follows the
// warnings then starts without a line end of its own.
bool ConsoleLineEndBeforeWarnings();
