// The project model file (TITLE.fes): a 12-word header and up to ten body
// blocks, of which this system uses the node numbers, the coordinates, the
// element table and the frame table.
#pragma once

#include <cstdint>
#include <string>

#include "model/large_array.h"

struct ProjectHeader {
  int32_t nodeCount;        // N
  int32_t elementCount;     // E
  int32_t entryWords;       // W: words in one element entry
  int32_t frameCount;       // F
  int32_t trailingBytes;    // L
  int32_t auxWords;         // M: words in each of the two auxiliary tables
  int32_t auxBytes;         // B: bytes in the auxiliary byte block (present only with M > 0)
  int32_t notInterpreted[3];
  int32_t marker;           // must be 1
  int32_t version;          // must be 2
};
static_assert(sizeof(ProjectHeader) == 48);

// The used blocks of the body, each with its slot 0 / entry 0 as in the file.
struct ProjectTables {
  LargeArray<int32_t> nodeNumbers;  // (N+1) external node numbers
  LargeArray<float> coordinates;    // (N+1) x 3
  LargeArray<int32_t> elements;     // (E+1) x W words
  LargeArray<int32_t> frames;       // (F+1) x 21 words (ints and floats as they stand)
};

constexpr int kReadHeaderOnly = 3;
constexpr int kReadFull = 2;

// mode kReadHeaderOnly reads the header; kReadFull also reads the body into
// `tables` (sized from the header; the uninterpreted blocks are passed over
// with the same length checks). Results: 1 success; -1 cannot open, or the
// file ends before a block is complete; -5 wrong version or marker.
int ReadProjectFile(int mode, const std::string& fileName, ProjectHeader& header, ProjectTables* tables);
