#include "model/project_reader.h"

int ProjectReader(const std::string&, Model& model) {
  FreeModel(model);
  return 1;
}

int LoadReader(const std::string&, Model&) { return -1; }
