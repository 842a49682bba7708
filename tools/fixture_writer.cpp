#include "tools/fixture_writer.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace fixture {
namespace {

class Encoder {
 public:
  void Int(int32_t value) { Raw(&value, sizeof value); }
  void Float(float value) { Raw(&value, sizeof value); }
  void Double(double value) { Raw(&value, sizeof value); }
  void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, '\0'); }
  void Raw(const void* data, std::size_t size) {
    const char* at = static_cast<const char*>(data);
    bytes_.insert(bytes_.end(), at, at + size);  // the host is little-endian
  }
  std::vector<char> Take() { return std::move(bytes_); }

 private:
  std::vector<char> bytes_;
};

int32_t Size(std::size_t n) { return static_cast<int32_t>(n); }

}  // namespace

std::vector<char> EncodeProject(const Project& project) {
  const int32_t n = Size(project.nodes.size());
  const int32_t e = Size(project.elements.size());
  const int32_t f = Size(project.frames.size());
  int32_t w = project.entryWords;
  if (w == 0) {
    std::size_t longest = 1;
    for (const Element& element : project.elements) longest = std::max(longest, element.nodes.size());
    w = Size(4 + longest);
  }
  Encoder out;
  for (int32_t word : {n, e, w, f, project.trailingBytes, project.auxWords, project.auxBytes, 0, 0, 0,
                       project.marker, project.version}) {
    out.Int(word);
  }
  if (n > 0) {
    out.Int(0);
    for (const Node& node : project.nodes) out.Int(node.number);
    out.Zeros(12);
    for (const Node& node : project.nodes) {
      out.Float(node.x);
      out.Float(node.y);
      out.Float(node.z);
    }
  }
  if (e > 0 && w > 0) {
    out.Zeros(4 * static_cast<std::size_t>(w));
    for (const Element& element : project.elements) {
      std::vector<int32_t> entry(static_cast<std::size_t>(w), 0);
      std::vector<int32_t> words = {element.number, element.kind, element.elementClass, element.auxCode};
      words.insert(words.end(), element.nodes.begin(), element.nodes.end());
      std::copy_n(words.begin(), std::min(words.size(), entry.size()), entry.begin());
      for (int32_t word : entry) out.Int(word);
    }
    out.Zeros(2 * 4 * (static_cast<std::size_t>(e) + 1));  // the two side tables
  }
  if (project.auxWords > 0) {
    out.Zeros(2 * 4 * static_cast<std::size_t>(project.auxWords));
    if (project.auxBytes > 0) out.Zeros(static_cast<std::size_t>(project.auxBytes));
  }
  if (f > 0) {
    std::vector<int32_t> table(static_cast<std::size_t>(f + 1) * 21, 0);
    auto put = [&table](std::size_t at, float value) { std::memcpy(&table[at], &value, sizeof value); };
    for (int32_t j = 0; j < f; ++j) {
      const Frame& frame = project.frames[static_cast<std::size_t>(j)];
      const std::size_t base = 21 * static_cast<std::size_t>(j);
      table[base + 11] = frame.id;
      table[base + 12] = frame.kind;
      for (int k = 0; k < 3; ++k) {
        put(base + 14 + k, frame.origin[k]);
        put(base + 23 + k, frame.planeVector[k]);
        put(base + 29 + k, frame.axisVector[k]);
      }
    }
    for (int32_t word : table) out.Int(word);
  }
  if (project.trailingBytes > 0) out.Zeros(static_cast<std::size_t>(project.trailingBytes));
  return out.Take();
}

std::vector<char> EncodeLoadFile(const LoadFile& loads) {
  int32_t nodeLoadList = 0;
  for (const NodeLoad& load : loads.nodeLoads) nodeLoadList += Size(load.nodes.size());
  int32_t distList = 0, distValueWords = 0, vectorCount = 0;
  for (const DistributedLoad& load : loads.distributedLoads) {
    distList += Size(load.list.size());
    distValueWords = std::max(distValueWords, Size(load.values.size()));
    vectorCount += Size(load.vectors.size());
  }
  int32_t constraintList = 0;
  for (const Constraint& constraint : loads.constraints) constraintList += Size(constraint.nodes.size());
  int32_t propertyList = 0, propertyValues = 0;
  for (const Property& property : loads.properties) {
    propertyList += Size(property.elements.size());
    propertyValues += Size(property.values.size());
  }

  int32_t header[30] = {};
  header[0] = Size(loads.nodeLoads.size());
  header[1] = nodeLoadList;
  header[2] = kNodeLoadDefWords;
  header[3] = kNodeLoadValueWords;
  header[4] = Size(loads.distributedLoads.size());
  header[5] = distList;
  header[6] = kDistLoadDefWords;
  header[7] = distValueWords;
  header[8] = Size(loads.constraints.size());
  header[9] = constraintList;
  header[10] = loads.fileKind;
  header[11] = loads.version;
  header[12] = kConstraintDefWords;
  header[13] = Size(loads.materials.size());
  header[14] = Size(loads.properties.size());
  header[15] = propertyList;
  header[16] = kPropertyDefWords;
  header[17] = propertyValues;
  header[18] = vectorCount;

  Encoder out;
  for (int32_t word : header) out.Int(word);

  if (!loads.nodeLoads.empty()) {
    int32_t start = 0;
    for (const NodeLoad& load : loads.nodeLoads) {
      const int32_t count = Size(load.nodes.size());
      for (int32_t word : {load.loadSet, count, load.frame, load.frameOffset, start, load.kind}) out.Int(word);
      start += count;
    }
    for (const NodeLoad& load : loads.nodeLoads)
      for (int32_t node : load.nodes) out.Int(node);
    for (const NodeLoad& load : loads.nodeLoads) {
      for (float component : load.components) out.Float(component);
      out.Float(load.scale);
    }
  }

  if (!loads.distributedLoads.empty()) {
    int32_t start = 0, vectorStart = 0;
    for (const DistributedLoad& load : loads.distributedLoads) {
      const int32_t count = Size(load.list.size());
      const int32_t vectors = Size(load.vectors.size());
      const int32_t first = load.valueCount1 < 0 ? Size(load.values.size()) : load.valueCount1;
      const int32_t words[kDistLoadDefWords] = {
          load.loadSet,  load.face0,       load.face1,   load.componentCode, load.elementFlag, load.nodeCode,
          first,         load.valueCount2, load.nodeFlag, load.loadType,     count,            load.vectorMarker,
          vectors,       start,            vectorStart,  load.cardKind,      load.nodeSet ? 1 : 0};
      for (int32_t word : words) out.Int(word);
      start += count;
      vectorStart += vectors;
    }
    for (const DistributedLoad& load : loads.distributedLoads)
      for (int32_t entry : load.list) out.Int(entry);
    for (const DistributedLoad& load : loads.distributedLoads) {
      for (float value : load.values) out.Float(value);
      out.Zeros(4 * static_cast<std::size_t>(distValueWords - Size(load.values.size())));
    }
    if (vectorCount > 0) {
      for (const DistributedLoad& load : loads.distributedLoads) {
        for (const NodeVector& vector : load.vectors) {
          for (float value : {vector.node, vector.x, vector.y, vector.z}) out.Float(value);
        }
      }
    }
  }

  if (!loads.constraints.empty()) {
    int32_t start = 0;
    for (const Constraint& constraint : loads.constraints) {
      const int32_t count = Size(constraint.nodes.size());
      for (int32_t word : {constraint.dofCount, constraint.nodeKind, 0, constraint.code, constraint.frame,
                           constraint.frameOffset, count, start}) {
        out.Int(word);
      }
      start += count;
    }
    for (const Constraint& constraint : loads.constraints)
      for (int32_t node : constraint.nodes) out.Int(node);
  }

  for (const Material& material : loads.materials) {
    double record[110] = {};
    record[0] = material.id;
    record[1] = material.kind;
    record[2] = material.count < 0 ? static_cast<double>(material.values.size()) : material.count;
    for (std::size_t i = 0; i < material.values.size() && i < 100; ++i) record[10 + i] = material.values[i];
    for (double value : record) out.Double(value);
  }

  if (!loads.properties.empty()) {
    int32_t start = 0, valueStart = 0;
    for (const Property& property : loads.properties) {
      const int32_t count = Size(property.elements.size());
      const int32_t values = Size(property.values.size());
      const int32_t valueCount = property.valueCount < 0 ? values : property.valueCount;
      for (int32_t word : {property.id, property.materialId, property.typeCode, valueCount, property.auxiliary1,
                           property.auxiliary2, count, start, valueStart}) {
        out.Int(word);
      }
      start += count;
      valueStart += values;
    }
    for (const Property& property : loads.properties)
      for (int32_t element : property.elements) out.Int(element);
    for (const Property& property : loads.properties)
      for (float value : property.values) out.Float(value);
  }
  return out.Take();
}

void PatchInt32(std::vector<char>& bytes, std::size_t offset, int32_t value) {
  if (offset + 4 > bytes.size()) throw std::out_of_range("PatchInt32 beyond the end of the file");
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}

void WriteBytes(const std::string& path, const std::vector<char>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) throw std::runtime_error("cannot create " + path);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

void WriteProjectFiles(const std::string& title, const Project& project, const LoadFile* loads) {
  WriteBytes(title + ".fes", EncodeProject(project));
  if (loads != nullptr) WriteBytes(title + ".lqd", EncodeLoadFile(*loads));
}

}  // namespace fixture
