#include "model/solid_faces.h"

const SolidFaceTable SolidFaceTables[3] = {
    {8, 6, 8, {{4, 3, 2, 1}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 4, 8, 7}, {4, 1, 5, 8}, {5, 6, 7, 8}}},
    {7, 5, 6, {{3, 2, 1, 0}, {1, 2, 5, 4}, {2, 3, 6, 5}, {3, 1, 4, 6}, {4, 5, 6, 0}, {0, 0, 0, 0}}},
    {5, 4, 4, {{3, 2, 1, 0}, {1, 2, 4, 0}, {2, 3, 4, 0}, {3, 1, 4, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
};

const SolidFaceTable* FindSolidFaces(int32_t shape) {
  for (const SolidFaceTable& table : SolidFaceTables) {
    if (table.shape == shape) return &table;
  }
  return nullptr;
}
