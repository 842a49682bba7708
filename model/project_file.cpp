#include "model/project_file.h"

#include <cstring>
#include <utility>

#include "model/binary_input.h"
#include "model/console.h"

namespace {

// Entries of a table with a leading slot 0: count + 1, or 0 when absent.
uint64_t WithSlotZero(int32_t count) { return count > 0 ? static_cast<uint64_t>(count) + 1 : 0; }

bool ReadBody(BinaryInput& input, const ProjectHeader& header, ProjectTables& tables) {
  const uint64_t nodes = WithSlotZero(header.nodeCount);
  tables.nodes.entries = nodes;
  tables.nodes.numbersOffset = input.Position();
  if (!input.Skip(nodes, 4)) return false;
  tables.nodes.coordinatesOffset = input.Position();
  if (!input.Skip(nodes * 3, 4)) return false;

  const bool hasElements = header.elementCount > 0 && header.entryWords > 0;
  const uint64_t entries = hasElements ? WithSlotZero(header.elementCount) : 0;
  tables.elements = {input.Position(), entries, hasElements ? header.entryWords : 0};
  if (!input.Skip(entries, 4 * static_cast<uint64_t>(tables.elements.width))) return false;
  if (!input.Skip(2 * entries, 4)) return false;  // the two element side tables

  if (header.auxWords > 0) {
    if (!input.Skip(2 * static_cast<uint64_t>(header.auxWords), 4)) return false;
    if (header.auxBytes > 0 && !input.Skip(static_cast<uint64_t>(header.auxBytes), 1)) return false;
  }
  if (!input.ReadBlock(tables.frames, WithSlotZero(header.frameCount) * 21)) return false;
  if (header.trailingBytes > 0 && !input.Skip(static_cast<uint64_t>(header.trailingBytes), 1)) return false;
  return true;
}

}  // namespace

int ReadProjectFile(int mode, const std::string& fileName, ProjectHeader& header, ProjectTables* tables,
                    Console& console) {
  std::memset(&header, 0, sizeof header);
  BinaryInput input;
  if (!input.Open(fileName)) {
    console.Print("file %s \ncould not be opened", fileName.c_str());
    return -1;
  }
  bool complete = input.Read(&header, sizeof header);
  if (complete) {
    if (header.version != 2) {
      console.Write("\n***Version-Number is not correct: File can not be read");
      return -5;
    }
    if (header.marker != 1) return -5;
    if (mode == kReadHeaderOnly) return 1;
    ProjectTables scratch;
    ProjectTables& into = tables != nullptr ? *tables : scratch;
    complete = ReadBody(input, header, into);
    if (complete) into.file = std::move(input);
  }
  if (!complete) {
    console.Print("error on reading the file\n  %s\n", fileName.c_str());
    return -1;
  }
  return 1;
}

bool ReadNodeEntries(const ProjectTables& tables, uint64_t first, uint64_t count, int32_t* numbers,
                     float* coordinates) {
  const NodeTables& table = tables.nodes;
  if (first > table.entries || count > table.entries - first) return false;
  return tables.file.ReadAt(table.numbersOffset + 4 * first, numbers, static_cast<std::size_t>(4 * count)) &&
         tables.file.ReadAt(table.coordinatesOffset + 12 * first, coordinates, static_cast<std::size_t>(12 * count));
}

bool ReadElementEntries(const ProjectTables& tables, uint64_t first, uint64_t count, int32_t* into) {
  const ElementTable& table = tables.elements;
  if (first > table.entries || count > table.entries - first) return false;
  const uint64_t entryBytes = 4 * static_cast<uint64_t>(table.width);
  return tables.file.ReadAt(table.offset + first * entryBytes, into, static_cast<std::size_t>(count * entryBytes));
}
