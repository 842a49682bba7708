// Shared by the fuzz targets: runs one project through the reader and both
// writers in a scratch folder and turns a breach of the bounds that any input
// must respect (heap in use, records created, output written) into a crash,
// so that libFuzzer reports it as a finding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Once per process: the scratch folder, standard output to /dev/null (the
// readers' messages), the heap accounting.
void Setup();

// Path of a file in the scratch folder.
std::string ScratchPath(const std::string& name);

// Writes bytes to a file in the scratch folder.
void WriteScratchFile(const std::string& name, const uint8_t* data, std::size_t size);

// Copies a file into the scratch folder under `name`; returns its size, 0
// when it cannot be read.
std::size_t CopyToScratch(const std::string& source, const std::string& name);

// Reads the project "job" (job.fes and job.lqd, as the caller left them) and
// writes the deck and the neutral file; checks the bounds and removes the
// output. lqdBytes is the load file's size (0 when there is none).
void RunProject(std::size_t lqdBytes);

}  // namespace fuzz
