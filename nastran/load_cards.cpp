// Load cards: pressure loads on elements (PLOAD, PLOAD1, PLOAD2, PLOAD4) and
// loads on nodes (FORCE, MOMENT, SPC, SPCD).
//
// Node and element indexes in load values count from 1; one below 1 or beyond
// the node or element table is written as an empty field, like index 0.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string_view>

#include "model/checked_numbers.h"
#include "nastran/bulk_data_writer.h"
#include "nastran/fields.h"

namespace {

constexpr int kPload = 10;
constexpr int kPload1 = 11;
constexpr int kPload2 = 12;
constexpr int kPload4 = 14;

// PLOAD1 load types (index 1 to 12) and scale kinds (index 1 to 4); index 0
// stands in for anything out of range.
constexpr std::string_view kPload1LoadTypes[] = {"FX", "FX", "FY",  "FZ",  "FXE", "FYE", "FZE",
                                                 "MX", "MY", "MZ", "MXE", "MYE", "MZE"};
constexpr std::string_view kPload1ScaleKinds[] = {"LE", "LE", "FR", "LEPR", "FRPR"};

// PLOAD1 element indexes and PLOAD2 element numbers: lists ended by the first 0.
constexpr int kPload1ListStart = 6;
constexpr int kPload2ListStart = 1;
constexpr int kLoadValues = 32;
// PLOAD2 runs of at least this many consecutive numbers become THRU cards.
constexpr int kThruMinimum = 5;
constexpr int kPload2NumbersPerCard = 6;

struct NodeLoadCard {
  std::string_view name;
  int firstDof;  // degree of freedom of the first component; 0 for a vector card
};

// Card by node load kind; kinds outside 0 to 5 are treated as 0.
constexpr NodeLoadCard kNodeLoadCards[] = {
    {"FORCE", 0}, {"MOMENT", 0}, {"SPC", 1}, {"SPC", 4}, {"SPCD", 1}, {"SPCD", 4},
};
constexpr int kNodeLoadKinds = static_cast<int>(std::size(kNodeLoadCards));

// Records whose components all lie below this magnitude write nothing.
constexpr double kSmallestComponent = 1.0e-8;



// External number of the node with a 1-based index; 0 (an empty field) for an
// index outside the node table.
int32_t NodeNumberAt(const Model& model, int32_t index) {
  if (index < 1 || static_cast<std::size_t>(index) > UsableCount(model.nodeCount, model.nodes)) return 0;
  return model.nodes[static_cast<std::size_t>(index) - 1].externalNumber;
}



void WritePload(const Model& model, const DistributedLoadRecord& load) {
  WriteCardStart("PLOAD", load.loadSet);
  WriteNumberFields(load.values, 1, 0, 0);  // pressure
  int32_t grids[4];
  for (int k = 0; k < 4; ++k) grids[k] = NodeNumberAt(model, TruncateToInt32(load.values[1 + k]));
  WriteIntegerFields(grids, 4, 1, 0);
}

void WritePload1(OutputFile& out, const Model& model, const DistributedLoadRecord& load) {
  int32_t loadType = TruncateToInt32(load.values[0]);
  if (loadType < 1 || loadType >= static_cast<int32_t>(std::size(kPload1LoadTypes))) loadType = 1;
  int32_t scale = TruncateToInt32(load.values[1]);
  if (scale < 1 || scale >= static_cast<int32_t>(std::size(kPload1ScaleKinds))) scale = 1;
  const std::size_t elementCount = UsableCount(model.elementCount, model.elements);

  for (int p = kPload1ListStart; p < kLoadValues; ++p) {
    const int32_t index = TruncateToInt32(load.values[p]);
    if (index == 0) break;
    WriteCardStart("PLOAD1", load.loadSet);
    if (index >= 1 && static_cast<std::size_t>(index) <= elementCount)
      WriteIntegerText(model.elements[static_cast<std::size_t>(index) - 1].externalNumber);
    else
      out.Write(" ,");
    out.Put(' ');
    out.Write(kPload1LoadTypes[loadType]);
    out.Write(", ");
    out.Write(kPload1ScaleKinds[scale]);
    out.Put(',');
    WriteNumberFields(load.values + 2, 4, 1, 0);  // X1, P1, X2, P2
  }
}

void WritePload2(OutputFile& out, const DistributedLoadRecord& load) {
  // The element numbers, as they stand in the values; 0 marks a number taken
  // into a THRU card.
  int32_t numbers[kLoadValues];
  int count = 0;
  for (int p = kPload2ListStart; p < kLoadValues; ++p) {
    const int32_t number = TruncateToInt32(load.values[p]);
    if (number == 0) break;
    numbers[count++] = number;
  }

  for (int first = 0; first < count;) {
    int last = first;
    while (last + 1 < count && static_cast<int64_t>(numbers[last + 1]) == static_cast<int64_t>(numbers[last]) + 1)
      ++last;
    if (last - first + 1 >= kThruMinimum) {
      WriteCardStart("PLOAD2", load.loadSet);
      WriteNumberFields(load.values, 1, 0, 0);
      out.Put(' ');
      out.WriteInt(numbers[first]);
      out.Write(", THRU, ");
      out.WriteInt(numbers[last]);
      out.Write(",\n");
      std::fill(numbers + first, numbers + last + 1, 0);
    }
    first = last + 1;
  }

  int32_t line[kPload2NumbersPerCard];
  int onLine = 0;
  auto flush = [&] {
    WriteCardStart("PLOAD2", load.loadSet);
    WriteNumberFields(load.values, 1, 0, 0);
    WriteIntegerFields(line, onLine, 1, 0);
    onLine = 0;
  };
  for (int k = 0; k < count; ++k) {
    if (numbers[k] == 0) continue;
    line[onLine++] = numbers[k];
    if (onLine == kPload2NumbersPerCard) flush();
  }
  if (onLine > 0) flush();
}

void WritePload4(OutputFile& out, const Model& model, DistributedLoadRecord& load) {
  // G1 and G3 are node indexes; the record keeps the node numbers in their place.
  int32_t grids[2];
  for (int k = 0; k < 2; ++k) {
    float& slot = load.values[4 + k];
    const int32_t index = TruncateToInt32(slot);
    grids[k] = index == 0 ? 0 : NodeNumberAt(model, index);
    if (index != 0) slot = static_cast<float>(grids[k]);
  }
  WriteCardStart("PLOAD4", load.loadSet);
  out.Put(' ');
  out.WriteInt(load.elementNumber);
  out.Put(',');
  WriteNumberFields(load.values, 4, 0, 0);  // P1 to P4
  WriteIntegerFields(grids, 2, 1, 0);
  if (load.values[7] != 0.0f || load.values[8] != 0.0f || load.values[9] != 0.0f) {
    static constexpr FieldForm kFrameThenDirection[4] = {FieldForm::kInteger, FieldForm::kNumber,
                                                         FieldForm::kNumber, FieldForm::kNumber};  // CID, N1, N2, N3
    const double fields[4] = {load.values[6], load.values[7], load.values[8], load.values[9]};
    WriteFormFields(fields, kFrameThenDirection, 4, 1, 1);
  }
}

}  // namespace

int WriteDistributedLoadCards() {
  Model& model = *CurrentModel;
  OutputFile& out = *OutputStream;
  const std::size_t count = UsableCount(model.distributedLoadCount, model.distributedLoads);
  for (std::size_t i = 0; i < count; ++i) {
    DistributedLoadRecord& load = model.distributedLoads[i];
    switch (load.cardKind) {
      case kPload: WritePload(model, load); break;
      case kPload1: WritePload1(out, model, load); break;
      case kPload2: WritePload2(out, load); break;
      case kPload4: WritePload4(out, model, load); break;
      default: break;  // no card of this kind
    }
  }
  return model.distributedLoadCount;
}

int WriteNodeForceCards() {
  const Model& model = *CurrentModel;
  OutputFile& out = *OutputStream;
  const std::size_t count = UsableCount(model.nodeLoadCount, model.nodeLoads);
  for (std::size_t i = 0; i < count; ++i) {
    const NodeLoadRecord& load = model.nodeLoads[i];
    const int kind = load.kind >= 0 && load.kind < kNodeLoadKinds ? load.kind : 0;
    const NodeLoadCard& card = kNodeLoadCards[kind];
    const float* c = load.components;
    if (std::fabs(c[0]) < kSmallestComponent && std::fabs(c[1]) < kSmallestComponent &&
        std::fabs(c[2]) < kSmallestComponent)
      continue;

    if (card.firstDof == 0) {
      // Name, set, grid, frame, magnitude, vector.
      WriteCardStart(card.name, load.loadSet);
      WriteIntegerText(load.nodeNumber);
      WriteIntegerText(load.frameId);
      const float values[4] = {load.scale, c[0], c[1], c[2]};
      WriteNumberFields(values, 4, 1, 0);
      continue;
    }

    // Up to two (grid, component, value) triples to a card; zero components are skipped.
    int written = 0;
    for (int k = 0; k < 3; ++k) {
      if (c[k] == 0.0f) continue;
      ++written;
      if (written == 2) {
        WriteIntegerText(load.nodeNumber);
      } else {
        if (written == 3) out.Put('\n');
        WriteCardStart(card.name, load.loadSet);
        WriteIntegerText(load.nodeNumber);
      }
      WriteIntegerText(card.firstDof + k);
      WriteNumberFields(c + k, 1, 0, 0);
    }
    out.Put('\n');
  }
  return model.nodeLoadCount;
}
