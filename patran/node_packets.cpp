// Packet 1: one per node, with its coordinates and constraint flags.
#include <algorithm>

#include "model/checked_numbers.h"
#include "patran/columns.h"
#include "patran/neutral_file_writer.h"

int WriteNodePackets(OutputFile& file, const Model& model) {
  const int count = static_cast<int>(UsableCount(model.nodeCount, model.nodes));
  for (int i = 0; i < count; ++i) {
    const NodeRecord& node = model.nodes[i];
    columns::PutHeader(file, 1, node.externalNumber, 0, 2);
    file.Put('\n');

    for (const float coordinate : node.coordinates) columns::PutFixed(file, coordinate);
    file.Put('\n');

    file.Put('0');
    file.Put(node.nodeKind == '\0' ? 'G' : node.nodeKind);
    columns::PutInt8(file, node.dofCount);
    columns::PutInt8(file, node.configuration);
    columns::PutInt8(file, node.outputFrameId);
    file.Write("  ");
    columns::PutDigitFlags(file, node.constraintCode, 6);
    file.Put('\n');
  }
  return model.nodeCount;
}
