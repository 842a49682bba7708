// The element section of the deck: matching of elements to their property
// record and element data record, and the card routines by element family.
//
// WriteElementCards (bulk_data_writer.h) builds the two slot arrays, turns
// each element's node slots into external node numbers and hands the element
// to the card routine of its shape. The card routines read the slot arrays
// through the element's position.
#pragma once

#include <cstdint>
#include <vector>

#include "model/checked_numbers.h"
#include "model/model.h"

// 1-based positions in CurrentModel->properties of each element's property
// record and element data record; 0 = none. Filled only while
// WriteElementCards runs (empty in geometry-only mode and afterwards).
extern std::vector<int32_t> ElementPropertySlot;
extern std::vector<int32_t> ElementDataSlot;

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

// Card routines. The element's node slots already hold external node numbers.
CardResult WriteShellCard(ElementRecord& element, int position);
void WriteShellDataFields(int dataSlot, int nodeCount, int clearOffset);
CardResult WriteSolidCard(ElementRecord& element, int position);
CardResult WriteLineCard(const ElementRecord& element, int position);
void WriteBarCard(const ElementRecord& element, int position);

// Helpers shared by the card routines.

// The element's property record or element data record, or nullptr.
const PropertyRecord* ElementPropertyRecord(int position);
PropertyRecord* ElementDataRecord(int position);
// 1-based position in properties of the first record with this type code and
// id; 0 when there is none, and always outside WriteElementCards or in
// geometry-only mode.
int32_t FindPropertyRecord(int32_t typeCode, int32_t id);
// The record at a 1-based slot value, or nullptr when the slot is 0 or stale.
PropertyRecord* PropertyAtSlot(int32_t slot);

// Node slots in use, kept within the 50 slots of the record.
int ElementNodeCount(const ElementRecord& element);
// The node number in slot i (0-based); 0 for slots beyond the element's nodes.
int32_t ElementNodeNumber(const ElementRecord& element, int slot);

// Data record values, kept within the 50 values of the record.
int DataValueCount(const PropertyRecord& record);
float DataValue(const PropertyRecord& record, int index);

// NaN gives 0 and values beyond the int32 range give its nearest end.
int32_t TruncateToInt32(double value);

// 0-based position in CurrentModel->nodes of the node numbered g: the direct
// position g - 1 when that node carries the number g, else the first node
// with that number (through an index built on first need); -1 when none.
int32_t FindNodePosition(int32_t g);

// The first frame record with an id (through an index built on first need),
// or null.
const FrameRecord* FindFrame(int32_t id);

// Writes " n," for each of count node numbers of the element from slot first.
void WriteNodeNumbers(const ElementRecord& element, int first, int count);

// Drops the slot arrays and the node index (end of WriteElementCards).
void ReleaseElementLookups();
