// Writes the example project: a plate with a stiffener and a bracket.
//
//   make_example <folder>   writes <folder>/bracket.fes and <folder>/bracket.lqd
//
// The plate (z = 0) is a 4 x 2 grid of 50 mm cells in x and y; cell (1,1) is
// split into two triangles. A bar stiffener runs along the free edge y = 100.
// Under the last two columns of cells hangs a 50 mm deep bracket: two wedges
// as a ramp under column 2 and two hexahedra under column 3. A spring ties the
// bracket's far corner to a grounded node, and a concentrated mass sits on the
// bracket. The edge x = 0 is clamped.
#include <cstdio>
#include <exception>
#include <map>
#include <string>

#include "tools/fixture_writer.h"

namespace {

// Plate node (c, r): column c = 0..4 along x, row r = 0..2 along y.
int32_t PlateNode(int c, int r) { return 1001 + 10 * c + r; }
// Bracket node under plate node (c, r), at z = -50.
int32_t BracketNode(int c, int r) { return 2001 + 10 * c + r; }
constexpr int32_t kGroundNode = 3001;

class ExampleBuilder {
 public:
  fixture::Project project;
  fixture::LoadFile loads;

  void Node(int32_t number, float x, float y, float z) {
    positions_[number] = static_cast<int32_t>(project.nodes.size()) + 1;
    project.nodes.push_back({number, x, y, z});
  }

  // Element nodes are given by external number and stored as positions.
  void Element(int32_t number, int32_t kind, int32_t elementClass, std::vector<int32_t> nodes) {
    for (int32_t& node : nodes)
      if (node != 0) node = positions_.at(node);
    project.elements.push_back({number, kind, elementClass, nodes});
  }

 private:
  std::map<int32_t, int32_t> positions_;
};

fixture::DistributedLoad Pressure(int32_t loadSet, std::vector<int32_t> list, bool nodeSet, float pressure) {
  fixture::DistributedLoad load{};
  load.loadSet = loadSet;
  load.cardKind = 14;
  load.list = std::move(list);
  load.nodeSet = nodeSet;
  load.values = {pressure, pressure, pressure, pressure};
  // One pressure component given at the four corner nodes: the flags
  // announce the four values (1 component x 4 nodes).
  load.componentCode = 1;
  load.nodeCode = 1234;
  load.nodeFlag = 1;
  return load;
}

fixture::Property Property(int32_t id, int32_t materialId, int32_t typeCode, std::vector<float> values,
                           std::vector<int32_t> elements) {
  fixture::Property property{};
  property.id = id;
  property.materialId = materialId;
  property.typeCode = typeCode;
  property.values = std::move(values);
  property.elements = std::move(elements);
  return property;
}

ExampleBuilder Build() {
  ExampleBuilder b;
  for (int c = 0; c <= 4; ++c)
    for (int r = 0; r <= 2; ++r) b.Node(PlateNode(c, r), 50.0f * c, 50.0f * r, 0);
  for (int c = 3; c <= 4; ++c)
    for (int r = 0; r <= 2; ++r) b.Node(BracketNode(c, r), 50.0f * c, 50.0f * r, -50);
  b.Node(kGroundNode, 200, 100, -100);

  // Plate: quadrilaterals, and two triangles in cell (1,1).
  std::vector<int32_t> shells;
  int32_t number = 5001;
  for (int r = 0; r <= 1; ++r) {
    for (int c = 0; c <= 3; ++c) {
      if (c == 1 && r == 1) continue;
      b.Element(number, 40, 21, {PlateNode(c, r), PlateNode(c + 1, r), PlateNode(c + 1, r + 1), PlateNode(c, r + 1)});
      shells.push_back(number++);
    }
  }
  b.Element(5011, 30, 21, {PlateNode(1, 1), PlateNode(2, 1), PlateNode(2, 2)});
  b.Element(5012, 30, 21, {PlateNode(1, 1), PlateNode(2, 2), PlateNode(1, 2)});
  shells.push_back(5011);
  shells.push_back(5012);

  // Stiffener along y = 100: bars GA, GB with orientation node G0 inside the plate.
  std::vector<int32_t> bars;
  for (int c = 0; c <= 3; ++c) {
    b.Element(5101 + c, 20, 111, {PlateNode(c, 2), PlateNode(c + 1, 2), PlateNode(1, 1), 0, 0});
    bars.push_back(5101 + c);
  }

  // Bracket: wedges (ramps) under column 2, hexahedra under column 3.
  std::vector<int32_t> solids;
  for (int r = 0; r <= 1; ++r) {
    b.Element(5201 + r, 60, 61,
              {PlateNode(2, r), PlateNode(3, r), BracketNode(3, r), PlateNode(2, r + 1), PlateNode(3, r + 1),
               BracketNode(3, r + 1)});
    solids.push_back(5201 + r);
  }
  for (int r = 0; r <= 1; ++r) {
    b.Element(5211 + r, 80, 61,
              {BracketNode(3, r), BracketNode(4, r), BracketNode(4, r + 1), BracketNode(3, r + 1), PlateNode(3, r),
               PlateNode(4, r), PlateNode(4, r + 1), PlateNode(3, r + 1)});
    solids.push_back(5211 + r);
  }
  b.Element(5301, 20, 103, {BracketNode(4, 2), kGroundNode, 0, 0, 0});  // spring to the ground node
  b.Element(5401, 1, 202, {BracketNode(4, 0)});                          // concentrated mass

  b.project.frames = {{10, 1, {50, 25, 10}, {0, 0, 1}, {1, 0, 0}}};

  fixture::LoadFile& loads = b.loads;
  // Load set 1: two forces at the free end and a pressure on the first plate row.
  loads.nodeLoads.push_back({1, 0, {PlateNode(4, 0), PlateNode(4, 1)}, {0, 0, -1}, 100});
  // Load set 2: an enforced displacement of the far corner in z.
  loads.nodeLoads.push_back({2, 4, {PlateNode(4, 2)}, {0, 0, 0.5f}, 1});
  loads.distributedLoads.push_back(Pressure(1, {5001, 5002, 5003, 5004}, false, 0.1f));
  // Load set 2: a pressure on the shells whose nodes all lie in the first two columns of row 0.
  loads.distributedLoads.push_back(
      Pressure(2, {PlateNode(0, 0), PlateNode(1, 0), PlateNode(2, 0), PlateNode(0, 1), PlateNode(1, 1), PlateNode(2, 1)},
               true, 0.2f));

  loads.constraints.push_back({{PlateNode(0, 0), PlateNode(0, 1), PlateNode(0, 2)}, 123456});
  loads.constraints.push_back({{kGroundNode}, 123456});
  loads.constraints.push_back({{PlateNode(4, 2)}, 3});

  loads.materials.push_back({1, 1, {210000, 80769, 0.3, 7.85e-9}});  // steel
  loads.materials.push_back({2, 1, {70000, 26923, 0.3, 2.7e-9}});    // aluminium

  loads.properties.push_back(Property(1, 1, 1021, {2.0f}, shells));                           // PSHELL, T
  loads.properties.push_back(Property(2, 2, 1061, {}, solids));                               // PSOLID
  loads.properties.push_back(Property(3, 1, 1110, {100.0f, 833.3f, 833.3f, 1406.0f}, bars));  // PBAR
  loads.properties.push_back(Property(4, 0, 1103, {1000.0f}, {5301}));                        // PELAS, K
  loads.properties.push_back(Property(0, 0, 111, {0, 0, 0}, {}));            // bar data: orientation by G0
  loads.properties.push_back(Property(0, 0, 103, {3, 3}, {}));                // spring data: C1, C2
  loads.properties.push_back(Property(0, 0, 202, {0, 0.05f, 0, 0, 0}, {}));  // mass data: CID, M, offsets
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_example <folder>\n", stderr);
    return 2;
  }
  try {
    const ExampleBuilder example = Build();
    fixture::WriteProjectFiles(std::string(argv[1]) + "/bracket", example.project, &example.loads);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_example: %s\n", error.what());
    return 1;
  }
  return 0;
}
