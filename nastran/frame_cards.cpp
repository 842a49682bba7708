#include <algorithm>
#include <string_view>

#include "model/checked_numbers.h"
#include "nastran/bulk_data_writer.h"
#include "nastran/fields.h"

namespace {

// Card name by frame kind (1 rectangular, 2 cylindrical, 3 spherical).
constexpr std::string_view kFrameCardNames[] = {"", "CORD2R", "CORD2C", "CORD2S"};

}  // namespace

// One frame card per frame of a known kind, defined by three points in the
// basic system: the id, a blank reference frame, A and B on the first line,
// C on the continuation line. A frame of any other kind has no card.
int WriteFrameCards() {
  OutputFile& out = *OutputStream;
  const Model& model = *CurrentModel;
  const std::size_t count =
      UsableCount(model.frameCount, model.frames);
  for (std::size_t i = 0; i < count; ++i) {
    const FrameRecord& frame = model.frames[i];
    if (frame.kind < 1 || frame.kind >= static_cast<int32_t>(std::size(kFrameCardNames))) continue;
    out.Write(kFrameCardNames[frame.kind]);
    out.Write(", ");
    out.WriteInt(frame.id);
    out.Write(", ,");
    const float firstLine[6] = {frame.origin[0],    frame.origin[1],    frame.origin[2],
                                frame.axisPoint[0], frame.axisPoint[1], frame.axisPoint[2]};
    WriteNumberFields(firstLine, 6, 1, 0);
    WriteNumberFields(frame.planePoint, 3, 1, 1);
  }
  return model.frameCount;
}
