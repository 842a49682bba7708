#include "model/model.h"

#include <stdexcept>

void Model::AddElement(ElementRecord element, std::span<const int32_t> slots) {
  if (slots.size() > static_cast<std::size_t>(kMostNodeSlots) || elementNodes.size() > UINT32_MAX - slots.size())
    throw std::length_error("an element has more node slots than the model holds");
  element.firstSlot = static_cast<uint32_t>(elementNodes.size());
  element.nodeCount = static_cast<uint8_t>(slots.size());
  elementNodes.insert(elementNodes.end(), slots.begin(), slots.end());
  elements.push_back(element);
  elementCount = static_cast<int32_t>(elements.size());
}

void FreeModel(Model& model) {
  // Swapping with empty vectors gives the memory back, not just the size.
  LargeArray<NodeRecord>().swap(model.nodes);
  LargeArray<ElementRecord>().swap(model.elements);
  LargeArray<int32_t>().swap(model.elementNodes);
  LargeArray<MaterialRecord>().swap(model.materials);
  LargeArray<PropertyRecord>().swap(model.properties);
  LargeArray<FrameRecord>().swap(model.frames);
  LargeArray<DistributedLoadRecord>().swap(model.distributedLoads);
  LargeArray<NodeLoadRecord>().swap(model.nodeLoads);
  model = Model{};
}
