#include "model/model.h"

int GeometryOnly = 0;
int NodeNumbersNonSequential = 0;
int ElementNumbersNonSequential = 0;

void FreeModel(Model& model) {
  // Swapping with empty vectors gives the memory back, not just the size.
  std::vector<NodeRecord>().swap(model.nodes);
  std::vector<ElementRecord>().swap(model.elements);
  std::vector<MaterialRecord>().swap(model.materials);
  std::vector<PropertyRecord>().swap(model.properties);
  std::vector<FrameRecord>().swap(model.frames);
  std::vector<DistributedLoadRecord>().swap(model.distributedLoads);
  std::vector<NodeLoadRecord>().swap(model.nodeLoads);
  model = Model{};
}
