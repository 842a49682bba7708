// Material packets (type 3) and property packets (type 4).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "patran/neutral_file_writer.h"
#include "tests/patran/packet_capture.h"

namespace {

using testing_support::CapturePackets;

constexpr const char* kZero = "   0.0000000E+00";

std::string ZeroCards(int fromValue) {
  std::string text;
  for (int i = fromValue; i < 96; ++i) {
    text += kZero;
    if (i % 5 == 4 || i == 95) text += '\n';
  }
  return text;
}

TEST(MaterialPackets, NinetySixValuesOnTwentyCards) {
  Model model;
  MaterialRecord material{};
  material.id = 3;
  material.kind = 6;  // no NASTRAN card for it, still a packet
  material.values[0] = 210000.0;
  material.values[1] = 0.3;
  material.values[2] = 1.0e-12;
  material.values[3] = 7.85e-9;
  material.values[4] = -12345678.0;
  material.values[95] = 1.5;
  material.values[96] = 99.0;  // beyond the values written
  model.materials.push_back(material);
  model.materialCount = 1;

  std::string expected =
      " 3       3       6      20       0\n"
      "   2.1000000E+05             0.3   1.0000000E-12        7.85e-09   -1.234568e+07\n";
  std::string zeros = ZeroCards(5);
  zeros.replace(zeros.size() - 17, 16, "             1.5");
  expected += zeros;
  EXPECT_EQ(CapturePackets(WriteMaterialPackets, model), expected);
}

TEST(MaterialPackets, AllZeroMaterial) {
  Model model;
  model.materials.push_back(MaterialRecord{});
  model.materialCount = 1;
  const std::string text = CapturePackets(WriteMaterialPackets, model);
  EXPECT_EQ(text, " 3       0       0      20       0\n" + ZeroCards(0));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 21);
}

PropertyRecord MakeProperty(int32_t id, int32_t typeCode, const std::vector<float>& values) {
  PropertyRecord property{};
  property.id = id;
  property.typeCode = typeCode;
  property.valueCount = static_cast<int32_t>(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) property.values[i] = values[i];
  return property;
}

TEST(PropertyPackets, HeaderFieldsAndValueCards) {
  Model model;
  PropertyRecord shell = MakeProperty(7, 1002, {0.5f, 1, 2, 3, 4, 5, -6});
  shell.materialId = 2;
  shell.auxiliary1 = 11;
  shell.auxiliary2 = -3;
  model.properties.push_back(shell);
  model.properties.push_back(MakeProperty(8, 500, {}));  // not an element property, no values
  model.propertyCount = 2;
  EXPECT_EQ(CapturePackets(WritePropertyPackets, model),
            " 4       7       2       2      11      -3    1002       7\n"
            "       0.5000000       1.0000000       2.0000000       3.0000000       4.0000000\n"
            "       5.0000000      -6.0000000\n"
            " 4       8       0       0       0       0     500       0\n");
}

TEST(PropertyPackets, NoRecordsNoPackets) {
  Model model;
  EXPECT_EQ(CapturePackets(WritePropertyPackets, model), "");
  EXPECT_EQ(CapturePackets(WriteMaterialPackets, model), "");
}

}  // namespace
