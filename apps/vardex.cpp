// vardex: writes a NASTRAN bulk data deck for a linear static run from a
// finite-element project.
#include "apps/front_end.h"
#include "apps/usage.h"
#include "nastran/bulk_data_writer.h"

namespace {

int WriteDeck(std::string& outputPath, Model& model, std::string& title) {
  return BulkDataWriter(outputPath, model, title, /*geometryOnly=*/0, /*split=*/0, /*writeConstraints=*/1);
}

constexpr ProgramText kProgram{
    "vardex", "Writes OUTPUT, a NASTRAN bulk data deck for a linear static run (SOL 101),\n", "out.bdf"};

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> exitCode = AnswerHelpOrVersion(argc, argv, kProgram)) return *exitCode;
  return RunFrontEnd(argc, argv, "NASTRAN", WriteDeck);
}
