// Solid element cards: CTETRA, CPENTA and CHEXA with all their nodes, for the
// node counts these cards can hold.
#include <algorithm>
#include <cstdint>

#include "nastran/bulk_data_writer.h"
#include "nastran/element_cards.h"
#include "nastran/fields.h"

namespace {

// Card by shape, with the node counts the card can hold.
struct SolidCard {
  int32_t shape;
  const char* name;
  int minimumNodes;
  int maximumNodes;
};
constexpr SolidCard kSolidCards[] = {
    {5, "CTETRA", 4, 10},
    {7, "CPENTA", 6, 15},
    {8, "CHEXA", 8, 20},
};

constexpr int kFirstLineNodes = 6;
constexpr int kContinuationNodes = 8;

}  // namespace

CardResult WriteSolidCard(DeckContext& deck, DeckElement& element) {
  const SolidCard* card = nullptr;
  for (const SolidCard& row : kSolidCards) {
    if (row.shape == element.shape) card = &row;
  }
  const int nodeCount = ElementNodeCount(element);
  if (card == nullptr || nodeCount < card->minimumNodes || nodeCount > card->maximumNodes) return CardResult::kNoCard;
  const char* name = card->name;

  const int32_t* nodes = element.nodeNumbers;

  // A solid without a property is written with property 1; the deck driver
  // warns about them when no PSOLID card has that id.
  if (GiveDefaultPropertyId(element)) ++deck.warnings.solidsWithoutProperty;

  WriteCardStart(deck, name, element.externalNumber, DeckPropertyId(element));
  deck.out->Put(' ');
  int written = std::min(kFirstLineNodes, nodeCount);
  WriteIntegerFields(deck, nodes, written, 1, 0);
  while (written < nodeCount) {
    const int count = std::min(kContinuationNodes, nodeCount - written);
    WriteIntegerFields(deck, nodes + written, count, 1, 1);
    written += count;
  }
  return CardResult::kWritten;
}
