// Runs NASTRAN card routines against a model and returns what they wrote.
#pragma once

#include <functional>
#include <string>

#include "nastran/bulk_data_writer.h"
#include "tests/support/test_support.h"

namespace testing_support {

// Points the writer state at the model and a scratch file, runs the routine,
// and returns the text written.
inline std::string CaptureCards(Model& model, const std::function<void()>& routine) {
  ScratchDir scratch;
  const std::string path = scratch / "cards.txt";
  OutputFile file;
  if (!file.Open(path)) throw std::runtime_error(file.Error());
  OutputFile* previousStream = OutputStream;
  Model* previousModel = CurrentModel;
  OutputStream = &file;
  CurrentModel = &model;
  routine();
  OutputStream = previousStream;
  CurrentModel = previousModel;
  if (!file.Close()) throw std::runtime_error(file.Error());
  return ReadWholeFile(path);
}

}  // namespace testing_support
