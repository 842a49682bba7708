// pelmor: writes a PATRAN neutral file from a finite-element project.
#include "apps/front_end.h"
#include "apps/usage.h"
#include "model/platform.h"
#include "patran/neutral_file_writer.h"

namespace {

int WriteNeutralFile(std::string& outputPath, Model& model, std::string& title, Console& console) {
  return NeutralFileWriter(outputPath, model, title, /*geometryOnly=*/0, /*split=*/0, console);
}

constexpr ProgramText kProgram{"pelmor", "Writes OUTPUT, a PATRAN neutral file,\n", "out.nf"};

}  // namespace

int main(int argc, char** argv) {
  const platform::ConsoleSession console;
  const std::vector<std::string> args = platform::Arguments(argc, argv);
  if (const std::optional<int> exitCode = AnswerHelpOrVersion(args, kProgram)) return *exitCode;
  return RunFrontEnd(args, "PATRAN", WriteNeutralFile);
}
