// Material cards: MAT1, MAT2, MAT3, MAT4, MAT5, MAT8, MAT9, MAT10 and MATHP.
//
// A material record holds its values by card field position (value i is the
// (i + 1)-th data field after the material id), so the writer mostly passes
// them through: it trims trailing zeros, breaks the lines and decides which
// fields are integers and which MATHP fields stay empty.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string_view>

#include "model/checked_numbers.h"
#include "nastran/bulk_data_writer.h"
#include "nastran/fields.h"

namespace {

// The values a card may take; the rest of a record is never written.
constexpr int kMaterialValues = 100;

enum class MaterialLayout { None, Mat1, Mat2, Wrapped, Hyperelastic };

struct MaterialCard {
  std::string_view name;
  MaterialLayout layout;
};

// Card by material kind (index); kinds 0, 6, 7 and 12 name no card, nor does
// any kind outside the table.
constexpr MaterialCard kMaterialCards[] = {
    {"", MaterialLayout::None},            // 0
    {"MAT1", MaterialLayout::Mat1},        // 1
    {"MAT2", MaterialLayout::Mat2},        // 2
    {"MAT3", MaterialLayout::Wrapped},     // 3
    {"MAT4", MaterialLayout::Wrapped},     // 4
    {"MAT5", MaterialLayout::Wrapped},     // 5
    {"", MaterialLayout::None},            // 6
    {"", MaterialLayout::None},            // 7
    {"MAT8", MaterialLayout::Wrapped},     // 8
    {"MAT9", MaterialLayout::Wrapped},     // 9
    {"MAT10", MaterialLayout::Wrapped},    // 10
    {"MATHP", MaterialLayout::Hyperelastic},  // 11
    {"", MaterialLayout::None},            // 12
};
constexpr int kMaterialKinds = static_cast<int>(std::size(kMaterialCards));

// First-line field count of every layout; continuation lines hold eight.
constexpr int kFirstLineFields = 7;

// MATHP positions that are always written as empty fields.
constexpr int kHyperelasticBlankPositions[] = {7, 19, 20, 21, 22, 28, 29, 30, 37, 38, 46, 51, 52, 53};

// MAT1: MCSID follows ST, SC and SS on the continuation line.
constexpr int kMat1McsidPosition = 10;
// MAT2: the eight values of the continuation line, then MCSID on its own line.
constexpr int kMat2McsidPosition = 15;
// MATHP: the real values from position 15 (at most 32), then eight integers from 47.
constexpr int kHyperelasticRealStart = 15;
constexpr int kHyperelasticRealMax = 32;
constexpr int kHyperelasticIntegerStart = 47;

// Double to single precision; magnitudes beyond the float range become
// infinities (the field routines write those as empty fields) rather than
// relying on an undefined conversion.
float ToSingle(double value) {
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
    return value > 0 ? kInfinity : -kInfinity;
  return static_cast<float>(value);  // NaN stays NaN
}


void WriteMat1(DeckContext& deck, const float* f, int n) {
  const int32_t mcsid = n > kMat1McsidPosition ? TruncateToInt32(f[kMat1McsidPosition]) : 0;
  if (f[0] != 0.0f && f[1] == 0.0f && f[2] == 0.0f) {
    // E alone: with G and NU both empty the solver takes both as 0; NU
    // written as 0.0 makes it derive G from E.
    WriteRealFields(deck, f, 2, 0, 0);
    deck.out->Write("0.0,");
    WriteRealFields(deck, f + 3, std::max(std::min(n, kFirstLineFields) - 3, 0), 1, 0);
  } else {
    WriteRealFields(deck, f, std::min(n, kFirstLineFields), 1, 0);
  }
  if (n > kFirstLineFields) WriteRealFields(deck, f + kFirstLineFields, 3, mcsid == 0, 1);
  if (mcsid != 0) WriteIntegerFields(deck, f + kMat1McsidPosition, 1, 1, 0);
}

void WriteMat2(DeckContext& deck, const float* f, int n) {
  const int32_t mcsid = n > kMat2McsidPosition ? TruncateToInt32(f[kMat2McsidPosition]) : 0;
  WriteRealFields(deck, f, std::min(n, kFirstLineFields), 1, 0);
  if (n > kFirstLineFields) WriteRealFields(deck, f + kFirstLineFields, 8, 1, 1);
  if (mcsid != 0) WriteIntegerFields(deck, f + kMat2McsidPosition, 1, 1, 1);
}

void WriteHyperelastic(DeckContext& deck, float* f, int n) {
  WriteRealFields(deck, f, std::min(n, kFirstLineFields), 1, 0);
  for (int position : kHyperelasticBlankPositions) f[position] = static_cast<float>(BLANK_FIELD);
  if (n > kFirstLineFields) WriteIntegerFields(deck, f + kFirstLineFields, 3, 1, 1);
  const int realCount = std::clamp(n - kHyperelasticRealStart, 0, kHyperelasticRealMax);
  WriteRealFieldsWrapped(deck, f + kHyperelasticRealStart, realCount, 8, 1);
  if (n >= kHyperelasticIntegerStart + 1) WriteIntegerFields(deck, f + kHyperelasticIntegerStart, 8, 1, 1);
}

}  // namespace

int WriteMaterialCards(DeckContext& deck) {
  const Model& model = deck.model;
  const auto count = UsableCount(model.materialCount, model.materials);
  for (std::size_t i = 0; i < count; ++i) {
    const MaterialRecord& material = model.materials[i];
    if (material.kind < 0 || material.kind >= kMaterialKinds) continue;
    const MaterialCard& card = kMaterialCards[material.kind];
    if (card.layout == MaterialLayout::None) continue;

    // Trailing zeros are judged in single precision, as the card writes it.
    float f[kMaterialValues];
    int n = 1;
    for (int j = 0; j < kMaterialValues; ++j) {
      f[j] = ToSingle(material.values[j]);
      if (f[j] != 0.0f) n = j + 1;
    }

    WriteCardStart(deck, card.name, material.id);
    switch (card.layout) {
      case MaterialLayout::Mat1: WriteMat1(deck, f, n); break;
      case MaterialLayout::Mat2: WriteMat2(deck, f, n); break;
      case MaterialLayout::Wrapped: WriteRealFieldsWrapped(deck, f, n, kFirstLineFields, 0); break;
      case MaterialLayout::Hyperelastic: WriteHyperelastic(deck, f, n); break;
      case MaterialLayout::None: break;
    }
  }
  return model.materialCount;
}
