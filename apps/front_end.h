// The console front end shared by both programs: title and output name from
// the arguments or the prompts, read the project, hand it to the writer,
// report, and wait for the closing integer.
#pragma once

#include <string>
#include <vector>

#include "model/console.h"
#include "model/model.h"

// Writes the model; 0 on success, 1 on failure (after its own message on the
// console).
using ModelWriter = int (*)(std::string& outputPath, Model& model, std::string& title, Console& console);

// args: the command line, the program's name first (platform::Arguments).
// formatName names the output format in the prompts and result lines
// ("NASTRAN", "PATRAN"). Returns the exit code.
int RunFrontEnd(const std::vector<std::string>& args, const char* formatName, ModelWriter writer);
