// Times the element section of a deck: 1,000,000 elements (shells with data
// records, hexahedra, bars with offset nodes) and 100,000 property records.
// Usage: bench_element_cards [output path]   (default /dev/null)
#include <chrono>
#include <cstdio>
#include <span>
#include <string>

#include "model/model.h"
#include "model/output_file.h"
#include "nastran/bulk_data_writer.h"

namespace {

constexpr int kElements = 1000000;
constexpr int kNodes = 1500000;
constexpr int kRecords = 100000;

void BuildModel(Model& model) {
  model.nodes.resize(kNodes);
  for (int i = 0; i < kNodes; ++i) {
    NodeRecord& node = model.nodes[static_cast<std::size_t>(i)];
    node = NodeRecord{};
    node.coordinates[0] = static_cast<float>(i % 1000);
    node.coordinates[1] = static_cast<float>(i / 1000);
    // Numbers that differ from positions, so offset nodes go through the index.
    node.externalNumber = 2 * (i + 1);
    node.dofCount = 6;
    node.nodeKind = 'G';
  }
  model.nodeCount = kNodes;

  model.nodeNumbersNonSequential = true;

  model.elements.reserve(kElements);
  model.elementNodes.reserve(std::size_t{8} * kElements);
  for (int j = 0; j < kElements; ++j) {
    ElementRecord element{};
    element.externalNumber = j + 1;
    const int kind = j % 10;
    const int first = (j * 7) % (kNodes - 8) + 1;
    if (kind < 6) {
      element.shape = 4;
      element.elementClass = 11;
      element.nodeCount = 4;
    } else if (kind < 9) {
      element.shape = 8;
      element.elementClass = 81;
      element.nodeCount = 8;
    } else {
      element.shape = 2;
      element.elementClass = 112;
      element.nodeCount = 5;
    }
    element.propertyId = element.deckPropertyId = j % (kRecords - 1000) + 1;
    int32_t slots[8];
    for (int s = 0; s < element.nodeCount; ++s) slots[s] = first + s;
    model.AddElement(element, std::span<const int32_t>(slots, element.nodeCount));
  }

  model.properties.resize(kRecords);
  for (int i = 0; i < kRecords; ++i) {
    PropertyRecord& record = model.properties[static_cast<std::size_t>(i)];
    record = PropertyRecord{};
    record.id = i + 1;
    record.typeCode = i % 2 == 0 ? 1011 : 1110;
    record.valueCount = 0;
  }
  // Two element data records at the end, for the shells and the bars.
  PropertyRecord& shellData = model.properties[kRecords - 2];
  shellData.id = 0;
  shellData.typeCode = 11;
  shellData.valueCount = 6;
  const float shellValues[6] = {30.0f, 0.05f, 0.1f, 0.1f, 0.1f, 0.1f};
  for (int v = 0; v < 6; ++v) shellData.values[v] = shellValues[v];
  PropertyRecord& barData = model.properties[kRecords - 1];
  barData.id = 0;
  barData.typeCode = 112;
  barData.valueCount = 2;
  barData.values[0] = 123.0f;
  barData.values[1] = 456.0f;
  model.propertyCount = kRecords;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "/dev/null";
  Model model;
  BuildModel(model);

  OutputFile file;
  if (!file.Open(path)) {
    std::printf("%s\n", file.Error().c_str());
    return 1;
  }
  DeckContext deck(file, model, false);

  const auto start = std::chrono::steady_clock::now();
  deck.indexes.Build(model, deck.geometryOnly);
  WriteElementCards(deck);
  file.Flush();
  const auto end = std::chrono::steady_clock::now();
  const bool closed = file.Close();

  const double seconds = std::chrono::duration<double>(end - start).count();
  std::printf("element cards: %d elements, %d property records: %.3f s\n", kElements, kRecords, seconds);
  return closed ? 0 : 1;
}
