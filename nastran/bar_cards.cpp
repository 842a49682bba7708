// Bar and beam element cards (CBAR, CBEAM, classes 110 to 129). The last digit
// of the class says how the orientation and the end offsets are given.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "nastran/bulk_data_writer.h"
#include "nastran/displacement_frames.h"
#include "nastran/element_cards.h"
#include "nastran/fields.h"

namespace {

// How the last digit of the class gives orientation and offsets.
enum class BarOrientation {
  kVector,          // X1, X2, X3 and the offsets from the data record
  kNode,            // orientation node G0 (slot 3); offsets from the data record
  kNodeAndOffsets,  // G0; offsets from nodes OA and OB (slots 4, 5); only two values from the data record
  kNodeOffsetsAll,  // G0; offsets from OA and OB; all values from the data record
};
constexpr BarOrientation kOrientationByLastDigit[10] = {
    BarOrientation::kVector,         BarOrientation::kNode,           BarOrientation::kNodeAndOffsets,
    BarOrientation::kVector,         BarOrientation::kNode,           BarOrientation::kNodeAndOffsets,
    BarOrientation::kVector,         BarOrientation::kNode,           BarOrientation::kNodeAndOffsets,
    BarOrientation::kNodeOffsetsAll,
};

constexpr int32_t kFirstBeamClass = 120;
constexpr double kBlank = BLANK_FIELD;

// Field positions, in card order.
constexpr int kEid = 0, kPid = 1, kGa = 2, kGb = 3, kX1 = 4, kX2 = 5, kX3 = 6, kOfft = 7;
constexpr int kPa = 8, kPb = 9, kOffsetA = 10, kOffsetB = 13, kSa = 16, kSb = 17;
constexpr int kFieldCount = 18;
constexpr int kDataFieldsMax = kFieldCount - kX1;  // X1 ... SB

// Whether a field holds a value that asks for the further lines: a number
// other than 0.0, or a data value that is neither 0.0 nor exactly -99.0.
bool HoldsValue(double v, FieldForm form) {
  if (form == FieldForm::kNumber) return v != 0.0;
  return v != 0.0 && v != kBlank;
}

// Writes the vector from the end node to its offset point (offset point minus
// end node, so that the bar end lies at the grid plus the offset) into three
// fields, when both nodes are found; an offset slot of 0 is no offset.
// Computed offsets are numbers, never markers.
void SetOffset(const DeckContext& deck, double* fields, FieldForm* forms, int32_t endNode, int32_t offsetNode) {
  if (offsetNode == 0) return;
  const int32_t end = FindNodePosition(deck, endNode);
  const int32_t offset = FindNodePosition(deck, offsetNode);
  if (end < 0 || offset < 0) return;
  const NodeRecord& grid = deck.model.nodes[static_cast<std::size_t>(end)];
  const NodeRecord& point = deck.model.nodes[static_cast<std::size_t>(offset)];
  for (int c = 0; c < 3; ++c) {
    fields[c] = point.coordinates[c] - grid.coordinates[c];
    forms[c] = FieldForm::kNumber;
  }
}

}  // namespace

void WriteBarCard(DeckContext& deck, const DeckElement& element) {
  const int32_t elementClass = element.elementClass;
  const bool beam = elementClass >= kFirstBeamClass;
  const BarOrientation orientation = kOrientationByLastDigit[((elementClass % 10) + 10) % 10];
  const PropertyRecord* property = ElementPropertyRecord(deck, element);
  const PropertyRecord* data = ElementDataRecord(deck, element);
  const int32_t ga = ElementNodeNumber(element, 0);
  const int32_t gb = ElementNodeNumber(element, 1);
  const int32_t g0 = ElementNodeNumber(element, 2);

  double fields[kFieldCount];
  FieldForm forms[kFieldCount];
  std::fill(forms, forms + kFieldCount, FieldForm::kReal);
  std::fill(fields, fields + kFieldCount, kBlank);
  fields[kEid] = element.externalNumber;
  fields[kPid] = property != nullptr ? property->id : 0;
  fields[kGa] = ga;
  fields[kGb] = gb;
  for (int i : {kEid, kPid, kGa, kGb, kPa, kPb, kSa, kSb}) forms[i] = FieldForm::kInteger;

  if (data != nullptr) {
    if (orientation == BarOrientation::kNodeAndOffsets) {
      const int first = beam ? kSa : kPa;
      fields[first] = DataValue(*data, 0);
      fields[first + 1] = DataValue(*data, 1);
    } else {
      const int count = std::min(DataValueCount(*data), kDataFieldsMax);
      for (int i = 0; i < count; ++i) fields[kX1 + i] = DataValue(*data, i);
    }
  }

  deck.out->Write(beam ? "CBEAM," : "CBAR,");
  if (!beam) fields[kOfft] = kBlank;

  // The orientation node and the computed offsets come from the node slots,
  // so they need no data record; a vector does.
  switch (orientation) {
    case BarOrientation::kVector:
      // A beam's BIT field is a real, as given; a bar's OFFT stays empty.
      break;
    case BarOrientation::kNode:
      fields[kX1] = g0;
      forms[kX1] = FieldForm::kInteger;
      fields[kX2] = fields[kX3] = kBlank;
      break;
    case BarOrientation::kNodeAndOffsets:
    case BarOrientation::kNodeOffsetsAll:
      fields[kX1] = g0;
      forms[kX1] = FieldForm::kInteger;
      fields[kX2] = fields[kX3] = kBlank;
      std::fill(fields + kOffsetA, fields + kOffsetB + 3, kBlank);
      SetOffset(deck, fields + kOffsetA, forms + kOffsetA, ga, ElementNodeNumber(element, 3));
      SetOffset(deck, fields + kOffsetB, forms + kOffsetB, gb, ElementNodeNumber(element, 4));
      break;
  }

  if (orientation == BarOrientation::kVector && data != nullptr)
    ExpressInDisplacementFrame(deck, ga, fields + kX1, forms + kX1);
  ExpressInDisplacementFrame(deck, ga, fields + kOffsetA, forms + kOffsetA);
  ExpressInDisplacementFrame(deck, gb, fields + kOffsetB, forms + kOffsetB);

  WriteFormFields(deck, fields, forms, kPa, 1, 0);

  const int lastField = beam ? kSb : kOffsetB + 2;
  bool moreLines = false;
  for (int i = kPa; i <= lastField; ++i) moreLines = moreLines || HoldsValue(fields[i], forms[i]);
  if (!moreLines) return;
  WriteFormFields(deck, fields + kPa, forms + kPa, kSa - kPa, 1, 1);
  if (beam) WriteIntegerFields(deck, fields + kSa, 2, 1, 1);
}
