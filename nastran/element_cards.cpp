#include "nastran/element_cards.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

#include "nastran/bulk_data_writer.h"

std::vector<int32_t> ElementPropertySlot;
std::vector<int32_t> ElementDataSlot;

namespace {

// Classes from 40 up that share a property card with a neighbour class.
struct ClassGroup {
  int32_t elementClass;
  int32_t normalised;
};
constexpr ClassGroup kClassGroups[] = {
    {104, 103}, {106, 105}, {111, 110}, {112, 110}, {114, 113}, {115, 113}, {121, 120},
    {122, 120}, {124, 123}, {125, 123}, {127, 126}, {128, 126}, {131, 130},
};

// Type codes above 1000 are property records, the others are element
// data records. The two kinds are told apart by the code alone, so one index
// of (typeCode, id) serves both.
constexpr int32_t kPropertyCodeBase = 1000;

uint64_t RecordKey(int32_t typeCode, int32_t id) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(typeCode)) << 32) | static_cast<uint32_t>(id);
}

struct KeyedPosition {
  uint64_t key;
  int32_t position;  // 0-based in the array indexed
};

// A signed number as a key whose unsigned order is the signed order.
uint64_t SignedKey(int32_t value) { return static_cast<uint64_t>(int64_t{value} + (int64_t{1} << 31)); }

bool KeyThenPosition(const KeyedPosition& a, const KeyedPosition& b) {
  return a.key != b.key ? a.key < b.key : a.position < b.position;
}
bool KeyBelow(const KeyedPosition& a, uint64_t key) { return a.key < key; }

// Position of the first entry with the key (entries sorted by key, then by
// position), or -1.
int32_t FirstWithKey(const std::vector<KeyedPosition>& index, uint64_t key) {
  auto found = std::lower_bound(index.begin(), index.end(), key, KeyBelow);
  return found != index.end() && found->key == key ? found->position : -1;
}

// The property records sorted by (typeCode, id), then by position; filled
// while WriteElementCards runs.
std::vector<KeyedPosition> RecordIndex;

int PropertyRecordCount(const Model& model) {
  return static_cast<int>(UsableCount(model.propertyCount, model.properties));
}

int ElementRecordCount(const Model& model) { return static_cast<int>(UsableCount(model.elementCount, model.elements)); }

int NodeRecordCount(const Model& model) { return static_cast<int>(UsableCount(model.nodeCount, model.nodes)); }

// Finds for each element the first property record (code = normalised class
// + 1000, id = deckPropertyId) and its element data record: the one an
// element data definition listing the element gave it, else the first
// record with code = class and id = materialId, in properties order. The
// result is that of trying every record against every element, through one
// sorted index. Neighbouring elements mostly share their keys, so the last
// answer of each kind is kept.
class ElementRecordMatcher {
 public:
  // With `match` clear (geometry only) every slot stays 0 and the index of
  // the records stays empty.
  ElementRecordMatcher(const Model& model, bool match) : model_(model), index_(RecordIndex) {
    const int propertyCount = match ? PropertyRecordCount(model) : 0;
    index_.resize(static_cast<std::size_t>(propertyCount));
    for (int i = 0; i < propertyCount; ++i) {
      const PropertyRecord& record = model.properties[static_cast<std::size_t>(i)];
      index_[static_cast<std::size_t>(i)] = {RecordKey(record.typeCode, record.id), i};
    }
    std::sort(index_.begin(), index_.end(), KeyThenPosition);
  }

  // Fills the two slots of element j (called before its card is written).
  void Match(const ElementRecord& element, int j) {
    if (index_.empty()) return;
    const int64_t propertyCode = int64_t{NormalisedElementClass(element.elementClass)} + kPropertyCodeBase;
    if (propertyCode > kPropertyCodeBase && propertyCode <= std::numeric_limits<int32_t>::max()) {
      ElementPropertySlot[static_cast<std::size_t>(j)] =
          property_.Find(index_, RecordKey(static_cast<int32_t>(propertyCode), DeckPropertyId(element))) + 1;
    }
    if (element.elementClass <= kPropertyCodeBase) {
      const int32_t listed = ListedDataSlot(model_, element);
      ElementDataSlot[static_cast<std::size_t>(j)] =
          listed != 0 ? listed : data_.Find(index_, RecordKey(element.elementClass, element.materialId)) + 1;
    }
  }

 private:
  struct LastAnswer {
    bool known = false;
    uint64_t key = 0;
    int32_t position = -1;
    int32_t Find(const std::vector<KeyedPosition>& index, uint64_t wanted) {
      if (!known || key != wanted) {
        known = true;
        key = wanted;
        position = FirstWithKey(index, wanted);
      }
      return position;
    }
  };
  const Model& model_;
  std::vector<KeyedPosition>& index_;
  LastAnswer property_;
  LastAnswer data_;
};

// Node numbers sorted, each with its position; built on the first lookup that
// the direct position cannot answer, for the model it was built from.
std::vector<KeyedPosition> NodeNumberIndex;
const Model* NodeNumberIndexModel = nullptr;

void BuildNodeNumberIndex(const Model& model) {
  const int nodeCount = NodeRecordCount(model);
  NodeNumberIndex.resize(static_cast<std::size_t>(nodeCount));
  for (int i = 0; i < nodeCount; ++i) {
    NodeNumberIndex[static_cast<std::size_t>(i)] = {SignedKey(model.nodes[static_cast<std::size_t>(i)].externalNumber),
                                                    i};
  }
  std::sort(NodeNumberIndex.begin(), NodeNumberIndex.end(), KeyThenPosition);
  NodeNumberIndexModel = &model;
}

// Frame ids sorted, each with its position; built on the first lookup.
std::vector<KeyedPosition> FrameIdIndex;
const Model* FrameIdIndexModel = nullptr;

void ConvertNodeSlots(const Model& model, ElementRecord& element) {
  const int nodeCount = NodeRecordCount(model);
  const int slots = ElementNodeCount(element);
  for (int s = 0; s < slots; ++s) {
    int32_t& slot = element.nodeIndexes[s];
    if (slot == 0) continue;
    // A position outside the node array names no node: an empty slot.
    slot = slot >= 1 && slot <= nodeCount ? model.nodes[static_cast<std::size_t>(slot - 1)].externalNumber : 0;
  }
}

}  // namespace

int32_t DeckPropertyId(const ElementRecord& element) { return element.deckPropertyId; }

bool GiveDefaultPropertyId(ElementRecord& element) {
  if (element.deckPropertyId != 0) return false;
  element.deckPropertyId = 1;
  return true;
}

int32_t ListedDataSlot(const Model& model, const ElementRecord& element) {
  const int32_t slot = element.dataDefinition;
  if (slot < 1 || slot > PropertyRecordCount(model)) return 0;
  return model.properties[static_cast<std::size_t>(slot - 1)].typeCode == element.elementClass ? slot : 0;
}

int32_t NormalisedElementClass(int32_t elementClass) {
  if (elementClass < 40) return elementClass / 10 * 10 + 1;
  for (const ClassGroup& group : kClassGroups) {
    if (group.elementClass == elementClass) return group.normalised;
  }
  return elementClass;
}

PropertyRecord* PropertyAtSlot(int32_t slot) {
  if (CurrentModel == nullptr || slot < 1 || slot > PropertyRecordCount(*CurrentModel)) return nullptr;
  return &CurrentModel->properties[static_cast<std::size_t>(slot - 1)];
}

const PropertyRecord* ElementPropertyRecord(int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= ElementPropertySlot.size()) return nullptr;
  return PropertyAtSlot(ElementPropertySlot[static_cast<std::size_t>(position)]);
}

PropertyRecord* ElementDataRecord(int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= ElementDataSlot.size()) return nullptr;
  return PropertyAtSlot(ElementDataSlot[static_cast<std::size_t>(position)]);
}

int ElementNodeCount(const ElementRecord& element) {
  constexpr int kSlots = static_cast<int>(std::extent_v<decltype(ElementRecord::nodeIndexes)>);
  return std::clamp(element.nodeCount, 0, kSlots);
}

int32_t ElementNodeNumber(const ElementRecord& element, int slot) {
  return slot >= 0 && slot < ElementNodeCount(element) ? element.nodeIndexes[slot] : 0;
}

int DataValueCount(const PropertyRecord& record) {
  constexpr int kValues = static_cast<int>(std::extent_v<decltype(PropertyRecord::values)>);
  return std::clamp(record.valueCount, 0, kValues);
}

float DataValue(const PropertyRecord& record, int index) {
  constexpr int kValues = static_cast<int>(std::extent_v<decltype(PropertyRecord::values)>);
  return index >= 0 && index < kValues ? record.values[index] : 0.0f;
}


int32_t FindNodePosition(int32_t g) {
  if (CurrentModel == nullptr) return -1;
  const Model& model = *CurrentModel;
  if (g >= 1 && g <= NodeRecordCount(model) && model.nodes[static_cast<std::size_t>(g - 1)].externalNumber == g) {
    return g - 1;
  }
  if (NodeNumberIndexModel != &model) BuildNodeNumberIndex(model);
  return FirstWithKey(NodeNumberIndex, SignedKey(g));
}

const FrameRecord* FindFrame(int32_t id) {
  if (CurrentModel == nullptr) return nullptr;
  const Model& model = *CurrentModel;
  if (FrameIdIndexModel != &model) {
    const std::size_t count = UsableCount(model.frameCount, model.frames);
    FrameIdIndex.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      FrameIdIndex[i] = {SignedKey(model.frames[i].id), static_cast<int32_t>(i)};
    }
    std::sort(FrameIdIndex.begin(), FrameIdIndex.end(), KeyThenPosition);
    FrameIdIndexModel = &model;
  }
  const int32_t found = FirstWithKey(FrameIdIndex, SignedKey(id));
  return found < 0 ? nullptr : &model.frames[static_cast<std::size_t>(found)];
}

void WriteNodeNumbers(const ElementRecord& element, int first, int count) {
  for (int s = first; s < first + count; ++s) {
    OutputStream->Put(' ');
    OutputStream->WriteInt(ElementNodeNumber(element, s));
    OutputStream->Put(',');
  }
}

int32_t FindPropertyRecord(int32_t typeCode, int32_t id) {
  return FirstWithKey(RecordIndex, RecordKey(typeCode, id)) + 1;
}

void ReleaseElementLookups() {
  std::vector<KeyedPosition>().swap(RecordIndex);
  std::vector<int32_t>().swap(ElementPropertySlot);
  std::vector<int32_t>().swap(ElementDataSlot);
  std::vector<KeyedPosition>().swap(NodeNumberIndex);
  NodeNumberIndexModel = nullptr;
  std::vector<KeyedPosition>().swap(FrameIdIndex);
  FrameIdIndexModel = nullptr;
}

void WriteElementCards() {
  Model& model = *CurrentModel;
  ReleaseElementLookups();
  const int elementCount = ElementRecordCount(model);
  ElementPropertySlot.assign(static_cast<std::size_t>(elementCount), 0);
  ElementDataSlot.assign(static_cast<std::size_t>(elementCount), 0);
  ElementRecordMatcher matcher(model, !GeometryOnly);

  for (int j = 0; j < elementCount; ++j) {
    ElementRecord& element = model.elements[static_cast<std::size_t>(j)];
    matcher.Match(element, j);
    ConvertNodeSlots(model, element);
    const int32_t shape = element.shape;
    CardResult result = CardResult::kNoCard;
    if (shape == 3 || shape == 4) {
      result = WriteShellCard(element, j);
    } else if (shape >= 5 && shape <= 8) {
      result = WriteSolidCard(element, j);
    } else if (shape <= 2) {
      result = WriteLineCard(element, j);
    }
    if (result == CardResult::kNoCard) ++DeckWarnings.elementsWithoutCard;
    if (result == CardResult::kNoDataRecord) ++DeckWarnings.mpcWithoutData;
    if (result == CardResult::kLongSetId) ++DeckWarnings.longMpcSetIds;
  }
  ReleaseElementLookups();
}
