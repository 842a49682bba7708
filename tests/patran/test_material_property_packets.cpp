// Material packets (type 3) and property packets (type 4).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
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

// The 20 value cards with the given texts at their positions (counted from
// 1) and zeros elsewhere.
std::string ValueCards(const std::vector<std::pair<int, const char*>>& placed) {
  std::vector<std::string> fields(96, kZero);
  for (const auto& [position, text] : placed) fields[position - 1] = text;
  std::string cards;
  for (int i = 0; i < 96; ++i) {
    cards += fields[i];
    if (i % 5 == 4 || i == 95) cards += '\n';
  }
  return cards;
}

// An isotropic material (kind 1) holds E, G, NU, RHO, A, TREF, GE, ST, SC, SS,
// MCSID; each constant goes to its own position of the 96 (E, NU and G three
// times), MCSID and later values nowhere. Other kinds keep their order.
TEST(MaterialPackets, IsotropicConstantsStandAtTheirPositions) {
  const std::vector<double> steel = {210000, 80769.23, 0.3, 7.85e-9, 1.2e-5, 20, 0.02, 400, 350, 230, 5, 99};
  const std::vector<std::pair<int, const char*>> steelPlaced = {
      {1, "   2.0000000E+01"},  {2, "        7.85e-09"},  {6, "            0.02"},  {9, "         1.2e-05"},
      {27, "   2.1000000E+05"}, {28, "   2.1000000E+05"}, {29, "   2.1000000E+05"}, {30, "             0.3"},
      {31, "             0.3"}, {32, "             0.3"}, {33, "        80769.23"}, {34, "        80769.23"},
      {35, "        80769.23"}, {79, "   4.0000000E+02"}, {80, "   3.5000000E+02"}, {81, "   2.3000000E+02"}};
  const struct {
    int32_t kind;
    std::vector<double> values;
    std::vector<std::pair<int, const char*>> placed;
  } cases[] = {
      {1, steel, steelPlaced},
      {1, {70000, 0, 0.33}, {{27, "   7.0000000E+04"}, {28, "   7.0000000E+04"}, {29, "   7.0000000E+04"},
                             {30, "            0.33"}, {31, "            0.33"}, {32, "            0.33"}}},
      {2, steel, {{1, "   2.1000000E+05"},  {2, "        80769.23"},  {3, "             0.3"},
                  {4, "        7.85e-09"},  {5, "         1.2e-05"},  {6, "   2.0000000E+01"},
                  {7, "            0.02"},  {8, "   4.0000000E+02"},  {9, "   3.5000000E+02"},
                  {10, "   2.3000000E+02"}, {11, "   5.0000000E+00"}, {12, "   9.9000000E+01"}}},
  };
  for (const auto& c : cases) {
    Model model;
    MaterialRecord material{};
    material.id = 7;
    material.kind = c.kind;
    std::copy(c.values.begin(), c.values.end(), material.values);
    model.materials.push_back(material);
    model.materialCount = 1;
    EXPECT_EQ(CapturePackets(WriteMaterialPackets, model),
              " 3       7       " + std::to_string(c.kind) + "      20       0\n" + ValueCards(c.placed))
        << c.kind << " " << c.values[0];
  }
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
