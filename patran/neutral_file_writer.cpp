// The neutral file driver: title and summary packets, then the packet
// routines in their fixed order, optionally with the material and property
// packets in a ".pprop" side file and the load packets in a ".pload" one.
#include "patran/neutral_file_writer.h"

#include "model/console.h"
#include "model/date_text.h"
#include "model/file_names.h"
#include "patran/columns.h"

namespace {

int ReportFailure(Console& console, const std::string& error) { return ReportOutputFailure(console, error); }
int ReportFailure(Console& console, const OutputFile& file) {
  return ReportOutputFailure(console, file.Error());
}

// Side files are named after the output path up to its first '.' (even one
// in a folder name); a path without any '.' keeps all of it.
void ReplaceExtension(std::string& path, const char* extension) {
  const std::string::size_type dot = path.find('.');
  if (dot != std::string::npos) path.erase(dot);
  path += extension;
}

// A neutral file named like one of its side files (wing.pprop, wing.pload)
// would be replaced by that side file.
bool SideFileReplacesMainFile(const std::string& outputPath) {
  std::string properties = outputPath;
  ReplaceExtension(properties, ".pprop");
  std::string loads = outputPath;
  ReplaceExtension(loads, ".pload");
  return properties == outputPath || loads == outputPath;
}

// Closes the current file and opens the side file in its place.
bool SwitchToSideFile(OutputFile& file, std::string& path, const char* extension) {
  if (!file.Close()) return false;
  ReplaceExtension(path, extension);
  return file.Open(path);
}

void WriteTitlePacket(OutputFile& file, const std::string& title) {
  columns::PutHeader(file, 25, 0, 0, 1);
  file.Put('\n');
  file.Write(title);
  file.Put('\n');
}

void WriteSummaryPacket(OutputFile& file, const Model& model) {
  columns::PutHeader(file, 26, 0, 0, 1);
  columns::PutInt8(file, model.nodeCount);
  columns::PutInt8(file, model.elementCount);
  columns::PutInt8(file, model.materialCount);
  columns::PutInt8(file, model.propertyCount);
  columns::PutInt8(file, model.frameCount);
  file.Put('\n');
  file.Write(DateText(WritingMoment()));
  file.Put('\n');
}

// One warning line, after the file is written, for the distributed loads
// whose flags do not announce their values (written as they are all the same).
void WarnAboutUnannouncedValues(Console& console, int64_t count) {
  if (count == 0) return;
  console.Warning("warning: %lld %s", static_cast<long long>(count),
                 count == 1 ? "distributed load carries a number of values that its flags do not announce"
                            : "distributed loads carry a number of values that their flags do not announce");
}

}  // namespace

int NeutralFileWriter(std::string& outputPath, const Model& model, std::string& title, int geometryOnly,
                      int split, Console& console) {
  if (split != 0 && geometryOnly == 0 && SideFileReplacesMainFile(outputPath)) {
    return ReportFailure(console, "cannot write the side files of " + outputPath +
                         ": a side file would replace the neutral file");
  }
  OutputFile file;
  if (!file.Open(outputPath)) return ReportFailure(console, file);

  CutShortExtension(title);
  WriteTitlePacket(file, title);
  WriteSummaryPacket(file, model);

  WriteNodePackets(file, model);
  WriteElementPackets(file, model);
  WriteFramePackets(file, model);

  if (geometryOnly == 0) {
    if (split != 0 && !SwitchToSideFile(file, outputPath, ".pprop")) return ReportFailure(console, file);
    WriteMaterialPackets(file, model);
    WritePropertyPackets(file, model);

    if (split != 0 && !SwitchToSideFile(file, outputPath, ".pload")) return ReportFailure(console, file);
    WriteDistributedLoadPackets(file, model);
    WriteNodeForcePackets(file, model);
    WriteNodeDisplacementPackets(file, model);
  }

  if (!file.Close()) return ReportFailure(console, file);
  if (geometryOnly == 0) WarnAboutUnannouncedValues(console, DistributedLoadsWithUnannouncedValues(model));
  return 0;
}
