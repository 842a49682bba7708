// The element section of the deck: matching of elements to their property
// record and element data record, and the card routines by element family.
//
// WriteElementCards (bulk_data_writer.h) matches each element to its records,
// turns its node slots into external node numbers and hands it, as a
// DeckElement, to the card routine of its shape.
#pragma once

#include <cstdint>

#include "model/checked_numbers.h"
#include "model/model.h"
#include "nastran/deck_context.h"

// An element as its card is written: its record, the node numbers of its
// slots (0 for an empty slot) and the 1-based positions in properties of its
// property record and element data record (0 = none).
struct DeckElement : ElementRecord {
  int32_t nodeNumbers[kMostNodeSlots];
  int32_t propertySlot;
  int32_t dataSlot;
};

// The class an element is matched under against property type codes
// (the same grouping as the deck driver's type code rewrite, less 1000).
int32_t NormalisedElementClass(int32_t elementClass);

// The property id the deck gives the element: that of the last property
// definition (type code 1000 and up) listing it; 0 = none.
int32_t DeckPropertyId(const ElementRecord& element);
// Gives an element without a property id the id 1 (solids are written so);
// true when it had none.
bool GiveDefaultPropertyId(ElementRecord& element);

// The element data record (1-based position in properties) that an element
// data definition listing the element gave it, or 0 when none did or the
// position names no record of the element's class. Such a record comes
// before the first record of the element's class and materialId.
int32_t ListedDataSlot(const Model& model, const ElementRecord& element);

// What a card routine wrote for an element.
enum class CardResult {
  kWritten,
  kNoCard,        // the element's class (or shape) has no card
  kNoDataRecord,  // the card needs the element data record, which is missing
  kLongSetId,     // an MPC card whose set id has more than eight characters
};

// Card routines.
CardResult WriteShellCard(DeckContext& deck, DeckElement& element);
void WriteShellDataFields(DeckContext& deck, int dataSlot, int nodeCount, int clearOffset);
CardResult WriteSolidCard(DeckContext& deck, DeckElement& element);
CardResult WriteLineCard(DeckContext& deck, const DeckElement& element);
void WriteBarCard(DeckContext& deck, const DeckElement& element);

// Helpers shared by the card routines.

// The element's property record or element data record, or nullptr.
const PropertyRecord* ElementPropertyRecord(DeckContext& deck, const DeckElement& element);
PropertyRecord* ElementDataRecord(DeckContext& deck, const DeckElement& element);
// 1-based position in properties of the first record with this type code and
// id; 0 when there is none, and always in geometry-only mode.
int32_t FindPropertyRecord(const DeckContext& deck, int32_t typeCode, int32_t id);
// The record at a 1-based slot value, or nullptr when the slot is 0 or stale.
PropertyRecord* PropertyAtSlot(DeckContext& deck, int32_t slot);

// Node slots in use, at most kMostNodeSlots.
int ElementNodeCount(const ElementRecord& element);
// The node number in slot i (0-based); 0 for slots beyond the element's nodes.
int32_t ElementNodeNumber(const DeckElement& element, int slot);

// Data record values, kept within the 50 values of the record.
int DataValueCount(const PropertyRecord& record);
float DataValue(const PropertyRecord& record, int index);

// 0-based position in deck.model.nodes of the node numbered g: the direct
// position g - 1 when that node carries the number g, else the first node
// with that number; -1 when none.
int32_t FindNodePosition(const DeckContext& deck, int32_t g);

// The first frame record with an id, or null.
const FrameRecord* FindFrame(const DeckContext& deck, int32_t id);

// Writes " n," for each of count node numbers of the element from slot first.
void WriteNodeNumbers(DeckContext& deck, const DeckElement& element, int first, int count);
