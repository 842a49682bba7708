#include "model/project_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "model/console.h"
#include "model/element_types.h"
#include "model/file_names.h"
#include "model/project_file.h"

namespace {

float FloatAt(const LargeArray<int32_t>& words, std::size_t at) {
  float value;
  std::memcpy(&value, &words[at], sizeof value);
  return value;
}

// Nodes read from the file at a time (about 256 KiB of numbers and
// coordinates).
constexpr std::size_t kNodesPerRun = 16384;

// Fills the node records; false (with the read error of the file) when the
// file no longer holds the node tables.
bool FillNodes(const ProjectTables& tables, int32_t count, const std::string& fileName, Model& model,
               Console& console) {
  // Each record is written once, in order (no zero fill first).
  model.nodes.clear();
  model.nodes.reserve(static_cast<std::size_t>(count));
  PrefaultCapacity(model.nodes);
  model.nodeNumbersNonSequential = false;
  std::vector<int32_t> numbers(kNodesPerRun);
  std::vector<float> coordinates(3 * kNodesPerRun);
  for (int32_t first = 1; first <= count;) {
    const std::size_t run = std::min(kNodesPerRun, static_cast<std::size_t>(count - first) + 1);
    if (!ReadNodeEntries(tables, static_cast<uint64_t>(first), run, numbers.data(), coordinates.data())) {
      console.Print("error on reading the file\n  %s\n", fileName.c_str());
      return false;
    }
    for (std::size_t k = 0; k < run; ++k) {
      const int32_t i = first + static_cast<int32_t>(k);
      NodeRecord& node = model.nodes.emplace_back();
      node.externalNumber = numbers[k];
      if (node.externalNumber != i) model.nodeNumbersNonSequential = true;
      std::memcpy(node.coordinates, &coordinates[3 * k], sizeof node.coordinates);
      node.dofCount = 6;
      node.nodeKind = 'G';
    }
    first += static_cast<int32_t>(run);
  }
  return true;
}

// Element entries read from the file at a time: about 256 KiB, at least one.
std::size_t EntriesPerRun(int32_t width) {
  const std::size_t entryBytes = 4 * static_cast<std::size_t>(width);
  return entryBytes < (std::size_t{256} << 10) ? (std::size_t{256} << 10) / entryBytes : 1;
}

// Fills the element records; false (with one line naming the element, or the
// read error of the file) when an entry cannot be read as its kind says.
bool FillElements(const ProjectTables& tables, const ProjectHeader& header, const std::string& fileName,
                  Model& model, Console& console) {
  const int32_t count = header.elementCount;
  const int32_t width = header.entryWords;
  if (width < 2) {
    // Without the number and kind words no entry can be read at all.
    console.Print("element entry 1: entries of %d words cannot hold an element\n", width);
    return false;
  }
  // Each record is written once, in order (the arrays are large: filling
  // them with zeros first would cost a second pass). The node slots of an
  // entry are at most the words after its first four and at most the most a
  // kind has; their array is reserved at that bound and only what the
  // elements use is ever touched.
  model.elements.clear();
  model.elements.reserve(static_cast<std::size_t>(count));
  PrefaultCapacity(model.elements);
  model.elementNodes.clear();
  const std::size_t slotBound = static_cast<std::size_t>(std::clamp(width - 4, 0, kMostNodeSlots));
  model.elementNodes.reserve(static_cast<std::size_t>(count) * slotBound);
  model.elementNumbersNonSequential = false;
  int remembered = 0;
  const std::size_t perRun = EntriesPerRun(width);
  std::vector<int32_t> run(perRun * static_cast<std::size_t>(width));
  std::size_t inRun = 0;
  std::size_t used = 0;
  for (int32_t i = 1; i <= count; ++i) {
    if (used == inRun) {
      inRun = std::min(perRun, static_cast<std::size_t>(count - i) + 1);
      used = 0;
      if (!ReadElementEntries(tables, static_cast<uint64_t>(i), inRun, run.data())) {
        console.Print("error on reading the file\n  %s\n", fileName.c_str());
        return false;
      }
    }
    const int32_t* entry = &run[used++ * static_cast<std::size_t>(width)];
    ElementRecord& element = model.elements.emplace_back();  // all zero
    element.firstSlot = static_cast<uint32_t>(model.elementNodes.size());
    const int row = FindElementType(entry[1], remembered);
    if (row < 0) continue;  // unknown kind: the record stays all zero, without slots
    remembered = row;
    const ElementTypeRow& type = ElementTypeTable[static_cast<std::size_t>(row)];
    if (width < 4 + type.nodeSlots) {
      console.Print("element %d: entry of %d words is too short for the %d nodes of kind %d\n", entry[0], width,
                  type.nodeSlots, type.kind);
      return false;
    }
    if (model.elementNodes.size() > UINT32_MAX - static_cast<std::size_t>(type.nodeSlots)) {
      console.Print("element %d: the elements have more node slots than this program can hold\n", entry[0]);
      return false;
    }
    if (entry[0] != i) model.elementNumbersNonSequential = true;
    element.externalNumber = entry[0];
    element.shape = static_cast<int8_t>(type.shape);
    element.elementClass = entry[2];
    element.nodeCount = static_cast<uint8_t>(type.nodeSlots);
    for (int32_t k = 0; k < type.nodeSlots; ++k) {
      const int32_t position = entry[4 + k];
      if (position < 0 || position > header.nodeCount) {
        console.Print("element %d: node position %d is outside 0 to %d\n", entry[0], position, header.nodeCount);
        return false;
      }
    }
    model.elementNodes.insert(model.elementNodes.end(), entry + 4, entry + 4 + type.nodeSlots);
  }
  return true;
}

void FillFrames(const ProjectTables& tables, int32_t count, Model& model) {
  auto kindOf = [&tables](int32_t j) { return tables.frames[21 * static_cast<std::size_t>(j) + 12]; };
  int32_t kept = 0;
  for (int32_t j = 0; j < count; ++j) kept += kindOf(j) <= 3 ? 1 : 0;
  model.frames.clear();
  model.frames.reserve(static_cast<std::size_t>(kept));
  for (int32_t j = 0; j < count; ++j) {
    if (kindOf(j) > 3) continue;
    const std::size_t base = 21 * static_cast<std::size_t>(j);
    FrameRecord frame{};
    frame.id = tables.frames[base + 11];
    frame.kind = tables.frames[base + 12];
    for (std::size_t k = 0; k < 3; ++k) {
      const double origin = FloatAt(tables.frames, base + 14 + k);
      const double plane = FloatAt(tables.frames, base + 23 + k);
      const double axis = FloatAt(tables.frames, base + 29 + k);
      frame.origin[k] = static_cast<float>(origin);
      // Summed in double precision and rounded once.
      frame.axisPoint[k] = static_cast<float>(axis + origin);
      frame.planePoint[k] = static_cast<float>(axis + origin + plane);
    }
    model.frames.push_back(frame);
  }
  model.frameCount = kept;
}

}  // namespace

int ProjectReader(const std::string& title, Model& model, Console& console, bool geometryOnly) {
  FreeModel(model);
  std::string fileName = title;
  CutShortExtension(fileName);
  fileName += ".fes";

  ProjectHeader header;
  if (ReadProjectFile(kReadHeaderOnly, fileName, header, nullptr, console) < 0) return 1;
  if (header.nodeCount <= 0 || header.elementCount <= 0) return 1;

  ProjectTables tables;
  if (ReadProjectFile(kReadFull, fileName, header, &tables, console) < 0) return 1;
  // The full read takes its sizes from the header it reads itself; refuse a
  // file that changed between the two reads as a wrong one.
  if (header.nodeCount <= 0 || header.elementCount <= 0) return 1;

  if (!FillNodes(tables, header.nodeCount, fileName, model, console) ||
      !FillElements(tables, header, fileName, model, console)) {
    FreeModel(model);
    return 1;
  }
  FillFrames(tables, header.frameCount, model);
  model.elementCount = header.elementCount;
  model.nodeCount = header.nodeCount;
  tables = ProjectTables{};

  if (!geometryOnly) LoadReader(title, model, console);
  return 0;
}
