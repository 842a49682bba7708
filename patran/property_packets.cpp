// Packet 4: one per property record, whatever its type code, with its values
// in fixed point (or exponent form where fixed point would lose them).
#include <algorithm>

#include "model/checked_numbers.h"
#include "patran/columns.h"
#include "patran/neutral_file_writer.h"

namespace {

constexpr int kMaxValues = static_cast<int>(sizeof(PropertyRecord::values) / sizeof(float));

}  // namespace

int WritePropertyPackets(OutputFile& file, const Model& model) {
  const int count = static_cast<int>(UsableCount(model.propertyCount, model.properties));
  for (int i = 0; i < count; ++i) {
    const PropertyRecord& property = model.properties[i];
    const int values = std::clamp<int>(property.valueCount, 0, kMaxValues);
    columns::PutHeader(file, 4, property.id, property.materialId, (values + 4) / 5);
    columns::PutInt8(file, property.auxiliary1);
    columns::PutInt8(file, property.auxiliary2);
    columns::PutInt8(file, property.typeCode);
    columns::PutInt8(file, values);
    file.Put('\n');
    columns::PutRealRows(file, property.values, values, columns::PutFixed);
  }
  return model.propertyCount;
}
