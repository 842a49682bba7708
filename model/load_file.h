// The load file (TITLE.lqd): a 30-word header and the blocks of node loads,
// distributed loads, node vectors, constraints, materials and properties.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/console.h"

struct LoadFileHeader {
  int32_t nodeLoadDefCount;
  int32_t nodeLoadListLength;
  int32_t nodeLoadDefWords;
  int32_t nodeLoadValueWords;
  int32_t distLoadDefCount;
  int32_t distLoadListLength;
  int32_t distLoadDefWords;
  int32_t distLoadValueWords;
  int32_t constraintDefCount;
  int32_t constraintListLength;
  int32_t fileKind;             // 3 for a load file
  int32_t version;              // must be 1
  int32_t constraintDefWords;
  int32_t materialRecordCount;
  int32_t propertyDefCount;
  int32_t propertyListLength;
  int32_t propertyDefWords;
  int32_t propertyValueWords;   // total words of the property value block
  int32_t nodeVectorCount;      // 4 floats each; present only with distributed loads
  int32_t reserved[11];
};
static_assert(sizeof(LoadFileHeader) == 120);

constexpr int kMaterialRecordDoubles = 110;

// The blocks of the body, in file order; an absent block stays empty.
struct LoadFileBlocks {
  std::vector<int32_t> nodeLoadDefinitions;
  std::vector<int32_t> nodeLoadList;
  std::vector<float> nodeLoadValues;
  std::vector<int32_t> distLoadDefinitions;
  std::vector<int32_t> distLoadList;
  std::vector<float> distLoadValues;
  std::vector<int32_t> constraintDefinitions;
  std::vector<int32_t> constraintList;
  std::vector<double> materialRecords;  // materialRecordCount x 110
  std::vector<int32_t> propertyDefinitions;
  std::vector<int32_t> propertyList;
  std::vector<int32_t> propertyValues;  // raw 32-bit words
  std::vector<float> nodeVectors;       // nodeVectorCount x 4
};

// Mode 3 (kReadHeaderOnly) reads the header; mode 2 (kReadFull) also reads
// the body into `blocks`, each block sized from the header and checked
// against the file's length first. Results: 1 success; -1 cannot open, the
// file is shorter than its header says, a count or row width is negative, or
// a definition count has rows of 0 words (reported in one warning line);
// -5 wrong version or kind.
int ReadLoadFile(int mode, const std::string& path, LoadFileHeader& header, LoadFileBlocks* blocks,
                 Console& console);
