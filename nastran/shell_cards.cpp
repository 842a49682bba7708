// Shell and plane element cards: CTRIA3, CTRIAR, CQUAD4, CQUADR, CTRIA6,
// CQUAD8, CQUAD, CQUADX, CTRIAX, CTRIAX6 and CSHEAR.
#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "nastran/bulk_data_writer.h"
#include "nastran/element_cards.h"
#include "nastran/fields.h"

namespace {

// How a card's fields after the card name are laid out.
enum class ShellLayout {
  kNodesThenData,     // EID, PID, nodes; orientation, offset, thicknesses from the data record
  kTria6,             // EID, PID, six nodes; a continuation line of data values
  kQuad8,             // EID, PID, six nodes; G7, G8 and the data values on line 2
  kNodesOnly,         // EID, PID, nodes (six a line); no data fields
  kAxisymmetricTriangle,  // EID, MID, G1 to G6; the orientation angle on a continuation line
  kShear,                 // EID, PID (of a PSHEAR only), four nodes
};

constexpr int32_t kAny = -1;
constexpr uint64_t NodeCounts(std::initializer_list<int> counts) {
  uint64_t mask = 0;
  for (int n : counts) mask |= uint64_t{1} << n;
  return mask;
}
constexpr uint64_t kAnyNodeCount = ~uint64_t{0};
constexpr uint64_t kFourToNineNodes = NodeCounts({4, 5, 6, 7, 8, 9});

// The first row that fits the element's class, shape and node count chooses
// the card: the last digit of the class (or kAny), its tens (or kAny), the
// shape (or kAny) and the node counts allowed. A row without a name gives no
// card: CQUAD, CQUADX and CTRIAX take only the shapes and node counts their
// cards can hold.
struct ShellRule {
  int32_t lastDigit;
  int32_t tens;
  int32_t shape;
  uint64_t nodeCounts;
  const char* name;
  ShellLayout layout;
};
constexpr ShellRule kShellRules[] = {
    {1, kAny, kAny, NodeCounts({3}), "CTRIA3", ShellLayout::kNodesThenData},
    {2, kAny, kAny, NodeCounts({3}), "CTRIAR", ShellLayout::kNodesThenData},
    {1, kAny, kAny, NodeCounts({4}), "CQUAD4", ShellLayout::kNodesThenData},
    {2, kAny, kAny, NodeCounts({4}), "CQUADR", ShellLayout::kNodesThenData},
    {1, kAny, kAny, NodeCounts({6}), "CTRIA6", ShellLayout::kTria6},
    {1, kAny, kAny, NodeCounts({8}), "CQUAD8", ShellLayout::kQuad8},
    {3, kAny, 4, kFourToNineNodes, "CQUAD", ShellLayout::kNodesOnly},
    {3, kAny, kAny, kAnyNodeCount, nullptr, ShellLayout::kNodesOnly},
    {4, kAny, 3, NodeCounts({3, 6}), "CTRIAX", ShellLayout::kNodesOnly},
    {4, kAny, 4, kFourToNineNodes, "CQUADX", ShellLayout::kNodesOnly},
    {4, kAny, kAny, kAnyNodeCount, nullptr, ShellLayout::kNodesOnly},
    {5, kAny, kAny, NodeCounts({3, 6}), "CTRIAX6", ShellLayout::kAxisymmetricTriangle},
    {kAny, 4, kAny, NodeCounts({4}), "CSHEAR", ShellLayout::kShear},
};

// The class whose data record loses its offset (ZOFFS) when written.
constexpr int32_t kOffsetClearedClass = 22;

// Property records of this type code (PSHEAR) are the only ones a CSHEAR
// names.
constexpr int32_t kShearPropertyCode = 1041;

// CTRIAX6 node fields G1 to G6 (corner, midside, corner, ...) by node slot of
// a six-node triangle, whose slots hold the corners first.
constexpr int kTriax6Slots[] = {0, 3, 1, 4, 2, 5};

const ShellRule* FindShellRule(const ElementRecord& element, int nodeCount) {
  const int32_t lastDigit = element.elementClass % 10;
  const int32_t tens = element.elementClass / 10;
  for (const ShellRule& rule : kShellRules) {
    if ((rule.lastDigit == kAny || rule.lastDigit == lastDigit) && (rule.tens == kAny || rule.tens == tens) &&
        (rule.shape == kAny || rule.shape == element.shape) && (rule.nodeCounts >> nodeCount & 1) != 0) {
      return rule.name != nullptr ? &rule : nullptr;
    }
  }
  return nullptr;
}

bool IsEmptyValue(float v) { return v == 0.0f || v == static_cast<float>(BLANK_FIELD); }

void WriteLineEnd(DeckContext& deck) { deck.out->Put('\n'); }

// Line 2 of a CQUAD8 after G7 and G8: T1 to T4, THETA, ZOFFS.
void WriteQuad8Tail(DeckContext& deck, const PropertyRecord& data) {
  float fields[6];
  const bool thicknesses = DataValueCount(data) > 2;
  for (int i = 0; i < 4; ++i) fields[i] = thicknesses ? DataValue(data, 2 + i) : static_cast<float>(BLANK_FIELD);
  fields[4] = DataValue(data, 0);
  fields[5] = DataValue(data, 1);
  WriteRealFields(deck, fields, 6, 1, 0);
}

// CTRIAX6 carries the material id of the data record; without one the field
// is written as an integer 0, that is empty.
void WriteEidAndMaterial(DeckContext& deck, const char* name, const ElementRecord& element,
                         const PropertyRecord* data) {
  if (data != nullptr) {
    WriteCardStart(deck, name, element.externalNumber, data->materialId);
    return;
  }
  deck.out->Write(name);
  deck.out->Write(", ");
  deck.out->WriteInt(element.externalNumber);
  deck.out->Write(", ,");
}

}  // namespace

void WriteShellDataFields(DeckContext& deck, int dataSlot, int nodeCount, int clearOffset) {
  PropertyRecord* data = PropertyAtSlot(deck, dataSlot);
  if (data == nullptr) {
    WriteLineEnd(deck);
    return;
  }
  const int valueCount = DataValueCount(*data);
  const int terms = std::clamp(std::min(nodeCount, valueCount), 0, 48);
  if (clearOffset) data->values[1] = 0.0f;

  if (IsEmptyValue(data->values[0]) && IsEmptyValue(data->values[1])) {
    WriteLineEnd(deck);
  } else {
    WriteRealFields(deck, data->values, 2, 1, 0);
  }
  if (valueCount > 2) {
    float fields[50];
    fields[0] = static_cast<float>(BLANK_FIELD);
    fields[1] = static_cast<float>(BLANK_FIELD);
    for (int i = 0; i < terms; ++i) fields[2 + i] = DataValue(*data, 2 + i);
    WriteRealFields(deck, fields, terms + 2, 1, 1);
  }
}

CardResult WriteShellCard(DeckContext& deck, DeckElement& element) {
  const int nodeCount = ElementNodeCount(element);
  const ShellRule* rule = FindShellRule(element, nodeCount);
  if (rule == nullptr) return CardResult::kNoCard;

  const PropertyRecord* property = ElementPropertyRecord(deck, element);
  const int32_t pid = property != nullptr ? property->id : 0;
  const PropertyRecord* data = ElementDataRecord(deck, element);

  switch (rule->layout) {
    case ShellLayout::kNodesThenData:
      WriteCardStart(deck, rule->name, element.externalNumber, pid);
      WriteNodeNumbers(deck, element, 0, nodeCount);
      if (data != nullptr) {
        WriteShellDataFields(deck, element.dataSlot, nodeCount,
                             element.elementClass == kOffsetClearedClass);
      } else {
        WriteLineEnd(deck);
      }
      break;
    case ShellLayout::kTria6:
      WriteCardStart(deck, rule->name, element.externalNumber, pid);
      WriteNodeNumbers(deck, element, 0, 6);
      WriteLineEnd(deck);
      if (data != nullptr) {
        WriteRealFields(deck, data->values, std::min(5, DataValueCount(*data)), 1, 1);
      } else {
        deck.out->Write("     ,   ,\n");
      }
      break;
    case ShellLayout::kQuad8:
      WriteCardStart(deck, rule->name, element.externalNumber, pid);
      WriteNodeNumbers(deck, element, 0, 6);
      WriteLineEnd(deck);
      deck.out->Write(CONTINUATION_START);
      WriteNodeNumbers(deck, element, 6, 2);
      if (data != nullptr) {
        WriteQuad8Tail(deck, *data);
      } else {
        WriteLineEnd(deck);
      }
      break;
    case ShellLayout::kNodesOnly:
      WriteCardStart(deck, rule->name, element.externalNumber, pid);
      WriteNodeNumbers(deck, element, 0, std::min(nodeCount, 6));
      WriteLineEnd(deck);
      if (nodeCount > 6) {
        deck.out->Write(CONTINUATION_START);
        WriteNodeNumbers(deck, element, 6, nodeCount - 6);
        WriteLineEnd(deck);
      }
      break;
    case ShellLayout::kAxisymmetricTriangle:
      WriteEidAndMaterial(deck, rule->name, element, data);
      if (nodeCount == 6) {
        for (int slot : kTriax6Slots) WriteNodeNumbers(deck, element, slot, 1);
      } else {
        // The corners go into G1, G3 and G5; the midside fields stay empty.
        for (int slot = 0; slot < 3; ++slot) {
          if (slot > 0) deck.out->Write(" ,");
          WriteNodeNumbers(deck, element, slot, 1);
        }
      }
      WriteLineEnd(deck);
      if (data != nullptr && DataValueCount(*data) > 0) WriteRealFields(deck, data->values, 1, 1, 1);
      break;
    case ShellLayout::kShear: {
      const int32_t pshear = DeckPropertyId(element);
      const int32_t shearProperty = FindPropertyRecord(deck, kShearPropertyCode, pshear) != 0 ? pshear : 0;
      WriteCardStart(deck, rule->name, element.externalNumber, shearProperty);
      WriteNodeNumbers(deck, element, 0, 4);
      WriteLineEnd(deck);
      break;
    }
  }
  return CardResult::kWritten;
}
