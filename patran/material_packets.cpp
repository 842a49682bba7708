// Packet 3: one per material record, whatever its kind, with 96 values in
// "%16.7g" form (or "%16.7E" where that has no decimal point). An isotropic
// material's constants stand at the positions where PATRAN reads them; every
// other kind is written as its first 96 values.
#include <algorithm>

#include "model/checked_numbers.h"
#include "patran/columns.h"
#include "patran/neutral_file_writer.h"

namespace {

constexpr int kValuesWritten = 96;
constexpr int kCardCount = 20;  // 19 cards of five values, one with the last
constexpr int kIsotropicKind = 1;

// Where an isotropic material's values go: the record holds them in the order
// of a MAT1 card (0 E, 1 G, 2 NU, 3 RHO, 4 A, 5 TREF, 6 GE, 7 ST, 8 SC, 9 SS,
// 10 MCSID); PATRAN keeps each constant at a fixed position of the 96
// (counted from 1), E, NU and G once per direction. MCSID and the values
// after it have no position.
struct Placement {
  int position;
  int value;
};
constexpr Placement kIsotropicPlacements[] = {
    {1, 5},  {2, 3},  {6, 6},  {9, 4},  // TREF, RHO, GE, A
    {27, 0}, {28, 0}, {29, 0},          // E
    {30, 2}, {31, 2}, {32, 2},          // NU
    {33, 1}, {34, 1}, {35, 1},          // G
    {79, 7}, {80, 8}, {81, 9},          // ST, SC, SS
};
static_assert(std::all_of(std::begin(kIsotropicPlacements), std::end(kIsotropicPlacements), [](Placement p) {
  return p.position >= 1 && p.position <= kValuesWritten && p.value >= 0 && p.value < 100;
}));

}  // namespace

int WriteMaterialPackets(OutputFile& file, const Model& model) {
  const int count = static_cast<int>(UsableCount(model.materialCount, model.materials));
  for (int i = 0; i < count; ++i) {
    const MaterialRecord& material = model.materials[i];
    columns::PutHeader(file, 3, material.id, material.kind, kCardCount);
    columns::PutInt8(file, 0);
    file.Put('\n');
    if (material.kind != kIsotropicKind) {
      columns::PutRealRows(file, material.values, kValuesWritten, columns::PutGeneral);
      continue;
    }
    double placed[kValuesWritten] = {};
    for (const Placement& p : kIsotropicPlacements) placed[p.position - 1] = material.values[p.value];
    columns::PutRealRows(file, placed, kValuesWritten, columns::PutGeneral);
  }
  return model.materialCount;
}
