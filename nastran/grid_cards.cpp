#include <algorithm>

#include "model/checked_numbers.h"
#include "nastran/bulk_data_writer.h"
#include "nastran/fields.h"

// One GRID card per node: the grid id, 0 as the frame of the position (the
// coordinates are in the basic frame), the three coordinates, and, when
// constraints go into the GRID cards, the displacement frame (CD) and the
// constraint code (PS) of a constrained node.
void WriteGridCards(int constraintFields) {
  OutputFile& out = *OutputStream;
  const Model& model = *CurrentModel;
  const std::size_t count =
      UsableCount(model.nodeCount, model.nodes);
  for (std::size_t i = 0; i < count; ++i) {
    const NodeRecord& node = model.nodes[i];
    out.Write("GRID, ");
    out.WriteInt(node.externalNumber);
    out.Write(", 0,");
    WriteNumberFields(node.coordinates, 3, 0, 0);
    if (!GeometryOnly && constraintFields && node.constraintCode != 0) {
      out.Put(' ');
      out.WriteInt(node.outputFrameId);
      out.Write(", ");
      out.WriteInt(node.constraintCode);
      out.Write(",\n");
    } else {
      out.Put('\n');
    }
  }
}
