// Packets 6 (distributed loads), 7 (forces and moments on nodes) and 8
// (constraints and prescribed displacements of load sets).
#include <algorithm>
#include <bit>
#include <iterator>

#include "model/checked_numbers.h"
#include "patran/columns.h"
#include "patran/neutral_file_writer.h"

namespace {

constexpr int kMaxLoadValues = static_cast<int>(sizeof(DistributedLoadRecord::values) / sizeof(float));

// Component flags of a force or moment by kind; the other kinds give no
// packet 7 (constraints and prescribed displacements give packet 8).
constexpr const char* kNodeLoadFlags[] = {
    "111000",  // 0 force
    "000111",  // 1 moment
};
constexpr int kNodeLoadKinds = static_cast<int>(std::size(kNodeLoadFlags));

// Node displacements by kind, from kind 2 on: the flag of the first component
// (0 translations, 3 rotations) and whether the components are the values to
// prescribe (else the degrees of freedom are held at 0).
struct DisplacementKind {
  int firstFlag;
  bool prescribed;
};
constexpr int kFirstDisplacementKind = 2;
constexpr DisplacementKind kDisplacementKinds[] = {
    {0, false},  // 2 constrained translations
    {3, false},  // 3 constrained rotations
    {0, true},   // 4 prescribed translations
    {3, true},   // 5 prescribed rotations
};
constexpr int kDisplacementKindCount = static_cast<int>(std::size(kDisplacementKinds));

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

int WriteNodeDisplacementPackets(OutputFile& file, const Model& model) {
  const int count = static_cast<int>(UsableCount(model.nodeLoadCount, model.nodeLoads));
  for (int i = 0; i < count; ++i) {
    const NodeLoadRecord& load = model.nodeLoads[i];
    const int row = load.kind - kFirstDisplacementKind;
    if (row < 0 || row >= kDisplacementKindCount) continue;
    // A component of 0 (or -0) leaves its degree of freedom free; a record
    // without any other gives no packet, as it gives no card in the deck.
    const float* c = load.components;
    if (c[0] == 0.0f && c[1] == 0.0f && c[2] == 0.0f) continue;
    const DisplacementKind& kind = kDisplacementKinds[row];

    columns::PutHeader(file, 8, load.nodeNumber, load.loadSet, 2);
    file.Put('\n');
    columns::PutInt8(file, load.frameId);
    char flags[] = "000000";
    for (int k = 0; k < 3; ++k) {
      if (c[k] != 0.0f) flags[kind.firstFlag + k] = '1';
    }
    file.Write(std::string_view(flags, 6));
    file.Put('\n');
    for (int k = 0; k < 3; ++k) {
      if (c[k] != 0.0f) columns::PutFixed(file, kind.prescribed ? c[k] : 0.0f);
    }
    file.Put('\n');
  }
  return model.nodeLoadCount;
}

int64_t DistributedLoadsWithUnannouncedValues(const Model& model) {
  const std::size_t count = UsableCount(model.distributedLoadCount, model.distributedLoads);
  int64_t unannounced = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const DistributedLoadRecord& load = model.distributedLoads[i];
    // Each component set carries one value for the element and one per node
    // set, as far as the element and node flags announce them.
    const int64_t components = std::popcount(columns::DigitMembers(load.componentCode, 6));
    const int64_t nodes = std::popcount(columns::DigitMembers(load.nodeCode, 8));
    const int64_t announced = components * (int64_t{load.elementFlag} + nodes * int64_t{load.nodeFlag});
    if (announced != load.valueCount) ++unannounced;
  }
  return unannounced;
}
