// Packet 3: one per material record, whatever its kind, with the first 96
// values in "%16.7g" form (or "%16.7E" where that has no decimal point).
#include <algorithm>

#include "model/checked_numbers.h"
#include "patran/columns.h"
#include "patran/neutral_file_writer.h"

namespace {

constexpr int kValuesWritten = 96;
constexpr int kCardCount = 20;  // 19 cards of five values, one with the last

}  // namespace

int WriteMaterialPackets(OutputFile& file, const Model& model) {
  const int count = static_cast<int>(UsableCount(model.materialCount, model.materials));
  for (int i = 0; i < count; ++i) {
    const MaterialRecord& material = model.materials[i];
    columns::PutHeader(file, 3, material.id, material.kind, kCardCount);
    columns::PutInt8(file, 0);
    file.Put('\n');
    columns::PutRealRows(file, material.values, kValuesWritten, columns::PutGeneral);
  }
  return model.materialCount;
}
