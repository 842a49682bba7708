// The NASTRAN bulk data deck writer: the deck driver and the card routines by
// family, which share one DeckContext per deck.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/console.h"
#include "model/model.h"
#include "model/output_file.h"
#include "nastran/deck_context.h"

// Writes the deck. Returns 0 when the deck (and any side files) were written
// completely, 1 when a file could not be created or written; the failure is
// reported on standard output with one line. The title loses a short
// extension; when splitting, outputPath ends up naming the last side file.
int BulkDataWriter(std::string& outputPath, Model& model, std::string& title, int geometryOnly, int split,
                   int writeConstraints, Console& console);

// Card routines; they write deck.model's cards to deck.out.
// Returns the number of GRID cards whose displacement frame (CD) no frame
// card defines.
int64_t WriteGridCards(DeckContext& deck, int constraintFields);  // grid_cards.cpp
void WriteElementCards(DeckContext& deck);          // element_cards.cpp; counts go to deck.warnings
int WriteFrameCards(DeckContext& deck);             // frame_cards.cpp
int WriteMaterialCards(DeckContext& deck);          // material_cards.cpp
int WritePropertyCards(DeckContext& deck);          // property_cards.cpp
int WriteDistributedLoadCards(DeckContext& deck);   // load_cards.cpp
int WriteNodeForceCards(DeckContext& deck);         // load_cards.cpp

// Set identification numbers (load, constraint and MPC sets) are integers
// from 1 to 99,999,999: at most eight characters, the width of a small field.
// Load records of a load set outside that range write no card.
constexpr int64_t kLargestSetId = 99999999;
inline bool IsSetId(int64_t id) { return id >= 1 && id <= kLargestSetId; }

// The constraint sets of load sets whose node loads write SPC cards (held
// components, and the companions of prescribed displacements). With B the
// larger of 100 and the largest load set number, the k-th such load set in
// subcase order (from 0 here) has its SPC cards in set B + k + 1, and its
// subcase selects set B + n + k + 1, which adds that set to set 100. When
// B + 2n would pass the largest set id, the sets are instead the 2n smallest
// numbers above 100 that no load set has, in the same order.
struct LoadSetConstraints {
  std::vector<int32_t> loadSets;                    // in subcase order
  std::unordered_map<int32_t, std::size_t> order;   // load set -> k
  std::vector<int64_t> setIds;                      // the n sets of SPC cards, then the n subcase sets
  int64_t OwnSet(std::size_t k) const { return setIds[k]; }
  int64_t SubcaseSet(std::size_t k) const { return setIds[loadSets.size() + k]; }
  int64_t ConstraintSet(int32_t loadSet) const;     // OwnSet of the load set (the load set itself when none)
};
LoadSetConstraints LoadSetConstraintSets(const Model& model);  // load_cards.cpp

// Distinct load set numbers from 1 to kLargestSetId in order of first
// appearance (the subcases).
std::vector<int32_t> LoadSetList(const Model& model);           // bulk_data_writer.cpp

// Load records whose load set is outside 1 to kLargestSetId.
int64_t LoadRecordsOutsideSetIds(const Model& model);           // load_cards.cpp

// The set ids of the MPC elements that have their element data record, in
// element order (those of more than eight characters are not written).
std::vector<int32_t> MpcCardSetIds(const Model& model);         // line_cards.cpp

// Distributed load records of a load set within 1 to kLargestSetId whose card
// kind has no card.
int64_t DistributedLoadsWithoutCard(const Model& model);  // load_cards.cpp
