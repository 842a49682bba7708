// Reading a project: the project model file (TITLE.fes) and, through
// LoadReader, the load file (TITLE.lqd).
#pragma once

#include <string>

#include "model/console.h"
#include "model/model.h"

// Fills the model from the project named by title (with or without a short
// extension), and its loads unless geometryOnly is set. 0 on success, 1 when
// nothing usable was read (model cleared).
int ProjectReader(const std::string& title, Model& model, Console& console, bool geometryOnly = false);

// Adds the load file's records to a model that holds nodes and elements.
// 0 when the load file was read, -1 when it could not be.
int LoadReader(const std::string& title, Model& model, Console& console);
