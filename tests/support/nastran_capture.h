// Runs NASTRAN card routines against a model and returns what they wrote.
#pragma once

#include <functional>
#include <string>

#include "nastran/bulk_data_writer.h"
#include "tests/support/test_support.h"

namespace testing_support {

// Makes a deck context for the model that writes to a scratch file (indexes
// built as the deck driver builds them), runs the routine with it, and
// returns the text written. Counts of warnings go to *warnings when given.
inline std::string CaptureCards(Model& model, const std::function<void(DeckContext&)>& routine,
                                bool geometryOnly = false, DeckWarningCounts* warnings = nullptr) {
  ScratchDir scratch;
  const std::string path = scratch / "cards.txt";
  OutputFile file;
  if (!file.Open(path)) throw std::runtime_error(file.Error());
  DeckContext deck(file, model, geometryOnly);
  deck.indexes.Build(model, geometryOnly);
  routine(deck);
  if (warnings != nullptr) *warnings = deck.warnings;
  if (!file.Close()) throw std::runtime_error(file.Error());
  return ReadWholeFile(path);
}

}  // namespace testing_support
