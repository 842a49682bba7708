// Name rules shared by the readers and writers.
#pragma once

#include <string>

// Cuts a short extension: when the text from the last '.' to the end (the dot
// included) is at most four characters long, the text is ended at that dot.
// The search covers the whole text, directory parts included.
void CutShortExtension(std::string& name);
