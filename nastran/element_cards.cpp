#include "nastran/element_cards.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <type_traits>

#include "nastran/bulk_data_writer.h"

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

int PropertyRecordCount(const Model& model) {
  return static_cast<int>(UsableCount(model.propertyCount, model.properties));
}

int ElementRecordCount(const Model& model) { return static_cast<int>(UsableCount(model.elementCount, model.elements)); }

int NodeRecordCount(const Model& model) { return static_cast<int>(UsableCount(model.nodeCount, model.nodes)); }

// Finds for each element the first property record (code = normalised class
// + 1000, id = deckPropertyId) and its element data record: the one an
// element data definition listing the element gave it, else the first
// record with code = class and id = materialId, in properties order. The
// result is that of trying every record against every element, through the
// deck's sorted index of the records. Neighbouring elements mostly share
// their keys, so the last answer of each kind is kept.
class ElementRecordMatcher {
 public:
  explicit ElementRecordMatcher(const DeckContext& deck) : deck_(deck) {}

  // Fills the two slots of the element (0 = none; always in geometry-only
  // mode, where no record is indexed).
  void Match(DeckElement& element) {
    element.propertySlot = 0;
    element.dataSlot = 0;
    if (!deck_.indexes.HasRecords()) return;
    const int64_t propertyCode = int64_t{NormalisedElementClass(element.elementClass)} + kPropertyCodeBase;
    if (propertyCode > kPropertyCodeBase && propertyCode <= std::numeric_limits<int32_t>::max()) {
      element.propertySlot = property_.Find(deck_, static_cast<int32_t>(propertyCode), DeckPropertyId(element));
    }
    if (element.elementClass <= kPropertyCodeBase) {
      const int32_t listed = ListedDataSlot(deck_.model, element);
      element.dataSlot = listed != 0 ? listed : data_.Find(deck_, element.elementClass, element.materialId);
    }
  }

 private:
  struct LastAnswer {
    bool known = false;
    int32_t typeCode = 0;
    int32_t id = 0;
    int32_t slot = 0;
    int32_t Find(const DeckContext& deck, int32_t wantedCode, int32_t wantedId) {
      if (!known || typeCode != wantedCode || id != wantedId) {
        known = true;
        typeCode = wantedCode;
        id = wantedId;
        slot = deck.indexes.FirstRecord(wantedCode, wantedId);
      }
      return slot;
    }
  };
  const DeckContext& deck_;
  LastAnswer property_;
  LastAnswer data_;
};

// The element as its card routine takes it: the record and the external
// numbers of the nodes its slots name (a slot outside the node array names
// no node: an empty slot).
void PrepareElement(const Model& model, int nodeCount, const ElementRecord& record, DeckElement& element) {
  static_cast<ElementRecord&>(element) = record;
  const std::span<const int32_t> slots = model.NodeSlots(record);
  const int count = std::min(static_cast<int>(slots.size()), kMostNodeSlots);
  element.nodeCount = static_cast<uint8_t>(count);
  for (int s = 0; s < count; ++s) {
    const int32_t slot = slots[static_cast<std::size_t>(s)];
    element.nodeNumbers[s] =
        slot >= 1 && slot <= nodeCount ? model.nodes[static_cast<std::size_t>(slot - 1)].externalNumber : 0;
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

PropertyRecord* PropertyAtSlot(DeckContext& deck, int32_t slot) {
  if (slot < 1 || slot > PropertyRecordCount(deck.model)) return nullptr;
  return &deck.model.properties[static_cast<std::size_t>(slot - 1)];
}

const PropertyRecord* ElementPropertyRecord(DeckContext& deck, const DeckElement& element) {
  return PropertyAtSlot(deck, element.propertySlot);
}

PropertyRecord* ElementDataRecord(DeckContext& deck, const DeckElement& element) {
  return PropertyAtSlot(deck, element.dataSlot);
}

int ElementNodeCount(const ElementRecord& element) { return std::min<int>(element.nodeCount, kMostNodeSlots); }

int32_t ElementNodeNumber(const DeckElement& element, int slot) {
  return slot >= 0 && slot < ElementNodeCount(element) ? element.nodeNumbers[slot] : 0;
}

int DataValueCount(const PropertyRecord& record) {
  constexpr int kValues = static_cast<int>(std::extent_v<decltype(PropertyRecord::values)>);
  return std::clamp(record.valueCount, 0, kValues);
}

float DataValue(const PropertyRecord& record, int index) {
  constexpr int kValues = static_cast<int>(std::extent_v<decltype(PropertyRecord::values)>);
  return index >= 0 && index < kValues ? record.values[index] : 0.0f;
}

int32_t FindNodePosition(const DeckContext& deck, int32_t g) { return deck.indexes.NodePosition(deck.model, g); }

const FrameRecord* FindFrame(const DeckContext& deck, int32_t id) { return deck.indexes.Frame(deck.model, id); }

void WriteNodeNumbers(DeckContext& deck, const DeckElement& element, int first, int count) {
  OutputFile& out = *deck.out;
  for (int s = first; s < first + count; ++s) {
    out.Put(' ');
    out.WriteInt(ElementNodeNumber(element, s));
    out.Put(',');
  }
}

int32_t FindPropertyRecord(const DeckContext& deck, int32_t typeCode, int32_t id) {
  return deck.indexes.FirstRecord(typeCode, id);
}

void WriteElementCards(DeckContext& deck) {
  const Model& model = deck.model;
  const int elementCount = ElementRecordCount(model);
  const int nodeCount = NodeRecordCount(model);
  ElementRecordMatcher matcher(deck);
  DeckElement element;
  for (int j = 0; j < elementCount; ++j) {
    PrepareElement(model, nodeCount, model.elements[static_cast<std::size_t>(j)], element);
    matcher.Match(element);
    const int32_t shape = element.shape;
    CardResult result = CardResult::kNoCard;
    if (shape == 3 || shape == 4) {
      result = WriteShellCard(deck, element);
    } else if (shape >= 5 && shape <= 8) {
      result = WriteSolidCard(deck, element);
    } else if (shape <= 2) {
      result = WriteLineCard(deck, element);
    }
    if (result == CardResult::kNoCard) ++deck.warnings.elementsWithoutCard;
    if (result == CardResult::kNoDataRecord) ++deck.warnings.mpcWithoutData;
    if (result == CardResult::kLongSetId) ++deck.warnings.longMpcSetIds;
  }
}
