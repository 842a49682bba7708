// Load-side records of the model, created from the load file.
#pragma once

#include <cstdint>

struct NodeLoadRecord {
  int32_t nodeNumber;    // external number of the node
  int32_t loadSet;
  int32_t frameId;       // frame of the components; 0 for node vector loads
  int32_t kind;          // 0 force, 1 moment, 2/3 constrained, 4/5 prescribed translations/rotations
  float scale;           // magnitude; 1.0 for node vector loads
  float components[3];
};

struct DistributedLoadRecord {
  int32_t elementNumber; // external number of the element
  int32_t loadSet;
  int32_t loadType;      // 0 or 1
  int32_t cardKind;      // 10 PLOAD, 11 PLOAD1, 12 PLOAD2, 14 PLOAD4
  int32_t elementFlag;
  int32_t nodeFlag;
  int32_t componentCode; // digits 1-6
  int32_t nodeCode;      // digits 1-8
  int32_t faceNumber;
  int32_t valueCount;    // 0 to 32
  float values[32];
};

struct MaterialRecord {
  int32_t id;
  int32_t kind;
  int32_t reserved;      // always 0
  double values[120];    // at most the first 100 are filled
};

struct PropertyRecord {
  int32_t id;
  int32_t materialId;
  int32_t typeCode;      // 1000 and up: element properties
  int32_t valueCount;    // 0 to 50
  int32_t auxiliary1;
  int32_t auxiliary2;
  float values[50];      // copied bit for bit from the load file
};
