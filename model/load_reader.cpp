// LoadReader: the load file's records added to a model that holds nodes and
// elements. External numbers are mapped to positions, entries that name
// nothing are counted and dropped, and definitions that point outside their
// blocks are skipped whole.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <span>

#include "model/checked_numbers.h"
#include "model/console.h"
#include "model/file_names.h"
#include "model/load_file.h"
#include "model/number_mapping.h"
#include "model/project_file.h"
#include "model/project_reader.h"
#include "model/solid_faces.h"

namespace {

// Word k of row `row` of a definition block; words beyond a narrow row read as 0.
int32_t Word(const std::vector<int32_t>& block, int32_t width, int32_t row, int32_t k) {
  if (k >= width) return 0;
  return block[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(k)];
}

// True when [start, start + count) lies within a block of `size` entries.
bool SliceFits(int64_t start, int64_t count, std::size_t size) {
  if (count < 0) return false;
  if (count == 0) return true;
  return start >= 0 && start + count <= static_cast<int64_t>(size);
}

// Definitions may share list entries, but the entries taken from one list by
// all its definitions together may exceed the list's length by only a small
// allowance: records (and so output and time) stay in proportion to the file.
class SliceBudget {
 public:
  static constexpr int64_t kSharedAllowance = 1024;
  explicit SliceBudget(std::size_t listLength) : left_(static_cast<int64_t>(listLength) + kSharedAllowance) {}
  // False (and nothing taken) when the budget does not cover `count` entries.
  bool Take(int64_t count) {
    if (count > left_) return false;
    left_ -= std::max<int64_t>(count, 0);
    return true;
  }

 private:
  int64_t left_;
};


// External number + offset as the file's 32-bit arithmetic gives it.
int32_t AddWrapping(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// The digits 1 to 6 present in either code, in ascending order.
int32_t MergeConstraintCodes(int32_t first, int32_t second) {
  bool present[10] = {};
  for (int64_t code : {static_cast<int64_t>(first), static_cast<int64_t>(second)}) {
    for (code = code < 0 ? -code : code; code > 0; code /= 10) present[code % 10] = true;
  }
  int32_t merged = 0;
  for (int digit = 1; digit <= 6; ++digit)
    if (present[digit]) merged = merged * 10 + digit;
  return merged;
}

// Property type codes from here up denote element properties; the codes
// below denote element data.
constexpr int32_t kFirstPropertyTypeCode = 1000;

int32_t ClampValueCount(int64_t count, int32_t most) {
  return static_cast<int32_t>(std::clamp<int64_t>(count, 0, most));
}

class LoadAssembly {
 public:
  LoadAssembly(Model& model, const LoadFileHeader& header, LoadFileBlocks& blocks, Console& console)
      : model_(model),
        console_(console),
        h_(header),
        b_(blocks),
        nodeNumbers_(model.nodes.empty() ? nullptr : &model.nodes[0].externalNumber, sizeof(NodeRecord),
                     static_cast<int32_t>(UsableCount(model.nodeCount, model.nodes))),
        elementNumbers_(model.elements.empty() ? nullptr : &model.elements[0].externalNumber,
                        sizeof(ElementRecord), static_cast<int32_t>(UsableCount(model.elementCount, model.elements))) {}

  void Run() {
    CheckDistributedLoads();
    if (h_.nodeLoadDefCount > 0 || h_.nodeVectorCount > 0) NodeLoads();
    if (h_.distLoadDefCount > 0) DistributedLoads();
    if (h_.constraintDefCount > 0) Constraints();
    if (h_.materialRecordCount != 0) Materials();
    if (h_.propertyDefCount != 0) Properties();
    Report();
  }

 private:
  // A copy of a list slice, mapped to positions when the numbering needs it;
  // the shared list itself is never changed, so overlapping slices are safe.
  std::span<const int32_t> MapSlice(const int32_t* entries, std::size_t count, bool nodes) {
    mapped_.assign(entries, entries + count);
    if (nodes && model_.nodeNumbersNonSequential) {
      MapExternalNumbers(mapped_.data(), count, nodeNumbers_, &sortedNodes_);
    } else if (!nodes && model_.elementNumbersNonSequential) {
      MapExternalNumbers(mapped_.data(), count, elementNumbers_, &sortedElements_);
    }
    return mapped_;
  }

  std::span<const int32_t> MapListSlice(const std::vector<int32_t>& list, int32_t start, int32_t count,
                                        bool nodes) {
    if (count <= 0) return {};
    return MapSlice(list.data() + start, static_cast<std::size_t>(count), nodes);
  }

  // The node at 1-based position v, or null (counted) when there is none.
  NodeRecord* NodeAt(int32_t v) {
    if (v < 1 || v > model_.nodeCount) {
      ++unknownNodes_;
      return nullptr;
    }
    return &model_.nodes[static_cast<std::size_t>(v) - 1];
  }

  int32_t DistWord(int32_t row, int32_t k) const { return Word(b_.distLoadDefinitions, h_.distLoadDefWords, row, k); }

  int32_t DistValueCount(int32_t row) const {
    return ClampValueCount(static_cast<int64_t>(DistWord(row, 6)) + DistWord(row, 7), 32);
  }

  // Decides once which distributed load definitions can be used, so that a
  // damaged one is skipped (and counted) once for its node vectors and its
  // distributed load alike.
  void CheckDistributedLoads() {
    const std::size_t vectorCount = b_.nodeVectors.size() / 4;
    SliceBudget vectorBudget(vectorCount);
    SliceBudget listBudget(b_.distLoadList.size());
    distUsable_.assign(static_cast<std::size_t>(std::max(h_.distLoadDefCount, 0)), 1);
    for (int32_t i = 0; i < h_.distLoadDefCount; ++i) {
      const int32_t marker = DistWord(i, 11);
      bool fits = true;
      if (marker != 0 && h_.nodeVectorCount > 0) {
        fits = SliceFits(DistWord(i, 14), DistWord(i, 12), vectorCount) && vectorBudget.Take(DistWord(i, 12));
      }
      if (marker <= 0) {
        fits = fits && SliceFits(DistWord(i, 13), DistWord(i, 10), b_.distLoadList.size()) &&
               SliceFits(static_cast<int64_t>(i) * h_.distLoadValueWords, DistValueCount(i),
                         b_.distLoadValues.size()) &&
               listBudget.Take(DistWord(i, 10));
      }
      if (!fits) {
        distUsable_[static_cast<std::size_t>(i)] = 0;
        ++skipped_;
      }
    }
  }

  void NodeLoads() {
    LargeArray<NodeLoadRecord>& loads = model_.nodeLoads;
    loads.clear();
    loads.reserve(b_.nodeLoadList.size() + b_.nodeVectors.size() / 4);
    const int32_t width = h_.nodeLoadDefWords;
    SliceBudget budget(b_.nodeLoadList.size());
    for (int32_t i = 0; i < h_.nodeLoadDefCount; ++i) {
      const int32_t count = Word(b_.nodeLoadDefinitions, width, i, 1);
      const int32_t start = Word(b_.nodeLoadDefinitions, width, i, 4);
      const int64_t valueRow = static_cast<int64_t>(i) * h_.nodeLoadValueWords;
      if (!SliceFits(start, count, b_.nodeLoadList.size()) || !SliceFits(valueRow, 4, b_.nodeLoadValues.size()) ||
          !budget.Take(count)) {
        ++skipped_;
        continue;
      }
      const float* values = &b_.nodeLoadValues[static_cast<std::size_t>(valueRow)];
      const int32_t frame = Word(b_.nodeLoadDefinitions, width, i, 2);
      const int32_t frameOffset = Word(b_.nodeLoadDefinitions, width, i, 3);
      for (int32_t v : MapListSlice(b_.nodeLoadList, start, count, true)) {
        const NodeRecord* node = NodeAt(v);
        if (node == nullptr) continue;
        NodeLoadRecord load{};
        load.nodeNumber = node->externalNumber;
        load.loadSet = Word(b_.nodeLoadDefinitions, width, i, 0);
        load.frameId = frameOffset != 0 ? AddWrapping(node->externalNumber, frameOffset) : frame;
        load.kind = Word(b_.nodeLoadDefinitions, width, i, 5);
        load.scale = values[3];
        std::memcpy(load.components, values, sizeof load.components);
        loads.push_back(load);
      }
    }
    if (h_.nodeVectorCount > 0) {
      for (int32_t i = 0; i < h_.distLoadDefCount; ++i) {
        if (DistWord(i, 11) == 0 || distUsable_[static_cast<std::size_t>(i)] == 0) continue;
        const int32_t count = DistWord(i, 12);
        if (count <= 0) continue;
        const float* vectors = &b_.nodeVectors[4 * static_cast<std::size_t>(DistWord(i, 14))];
        vectorNodes_.resize(static_cast<std::size_t>(count));
        for (std::size_t k = 0; k < vectorNodes_.size(); ++k) vectorNodes_[k] = TruncateToInt32(vectors[4 * k]);
        std::span<const int32_t> positions = MapSlice(vectorNodes_.data(), vectorNodes_.size(), true);
        for (std::size_t k = 0; k < positions.size(); ++k) {
          const NodeRecord* node = NodeAt(positions[k]);
          if (node == nullptr) continue;
          NodeLoadRecord load{};
          load.nodeNumber = node->externalNumber;
          load.loadSet = DistWord(i, 0);
          load.scale = 1.0f;
          std::memcpy(load.components, &vectors[4 * k + 1], sizeof load.components);
          loads.push_back(load);
        }
      }
    }
    model_.nodeLoadCount = static_cast<int32_t>(loads.size());
  }

  // Node -> elements incidence over the corner slots that decide whether an
  // element is loaded from a node set, built once when first needed.
  void BuildIncidence() {
    if (incidenceBuilt_) return;
    incidenceBuilt_ = true;
    const std::size_t nodeCount = static_cast<std::size_t>(model_.nodeCount);
    // One pass over the elements collects (node, element) pairs; a counting
    // sort by node then keeps the elements of each node in model order.
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (int32_t e = 0; e < model_.elementCount; ++e) {
      const ElementRecord& element = model_.elements[static_cast<std::size_t>(e)];
      const int32_t corners = CornerSlots(element.shape);
      for (int32_t k = 0; k < corners; ++k) {
        const int32_t v = model_.NodeSlot(element, k);
        if (v >= 1 && v <= model_.nodeCount) pairs.emplace_back(v, e);
      }
    }
    incidenceStart_.assign(nodeCount + 2, 0);
    for (const auto& pair : pairs) ++incidenceStart_[static_cast<std::size_t>(pair.first) + 1];
    for (std::size_t v = 1; v < incidenceStart_.size(); ++v) incidenceStart_[v] += incidenceStart_[v - 1];
    incidence_.resize(pairs.size());
    std::vector<std::size_t> next(incidenceStart_.begin(), incidenceStart_.end() - 1);
    for (const auto& [v, e] : pairs) incidence_[next[static_cast<std::size_t>(v)]++] = e;
    marks_.assign(nodeCount + 1, 0);
    elementStamp_.assign(static_cast<std::size_t>(model_.elementCount), -1);
  }

  static int32_t CornerSlots(int32_t shape) {
    if (shape >= 2 && shape <= 4) return shape;
    const SolidFaceTable* faces = FindSolidFaces(shape);
    return faces != nullptr ? faces->cornerSlots : 0;
  }

  bool Marked(int32_t slotValue) const {
    return slotValue >= 1 && slotValue <= model_.nodeCount && marks_[static_cast<std::size_t>(slotValue)] != 0;
  }

  // Appends the (element, face) pairs whose corners all lie in the node set,
  // elements in model order and faces in face order.
  void NodeSetCandidates(std::span<const int32_t> positions, int32_t definition) {
    BuildIncidence();
    markedNodes_.clear();
    for (int32_t v : positions) {
      if (v < 1 || v > model_.nodeCount) {
        ++unknownNodes_;
      } else if (marks_[static_cast<std::size_t>(v)] == 0) {
        marks_[static_cast<std::size_t>(v)] = 1;
        markedNodes_.push_back(v);
      }
    }
    touched_.clear();
    for (int32_t v : markedNodes_) {
      for (std::size_t at = incidenceStart_[static_cast<std::size_t>(v)];
           at < incidenceStart_[static_cast<std::size_t>(v) + 1]; ++at) {
        const int32_t e = incidence_[at];
        if (elementStamp_[static_cast<std::size_t>(e)] == definition) continue;
        elementStamp_[static_cast<std::size_t>(e)] = definition;
        touched_.push_back(e);
      }
    }
    std::sort(touched_.begin(), touched_.end());
    for (int32_t e : touched_) {
      const ElementRecord& element = model_.elements[static_cast<std::size_t>(e)];
      if (element.shape >= 2 && element.shape <= 4) {
        bool all = true;
        for (int32_t k = 0; k < element.shape && all; ++k) all = Marked(model_.NodeSlot(element, k));
        if (all) candidates_.push_back({definition, e, 0});
        continue;
      }
      const SolidFaceTable* faces = FindSolidFaces(element.shape);
      if (faces == nullptr) continue;
      for (int32_t f = 0; f < faces->faceCount; ++f) {
        bool all = true;
        for (int32_t c = 0; c < 4 && all; ++c) {
          const int32_t slot = faces->corners[f][c];
          if (slot != 0) all = Marked(model_.NodeSlot(element, slot - 1));
        }
        if (all) candidates_.push_back({definition, e, f + 1});
      }
    }
    for (int32_t v : markedNodes_) marks_[static_cast<std::size_t>(v)] = 0;
  }

  // The record fields that a definition gives all its records.
  DistributedLoadRecord DistributedLoadOf(int32_t i) const {
    DistributedLoadRecord load{};
    load.loadSet = DistWord(i, 0);
    load.loadType = DistWord(i, 9) == 0 ? 0 : 1;
    load.cardKind = DistWord(i, 15);
    load.elementFlag = DistWord(i, 4);
    load.nodeFlag = DistWord(i, 8);
    load.componentCode = DistWord(i, 3);
    load.nodeCode = DistWord(i, 5);
    load.valueCount = DistValueCount(i);
    if (load.valueCount > 0) {
      std::memcpy(load.values,
                  &b_.distLoadValues[static_cast<std::size_t>(i) * static_cast<std::size_t>(h_.distLoadValueWords)],
                  static_cast<std::size_t>(load.valueCount) * sizeof(float));
    }
    load.faceNumber = DefinitionFace(i);
    return load;
  }

  // A definition's face number: word 2 for loads of type 1, word 1 for type 0.
  int32_t DefinitionFace(int32_t i) const { return DistWord(i, 9) == 0 ? DistWord(i, 1) : DistWord(i, 2); }

  // All candidates are collected first, so that the records (which node sets
  // can make numerous) are allocated once, at their final number.
  void DistributedLoads() {
    candidates_.clear();
    for (int32_t i = 0; i < h_.distLoadDefCount; ++i) {
      if (DistWord(i, 11) > 0 || distUsable_[static_cast<std::size_t>(i)] == 0) continue;
      const int32_t start = DistWord(i, 13);
      const int32_t count = DistWord(i, 10);
      if (DistWord(i, 16) == 0) {
        const int32_t face = DefinitionFace(i);
        for (int32_t v : MapListSlice(b_.distLoadList, start, count, false)) {
          if (v < 1 || v > model_.elementCount) {
            ++unknownElements_;
          } else {
            candidates_.push_back({i, v - 1, face});
          }
        }
      } else {
        NodeSetCandidates(MapListSlice(b_.distLoadList, start, count, true), i);
      }
    }
    LargeArray<DistributedLoadRecord>& loads = model_.distributedLoads;
    loads.clear();
    loads.reserve(candidates_.size());
    PrefaultCapacity(loads);
    DistributedLoadRecord load{};
    int32_t definition = -1;
    for (const Candidate& candidate : candidates_) {
      if (candidate.definition != definition) {
        definition = candidate.definition;
        load = DistributedLoadOf(definition);
      }
      load.elementNumber = model_.elements[static_cast<std::size_t>(candidate.element)].externalNumber;
      load.faceNumber = candidate.face;
      loads.push_back(load);
    }
    candidates_ = {};
    model_.distributedLoadCount = static_cast<int32_t>(loads.size());
  }

  void Constraints() {
    const int32_t width = h_.constraintDefWords;
    SliceBudget budget(b_.constraintList.size());
    for (int32_t i = 0; i < h_.constraintDefCount; ++i) {
      auto word = [&](int32_t k) { return Word(b_.constraintDefinitions, width, i, k); };
      if (!SliceFits(word(7), word(6), b_.constraintList.size()) || !budget.Take(word(6))) {
        ++skipped_;
        continue;
      }
      for (int32_t v : MapListSlice(b_.constraintList, word(7), word(6), true)) {
        NodeRecord* node = NodeAt(v);
        if (node == nullptr) continue;
        const int32_t frame = word(5) != 0 ? AddWrapping(node->externalNumber, word(5)) : word(4);
        node->dofCount = word(0);
        if (node->constraintCode == 0) {
          node->constraintCode = word(3);
          node->outputFrameId = frame;
        } else if (node->outputFrameId == frame) {
          node->constraintCode = MergeConstraintCodes(node->constraintCode, word(3));
        }
        node->nodeKind = static_cast<char>(word(1) & 0xFF);
      }
    }
  }

  void Materials() {
    LargeArray<MaterialRecord>& materials = model_.materials;
    materials.clear();
    materials.reserve(static_cast<std::size_t>(h_.materialRecordCount));
    for (int32_t i = 0; i < h_.materialRecordCount; ++i) {
      const double* record = &b_.materialRecords[static_cast<std::size_t>(i) * kMaterialRecordDoubles];
      const int32_t count = TruncateToInt32(record[2]);
      if (count > 100) {
        ++skipped_;
        continue;
      }
      MaterialRecord material{};
      material.id = TruncateToInt32(record[0]);
      material.kind = TruncateToInt32(record[1]);
      for (int32_t k = 0; k < count; ++k) material.values[k] = record[10 + k];
      materials.push_back(material);
    }
    model_.materialCount = static_cast<int32_t>(materials.size());
  }

  void Properties() {
    LargeArray<PropertyRecord>& properties = model_.properties;
    properties.clear();
    properties.reserve(static_cast<std::size_t>(h_.propertyDefCount));
    const int32_t width = h_.propertyDefWords;
    SliceBudget budget(b_.propertyList.size());
    for (int32_t i = 0; i < h_.propertyDefCount; ++i) {
      auto word = [&](int32_t k) { return Word(b_.propertyDefinitions, width, i, k); };
      const int32_t valueCount = ClampValueCount(word(3), 50);
      if (!SliceFits(word(7), word(6), b_.propertyList.size()) ||
          !SliceFits(word(8), valueCount, b_.propertyValues.size()) || !budget.Take(word(6))) {
        ++skipped_;
        continue;
      }
      PropertyRecord property{};
      property.id = word(0);
      property.materialId = word(1);
      property.typeCode = word(2);
      property.valueCount = valueCount;
      property.auxiliary1 = word(4);
      property.auxiliary2 = word(5);
      if (valueCount > 0) {
        std::memcpy(property.values, &b_.propertyValues[static_cast<std::size_t>(word(8))],
                    static_cast<std::size_t>(valueCount) * sizeof(int32_t));
      }
      properties.push_back(property);
      // A definition of type code 1000 and up is the element's property; one
      // below is an element data definition, the element's data record when
      // its class is that code. The neutral file takes the id of either.
      const bool elementData = property.typeCode < kFirstPropertyTypeCode;
      const int32_t position = static_cast<int32_t>(properties.size());
      for (int32_t v : MapListSlice(b_.propertyList, word(7), word(6), false)) {
        if (v < 1 || v > model_.elementCount) {
          ++unknownElements_;
          continue;
        }
        ElementRecord& element = model_.elements[static_cast<std::size_t>(v) - 1];
        element.propertyId = property.id;
        if (!elementData) {
          element.deckPropertyId = property.id;
        } else if (element.elementClass == property.typeCode) {
          element.dataDefinition = position;
        }
      }
    }
    model_.propertyCount = static_cast<int32_t>(properties.size());
  }

  static int Printable(int64_t count) { return static_cast<int>(std::min<int64_t>(count, INT_MAX)); }

  void Report() const {
    if (skipped_ != 0) {
      console_.Print("%d load file definitions point outside their data and were skipped\n", Printable(skipped_));
    }
    if (unknownNodes_ != 0) {
      console_.Print("Die Lastdatei enth\xE4" "lt %d externe Knotennummern,\n die nicht existieren",
                   Printable(unknownNodes_));
    }
    if (unknownElements_ != 0) {
      console_.Print("Die Lastdatei enth\xE4" "lt %d externe Elementnummern,\n die nicht existieren",
                   Printable(unknownElements_));
    }
  }

  Model& model_;
  Console& console_;
  const LoadFileHeader& h_;
  LoadFileBlocks& b_;
  int64_t unknownNodes_ = 0;
  int64_t unknownElements_ = 0;
  int64_t skipped_ = 0;
  NumberColumn nodeNumbers_;             // external number of each node position (1-based)
  NumberColumn elementNumbers_;          // the same for elements
  SortedNumberTable sortedNodes_;        // built on first need, kept for the whole call
  SortedNumberTable sortedElements_;
  std::vector<int32_t> mapped_;          // the current slice, as positions
  std::vector<int32_t> vectorNodes_;
  std::vector<uint8_t> distUsable_;
  struct Candidate {
    int32_t definition;
    int32_t element;  // index in the model
    int32_t face;
  };
  std::vector<Candidate> candidates_;
  bool incidenceBuilt_ = false;
  std::vector<std::size_t> incidenceStart_;
  std::vector<int32_t> incidence_;
  std::vector<uint8_t> marks_;
  std::vector<int32_t> markedNodes_;
  std::vector<int32_t> elementStamp_;
  std::vector<int32_t> touched_;
};

}  // namespace

int LoadReader(const std::string& title, Model& model, Console& console) {
  model.materialCount = model.propertyCount = model.nodeLoadCount = model.distributedLoadCount = 0;
  model.materials.clear();
  model.properties.clear();
  model.nodeLoads.clear();
  model.distributedLoads.clear();

  std::string fileName = title;
  CutShortExtension(fileName);
  fileName += ".lqd";
  LoadFileHeader header;
  if (ReadLoadFile(kReadHeaderOnly, fileName, header, nullptr, console) < 0) return -1;
  LoadFileBlocks blocks;
  if (ReadLoadFile(kReadFull, fileName, header, &blocks, console) < 0) return -1;

  LoadAssembly(model, header, blocks, console).Run();
  return 0;
}
