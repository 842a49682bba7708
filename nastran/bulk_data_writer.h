// The NASTRAN bulk data deck writer: the deck driver, the writer state that
// every card routine shares, and the card routines by family.
#pragma once

#include <cstdint>
#include <string>

#include "model/model.h"
#include "model/output_file.h"

// Writer state, shared by every card routine while a deck is written.
extern OutputFile* OutputStream;  // the main file, or a side file once split
extern Model* CurrentModel;       // the model being written
extern int NonFiniteValueReported;  // a NaN or infinity has been warned about in this run

// Writes the deck. Returns 0 when the deck (and any side files) were written
// completely, 1 when a file could not be created or written; the failure is
// reported on standard output with one line. The title loses a short
// extension; when splitting, outputPath ends up naming the last side file.
int BulkDataWriter(std::string& outputPath, Model& model, std::string& title, int geometryOnly, int split,
                   int writeConstraints);

// Card routines; they read CurrentModel and write to OutputStream.
void WriteGridCards(int constraintFields);   // grid_cards.cpp
// Elements the element section left out.
struct ElementsNotWritten {
  int64_t withoutCard = 0;     // their class has no card
  int64_t mpcWithoutData = 0;  // MPC elements without their element data record
};
ElementsNotWritten WriteElementCards();      // element_cards.cpp
int WriteFrameCards();                       // frame_cards.cpp
int WriteMaterialCards();                    // material_cards.cpp
int WritePropertyCards();                    // property_cards.cpp
int WriteDistributedLoadCards();             // load_cards.cpp
int WriteNodeForceCards();                   // load_cards.cpp
// Distributed load records whose card kind has no card.
int64_t DistributedLoadsWithoutCard(const Model& model);  // load_cards.cpp
