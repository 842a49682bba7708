#include "nastran/bulk_data_writer.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/checked_numbers.h"
#include "model/console.h"
#include "model/date_text.h"
#include "model/file_names.h"
#include "nastran/fields.h"

namespace {

// The id of the constraint set written as SPC1 cards and requested by SPC=100.
constexpr std::string_view kConstraintSetRequest = "SPC=100\n";

// Property type codes that several element classes share are brought to the
// code of the group's first class plus 1000, so that the element card
// routines match every class of a group to the same property record.
struct TypeCodeRewrite {
  int32_t first;
  int32_t last;
  int32_t code;
};
constexpr TypeCodeRewrite kTypeCodeRewrites[] = {
    {1000, 1009, 1001}, {1010, 1019, 1011}, {1020, 1029, 1021}, {1030, 1039, 1031},
    {1104, 1104, 1103}, {1106, 1106, 1105}, {1111, 1112, 1110}, {1114, 1115, 1113},
    {1121, 1122, 1120}, {1124, 1125, 1123}, {1127, 1128, 1126}, {1131, 1131, 1130},
};

void RewritePropertyTypeCodes(Model& model) {
  const std::size_t count = UsableCount(model.propertyCount, model.properties);
  for (std::size_t i = 0; i < count; ++i) {
    int32_t& code = model.properties[i].typeCode;
    for (const TypeCodeRewrite& rewrite : kTypeCodeRewrites) {
      if (code >= rewrite.first && code <= rewrite.last) {
        code = rewrite.code;
        break;
      }
    }
  }
}


// The sets the case control selects: the global constraint set of the SPC1
// cards, the MPC sets of the element section, and the load sets' own
// constraint sets.
struct SetSelection {
  bool spc1 = false;              // the deck has SPC1 cards (set 100)
  std::vector<int32_t> mpcSets;   // distinct MPC set ids within the set ids, in order of first appearance
  int64_t mpcRequest = 0;         // the MPC set requested (the MPCADD set for several); 0 = none
  int64_t unselectableMpcCards = 0;
  LoadSetConstraints loadSets;
};

SetSelection SelectSets(const Model& model, int writeConstraints) {
  SetSelection selection;
  if (writeConstraints) {
    const std::size_t nodeCount = UsableCount(model.nodeCount, model.nodes);
    for (std::size_t i = 0; i < nodeCount && !selection.spc1; ++i) {
      selection.spc1 = model.nodes[i].constraintCode != 0 && model.nodes[i].externalNumber != 0;
    }
  }
  std::unordered_set<int32_t> seen;
  for (int32_t id : MpcCardSetIds(model)) {
    if (!IsSetId(id)) {
      ++selection.unselectableMpcCards;
    } else if (seen.insert(id).second) {
      selection.mpcSets.push_back(id);
    }
  }
  if (selection.mpcSets.size() == 1) {
    selection.mpcRequest = selection.mpcSets.front();
  } else if (!selection.mpcSets.empty()) {
    selection.mpcRequest = int64_t{*std::max_element(selection.mpcSets.begin(), selection.mpcSets.end())} + 1;
  }
  selection.loadSets = LoadSetConstraintSets(model);
  return selection;
}

// The type code of PSOLID records.
constexpr int32_t kSolidPropertyCode = 1061;

bool HasPropertyRecord(const Model& model, int32_t typeCode, int32_t id) {
  const std::size_t count = UsableCount(model.propertyCount, model.properties);
  for (std::size_t i = 0; i < count; ++i) {
    if (model.properties[i].typeCode == typeCode && model.properties[i].id == id) return true;
  }
  return false;
}

void WriteSetRequest(OutputFile& out, std::string_view request, int64_t set) {
  out.Write(request);
  out.WriteInt(set);
  out.Put('\n');
}

void WriteCaseControl(OutputFile& out, const Model& model, const std::string& title, const SetSelection& sets) {
  out.Write("$ Project file: ");
  out.Write(title);
  out.Write("\n$ Date:  ");
  out.Write(DateText(WritingMoment()));
  out.Write("\n$\nSOL 101\nCEND\n$\nTITLE=");
  out.Write(title);
  out.Write("\nECHO=BOTH\nDISP=ALL\nFORCE=ALL\nSPCF=ALL\nSTRESS=ALL\n");
  // Above the first subcase, so that the sets apply to every subcase. A set
  // that no card defines is not requested: solvers stop on it.
  if (sets.spc1) out.Write(kConstraintSetRequest);
  if (sets.mpcRequest != 0) WriteSetRequest(out, "MPC=", sets.mpcRequest);
  const std::vector<int32_t> loadSets = LoadSetList(model);
  for (std::size_t k = 0; k < loadSets.size(); ++k) {
    out.Write("SUBCASE ");
    out.WriteInt(static_cast<long long>(k) + 1);
    out.Write("\nSUBTITLE = Load case  ");
    out.WriteInt(loadSets[k]);
    out.Write("\nLOAD=");
    out.WriteInt(loadSets[k]);
    out.Put('\n');
    const auto own = sets.loadSets.order.find(loadSets[k]);
    if (own != sets.loadSets.order.end()) WriteSetRequest(out, "SPC=", sets.loadSets.SubcaseSet(own->second));
  }
  out.Write("$\n$\nBEGIN BULK\n");
}

// One SPCADD per load set with its own constraints: the set its subcase
// requests is the load set's constraint set together with set 100.
void WriteConstraintSetUnions(OutputFile& out, const SetSelection& sets) {
  for (std::size_t k = 0; k < sets.loadSets.loadSets.size(); ++k) {
    out.Write("SPCADD, ");
    out.WriteInt(sets.loadSets.SubcaseSet(k));
    out.Write(sets.spc1 ? ", 100, " : ", ");
    out.WriteInt(sets.loadSets.OwnSet(k));
    out.Write(",\n");
  }
}

// The MPCADD card that joins several MPC sets into the set the case control
// requests: seven ids on the first line, eight on each continuation line.
void WriteMpcSetUnion(DeckContext& deck, const SetSelection& sets) {
  OutputFile& out = *deck.out;
  if (sets.mpcSets.size() < 2) return;
  out.Write("MPCADD, ");
  out.WriteInt(sets.mpcRequest);
  out.Put(',');
  constexpr std::size_t kFirstLine = 7;
  constexpr std::size_t kContinuation = 8;
  for (std::size_t i = 0; i < sets.mpcSets.size(); ++i) {
    if (i == kFirstLine || (i > kFirstLine && (i - kFirstLine) % kContinuation == 0)) {
      out.Put('\n');
      out.Write(CONTINUATION_START);
    }
    WriteIntegerText(deck, sets.mpcSets[i]);
  }
  out.Put('\n');
}

// SPC1 cards of set 100: for every distinct non-zero constraint code, THRU
// cards for runs of at least three nodes that are neighbours in the node
// array with consecutive numbers, then the remaining nodes on single-entry
// lines (six numbers on the first line, eight on each continuation line).
void WriteConstraintCards(OutputFile& out, const Model& model) {
  const std::size_t nodeCount = UsableCount(model.nodeCount, model.nodes);

  // Node positions per code, codes in order of first appearance. A node
  // numbered 0 names no grid point and is left out.
  std::vector<int32_t> codes;
  std::vector<std::vector<std::size_t>> members;
  std::unordered_map<int32_t, std::size_t> codeIndex;
  int32_t previousCode = 0;
  std::size_t previousIndex = 0;
  for (std::size_t i = 0; i < nodeCount; ++i) {
    const int32_t code = model.nodes[i].constraintCode;
    if (code == 0) continue;
    if (code != previousCode) {
      const auto [at, added] = codeIndex.try_emplace(code, codes.size());
      if (added) {
        codes.push_back(code);
        members.emplace_back();
      }
      previousCode = code;
      previousIndex = at->second;
    }
    if (model.nodes[i].externalNumber != 0) members[previousIndex].push_back(i);
  }

  constexpr std::size_t kFirstLineNumbers = 6;
  constexpr std::size_t kContinuationNumbers = 8;
  constexpr std::size_t kShortestRange = 3;
  std::vector<char> inRange;
  for (std::size_t c = 0; c < codes.size(); ++c) {
    const std::vector<std::size_t>& positions = members[c];
    inRange.assign(positions.size(), 0);
    for (std::size_t first = 0; first < positions.size();) {
      std::size_t end = first + 1;
      while (end < positions.size() && positions[end] == positions[end - 1] + 1 &&
             static_cast<int64_t>(model.nodes[positions[end]].externalNumber) ==
                 static_cast<int64_t>(model.nodes[positions[end - 1]].externalNumber) + 1) {
        ++end;
      }
      if (end - first >= kShortestRange) {
        out.Write("SPC1, 100, ");
        out.WriteInt(codes[c]);
        out.Write(", ");
        out.WriteInt(model.nodes[positions[first]].externalNumber);
        out.Write(", THRU, ");
        out.WriteInt(model.nodes[positions[end - 1]].externalNumber);
        out.Put('\n');
        std::fill(inRange.begin() + static_cast<std::ptrdiff_t>(first),
                  inRange.begin() + static_cast<std::ptrdiff_t>(end), 1);
      }
      first = end;
    }

    std::size_t onLine = 0;
    std::size_t lineLimit = kFirstLineNumbers;
    for (std::size_t j = 0; j < positions.size(); ++j) {
      if (inRange[j]) continue;
      if (onLine == 0) {
        if (lineLimit == kFirstLineNumbers) {
          out.Write("SPC1, 100, ");
          out.WriteInt(codes[c]);
        } else {
          out.Write("   ");
        }
      }
      out.Put(',');
      out.WriteInt(model.nodes[positions[j]].externalNumber);
      if (++onLine == lineLimit) {
        out.Put('\n');
        onLine = 0;
        lineLimit = kContinuationNumbers;
      }
    }
    if (onLine > 0) out.Put('\n');
  }
}

// The side file name: the text from the last '.' of the file name on is
// replaced by the suffix; a name without a '.' gets the suffix appended.
void ReplaceExtension(std::string& path, std::string_view suffix) {
  const std::string::size_type dot = path.rfind('.');
  const std::string::size_type slash = path.rfind('/');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
  path += suffix;
}

int Report(Console& console, const std::string& error) { return ReportOutputFailure(console, error); }

int Report(Console& console, const OutputFile& file) { return Report(console, file.Error()); }

// A deck named like one of its side files (deck.nprop, deck.nload) would be
// replaced by that side file.
bool SideFileReplacesDeck(const std::string& outputPath) {
  std::string properties = outputPath;
  ReplaceExtension(properties, ".nprop");
  std::string loads = properties;
  ReplaceExtension(loads, ".nload");
  return properties == outputPath || loads == outputPath;
}

// Closes the current file and continues in the side file named by suffix.
bool SwitchToSideFile(OutputFile& file, std::string& outputPath, std::string_view suffix) {
  if (!file.Close()) return false;
  ReplaceExtension(outputPath, suffix);
  return file.Open(outputPath);
}

// One warning line per kind of what the deck leaves out or cannot write as
// the model means it, with its count.
void WarnAboutDeck(Console& console, const DeckWarningCounts& counts) {
  struct Notice {
    int64_t count;
    const char* one;
    const char* many;
  };
  const Notice notices[] = {
      {counts.elementsWithoutCard, "element has no NASTRAN card and was not written",
       "elements have no NASTRAN card and were not written"},
      {counts.mpcWithoutData, "MPC element has no element data record and was not written",
       "MPC elements have no element data record and were not written"},
      {counts.loadsWithoutCard, "distributed load has a card kind without NASTRAN card and was not written",
       "distributed loads have a card kind without NASTRAN card and were not written"},
      {counts.unselectableMpcCards, "MPC card has a set id that no solver accepts",
       "MPC cards have a set id that no solver accepts"},
      {counts.undefinedFrames, "node has a displacement frame (CD) that no frame card defines",
       "nodes have a displacement frame (CD) that no frame card defines"},
      {counts.longMpcSetIds, "MPC card has a set id of more than eight characters and was not written",
       "MPC cards have a set id of more than eight characters and were not written"},
      {counts.solidsWithoutProperty,
       "solid element has no property and was written with property id 1, which no PSOLID card defines",
       "solid elements have no property and were written with property id 1, which no PSOLID card defines"},
      {counts.unknownSectionTypes,
       "PBARL/PBEAML card has a section type outside the table (0 to 18) and was not written",
       "PBARL/PBEAML cards have a section type outside the table (0 to 18) and were not written"},
      {counts.sharedPropertyIds, "property id is written on more than one property card",
       "property ids are written on more than one property card"},
      {counts.loadsOutsideSetIds, "load record has a load set outside 1 to 99999999 and was not written",
       "load records have a load set outside 1 to 99999999 and were not written"},
      {counts.nonFiniteValues, "value that is not a finite number was written as an empty field",
       "values that are not finite numbers were written as empty fields"},
  };
  for (const Notice& notice : notices) {
    if (notice.count > 0)
      console.Warning("warning: %lld %s", static_cast<long long>(notice.count),
                     notice.count == 1 ? notice.one : notice.many);
  }
  std::fflush(stdout);
}

void WriteSection(OutputFile& out, std::string_view name) {
  out.Write("$\n$ ");
  out.Write(name);
  out.Write("\n$\n");
}

}  // namespace

// Distinct load set numbers in order of first appearance, distributed loads
// first; a record with the same number as the record before it is passed
// over, and so are records whose number is no set id.
std::vector<int32_t> LoadSetList(const Model& model) {
  std::vector<int32_t> list;
  std::unordered_set<int32_t> seen;
  int32_t previous = 0;
  auto visit = [&](int32_t loadSet) {
    if (loadSet == previous || !IsSetId(loadSet)) return;
    previous = loadSet;
    if (seen.insert(loadSet).second) list.push_back(loadSet);
  };
  const std::size_t distributed = UsableCount(model.distributedLoadCount, model.distributedLoads);
  for (std::size_t i = 0; i < distributed; ++i) visit(model.distributedLoads[i].loadSet);
  const std::size_t nodeLoads = UsableCount(model.nodeLoadCount, model.nodeLoads);
  for (std::size_t i = 0; i < nodeLoads; ++i) visit(model.nodeLoads[i].loadSet);
  return list;
}

int BulkDataWriter(std::string& outputPath, Model& model, std::string& title, int geometryOnly, int split,
                   int writeConstraints, Console& console) {
  if (split && !geometryOnly && SideFileReplacesDeck(outputPath)) {
    return Report(console, "cannot write the side files of " + outputPath + ": a side file would replace the deck");
  }
  OutputFile file;
  if (!file.Open(outputPath)) return Report(console, file);
  DeckContext deck(file, model, geometryOnly != 0);

  SetSelection sets;
  if (!geometryOnly) {
    CutShortExtension(title);
    sets = SelectSets(model, writeConstraints);
    WriteCaseControl(file, model, title, sets);
    RewritePropertyTypeCodes(model);
  }
  deck.indexes.Build(model, deck.geometryOnly);

  WriteSection(file, "node data");
  deck.warnings.undefinedFrames = WriteGridCards(deck, !writeConstraints);
  if (writeConstraints || !sets.loadSets.loadSets.empty()) {
    WriteSection(file, "constraints");
    if (writeConstraints) WriteConstraintCards(file, model);
    WriteConstraintSetUnions(file, sets);
  }
  WriteSection(file, "element data");
  WriteElementCards(deck);
  // Solids without a property are written with property id 1; that is only a
  // question when no PSOLID card carries the id (geometry-only decks carry no
  // property cards at all).
  if (geometryOnly || HasPropertyRecord(model, kSolidPropertyCode, 1)) deck.warnings.solidsWithoutProperty = 0;
  WriteMpcSetUnion(deck, sets);
  WriteSection(file, "coordinate frames");
  WriteFrameCards(deck);

  if (!geometryOnly) {
    if (split && !SwitchToSideFile(file, outputPath, ".nprop")) return Report(console, file);
    WriteSection(file, "material properties");
    WriteMaterialCards(deck);
    WriteSection(file, "element properties");
    WritePropertyCards(deck);
    if (split && !SwitchToSideFile(file, outputPath, ".nload")) return Report(console, file);
    WriteSection(file, "distributed loads");
    WriteDistributedLoadCards(deck);
    WriteSection(file, "node forces");
    WriteNodeForceCards(deck);
    if (!split) file.Write("$\nENDDATA");
  }

  if (!file.Close()) return Report(console, file);
  if (!geometryOnly) {
    deck.warnings.loadsWithoutCard = DistributedLoadsWithoutCard(model);
    deck.warnings.loadsOutsideSetIds = LoadRecordsOutsideSetIds(model);
  }
  deck.warnings.unselectableMpcCards = sets.unselectableMpcCards;
  WarnAboutDeck(console, deck.warnings);
  return 0;
}
