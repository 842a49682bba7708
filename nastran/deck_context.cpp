#include "nastran/deck_context.h"

#include <algorithm>

#include "model/checked_numbers.h"

namespace {

// Bars and beams (110 to 129) and gaps given by a vector (130) look nodes
// up by number.
constexpr int32_t kFirstNodeLookupClass = 110;
constexpr int32_t kLastNodeLookupClass = 130;

uint64_t RecordKey(int32_t typeCode, int32_t id) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(typeCode)) << 32) | static_cast<uint32_t>(id);
}

// A signed number as a key whose unsigned order is the signed order.
uint64_t SignedKey(int32_t value) { return static_cast<uint64_t>(int64_t{value} + (int64_t{1} << 31)); }

bool KeyThenPosition(const KeyedPosition& a, const KeyedPosition& b) {
  return a.key != b.key ? a.key < b.key : a.position < b.position;
}
bool KeyBelow(const KeyedPosition& a, uint64_t key) { return a.key < key; }

// Position of the first entry with the key (entries sorted by key, then by
// position), or -1.
int32_t FirstWithKey(const std::vector<KeyedPosition>& index, uint64_t key) {
  auto found = std::lower_bound(index.begin(), index.end(), key, KeyBelow);
  return found != index.end() && found->key == key ? found->position : -1;
}

template <typename Record, typename KeyOf>
std::vector<KeyedPosition> SortedIndex(const LargeArray<Record>& records, std::size_t count, KeyOf keyOf) {
  std::vector<KeyedPosition> index(count);
  for (std::size_t i = 0; i < count; ++i) index[i] = {keyOf(records[i]), static_cast<int32_t>(i)};
  std::sort(index.begin(), index.end(), KeyThenPosition);
  return index;
}

// Whether some element is written as a bar, beam or gap: a line or point
// element of the classes 110 to 130.
bool HasNodeLookups(const Model& model) {
  const std::size_t count = UsableCount(model.elementCount, model.elements);
  for (std::size_t j = 0; j < count; ++j) {
    const ElementRecord& element = model.elements[j];
    if (element.shape <= 2 && element.elementClass >= kFirstNodeLookupClass &&
        element.elementClass <= kLastNodeLookupClass)
      return true;
  }
  return false;
}

}  // namespace

void DeckIndexes::Build(const Model& model, bool geometryOnly) {
  records_ = SortedIndex(model.properties, geometryOnly ? 0 : UsableCount(model.propertyCount, model.properties),
                         [](const PropertyRecord& record) { return RecordKey(record.typeCode, record.id); });
  // Nodes are looked up by number only for bars, beams and gaps (their
  // offsets and the displacement frames of their grids); with every node at
  // the position its number gives, the direct look-up answers every number
  // there is.
  nodes_.clear();
  if (model.nodeNumbersNonSequential && HasNodeLookups(model)) {
    nodes_ = SortedIndex(model.nodes, UsableCount(model.nodeCount, model.nodes),
                         [](const NodeRecord& node) { return SignedKey(node.externalNumber); });
  }
  frames_ = SortedIndex(model.frames, UsableCount(model.frameCount, model.frames),
                        [](const FrameRecord& frame) { return SignedKey(frame.id); });
}

int32_t DeckIndexes::FirstRecord(int32_t typeCode, int32_t id) const {
  return FirstWithKey(records_, RecordKey(typeCode, id)) + 1;
}

int32_t DeckIndexes::NodePosition(const Model& model, int32_t g) const {
  const std::size_t count = UsableCount(model.nodeCount, model.nodes);
  if (g >= 1 && static_cast<std::size_t>(g) <= count &&
      model.nodes[static_cast<std::size_t>(g) - 1].externalNumber == g)
    return g - 1;
  return FirstWithKey(nodes_, SignedKey(g));
}

const FrameRecord* DeckIndexes::Frame(const Model& model, int32_t id) const {
  const int32_t found = FirstWithKey(frames_, SignedKey(id));
  return found < 0 ? nullptr : &model.frames[static_cast<std::size_t>(found)];
}
