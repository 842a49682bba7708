#include "model/model.h"

int GeometryOnly = 0;
int NodeNumbersNonSequential = 0;
int ElementNumbersNonSequential = 0;

void FreeModel(Model& model) {
  // Swapping with empty vectors gives the memory back, not just the size.
  LargeArray<NodeRecord>().swap(model.nodes);
  LargeArray<ElementRecord>().swap(model.elements);
  LargeArray<MaterialRecord>().swap(model.materials);
  LargeArray<PropertyRecord>().swap(model.properties);
  LargeArray<FrameRecord>().swap(model.frames);
  LargeArray<DistributedLoadRecord>().swap(model.distributedLoads);
  LargeArray<NodeLoadRecord>().swap(model.nodeLoads);
  model = Model{};
}
