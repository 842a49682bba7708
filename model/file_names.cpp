#include "model/file_names.h"

void CutShortExtension(std::string& name) {
  const std::string::size_type dot = name.rfind('.');
  if (dot != std::string::npos && name.size() - dot <= 4) name.erase(dot);
}
