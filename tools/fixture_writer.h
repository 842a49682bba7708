// Writes a project's two binary files (TITLE.fes and TITLE.lqd) from an
// in-memory description. Tests build every input with it, and the example
// generator builds the shipped example project.
//
// The description is close to the files: element nodes are 1-based positions
// in the node list, and load lists hold external numbers. The encoders lay the
// blocks out exactly as the readers expect; tests that need a damaged file
// encode a sound one and patch it (PatchInt32, truncate, append).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fixture {

struct Node {
  int32_t number;
  float x = 0, y = 0, z = 0;
};

struct Element {
  int32_t number;
  int32_t kind;                   // element kind of the file (20, 30, 40, 80 ...)
  int32_t elementClass;
  std::vector<int32_t> nodes;     // 1-based node positions, as many as the kind has slots
  int32_t auxCode = 0;
};

struct Frame {
  int32_t id;
  int32_t kind;                   // 1, 2, 3 (others are dropped by the reader)
  float origin[3] = {0, 0, 0};
  float axisVector[3] = {0, 0, 1};   // origin + axisVector = point on the third axis
  float planeVector[3] = {1, 0, 0};  // axis point + planeVector = point in the x-z plane
};

struct Project {
  std::vector<Node> nodes;
  std::vector<Element> elements;
  std::vector<Frame> frames;
  int32_t entryWords = 0;         // W; 0 = 4 + the largest node list (at least 5)
  int32_t marker = 1;
  int32_t version = 2;
  int32_t auxWords = 0;           // M: two uninterpreted tables of M words
  int32_t auxBytes = 0;           // B: uninterpreted bytes (present only with M > 0)
  int32_t trailingBytes = 0;      // L
};

// Node load definition: kind 0 force, 1 moment, 2/3 constrained, 4/5 prescribed.
struct NodeLoad {
  int32_t loadSet;
  int32_t kind = 0;
  std::vector<int32_t> nodes;     // external node numbers
  float components[3] = {0, 0, 0};
  float scale = 1;
  int32_t frame = 0;
  int32_t frameOffset = 0;
};

struct NodeVector {
  float node;                     // a whole number held in a float
  float x = 0, y = 0, z = 0;
};

struct DistributedLoad {
  int32_t loadSet;
  int32_t cardKind = 14;          // 10 PLOAD, 11 PLOAD1, 12 PLOAD2, 14 PLOAD4
  std::vector<int32_t> list;      // element numbers, or node numbers when nodeSet is set
  bool nodeSet = false;           // word 16
  std::vector<float> values;      // the value row (its first count words are the load values)
  int32_t valueCount1 = -1;       // word 6; -1 = values.size()
  int32_t valueCount2 = 0;        // word 7
  int32_t loadType = 0;           // word 9
  int32_t face0 = 0;              // word 1 (loadType 0)
  int32_t face1 = 0;              // word 2 (loadType 1)
  int32_t componentCode = 0;      // word 3
  int32_t elementFlag = 0;        // word 4
  int32_t nodeCode = 0;           // word 5
  int32_t nodeFlag = 0;           // word 8
  int32_t vectorMarker = 0;       // word 11: >0 vectors only, <0 vectors and distributed load
  std::vector<NodeVector> vectors;
};

struct Constraint {
  std::vector<int32_t> nodes;     // external node numbers
  int32_t code;                   // digits 1-6
  int32_t dofCount = 6;
  int32_t nodeKind = 'G';
  int32_t frame = 0;
  int32_t frameOffset = 0;
};

struct Material {
  double id;
  double kind;
  std::vector<double> values;     // up to 100
  double count = -1;              // double 2; -1 = values.size()
};

struct Property {
  int32_t id;
  int32_t materialId = 0;
  int32_t typeCode;
  std::vector<float> values;
  std::vector<int32_t> elements;  // external element numbers
  int32_t valueCount = -1;        // word 3; -1 = values.size()
  int32_t auxiliary1 = 0;
  int32_t auxiliary2 = 0;
};

struct LoadFile {
  std::vector<NodeLoad> nodeLoads;
  std::vector<DistributedLoad> distributedLoads;
  std::vector<Constraint> constraints;
  std::vector<Material> materials;
  std::vector<Property> properties;
  int32_t version = 1;
  int32_t fileKind = 3;
};

std::vector<char> EncodeProject(const Project& project);
std::vector<char> EncodeLoadFile(const LoadFile& loads);

// Overwrites the little-endian int32 at a byte offset.
void PatchInt32(std::vector<char>& bytes, std::size_t offset, int32_t value);

// Writes bytes to a file; throws std::runtime_error when it cannot.
void WriteBytes(const std::string& path, const std::vector<char>& bytes);

// Writes TITLE.fes and, when loads is given, TITLE.lqd.
void WriteProjectFiles(const std::string& title, const Project& project, const LoadFile* loads);

// Offsets of the load file's blocks, for tests that patch a definition.
constexpr std::size_t kLoadHeaderBytes = 120;
constexpr int32_t kNodeLoadDefWords = 6;
constexpr int32_t kNodeLoadValueWords = 4;
constexpr int32_t kDistLoadDefWords = 17;
constexpr int32_t kConstraintDefWords = 8;
constexpr int32_t kPropertyDefWords = 9;

}  // namespace fixture
