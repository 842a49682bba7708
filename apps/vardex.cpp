// vardex: writes a NASTRAN bulk data deck for a linear static run from a
// finite-element project.
#include "apps/front_end.h"
#include "apps/usage.h"
#include "model/platform.h"
#include "nastran/bulk_data_writer.h"

namespace {

int WriteDeck(std::string& outputPath, Model& model, std::string& title, Console& console) {
  return BulkDataWriter(outputPath, model, title, /*geometryOnly=*/0, /*split=*/0, /*writeConstraints=*/1, console);
}

constexpr ProgramText kProgram{
    "vardex", "Writes OUTPUT, a NASTRAN bulk data deck for a linear static run (SOL 101),\n", "out.bdf"};

}  // namespace

int main(int argc, char** argv) {
  const platform::ConsoleSession console;
  const std::vector<std::string> args = platform::Arguments(argc, argv);
  if (const std::optional<int> exitCode = AnswerHelpOrVersion(args, kProgram)) return *exitCode;
  return RunFrontEnd(args, "NASTRAN", WriteDeck);
}
