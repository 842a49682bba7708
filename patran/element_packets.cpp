// Packet 2: one per element, with its property card and node numbers; a bar
// with its two end nodes.
#include <algorithm>
#include <iterator>
#include <span>

#include "model/checked_numbers.h"
#include "patran/columns.h"
#include "patran/neutral_file_writer.h"

namespace {

constexpr int kBarShape = 2;
constexpr int kBarEnds = 2;
constexpr int kNodesPerCard = 10;

// The node named by a slot value, or null for an empty slot or one that
// names no node of the model.
const NodeRecord* SlotNode(const Model& model, int nodeLimit, int32_t slot) {
  if (slot < 1 || slot > nodeLimit) return nullptr;
  return &model.nodes[static_cast<std::size_t>(slot) - 1];
}

}  // namespace

int WriteElementPackets(OutputFile& file, const Model& model) {
  const int nodeLimit = static_cast<int>(UsableCount(model.nodeCount, model.nodes));
  const int count = static_cast<int>(UsableCount(model.elementCount, model.elements));
  for (int i = 0; i < count; ++i) {
    const ElementRecord& element = model.elements[i];
    const std::span<const int32_t> nodeSlots = model.NodeSlots(element);
    int slots = static_cast<int>(nodeSlots.size());

    // A bar's orientation is the position of the node in its third slot;
    // N2 names that node by its number. The bar itself is its two end nodes:
    // a reader takes a third node as a mid-side node.
    float orientation[3] = {0, 0, 0};
    int32_t orientationNode = 0;
    if (element.shape == kBarShape) {
      if (const NodeRecord* node = SlotNode(model, nodeLimit, model.NodeSlot(element, 2))) {
        std::copy(std::begin(node->coordinates), std::end(node->coordinates), orientation);
        orientationNode = node->externalNumber;
      }
      slots = std::min(slots, kBarEnds);
    }
    const long long cardCount =
        1 + (slots + kNodesPerCard - 1) / kNodesPerCard + (static_cast<long long>(element.valueCount) + 4) / 5;

    columns::PutHeader(file, 2, element.externalNumber, element.shape, cardCount);
    columns::PutInt8(file, element.valueCount);
    columns::PutInt8(file, orientationNode);
    file.Put('\n');

    columns::PutInt8(file, slots);
    columns::PutInt8(file, 0);
    columns::PutInt8(file, element.propertyId);
    columns::PutInt8(file, 0);
    for (const float component : orientation) columns::PutFixed(file, component);
    file.Put('\n');

    for (int s = 0; s < slots; ++s) {
      const NodeRecord* node = SlotNode(model, nodeLimit, nodeSlots[static_cast<std::size_t>(s)]);
      columns::PutInt8(file, node != nullptr ? node->externalNumber : 0);
      if (s % kNodesPerCard == kNodesPerCard - 1 || s == slots - 1) file.Put('\n');
    }
  }
  return model.elementCount;
}
