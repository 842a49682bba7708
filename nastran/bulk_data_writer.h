// The NASTRAN bulk data deck writer: the deck driver, the writer state that
// every card routine shares, and the card routines by family.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/model.h"
#include "model/output_file.h"

// Writer state, shared by every card routine while a deck is written.
extern OutputFile* OutputStream;  // the main file, or a side file once split
extern Model* CurrentModel;       // the model being written

// What the deck leaves out or cannot write as the model means it, counted
// while the deck is written and reported after it, one warning line per kind.
struct DeckWarningCounts {
  int64_t elementsWithoutCard = 0;   // their class has no card
  int64_t mpcWithoutData = 0;        // MPC elements without their element data record
  int64_t loadsWithoutCard = 0;      // distributed loads whose card kind has no card
  int64_t unselectableMpcCards = 0;  // MPC cards whose set id cannot be selected
  int64_t undefinedFrames = 0;       // GRID cards whose CD no frame card defines
  int64_t longMpcSetIds = 0;         // MPC cards not written: a set id of more than eight characters
  int64_t solidsWithoutProperty = 0; // written with property id 1, which no PSOLID card defines
  int64_t unknownSectionTypes = 0;   // PBARL and PBEAML cards not written
  int64_t sharedPropertyIds = 0;     // ids written on more than one property card
  int64_t loadsOutsideSetIds = 0;    // load records not written: a load set outside the set ids
  int64_t nonFiniteValues = 0;       // NaN or infinity, written as empty fields
};
extern DeckWarningCounts DeckWarnings;  // reset by BulkDataWriter

// Writes the deck. Returns 0 when the deck (and any side files) were written
// completely, 1 when a file could not be created or written; the failure is
// reported on standard output with one line. The title loses a short
// extension; when splitting, outputPath ends up naming the last side file.
int BulkDataWriter(std::string& outputPath, Model& model, std::string& title, int geometryOnly, int split,
                   int writeConstraints);

// Card routines; they read CurrentModel and write to OutputStream.
// Returns the number of GRID cards whose displacement frame (CD) no frame
// card defines.
int64_t WriteGridCards(int constraintFields);  // grid_cards.cpp
void WriteElementCards();                    // element_cards.cpp; counts go to DeckWarnings
int WriteFrameCards();                       // frame_cards.cpp
int WriteMaterialCards();                    // material_cards.cpp
int WritePropertyCards();                    // property_cards.cpp
int WriteDistributedLoadCards();             // load_cards.cpp
int WriteNodeForceCards();                   // load_cards.cpp
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
