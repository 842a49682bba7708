#include "model/load_file.h"

#include <cstring>
#include <initializer_list>

#include "model/binary_input.h"
#include "model/console.h"
#include "model/project_file.h"

namespace {

bool NoneNegative(std::initializer_list<int32_t> values) {
  for (int32_t value : values)
    if (value < 0) return false;
  return true;
}

// A definition count with rows of no words takes no bytes, so the length
// checks alone would let it drive loops and allocations: the file must hold
// at least one word per definition.
struct CountedRows {
  int32_t LoadFileHeader::*count;
  int32_t LoadFileHeader::*width;
  const char* what;
};
constexpr CountedRows kCountedRows[] = {
    {&LoadFileHeader::nodeLoadDefCount, &LoadFileHeader::nodeLoadDefWords, "node load definitions"},
    {&LoadFileHeader::distLoadDefCount, &LoadFileHeader::distLoadDefWords, "distributed load definitions"},
    {&LoadFileHeader::constraintDefCount, &LoadFileHeader::constraintDefWords, "constraint definitions"},
    {&LoadFileHeader::propertyDefCount, &LoadFileHeader::propertyDefWords, "property definitions"},
};

// False (after one line naming the count) when a definition count has rows of 0 words.
bool RowsHaveWords(const LoadFileHeader& h, const std::string& path, Console& console) {
  for (const CountedRows& rows : kCountedRows) {
    if (h.*rows.count > 0 && h.*rows.width == 0) {
      console.Print("warning: load file %s ignored: %d %s of 0 words each\n", path.c_str(), h.*rows.count,
                   rows.what);
      return false;
    }
  }
  return true;
}

uint64_t Cells(int32_t rows, int32_t width) { return static_cast<uint64_t>(rows) * static_cast<uint64_t>(width); }

bool ReadBody(BinaryInput& input, const LoadFileHeader& h, LoadFileBlocks& b) {
  if (h.nodeLoadDefCount != 0) {
    if (!NoneNegative({h.nodeLoadDefCount, h.nodeLoadListLength, h.nodeLoadDefWords, h.nodeLoadValueWords}) ||
        !input.ReadBlock(b.nodeLoadDefinitions, Cells(h.nodeLoadDefCount, h.nodeLoadDefWords)) ||
        !input.ReadBlock(b.nodeLoadList, Cells(h.nodeLoadListLength, 1)) ||
        !input.ReadBlock(b.nodeLoadValues, Cells(h.nodeLoadDefCount, h.nodeLoadValueWords))) {
      return false;
    }
  }
  if (h.distLoadDefCount != 0) {
    if (!NoneNegative({h.distLoadDefCount, h.distLoadListLength, h.distLoadDefWords, h.distLoadValueWords,
                       h.nodeVectorCount}) ||
        !input.ReadBlock(b.distLoadDefinitions, Cells(h.distLoadDefCount, h.distLoadDefWords)) ||
        !input.ReadBlock(b.distLoadList, Cells(h.distLoadListLength, 1)) ||
        !input.ReadBlock(b.distLoadValues, Cells(h.distLoadDefCount, h.distLoadValueWords)) ||
        !input.ReadBlock(b.nodeVectors, Cells(h.nodeVectorCount, 4))) {
      return false;
    }
  }
  if (h.constraintDefCount != 0) {
    if (!NoneNegative({h.constraintDefCount, h.constraintListLength, h.constraintDefWords}) ||
        !input.ReadBlock(b.constraintDefinitions, Cells(h.constraintDefCount, h.constraintDefWords)) ||
        !input.ReadBlock(b.constraintList, Cells(h.constraintListLength, 1))) {
      return false;
    }
  }
  if (h.materialRecordCount < 0 ||
      !input.ReadBlock(b.materialRecords, Cells(h.materialRecordCount, kMaterialRecordDoubles))) {
    return false;
  }
  if (h.propertyDefCount != 0) {
    if (!NoneNegative({h.propertyDefCount, h.propertyListLength, h.propertyDefWords, h.propertyValueWords}) ||
        !input.ReadBlock(b.propertyDefinitions, Cells(h.propertyDefCount, h.propertyDefWords)) ||
        !input.ReadBlock(b.propertyList, Cells(h.propertyListLength, 1)) ||
        !input.ReadBlock(b.propertyValues, Cells(h.propertyValueWords, 1))) {
      return false;
    }
  }
  return true;
}

}  // namespace

int ReadLoadFile(int mode, const std::string& path, LoadFileHeader& header, LoadFileBlocks* blocks,
                 Console& console) {
  std::memset(&header, 0, sizeof header);
  BinaryInput input;
  if (!input.Open(path)) {
    console.Print("\n***file %s can not be opened\n", path.c_str());
    return -1;
  }
  bool complete = input.Read(&header, sizeof header);
  if (complete) {
    if (header.version != 1) {
      console.Write("Old version of file can not be read");
      return -5;
    }
    if (header.fileKind != 3) {
      console.Write("File does not containe load data");
      return -5;
    }
    if (mode == kReadHeaderOnly) return 1;
    if (!RowsHaveWords(header, path, console)) return -1;
    LoadFileBlocks scratch;
    complete = ReadBody(input, header, blocks != nullptr ? *blocks : scratch);
  }
  if (!complete) {
    console.Print("error on reading the file\n  %s\n", path.c_str());
    return -1;
  }
  return 1;
}
