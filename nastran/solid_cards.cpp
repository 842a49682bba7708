// Solid element cards: CTETRA, CPENTA and CHEXA with all their nodes.
#include <algorithm>
#include <cstdint>

#include "nastran/bulk_data_writer.h"
#include "nastran/element_cards.h"
#include "nastran/fields.h"

namespace {

struct SolidCardName {
  int32_t shape;
  const char* name;
};
constexpr SolidCardName kSolidCardNames[] = {
    {5, "CTETRA"},
    {7, "CPENTA"},
    {8, "CHEXA"},
};

constexpr int kFirstLineNodes = 6;
constexpr int kContinuationNodes = 8;

}  // namespace

CardResult WriteSolidCard(ElementRecord& element, int /*position*/) {
  const char* name = nullptr;
  for (const SolidCardName& card : kSolidCardNames) {
    if (card.shape == element.shape) name = card.name;
  }
  if (name == nullptr) return CardResult::kNoCard;

  // The node slots already hold node numbers.
  const int nodeCount = ElementNodeCount(element);
  const int32_t* nodes = element.nodeIndexes;

  // A solid without a property is written with property 1.
  if (element.deckPropertyId == 0) element.deckPropertyId = 1;

  WriteCardStart(name, element.externalNumber, element.deckPropertyId);
  OutputStream->Put(' ');
  int written = std::min(kFirstLineNodes, nodeCount);
  WriteIntegerFields(nodes, written, 1, 0);
  while (written < nodeCount) {
    const int count = std::min(kContinuationNodes, nodeCount - written);
    WriteIntegerFields(nodes + written, count, 1, 1);
    written += count;
  }
  return CardResult::kWritten;
}
