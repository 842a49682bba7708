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
  int64_t solidsWithoutProperty = 0; // written with property id 1, which no PSOLID card defines
  int64_t unknownSectionTypes = 0;   // PBARL and PBEAML cards not written
  int64_t sharedPropertyIds = 0;     // ids written on more than one property card
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
void WriteElementCards();                    // element_cards.cpp
int WriteFrameCards();                       // frame_cards.cpp
int WriteMaterialCards();                    // material_cards.cpp
int WritePropertyCards();                    // property_cards.cpp
int WriteDistributedLoadCards();             // load_cards.cpp
int WriteNodeForceCards();                   // load_cards.cpp
// The constraint sets of load sets whose node loads write SPC cards (held
// components, and the companions of prescribed displacements). With B the
// larger of 100 and the largest load set number, the k-th such load set in
// subcase order (from 0 here) has its SPC cards in set B + k + 1, and its
// subcase selects set B + n + k + 1, which adds that set to set 100.
struct LoadSetConstraints {
  int64_t base = 100;                               // B
  std::vector<int32_t> loadSets;                    // in subcase order
  std::unordered_map<int32_t, std::size_t> order;   // load set -> k
  int64_t ConstraintSet(int32_t loadSet) const;     // B + k + 1 (the load set itself when none)
  int64_t SubcaseSet(std::size_t k) const;          // B + n + k + 1
};
LoadSetConstraints LoadSetConstraintSets(const Model& model);  // load_cards.cpp

// Distinct load set numbers in order of first appearance (the subcases).
std::vector<int32_t> LoadSetList(const Model& model);           // bulk_data_writer.cpp

// The set ids of the MPC cards the element section writes, in element order.
std::vector<int32_t> MpcCardSetIds(const Model& model);         // line_cards.cpp

// Distributed load records whose card kind has no card.
int64_t DistributedLoadsWithoutCard(const Model& model);  // load_cards.cpp
