// pelmor: writes a PATRAN neutral file from a finite-element project.
#include "apps/front_end.h"
#include "patran/neutral_file_writer.h"

namespace {

int WriteNeutralFile(std::string& outputPath, Model& model, std::string& title) {
  return NeutralFileWriter(outputPath, model, title, /*geometryOnly=*/0, /*split=*/0);
}

}  // namespace

int main(int argc, char** argv) { return RunFrontEnd(argc, argv, "PATRAN", WriteNeutralFile); }
