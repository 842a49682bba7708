// The PATRAN neutral file writer: the driver with the title and summary
// packets, and the packet routines.
#pragma once

#include <cstdint>
#include <string>

#include "model/model.h"
#include "model/output_file.h"

// Writes the neutral file. Returns 0 when every file was written completely,
// 1 when a file could not be created or written; the failure is reported on
// standard output with one line. The title loses a short extension; when
// splitting, outputPath ends up naming the last side file.
int NeutralFileWriter(std::string& outputPath, const Model& model, std::string& title, int geometryOnly,
                      int split, Console& console);

int WriteNodePackets(OutputFile& file, const Model& model);              // node_packets.cpp
int WriteElementPackets(OutputFile& file, const Model& model);           // element_packets.cpp
int WriteFramePackets(OutputFile& file, const Model& model);             // frame_packets.cpp
int WriteMaterialPackets(OutputFile& file, const Model& model);          // material_packets.cpp
int WritePropertyPackets(OutputFile& file, const Model& model);          // property_packets.cpp
int WriteDistributedLoadPackets(OutputFile& file, const Model& model);   // load_packets.cpp
int WriteNodeForcePackets(OutputFile& file, const Model& model);         // load_packets.cpp
int WriteNodeDisplacementPackets(OutputFile& file, const Model& model);  // load_packets.cpp

// Distributed load records whose flags announce another number of values than
// they carry (load_packets.cpp).
int64_t DistributedLoadsWithUnannouncedValues(const Model& model);
