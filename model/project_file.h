// The project model file (TITLE.fes): a 12-word header and up to ten body
// blocks, of which this system uses the node numbers, the coordinates, the
// element table and the frame table.
#pragma once

#include <cstdint>
#include <string>

#include "model/binary_input.h"
#include "model/console.h"
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

// Where the node tables lie in the file. Like the element table they are not
// copied into memory as a whole (for a large model they are tens of
// megabytes, read once): ReadNodeEntries reads runs of them while the nodes
// are filled.
struct NodeTables {
  uint64_t numbersOffset = 0;      // of slot 0 of the node number table
  uint64_t coordinatesOffset = 0;  // of slot 0 of the coordinate table
  uint64_t entries = 0;            // N + 1, or 0 when the file has no nodes
};

// Where the element table lies in the file. The table is not copied into
// memory as a whole either: ReadElementEntries reads runs of entries while
// they are converted.
struct ElementTable {
  uint64_t offset = 0;   // of entry 0
  uint64_t entries = 0;  // E + 1, or 0 when the file has no element table
  int32_t width = 0;     // W words per entry
};

// The used blocks of the body, each with its slot 0 / entry 0 as in the file.
struct ProjectTables {
  NodeTables nodes;                 // (N+1) external node numbers, (N+1) x 3 coordinates, in the file
  ElementTable elements;            // (E+1) x W words, in the file
  LargeArray<int32_t> frames;       // (F+1) x 21 words (ints and floats as they stand)
  BinaryInput file;                 // the project file, open while the tables are
};

// Reads the numbers and coordinates of `count` nodes from slot `first` on
// into `numbers` (count) and `coordinates` (count x 3); false when the file
// no longer holds them.
bool ReadNodeEntries(const ProjectTables& tables, uint64_t first, uint64_t count, int32_t* numbers,
                     float* coordinates);

// Reads `count` entries of the element table from entry `first` on into
// `into` (count x W words); false when the file no longer holds them.
bool ReadElementEntries(const ProjectTables& tables, uint64_t first, uint64_t count, int32_t* into);

constexpr int kReadHeaderOnly = 3;
constexpr int kReadFull = 2;

// mode kReadHeaderOnly reads the header; kReadFull also reads the body into
// `tables` (sized from the header; the element table and the uninterpreted
// blocks are passed over with the same length checks, and the file stays
// open in `tables` for the node and element entries). Results: 1 success; -1 cannot
// open, or the file ends before a block is complete; -5 wrong version or
// marker.
int ReadProjectFile(int mode, const std::string& fileName, ProjectHeader& header, ProjectTables* tables,
                    Console& console);
