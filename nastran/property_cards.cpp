// Element property cards: eighteen cards selected by the property type code
// (after the deck driver has normalised the codes). A property record holds
// its values by card field position; the writer decides how many a card
// takes, which fields are integers or keywords, and where lines break.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string_view>
#include <vector>

#include "model/checked_numbers.h"
#include "nastran/bulk_data_writer.h"
#include "nastran/fields.h"

namespace {

constexpr int kPropertyValues = 50;

enum class PropertyRule {
  Plane,         // PLPLANE
  Shell,         // PSHELL
  Composite,     // PCOMP
  PlainList,     // PSHEAR, PROD, PELAS, PDAMP, PTUBE, PVISC
  PlaneSolid,    // PLSOLID
  Solid,         // PSOLID
  Bar,           // PBAR
  BeamLibrary,   // PBARL, PBEAML
  Beam,          // PBEAM
  CompositeBeam, // PBCOMP
  Gap,           // PGAP
  BarOutput,     // CBARAO
};

struct PropertyCard {
  int32_t typeCode;
  std::string_view name;
  int maxValues;        // largest number of values the card takes
  bool writesMaterial;  // the third field is the material id
  PropertyRule rule;
  int plainFields;      // fields of a plain list
};

constexpr PropertyCard kPropertyCards[] = {
    {1011, "PLPLANE", 2, true, PropertyRule::Plane, 0},
    {1021, "PSHELL", 9, true, PropertyRule::Shell, 0},
    {1031, "PCOMP", 100, false, PropertyRule::Composite, 0},
    {1041, "PSHEAR", 4, true, PropertyRule::PlainList, 4},
    {1060, "PLSOLID", 1, true, PropertyRule::PlaneSolid, 0},
    {1061, "PSOLID", 5, true, PropertyRule::Solid, 0},
    {1102, "PROD", 4, true, PropertyRule::PlainList, 4},
    {1103, "PELAS", 3, false, PropertyRule::PlainList, 3},
    {1105, "PDAMP", 1, false, PropertyRule::PlainList, 1},
    {1108, "PTUBE", 4, true, PropertyRule::PlainList, 4},
    {1110, "PBAR", 17, true, PropertyRule::Bar, 0},
    {1113, "PBARL", 100, true, PropertyRule::BeamLibrary, 0},
    {1120, "PBEAM", 100, true, PropertyRule::Beam, 0},
    {1123, "PBCOMP", 100, true, PropertyRule::CompositeBeam, 0},
    {1126, "PBEAML", 100, true, PropertyRule::BeamLibrary, 0},
    {1130, "PGAP", 10, false, PropertyRule::Gap, 0},
    {1140, "PVISC", 2, false, PropertyRule::PlainList, 2},
    {2110, "CBARAO", 7, false, PropertyRule::BarOutput, 0},
};

// Integration keywords of plane and solid properties, by index.
constexpr std::string_view kIntegrationKeywords[] = {"GAUS", "GRID"};
// Composite failure theories, by index 1 to 4 (0 names none).
constexpr std::string_view kFailureTheories[] = {"", "HILL", "HOFF", "TSAI", "STRN"};
// Beam and bar cross-section types, by index.
constexpr std::string_view kSectionTypes[] = {"ROD",  "TUBE", "L",  "I",     "CHAN", "T",     "BOX",
                                              "BAR",  "CROSS", "H", "TI",    "I1",   "CHAN1", "Z",
                                              "CHAN2", "T2",  "BOX1", "HEXA", "HAT"};

constexpr int kSectionTypeCount = static_cast<int>(std::size(kSectionTypes));
constexpr int kFailureTheoryCount = static_cast<int>(std::size(kFailureTheories));

const PropertyCard* FindPropertyCard(int32_t typeCode) {
  for (const PropertyCard& card : kPropertyCards)
    if (card.typeCode == typeCode) return &card;
  return nullptr;
}


// The values of one card. They are doubles so that the material id a PSHELL
// copies into its fields stays exact; the float values convert exactly.
struct CardValues {
  double w[kPropertyValues] = {};
  int32_t integer[kPropertyValues] = {};  // non-zero: write the field as an integer
  int n = 0;
};

void EndLine(OutputFile& out) { out.Put('\n'); }

void WritePlane(DeckContext& deck, const CardValues& v) {
  OutputFile& out = *deck.out;
  const int32_t scheme = std::clamp(TruncateToInt32(v.w[1]), 0, 1);
  int32_t count = TruncateToInt32(v.w[0]);
  if (count == BLANK_FIELD) count = 0;
  if (scheme > 0 || count > 0) {
    out.Put(' ');
    out.WriteInt(count);
    out.Write(", ");
    out.Write(kIntegrationKeywords[scheme]);
  }
  EndLine(out);
}

void WriteShell(DeckContext& deck, CardValues& v, int32_t materialId) {
  if (v.n == 1) {
    // Only the thickness: bending and transverse shear take the membrane material.
    std::fill(v.w + 1, v.w + 9, static_cast<double>(BLANK_FIELD));
    v.w[1] = materialId;
    v.w[3] = materialId;
    v.n = 6;
  } else if (v.n > 1) {
    // An empty bending material (MID2) takes the membrane material, and then
    // so does an empty transverse shear material (MID3); a MID2 given as the
    // empty marker keeps the plate a membrane.
    if (v.w[1] == 0.0) v.w[1] = materialId;
    if (v.w[3] == 0.0 && v.w[1] != 0.0 && TruncateToInt32(v.w[1]) != BLANK_FIELD) v.w[3] = materialId;
  }
  v.integer[1] = v.integer[3] = v.integer[8] = 1;
  WriteMixedFields(deck, v.w, v.integer, 6, 1, 0);  // T, MID2, 12I/T^3, MID3, TS/T, NSM
  if (v.n > 6) WriteMixedFields(deck, v.w + 6, v.integer + 6, 3, 1, 1);  // Z1, Z2, MID4
}

void WriteComposite(DeckContext& deck, CardValues& v) {
  OutputFile& out = *deck.out;
  WriteRealFields(deck, v.w, 3, 0, 0);  // Z0, NSM, SB
  const int32_t theory = TruncateToInt32(v.w[3]);
  if (theory >= 1 && theory < kFailureTheoryCount) {
    out.Put(' ');
    out.Write(kFailureTheories[theory]);
    out.Write(", ");
  } else {
    out.Write(" ,");
  }
  WriteRealFields(deck, v.w + 4, 2, 0, 0);  // TREF, GE
  if (v.w[6] > 0) out.Write(" SYM,");
  EndLine(out);

  // Plies of four values (MID, T, THETA, SOUT) from position 7, two to a line.
  const int plies = v.n > 7 ? (v.n - 8) / 4 + 1 : 0;
  for (int k = 0; k < plies; ++k) {
    const int first = 7 + 4 * k;
    v.integer[first] = 1;
    WriteMixedFields(deck, v.w + first, v.integer + first, 3, 0, k % 2 == 0);
    // The eleventh ply's flag would lie past the record's values: empty.
    const int flagPosition = first + 3;
    const bool stressOutput = flagPosition < kPropertyValues &&
                              (v.w[flagPosition] > 0 || TruncateToInt32(v.w[flagPosition]) == YES_FIELD);
    out.Write(stressOutput ? " YES," : " ,");
    if (k % 2 == 1 || k == plies - 1) EndLine(out);
  }
}

void WritePlaneSolid(DeckContext& deck, const CardValues& v) {
  OutputFile& out = *deck.out;
  if (TruncateToInt32(v.w[0]) > 0) {
    out.Put(' ');
    out.Write(kIntegrationKeywords[1]);
  }
  EndLine(out);
}

void WriteSolid(DeckContext& deck, const CardValues& v) {
  OutputFile& out = *deck.out;
  const int32_t fluid = TruncateToInt32(v.w[4]);
  WriteIntegerFields(deck, v.w, 4, fluid == 0, 0);  // CORDM, IN, STRESS, ISOP
  if (fluid != 0) out.Write(" PFLUID, \n");
}

// The section type index of a PBARL or PBEAML, or -1 when it lies outside
// the table: such a card would give the solver another section.
int32_t SectionType(const CardValues& v) {
  const int32_t section = TruncateToInt32(v.w[1]);
  return section >= 0 && section < kSectionTypeCount ? section : -1;
}

void WriteBeamLibrary(DeckContext& deck, const CardValues& v) {
  OutputFile& out = *deck.out;
  const int32_t section = std::max(SectionType(v), 0);
  out.Write(" ,");
  out.Write(kSectionTypes[section]);
  out.Write(",\n");
  WriteRealFieldsWrapped(deck, v.w + 6, std::max(v.n - 6, 0), 8, 1);  // section dimensions
}

void WriteCompositeBeam(DeckContext& deck, CardValues& v) {
  WriteRealFields(deck, v.w, 6, 1, 0);  // A, I1, I2, I12, J, NSM
  v.integer[12] = 1;
  WriteMixedFields(deck, v.w + 6, v.integer + 6, 7, 1, 1);  // K1, K2, M1, M2, N1, N2, SYMOPT
  // One lumped area (Y, Z, C, MID) from each group of eight values from 14.
  for (int p = 14, m = v.n - 14; m > 0 && p + 4 <= kPropertyValues; m -= 8, p += 8) {
    v.integer[p + 3] = 1;
    WriteMixedFields(deck, v.w + p, v.integer + p, 4, 1, 1);
  }
}

void WriteBarOutput(DeckContext& deck, CardValues& v) {
  OutputFile& out = *deck.out;
  const int32_t scale = TruncateToInt32(v.w[0]);
  // The keyword is the SCALE field, with its own comma.
  out.Write(scale <= 1 ? " LE," : " FR,");
  if (scale <= 1 && v.n == 4) {
    v.integer[1] = 1;
    WriteMixedFields(deck, v.w + 1, v.integer + 1, 3, 1, 0);  // NPTS, X1, DELTAX
  } else {
    WriteRealFields(deck, v.w + 1, std::max(v.n - 1, 0), 1, 0);
  }
}

// The number of ids that more than one of the ids carries.
int64_t RepeatedIds(std::vector<int32_t>& ids) {
  std::sort(ids.begin(), ids.end());
  int64_t repeated = 0;
  for (std::size_t i = 1; i < ids.size(); ++i) {
    if (ids[i] == ids[i - 1] && (i == 1 || ids[i - 1] != ids[i - 2])) ++repeated;
  }
  return repeated;
}

}  // namespace

int WritePropertyCards(DeckContext& deck) {
  const Model& model = deck.model;
  const auto count = UsableCount(model.propertyCount, model.properties);
  std::vector<int32_t> writtenIds;  // of the property cards written (CBARAO's is an element number)
  for (std::size_t i = 0; i < count; ++i) {
    const PropertyRecord& property = model.properties[i];
    if (property.typeCode < 1000) continue;
    const PropertyCard* card = FindPropertyCard(property.typeCode);
    if (card == nullptr) continue;

    CardValues v;
    v.n = std::clamp(property.valueCount, 0, std::min(card->maxValues, kPropertyValues));
    for (int j = 0; j < v.n; ++j) v.w[j] = property.values[j];
    if (card->rule == PropertyRule::BeamLibrary && SectionType(v) < 0) {
      ++deck.warnings.unknownSectionTypes;
      continue;
    }
    if (card->rule != PropertyRule::BarOutput) writtenIds.push_back(property.id);

    if (card->writesMaterial) {
      WriteCardStart(deck, card->name, property.id, property.materialId);
    } else {
      WriteCardStart(deck, card->name, property.id);
    }

    switch (card->rule) {
      case PropertyRule::Plane: WritePlane(deck, v); break;
      case PropertyRule::Shell: WriteShell(deck, v, property.materialId); break;
      case PropertyRule::Composite: WriteComposite(deck, v); break;
      case PropertyRule::PlainList: WriteRealFields(deck, v.w, card->plainFields, 1, 0); break;
      case PropertyRule::PlaneSolid: WritePlaneSolid(deck, v); break;
      case PropertyRule::Solid: WriteSolid(deck, v); break;
      case PropertyRule::Bar:
        v.w[5] = BLANK_FIELD;
        WriteRealFieldsWrapped(deck, v.w, v.n, 6, 0);  // A, I1, I2, J, NSM, empty
        break;
      case PropertyRule::BeamLibrary: WriteBeamLibrary(deck, v); break;
      case PropertyRule::Beam: WriteRealFieldsWrapped(deck, v.w, v.n, 6, 0); break;
      case PropertyRule::CompositeBeam: WriteCompositeBeam(deck, v); break;
      case PropertyRule::Gap: WriteRealFieldsWrapped(deck, v.w, v.n, 7, 0); break;
      case PropertyRule::BarOutput: WriteBarOutput(deck, v); break;
    }
  }
  deck.warnings.sharedPropertyIds += RepeatedIds(writtenIds);
  return model.propertyCount;
}
