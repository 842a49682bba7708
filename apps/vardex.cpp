// vardex: writes a NASTRAN bulk data deck for a linear static run from a
// finite-element project.
#include "apps/front_end.h"
#include "nastran/bulk_data_writer.h"

namespace {

int WriteDeck(std::string& outputPath, Model& model, std::string& title) {
  return BulkDataWriter(outputPath, model, title, /*geometryOnly=*/0, /*split=*/0, /*writeConstraints=*/1);
}

}  // namespace

int main(int argc, char** argv) { return RunFrontEnd(argc, argv, "NASTRAN", WriteDeck); }
