#include <algorithm>
#include <vector>

#include "model/checked_numbers.h"
#include "nastran/bulk_data_writer.h"
#include "nastran/displacement_frames.h"
#include "nastran/fields.h"

namespace {

// Ids of the frames that get a frame card (kinds 1 to 3), sorted.
std::vector<int32_t> FrameCardIds(const Model& model) {
  std::vector<int32_t> ids;
  const std::size_t count = UsableCount(model.frameCount, model.frames);
  for (std::size_t i = 0; i < count; ++i) {
    if (model.frames[i].kind >= 1 && model.frames[i].kind <= 3) ids.push_back(model.frames[i].id);
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

}  // namespace

// One GRID card per node: the grid id, 0 as the frame of the position (the
// coordinates are in the basic frame), the three coordinates, and, for a
// constrained node, the frame of its displacements and constraints (CD):
// with the constraint code (PS) when constraints go into the GRID cards,
// alone when they go into SPC1 cards and the frame is not the basic one.
int64_t WriteGridCards(DeckContext& deck, int constraintFields) {
  OutputFile& out = *deck.out;
  const Model& model = deck.model;
  const std::size_t count = UsableCount(model.nodeCount, model.nodes);
  std::vector<int32_t> frameCards;
  bool frameCardsKnown = false;
  int64_t undefinedFrames = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const NodeRecord& node = model.nodes[i];
    out.Write("GRID, ");
    out.WriteInt(node.externalNumber);
    out.Write(", 0,");
    WriteNumberFields(deck, node.coordinates, 3, 0, 0);
    const bool ps = !deck.geometryOnly && constraintFields && node.constraintCode != 0;
    if (ps || WritesDisplacementFrame(deck, node)) {
      out.Put(' ');
      out.WriteInt(node.outputFrameId);
      out.Put(',');
      if (ps) {
        out.Put(' ');
        out.WriteInt(node.constraintCode);
        out.Put(',');
      }
      if (node.outputFrameId != 0) {
        if (!frameCardsKnown) {
          frameCards = FrameCardIds(model);
          frameCardsKnown = true;
        }
        if (!std::binary_search(frameCards.begin(), frameCards.end(), node.outputFrameId)) ++undefinedFrames;
      }
    }
    out.Put('\n');
  }
  return undefinedFrames;
}
