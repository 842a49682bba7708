// Builds small models in memory for the element card tests and writes their
// element section.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>
#include <string>

#include "model/model.h"
#include "nastran/bulk_data_writer.h"
#include "tests/support/nastran_capture.h"

namespace element_test {

struct ElementModel {
  Model model;
  bool geometryOnly = false;  // the element section of a geometry-only deck

  // Adds a node; returns its 1-based position (the value node slots hold).
  int32_t AddNode(int32_t number, float x = 0, float y = 0, float z = 0) {
    NodeRecord node{};
    node.coordinates[0] = x;
    node.coordinates[1] = y;
    node.coordinates[2] = z;
    node.externalNumber = number;
    node.dofCount = 6;
    node.nodeKind = 'G';
    model.nodes.push_back(node);
    model.nodeCount = static_cast<int32_t>(model.nodes.size());
    if (number != model.nodeCount) model.nodeNumbersNonSequential = true;
    return model.nodeCount;
  }

  // Adds nodes numbered first, first + 1, ... at positions after the last.
  void AddNodes(int count, int32_t first) {
    for (int i = 0; i < count; ++i) AddNode(first + i);
  }

  // Adds an element whose node slots hold the given 1-based positions;
  // returns its 0-based position.
  std::size_t AddElement(int32_t number, int32_t shape, int32_t elementClass, const std::vector<int32_t>& slots,
                         int32_t propertyId = 0) {
    ElementRecord element{};
    element.externalNumber = number;
    element.shape = static_cast<int8_t>(shape);
    element.elementClass = elementClass;
    element.propertyId = element.deckPropertyId = propertyId;
    model.AddElement(element, slots);
    if (number != model.elementCount) model.elementNumbersNonSequential = true;
    return model.elements.size() - 1;
  }

  // Adds a property record (typeCode above 1000) or an element data record
  // (typeCode 1000 or below); returns its 0-based position.
  std::size_t AddRecord(int32_t id, int32_t typeCode, std::initializer_list<float> values = {},
                        int32_t materialId = 0) {
    PropertyRecord record{};
    record.id = id;
    record.typeCode = typeCode;
    record.materialId = materialId;
    int count = 0;
    for (float v : values) record.values[count++] = v;
    record.valueCount = count;
    model.properties.push_back(record);
    model.propertyCount = static_cast<int32_t>(model.properties.size());
    return model.properties.size() - 1;
  }

  // Lists the element (0-based) in the element data definition at record
  // (0-based), as an element data definition of the load file does.
  void ListData(std::size_t element, std::size_t record) {
    model.elements[element].dataDefinition = static_cast<int32_t>(record) + 1;
  }

  std::string WriteElements() {
    return testing_support::CaptureCards(model, [](DeckContext& deck) { WriteElementCards(deck); }, geometryOnly);
  }
};

}  // namespace element_test
