// Line, scalar, gap, rigid and mass element cards, and multipoint constraints
// (CONROD, CROD, CELAS1/2, CDAMP1/2, CTUBE, CGAP, CVISC, RBAR, CONM1/2, MPC).
// Bars and beams go on to WriteBarCard.
#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "nastran/bulk_data_writer.h"
#include "nastran/displacement_frames.h"
#include "nastran/element_cards.h"
#include "nastran/fields.h"

namespace {

enum class LineLayout {
  kConrod,         // EID, G1, G2, MID; A, J, C, NSM
  kTwoNodes,       // EID, PID, G1, G2
  kScalar,         // EID, PID, G1, C1, G2, C2
  kSpring,         // CELAS2: EID, K, G1, C1, G2, C2, GE, S
  kDamper,         // CDAMP2: EID, B, G1, C1, G2, C2
  kGapVector,      // EID, PID, GA, GB, X1, X2, X3, CID
  kGapNode,        // EID, PID, GA, GB, GO
  kRigidBar,       // EID, GA, GB, CNA, CNB, CMA, CMB
  kMassMatrix,     // CONM1: EID, G, CID, 21 mass matrix terms
  kMass,           // CONM2: EID, G, CID, M, X1-X3, six inertia terms
  kMpcFromData,    // MPC terms (node, component, coefficient) from the data record
  kMpcFromNodes,   // MPC terms on the element's nodes, components and coefficients from the data record
};

struct LineCard {
  int32_t elementClass;
  const char* name;
  LineLayout layout;
};
constexpr LineCard kLineCards[] = {
    {101, "CONROD", LineLayout::kConrod},     {102, "CROD", LineLayout::kTwoNodes},
    {103, "CELAS1", LineLayout::kScalar},     {104, "CELAS2", LineLayout::kSpring},
    {105, "CDAMP1", LineLayout::kScalar},     {106, "CDAMP2", LineLayout::kDamper},
    {108, "CTUBE", LineLayout::kTwoNodes},    {130, "CGAP", LineLayout::kGapVector},
    {131, "CGAP", LineLayout::kGapNode},      {140, "CVISC", LineLayout::kTwoNodes},
    {150, "RBAR", LineLayout::kRigidBar},     {201, "CONM1", LineLayout::kMassMatrix},
    {202, "CONM2", LineLayout::kMass},        {210, "MPC", LineLayout::kMpcFromData},
    {211, "MPC", LineLayout::kMpcFromNodes},
};

constexpr int32_t kFirstBarClass = 110;
constexpr int32_t kMpcFromDataClass = 210;
constexpr int32_t kMpcFromNodesClass = 211;

uint64_t MpcRecordKey(int32_t typeCode, int32_t id) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(typeCode)) << 32) | static_cast<uint32_t>(id);
}
constexpr int32_t kLastBarClass = 129;
// MPC set ids that fit the eight characters of a field; ids from -9,999,999
// to 0 are written but cannot be selected.
constexpr int32_t kSmallestMpcSetId = -9999999;
constexpr double kBlank = BLANK_FIELD;
constexpr int kFieldCount = 24;

// Value i of the data record, or an empty field when there is no record.
double DataOrBlank(const PropertyRecord* data, int i) { return data != nullptr ? DataValue(*data, i) : kBlank; }

void WriteCardName(DeckContext& deck, const char* name) {
  deck.out->Write(name);
  deck.out->Write(", ");
}

// Writes the terms of an MPC card after "MPC, SID,": two terms a line, each
// further line beginning with an empty first field and one empty field. The
// card always ends its line, also when its last term did not.
class MpcTermWriter {
 public:
  MpcTermWriter(DeckContext& deck, int32_t setId) : deck_(deck) {
    deck_.out->Write("MPC, ");
    deck_.out->WriteInt(setId);
    deck_.out->Put(',');
  }
  void Term(int index, int lastIndex, int64_t node, int64_t component, float coefficient) {
    OutputFile& out = *deck_.out;
    if (index % 2 == 0 && index > 0) out.Write("    ,  ,");
    out.Put(' ');
    out.WriteInt(node);
    out.Write(", ");
    out.WriteInt(component);
    out.Put(',');
    const int endLine = index % 2 == 1 || index == lastIndex ? 1 : 0;
    WriteRealFields(deck_, &coefficient, 1, endLine, 0);
    lineOpen_ = endLine == 0;
  }
  ~MpcTermWriter() {
    if (lineOpen_) deck_.out->Put('\n');
  }
  MpcTermWriter(const MpcTermWriter&) = delete;
  MpcTermWriter& operator=(const MpcTermWriter&) = delete;

 private:
  DeckContext& deck_;
  bool lineOpen_ = true;
};

void WriteMpcFromData(DeckContext& deck, const PropertyRecord& data) {
  MpcTermWriter card(deck, TruncateToInt32(DataValue(data, 0)));
  const int terms = (DataValueCount(data) - 1) / 3;
  for (int i = 0; i < terms; ++i) {
    card.Term(i, terms - 1, TruncateToInt32(DataValue(data, 1 + 3 * i)), TruncateToInt32(DataValue(data, 2 + 3 * i)),
              DataValue(data, 3 + 3 * i));
  }
}

// Slot j gives node j with component D[1 + 2j] and coefficient D[2 + 2j];
// empty slots are left out, and the terms written are laid out two to a line
// by their own count, so that a gap in the slots cannot break a line.
void WriteMpcFromNodes(DeckContext& deck, const DeckElement& element, const PropertyRecord& data) {
  MpcTermWriter card(deck, TruncateToInt32(DataValue(data, 0)));
  const int nodeCount = ElementNodeCount(element);
  int terms = 0;
  for (int j = 0; j < nodeCount; ++j) terms += ElementNodeNumber(element, j) != 0 ? 1 : 0;
  int written = 0;
  for (int j = 0; j < nodeCount; ++j) {
    const int32_t node = ElementNodeNumber(element, j);
    if (node == 0) continue;
    card.Term(written++, terms - 1, node, TruncateToInt32(DataValue(data, 1 + 2 * j)), DataValue(data, 2 + 2 * j));
  }
}

}  // namespace

CardResult WriteLineCard(DeckContext& deck, const DeckElement& element) {
  const int32_t elementClass = element.elementClass;
  if (elementClass >= kFirstBarClass && elementClass <= kLastBarClass) {
    WriteBarCard(deck, element);
    return CardResult::kWritten;
  }
  const LineCard* card = nullptr;
  for (const LineCard& row : kLineCards) {
    if (row.elementClass == elementClass) card = &row;
  }
  if (card == nullptr) return CardResult::kNoCard;

  const PropertyRecord* property = ElementPropertyRecord(deck, element);
  const PropertyRecord* data = ElementDataRecord(deck, element);
  const int32_t g1 = ElementNodeNumber(element, 0);
  const int32_t g2 = ElementNodeNumber(element, 1);
  const int32_t g3 = ElementNodeNumber(element, 2);

  double fields[kFieldCount];
  fields[0] = element.externalNumber;
  fields[1] = property != nullptr ? property->id : 0;
  fields[2] = g1;
  fields[3] = g2;
  std::fill(fields + 4, fields + kFieldCount, kBlank);
  int integerCount = 0;  // leading fields written as integers
  int realCount = 0;     // following fields written as reals

  switch (card->layout) {
    case LineLayout::kConrod:
      fields[1] = g1;
      fields[2] = g2;
      fields[3] = kBlank;
      integerCount = 4;
      if (data != nullptr) {
        fields[3] = data->materialId;
        for (int i = 0; i < 4; ++i) fields[4 + i] = DataValue(*data, i);
        realCount = 4;
      }
      break;
    case LineLayout::kTwoNodes:
      integerCount = 4;
      break;
    case LineLayout::kScalar:
      fields[3] = kBlank;
      fields[4] = g2;
      if (data != nullptr) {
        fields[3] = DataValue(*data, 0);
        fields[5] = DataValue(*data, 1);
      }
      if (g2 == 0) fields[5] = kBlank;
      integerCount = 6;
      break;
    case LineLayout::kGapNode:
      fields[4] = g3;
      integerCount = 5;
      break;
    case LineLayout::kRigidBar:
      fields[1] = g1;
      fields[2] = g2;
      fields[3] = kBlank;
      if (data != nullptr) {
        for (int i = 0; i < 4; ++i) fields[3 + i] = DataValue(*data, i);
      }
      integerCount = 7;
      break;
    case LineLayout::kSpring: {
      WriteCardStart(deck, card->name, element.externalNumber);
      const double k = DataOrBlank(data, 0);
      const double integers[4] = {static_cast<double>(g1), DataOrBlank(data, 1), static_cast<double>(g2),
                                  g2 != 0 ? DataOrBlank(data, 2) : kBlank};
      const double tail[2] = {DataOrBlank(data, 3), DataOrBlank(data, 4)};
      WriteRealFields(deck, &k, 1, 0, 0);
      WriteIntegerFields(deck, integers, 4, 0, 0);
      WriteRealFields(deck, tail, 2, 1, 0);
      return CardResult::kWritten;
    }
    case LineLayout::kDamper: {
      WriteCardStart(deck, card->name, element.externalNumber);
      const double b = DataOrBlank(data, 0);
      const double integers[4] = {static_cast<double>(g1), DataOrBlank(data, 1), static_cast<double>(g2),
                                  g2 != 0 ? DataOrBlank(data, 2) : kBlank};
      WriteRealFields(deck, &b, 1, 0, 0);
      WriteIntegerFields(deck, integers, 4, 1, 0);
      return CardResult::kWritten;
    }
    case LineLayout::kGapVector:
      WriteCardName(deck, card->name);
      if (data != nullptr) {
        WriteIntegerFields(deck, fields, 4, 0, 0);
        double orientation[3] = {DataValue(*data, 0), DataValue(*data, 1), DataValue(*data, 2)};
        FieldForm forms[3] = {FieldForm::kReal, FieldForm::kReal, FieldForm::kReal};
        const double frame = DataValue(*data, 3);
        // Without a CID the vector is read in GA's displacement frame.
        const int32_t cid = TruncateToInt32(frame);
        if (cid == 0 || cid == BLANK_FIELD) ExpressInDisplacementFrame(deck, g1, orientation, forms);
        WriteFormFields(deck, orientation, forms, 3, 0, 0);
        WriteIntegerFields(deck, &frame, 1, 1, 0);
      } else {
        WriteIntegerFields(deck, fields, 4, 1, 0);
      }
      return CardResult::kWritten;
    case LineLayout::kMassMatrix: {
      WriteCardName(deck, card->name);
      const double integers[3] = {static_cast<double>(element.externalNumber), static_cast<double>(g1),
                                  DataOrBlank(data, 0)};
      double terms[21];
      for (int i = 0; i < 21; ++i) terms[i] = DataOrBlank(data, 1 + i);
      WriteIntegerFields(deck, integers, 3, 0, 0);
      WriteRealFields(deck, terms, 5, 1, 0);
      WriteRealFields(deck, terms + 5, 8, 1, 1);
      WriteRealFields(deck, terms + 13, 8, 1, 1);
      return CardResult::kWritten;
    }
    case LineLayout::kMass: {
      WriteCardName(deck, card->name);
      const double integers[3] = {static_cast<double>(element.externalNumber), static_cast<double>(g1),
                                  DataOrBlank(data, 0)};
      double values[10];
      for (int i = 0; i < 10; ++i) values[i] = DataOrBlank(data, 1 + i);
      WriteIntegerFields(deck, integers, 3, 0, 0);
      WriteRealFields(deck, values, 4, 1, 0);
      WriteRealFields(deck, values + 4, 6, 1, 1);
      return CardResult::kWritten;
    }
    case LineLayout::kMpcFromData:
    case LineLayout::kMpcFromNodes: {
      if (data == nullptr) return CardResult::kNoDataRecord;
      const int32_t setId = TruncateToInt32(DataValue(*data, 0));
      if (setId < kSmallestMpcSetId || setId > kLargestSetId) return CardResult::kLongSetId;
      if (card->layout == LineLayout::kMpcFromData) {
        WriteMpcFromData(deck, *data);
      } else {
        WriteMpcFromNodes(deck, element, *data);
      }
      return CardResult::kWritten;
    }
  }

  WriteCardName(deck, card->name);
  WriteIntegerFields(deck, fields, integerCount, realCount == 0 ? 1 : 0, 0);
  if (realCount > 0) WriteRealFields(deck, fields + integerCount, realCount, 1, 0);
  return CardResult::kWritten;
}

std::vector<int32_t> MpcCardSetIds(const Model& model) {
  // The element data record of an MPC element, as the element section
  // matches it: the one a definition listing the element gave it, else the
  // first record whose type code is the element's class and whose id is its
  // materialId.
  std::unordered_map<uint64_t, std::size_t> firstRecord;
  const std::size_t propertyCount = UsableCount(model.propertyCount, model.properties);
  for (std::size_t i = 0; i < propertyCount; ++i) {
    const PropertyRecord& record = model.properties[i];
    if (record.typeCode == kMpcFromDataClass || record.typeCode == kMpcFromNodesClass)
      firstRecord.try_emplace(MpcRecordKey(record.typeCode, record.id), i);
  }
  std::vector<int32_t> ids;
  if (firstRecord.empty()) return ids;
  const std::size_t elementCount = UsableCount(model.elementCount, model.elements);
  for (std::size_t j = 0; j < elementCount; ++j) {
    const ElementRecord& element = model.elements[j];
    if (element.shape > 2 || (element.elementClass != kMpcFromDataClass && element.elementClass != kMpcFromNodesClass))
      continue;
    const int32_t listed = ListedDataSlot(model, element);
    if (listed != 0) {
      ids.push_back(TruncateToInt32(DataValue(model.properties[static_cast<std::size_t>(listed - 1)], 0)));
      continue;
    }
    const auto found = firstRecord.find(MpcRecordKey(element.elementClass, element.materialId));
    if (found != firstRecord.end()) ids.push_back(TruncateToInt32(DataValue(model.properties[found->second], 0)));
  }
  return ids;
}
