// Load cards: pressure loads on elements (PLOAD, PLOAD1, PLOAD2, PLOAD4) and
// loads on nodes (FORCE, MOMENT, SPC, SPCD).
//
// Node and element indexes in load values count from 1; one below 1 or beyond
// the node or element table is written as an empty field, like index 0.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/checked_numbers.h"
#include "model/solid_faces.h"
#include "nastran/bulk_data_writer.h"
#include "nastran/element_cards.h"
#include "nastran/fields.h"

namespace {

constexpr int kPload = 10;
constexpr int kPload1 = 11;
constexpr int kPload2 = 12;
constexpr int kPload4 = 14;

// PLOAD1 load types (index 1 to 12) and scale kinds (index 1 to 4); index 0
// stands in for anything out of range.
constexpr std::string_view kPload1LoadTypes[] = {"FX", "FX", "FY",  "FZ",  "FXE", "FYE", "FZE",
                                                 "MX", "MY", "MZ", "MXE", "MYE", "MZE"};
constexpr std::string_view kPload1ScaleKinds[] = {"LE", "LE", "FR", "LEPR", "FRPR"};

// PLOAD1 element indexes and PLOAD2 element numbers: lists ended by the first 0.
constexpr int kPload1ListStart = 6;
constexpr int kPload2ListStart = 1;
constexpr int kLoadValues = 32;
// PLOAD2 runs of at least this many consecutive numbers become THRU cards.
constexpr int kThruMinimum = 5;
constexpr int kPload2NumbersPerCard = 6;

enum class NodeLoadForm {
  kVector,      // name, set, grid, frame, magnitude, vector
  kConstraint,  // SPC triples (grid, component, empty value): the component is held at zero
  kPrescribed,  // SPCD triples, each card after its SPC companion
};

struct NodeLoadCard {
  std::string_view name;
  int firstDof;  // degree of freedom of the first component; 0 for a vector card
  NodeLoadForm form;
};

// Card by node load kind; kinds outside 0 to 5 are treated as 0.
constexpr NodeLoadCard kNodeLoadCards[] = {
    {"FORCE", 0, NodeLoadForm::kVector},      {"MOMENT", 0, NodeLoadForm::kVector},
    {"SPC", 1, NodeLoadForm::kConstraint},    {"SPC", 4, NodeLoadForm::kConstraint},
    {"SPCD", 1, NodeLoadForm::kPrescribed},   {"SPCD", 4, NodeLoadForm::kPrescribed},
};
constexpr int kNodeLoadKinds = static_cast<int>(std::size(kNodeLoadCards));

// The global constraint set of the SPC1 cards.
constexpr int64_t kGlobalConstraintSet = 100;

const NodeLoadCard& CardOf(const NodeLoadRecord& load) {
  return kNodeLoadCards[load.kind >= 0 && load.kind < kNodeLoadKinds ? load.kind : 0];
}

// A record writes cards when its load set is a set id and some component is
// not zero, however small it is.
bool WritesCards(const NodeLoadRecord& load) {
  const float* c = load.components;
  return IsSetId(load.loadSet) && !(c[0] == 0.0f && c[1] == 0.0f && c[2] == 0.0f);
}

// External number of the node with a 1-based index; 0 (an empty field) for an
// index outside the node table.
int32_t NodeNumberAt(const Model& model, int32_t index) {
  if (index < 1 || static_cast<std::size_t>(index) > UsableCount(model.nodeCount, model.nodes)) return 0;
  return model.nodes[static_cast<std::size_t>(index) - 1].externalNumber;
}

// Writes one real load value; 0.0 is written "0.0," where an empty field
// would mean something else to the solver (a default).
void WriteLoadValue(DeckContext& deck, float value, bool explicitZero) {
  OutputFile& out = *deck.out;
  if (explicitZero && value == 0.0f) return out.Write("0.0,");
  WriteNumberFields(deck, &value, 1, 0, 0);
}

// The position of the first element with an external number, found directly
// when numbers run 1, 2, 3 ... and through an index (built on first need)
// otherwise; -1 when no element has it.
class ElementLookup {
 public:
  explicit ElementLookup(const Model& model) : model_(model) {}

  const ElementRecord* Find(int32_t number) {
    const std::size_t count = UsableCount(model_.elementCount, model_.elements);
    if (!model_.elementNumbersNonSequential && number >= 1 && static_cast<std::size_t>(number) <= count &&
        model_.elements[static_cast<std::size_t>(number) - 1].externalNumber == number) {
      return &model_.elements[static_cast<std::size_t>(number) - 1];
    }
    if (index_.empty() && count > 0) {
      index_.reserve(count);
      for (std::size_t i = 0; i < count; ++i) index_.emplace_back(model_.elements[i].externalNumber, i);
      std::sort(index_.begin(), index_.end());
    }
    const auto found = std::lower_bound(index_.begin(), index_.end(), std::pair<int32_t, std::size_t>(number, 0));
    if (found == index_.end() || found->first != number) return nullptr;
    return &model_.elements[found->second];
  }

 private:
  const Model& model_;
  std::vector<std::pair<int32_t, std::size_t>> index_;  // (number, position), sorted
};

// G1 and G3 (G4 for a tetrahedron) that name the loaded face of a solid: the
// node of the face's first corner, and of its third corner (a four-cornered
// face) or the corner off the face (a tetrahedron). False when the element is
// no solid or the face is not one of its faces.
bool SolidFaceGrids(const Model& model, const ElementRecord& element, int32_t face, int32_t (&grids)[2]) {
  auto cornerNode = [&](int32_t slot) { return NodeNumberAt(model, model.NodeSlot(element, slot - 1)); };
  const SolidFaceTable* faces = FindSolidFaces(element.shape);
  if (faces == nullptr || face < 1 || face > faces->faceCount) return false;
  const int32_t* corners = faces->corners[face - 1];
  grids[0] = cornerNode(corners[0]);
  grids[1] = 0;
  if (corners[3] != 0) {
    grids[1] = cornerNode(corners[2]);
  } else if (faces->cornerSlots == 4) {
    // A tetrahedron: the one corner that is not on the face.
    for (int32_t slot = 1; slot <= 4; ++slot) {
      if (slot != corners[0] && slot != corners[1] && slot != corners[2])
        grids[1] = cornerNode(slot);
    }
  }
  return true;
}

void WritePload(DeckContext& deck, const Model& model, const DistributedLoadRecord& load) {
  WriteCardStart(deck, "PLOAD", load.loadSet);
  WriteNumberFields(deck, load.values, 1, 0, 0);  // pressure
  int32_t grids[4];
  for (int k = 0; k < 4; ++k) grids[k] = NodeNumberAt(model, TruncateToInt32(load.values[1 + k]));
  WriteIntegerFields(deck, grids, 4, 1, 0);
}

// "PLOAD1, set, eid, type, scale," with X1, P1, X2, P2. X1 has no default:
// a load at end A is written 0.0. Without an element the field is empty.
void WritePload1Card(DeckContext& deck, const DistributedLoadRecord& load, const int32_t* elementNumber,
                     int32_t loadType, int32_t scale) {
  OutputFile& out = *deck.out;
  WriteCardStart(deck, "PLOAD1", load.loadSet);
  if (elementNumber != nullptr)
    WriteIntegerText(deck, *elementNumber);
  else
    out.Write(" ,");
  out.Put(' ');
  out.Write(kPload1LoadTypes[loadType]);
  out.Write(", ");
  out.Write(kPload1ScaleKinds[scale]);
  out.Put(',');
  WriteLoadValue(deck, load.values[2], true);      // X1
  WriteNumberFields(deck, load.values + 3, 3, 1, 0);  // P1, X2, P2
}

// One card per element of the list in positions 6 to 31, or, when the list is
// empty, one card for the record's own element.
void WritePload1(DeckContext& deck, const Model& model, const DistributedLoadRecord& load) {
  int32_t loadType = TruncateToInt32(load.values[0]);
  if (loadType < 1 || loadType >= static_cast<int32_t>(std::size(kPload1LoadTypes))) loadType = 1;
  int32_t scale = TruncateToInt32(load.values[1]);
  if (scale < 1 || scale >= static_cast<int32_t>(std::size(kPload1ScaleKinds))) scale = 1;
  const std::size_t elementCount = UsableCount(model.elementCount, model.elements);

  if (TruncateToInt32(load.values[kPload1ListStart]) == 0) {
    WritePload1Card(deck, load, &load.elementNumber, loadType, scale);
    return;
  }
  for (int p = kPload1ListStart; p < kLoadValues; ++p) {
    const int32_t index = TruncateToInt32(load.values[p]);
    if (index == 0) break;
    const bool known = index >= 1 && static_cast<std::size_t>(index) <= elementCount;
    WritePload1Card(deck, load, known ? &model.elements[static_cast<std::size_t>(index) - 1].externalNumber : nullptr,
                    loadType, scale);
  }
}

void WritePload2(DeckContext& deck, const DistributedLoadRecord& load) {
  OutputFile& out = *deck.out;
  // The element numbers, as they stand in the values; 0 marks a number taken
  // into a THRU card.
  int32_t numbers[kLoadValues];
  int count = 0;
  for (int p = kPload2ListStart; p < kLoadValues; ++p) {
    const int32_t number = TruncateToInt32(load.values[p]);
    if (number == 0) break;
    numbers[count++] = number;
  }
  if (count == 0) {
    // No list: the record's own element.
    WriteCardStart(deck, "PLOAD2", load.loadSet);
    WriteNumberFields(deck, load.values, 1, 0, 0);
    WriteIntegerText(deck, load.elementNumber);
    out.Put('\n');
    return;
  }
  for (int first = 0; first < count;) {
    int last = first;
    while (last + 1 < count && static_cast<int64_t>(numbers[last + 1]) == static_cast<int64_t>(numbers[last]) + 1)
      ++last;
    if (last - first + 1 >= kThruMinimum) {
      WriteCardStart(deck, "PLOAD2", load.loadSet);
      WriteNumberFields(deck, load.values, 1, 0, 0);
      out.Put(' ');
      out.WriteInt(numbers[first]);
      out.Write(", THRU, ");
      out.WriteInt(numbers[last]);
      out.Write(",\n");
      std::fill(numbers + first, numbers + last + 1, 0);
    }
    first = last + 1;
  }

  int32_t line[kPload2NumbersPerCard];
  int onLine = 0;
  auto flush = [&] {
    WriteCardStart(deck, "PLOAD2", load.loadSet);
    WriteNumberFields(deck, load.values, 1, 0, 0);
    WriteIntegerFields(deck, line, onLine, 1, 0);
    onLine = 0;
  };
  for (int k = 0; k < count; ++k) {
    if (numbers[k] == 0) continue;
    line[onLine++] = numbers[k];
    if (onLine == kPload2NumbersPerCard) flush();
  }
  if (onLine > 0) flush();
}

void WritePload4(DeckContext& deck, const Model& model, ElementLookup& elements, DistributedLoadRecord& load) {
  OutputFile& out = *deck.out;
  int32_t grids[2] = {0, 0};
  const ElementRecord* element = nullptr;
  // A face of a solid found from a node set: positions 4 and 5 are empty.
  if (load.values[4] == 0.0f && load.values[5] == 0.0f && load.faceNumber >= 1) {
    element = elements.Find(load.elementNumber);
  }
  if (element == nullptr || !SolidFaceGrids(model, *element, load.faceNumber, grids)) {
    // G1 and G3 are node indexes; the record keeps the node numbers in their place.
    for (int k = 0; k < 2; ++k) {
      float& slot = load.values[4 + k];
      const int32_t index = TruncateToInt32(slot);
      grids[k] = index == 0 ? 0 : NodeNumberAt(model, index);
      if (index != 0) slot = static_cast<float>(grids[k]);
    }
  }
  WriteCardStart(deck, "PLOAD4", load.loadSet);
  out.Put(' ');
  out.WriteInt(load.elementNumber);
  out.Put(',');
  // An empty P2, P3 or P4 means "equal to P1": once the corners differ, every
  // zero pressure is written as 0.0.
  const bool varying = load.values[1] != 0.0f || load.values[2] != 0.0f || load.values[3] != 0.0f;
  for (int k = 0; k < 4; ++k) WriteLoadValue(deck, load.values[k], varying);
  WriteIntegerFields(deck, grids, 2, 1, 0);
  if (load.values[7] != 0.0f || load.values[8] != 0.0f || load.values[9] != 0.0f) {
    static constexpr FieldForm kFrameThenDirection[4] = {FieldForm::kInteger, FieldForm::kNumber,
                                                         FieldForm::kNumber, FieldForm::kNumber};  // CID, N1, N2, N3
    const double fields[4] = {load.values[6], load.values[7], load.values[8], load.values[9]};
    WriteFormFields(deck, fields, kFrameThenDirection, 4, 1, 1);
  }
}

// A PLOAD, or a PLOAD1 or PLOAD2 that takes its elements from a list in its
// values, repeats the record before it when set, kind and values agree: every
// record of one definition carries the same values, and the cards of the
// first one already load all the elements of the list.
bool RepeatsListCards(const DistributedLoadRecord& load, const DistributedLoadRecord* previous) {
  if (previous == nullptr || previous->loadSet != load.loadSet || previous->cardKind != load.cardKind) return false;
  const bool listCard = load.cardKind == kPload ||
                        (load.cardKind == kPload1 && TruncateToInt32(load.values[kPload1ListStart]) != 0) ||
                        (load.cardKind == kPload2 && TruncateToInt32(load.values[kPload2ListStart]) != 0);
  if (!listCard) return false;
  for (int k = 0; k < kLoadValues; ++k) {
    if (!(previous->values[k] == load.values[k])) return false;
  }
  return true;
}

}  // namespace

int WriteDistributedLoadCards(DeckContext& deck) {
  Model& model = deck.model;
  ElementLookup elements(model);
  const std::size_t count = UsableCount(model.distributedLoadCount, model.distributedLoads);
  for (std::size_t i = 0; i < count; ++i) {
    DistributedLoadRecord& load = model.distributedLoads[i];
    // A record outside the set ids is still the record before the next one.
    if (!IsSetId(load.loadSet)) continue;
    if (RepeatsListCards(load, i > 0 ? &model.distributedLoads[i - 1] : nullptr)) continue;
    switch (load.cardKind) {
      case kPload: WritePload(deck, model, load); break;
      case kPload1: WritePload1(deck, model, load); break;
      case kPload2: WritePload2(deck, load); break;
      case kPload4: WritePload4(deck, model, elements, load); break;
      default: break;  // no card of this kind
    }
  }
  return model.distributedLoadCount;
}

int64_t DistributedLoadsWithoutCard(const Model& model) {
  int64_t without = 0;
  const std::size_t count = UsableCount(model.distributedLoadCount, model.distributedLoads);
  for (std::size_t i = 0; i < count; ++i) {
    const DistributedLoadRecord& load = model.distributedLoads[i];
    const int32_t kind = load.cardKind;
    without += IsSetId(load.loadSet) && kind != kPload && kind != kPload1 && kind != kPload2 && kind != kPload4;
  }
  return without;
}

int64_t LoadRecordsOutsideSetIds(const Model& model) {
  int64_t outside = 0;
  const std::size_t distributed = UsableCount(model.distributedLoadCount, model.distributedLoads);
  for (std::size_t i = 0; i < distributed; ++i) outside += !IsSetId(model.distributedLoads[i].loadSet);
  const std::size_t nodeLoads = UsableCount(model.nodeLoadCount, model.nodeLoads);
  for (std::size_t i = 0; i < nodeLoads; ++i) outside += !IsSetId(model.nodeLoads[i].loadSet);
  return outside;
}

LoadSetConstraints LoadSetConstraintSets(const Model& model) {
  LoadSetConstraints sets;
  int64_t base = kGlobalConstraintSet;  // B
  std::unordered_set<int32_t> constrained;  // load sets with an SPC card
  const std::size_t distributed = UsableCount(model.distributedLoadCount, model.distributedLoads);
  for (std::size_t i = 0; i < distributed; ++i) {
    const int32_t loadSet = model.distributedLoads[i].loadSet;
    if (IsSetId(loadSet)) base = std::max<int64_t>(base, loadSet);
  }
  const std::size_t count = UsableCount(model.nodeLoadCount, model.nodeLoads);
  for (std::size_t i = 0; i < count; ++i) {
    const NodeLoadRecord& load = model.nodeLoads[i];
    if (IsSetId(load.loadSet)) base = std::max<int64_t>(base, load.loadSet);
    if (CardOf(load).form != NodeLoadForm::kVector && WritesCards(load)) constrained.insert(load.loadSet);
  }
  if (constrained.empty()) return sets;
  for (int32_t loadSet : LoadSetList(model)) {
    if (constrained.count(loadSet) == 0) continue;
    sets.order.emplace(loadSet, sets.loadSets.size());
    sets.loadSets.push_back(loadSet);
  }

  const int64_t needed = 2 * static_cast<int64_t>(sets.loadSets.size());
  sets.setIds.reserve(static_cast<std::size_t>(needed));
  if (base + needed <= kLargestSetId) {
    for (int64_t k = 1; k <= needed; ++k) sets.setIds.push_back(base + k);
    return sets;
  }
  // Above the largest set id: the smallest numbers above 100 that are no
  // load set of the deck.
  std::vector<int32_t> taken;
  for (std::size_t i = 0; i < distributed; ++i) {
    const int32_t loadSet = model.distributedLoads[i].loadSet;
    if (IsSetId(loadSet) && loadSet > kGlobalConstraintSet) taken.push_back(loadSet);
  }
  for (std::size_t i = 0; i < count; ++i) {
    const int32_t loadSet = model.nodeLoads[i].loadSet;
    if (IsSetId(loadSet) && loadSet > kGlobalConstraintSet) taken.push_back(loadSet);
  }
  std::sort(taken.begin(), taken.end());
  auto next = taken.begin();
  for (int64_t id = kGlobalConstraintSet + 1; static_cast<int64_t>(sets.setIds.size()) < needed; ++id) {
    while (next != taken.end() && *next < id) ++next;
    if (next == taken.end() || *next != id) sets.setIds.push_back(id);
  }
  return sets;
}

int64_t LoadSetConstraints::ConstraintSet(int32_t loadSet) const {
  const auto found = order.find(loadSet);
  if (found == order.end()) return loadSet;  // a load set without a subcase keeps its number
  return OwnSet(found->second);
}

int WriteNodeForceCards(DeckContext& deck) {
  const Model& model = deck.model;
  OutputFile& out = *deck.out;
  const LoadSetConstraints sets = LoadSetConstraintSets(model);
  const std::size_t count = UsableCount(model.nodeLoadCount, model.nodeLoads);
  for (std::size_t i = 0; i < count; ++i) {
    const NodeLoadRecord& load = model.nodeLoads[i];
    const NodeLoadCard& card = CardOf(load);
    if (!WritesCards(load)) continue;
    const float* c = load.components;

    if (card.form == NodeLoadForm::kVector) {
      // Name, set, grid, frame, magnitude, vector.
      WriteCardStart(deck, card.name, load.loadSet);
      WriteIntegerText(deck, load.nodeNumber);
      WriteIntegerText(deck, load.frameId);
      const float values[4] = {load.scale, c[0], c[1], c[2]};
      WriteNumberFields(deck, values, 4, 1, 0);
      continue;
    }
    const int64_t constraintSet = sets.ConstraintSet(load.loadSet);

    // The non-zero components, two (grid, component, value) triples to a card.
    int components[3];
    int used = 0;
    for (int k = 0; k < 3; ++k) {
      if (c[k] != 0.0f) components[used++] = k;
    }
    for (int first = 0; first < used; first += 2) {
      const int last = std::min(first + 2, used);
      // The SPC card holds the components at zero in the load set's own
      // constraint set; an SPCD that follows gives their value.
      WriteCardStart(deck, "SPC", constraintSet);
      for (int t = first; t < last; ++t) {
        WriteIntegerText(deck, load.nodeNumber);
        WriteIntegerText(deck, card.firstDof + components[t]);
        out.Write(" ,");
      }
      out.Put('\n');
      if (card.form != NodeLoadForm::kPrescribed) continue;
      WriteCardStart(deck, card.name, load.loadSet);
      for (int t = first; t < last; ++t) {
        WriteIntegerText(deck, load.nodeNumber);
        WriteIntegerText(deck, card.firstDof + components[t]);
        WriteNumberFields(deck, c + components[t], 1, 0, 0);
      }
      out.Put('\n');
    }
  }
  return model.nodeLoadCount;
}
