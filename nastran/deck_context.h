// What the card routines of one deck share: where they write, the model, the
// options of the deck, the indexes of the model they search, and the counts
// of what the deck warns about once it is written. BulkDataWriter makes one
// per deck and hands it to every card routine.
#pragma once

#include <cstdint>
#include <vector>

#include "model/model.h"
#include "model/output_file.h"

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

// A key of a sorted index with the 0-based position of its entry.
struct KeyedPosition {
  uint64_t key;
  int32_t position;
};

// The sorted indexes the card routines search: property records by type code
// and id, nodes by number (only when some node's number is not its position)
// and frames by id. Built once, before the element section; the first entry
// of a key is the first in model order.
class DeckIndexes {
 public:
  // Indexes the model as it stands (property type codes already normalised).
  // In geometry-only mode no property record is indexed.
  void Build(const Model& model, bool geometryOnly);

  // 1-based position in properties of the first record with this type code
  // and id; 0 when there is none.
  int32_t FirstRecord(int32_t typeCode, int32_t id) const;
  // 0-based position in nodes of the first node numbered g; -1 when none.
  int32_t NodePosition(const Model& model, int32_t g) const;
  // The first frame with this id, or null.
  const FrameRecord* Frame(const Model& model, int32_t id) const;

  bool HasRecords() const { return !records_.empty(); }

 private:
  std::vector<KeyedPosition> records_;
  std::vector<KeyedPosition> nodes_;
  std::vector<KeyedPosition> frames_;
};

struct DeckContext {
  DeckContext(OutputFile& file, Model& deckModel, bool geometryOnlyDeck)
      : out(&file), model(deckModel), geometryOnly(geometryOnlyDeck) {}

  OutputFile* out;     // the main file, or a side file once split
  Model& model;        // the model being written
  bool geometryOnly;   // only geometry is written: no property ids, data or constraints
  DeckIndexes indexes;
  DeckWarningCounts warnings;
};
