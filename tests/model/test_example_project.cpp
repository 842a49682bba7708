// The shipped example project reads completely, with every family present.
#include <gtest/gtest.h>

#include "tests/model/model_fixtures.h"

namespace {

TEST(ExampleProject, ReadsWithAllItsRecords) {
  Model model;
  const std::string printed = model_test::Printed([&] {
    Console console;
    EXPECT_EQ(ProjectReader(EXAMPLES_DIR "/bracket", model, console), 0);
  });
  EXPECT_EQ(printed, "");  // every number in the load file exists
  EXPECT_EQ(model.nodeCount, 22);
  EXPECT_EQ(model.elementCount, 19);
  EXPECT_EQ(model.frameCount, 1);
  EXPECT_EQ(model.materialCount, 2);
  EXPECT_EQ(model.propertyCount, 7);
  EXPECT_EQ(model.nodeLoadCount, 3);
  EXPECT_EQ(model.distributedLoadCount, 6);
  EXPECT_TRUE(model.nodeNumbersNonSequential);
  EXPECT_TRUE(model.elementNumbersNonSequential);

  // Shapes in file order: 7 quadrilaterals, 2 triangles, 4 bars, 2 wedges, 2 hexahedra, a spring, a mass.
  std::vector<int32_t> shapes;
  for (const ElementRecord& element : model.elements) shapes.push_back(element.shape);
  EXPECT_EQ(shapes, (std::vector<int32_t>{4, 4, 4, 4, 4, 4, 4, 3, 3, 2, 2, 2, 2, 7, 7, 8, 8, 2, 1}));
  for (const ElementRecord& element : model.elements) {
    if (element.shape != 1) {  // the mass has no property
      EXPECT_NE(element.propertyId, 0) << element.externalNumber;
    }
  }

  // The node-set pressure of load set 2 finds the two shells of its cells, face 0.
  const DistributedLoadRecord& last = model.distributedLoads[5];
  EXPECT_EQ(last.loadSet, 2);
  EXPECT_EQ(last.elementNumber, 5002);
  EXPECT_EQ(last.faceNumber, 0);
  EXPECT_EQ(model.distributedLoads[4].elementNumber, 5001);

  // The clamped edge, the grounded spring end, and the node of the enforced displacement.
  int clamped = 0;
  for (const NodeRecord& node : model.nodes) clamped += node.constraintCode == 123456 ? 1 : 0;
  EXPECT_EQ(clamped, 4);
  EXPECT_EQ(model.nodes[14].externalNumber, 1043);
  EXPECT_EQ(model.nodes[14].constraintCode, 3);
  EXPECT_EQ(model.nodeLoads[2].kind, 4);
  EXPECT_EQ(model.nodeLoads[2].nodeNumber, 1043);
}

}  // namespace
