// Packets 6 (distributed loads) and 7 (forces and moments on nodes).
#include <algorithm>
#include <iterator>

#include "model/checked_numbers.h"
#include "patran/columns.h"
#include "patran/neutral_file_writer.h"

namespace {

constexpr int kMaxLoadValues = static_cast<int>(sizeof(DistributedLoadRecord::values) / sizeof(float));

// Component flags of a node load by kind; kinds without an entry (constraints,
// prescribed displacements) give no packet.
constexpr const char* kNodeLoadFlags[] = {
    "111000",  // 0 force
    "000111",  // 1 moment
};
constexpr int kNodeLoadKinds = static_cast<int>(std::size(kNodeLoadFlags));

}  // namespace

int WriteDistributedLoadPackets(OutputFile& file, const Model& model) {
  const int count =
      static_cast<int>(UsableCount(model.distributedLoadCount, model.distributedLoads));
  for (int i = 0; i < count; ++i) {
    const DistributedLoadRecord& load = model.distributedLoads[i];
    const int values = std::clamp<int>(load.valueCount, 0, kMaxLoadValues);
    columns::PutHeader(file, 6, load.elementNumber, load.loadSet, 1 + (values + 4) / 5);
    file.Put('\n');

    columns::PutInt(file, load.loadType, 1);
    columns::PutInt(file, load.elementFlag, 1);
    columns::PutInt(file, load.nodeFlag, 1);
    columns::PutDigitFlags(file, load.componentCode, 6);
    columns::PutDigitFlags(file, load.nodeCode, 8);
    columns::PutInt(file, load.faceNumber, 2);
    file.Put('\n');

    columns::PutRealRows(file, load.values, values, columns::PutFixed);
  }
  return model.distributedLoadCount;
}

int WriteNodeForcePackets(OutputFile& file, const Model& model) {
  const int count = static_cast<int>(UsableCount(model.nodeLoadCount, model.nodeLoads));
  for (int i = 0; i < count; ++i) {
    const NodeLoadRecord& load = model.nodeLoads[i];
    if (load.kind < 0 || load.kind >= kNodeLoadKinds) continue;
    columns::PutHeader(file, 7, load.nodeNumber, load.loadSet, 2);
    file.Put('\n');
    columns::PutInt8(file, load.frameId);
    file.Write(kNodeLoadFlags[load.kind]);
    file.Put('\n');
    // The force itself: direction times magnitude, formed in double precision.
    for (const float component : load.components) {
      columns::PutFixed(file, static_cast<double>(component) * static_cast<double>(load.scale));
    }
    file.Put('\n');
  }
  return model.nodeLoadCount;
}
