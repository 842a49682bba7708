#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "model/checked_numbers.h"
#include "nastran/bulk_data_writer.h"
#include "nastran/displacement_frames.h"
#include "nastran/fields.h"

namespace {

// Card name by frame kind (1 rectangular, 2 cylindrical, 3 spherical).
constexpr std::string_view kFrameCardNames[] = {"", "CORD2R", "CORD2C", "CORD2S"};

// The axes of a frame whose points the short fields round may turn; beyond
// this difference in any component the frame is written in large fields.
constexpr double kAxisTolerance = 1.0e-4;

// Fixed-column large-field layout: an eight-column name field, four
// sixteen-column data fields, the last eight columns left empty.
constexpr std::size_t kNameColumns = 8;
constexpr std::size_t kLargeFieldColumns = 16;
constexpr std::size_t kLargeFieldsPerLine = 4;
// Digits of a coordinate's text: 14 less the length of its whole part
// (sign included); a longer whole part takes the exponent form.
constexpr int kLargeFieldDigits = 14;
constexpr int kLargeFieldExponentDecimals = 8;

// Whether the frame's axes, as the solver builds them from the nine fields
// written in short form, stray from those of its points: the short forms
// keep about five digits, which far from the origin can turn the axes.
bool ShortFieldsTurnTheAxes(const FrameRecord& frame) {
  double points[9];
  double readBack[9];
  const float* const sources[3] = {frame.origin, frame.axisPoint, frame.planePoint};
  for (int p = 0; p < 3; ++p) {
    for (int c = 0; c < 3; ++c) {
      const float value = sources[p][c];
      if (!std::isfinite(value)) return false;
      points[3 * p + c] = value;
      readBack[3 * p + c] = ReadBackNumberField(value);
    }
  }
  double ex[3], ez[3], readEx[3], readEz[3];
  if (!FrameAxes(points, ex, ez)) return false;
  if (!FrameAxes(readBack, readEx, readEz)) return true;
  for (int c = 0; c < 3; ++c) {
    if (std::fabs(readEx[c] - ex[c]) > kAxisTolerance || std::fabs(readEz[c] - ez[c]) > kAxisTolerance) return true;
  }
  return false;
}

// The text of a coordinate in a large field (at most 15 characters): empty
// for 0.0; else fixed point with 14 - k decimals, k the length of the value
// rounded to a whole number (sign included), trailing zeros dropped down to
// one decimal; the exponent form with eight decimals when k is above 13.
// The text reads back within half a unit of its last decimal, exactly for
// magnitudes from 65536 to below 1e12. Returns the end.
char* LargeFieldText(double value, char* out, char* end) {
  if (value == 0.0) return out;
  const int wholeLength = static_cast<int>(std::to_chars(out, end, value, std::chars_format::fixed, 0).ptr - out);
  if (wholeLength > kLargeFieldDigits - 1) {
    char* last = std::to_chars(out, end, value, std::chars_format::scientific, kLargeFieldExponentDecimals).ptr;
    std::replace(out, last, 'e', 'E');
    return last;
  }
  char* last = std::to_chars(out, end, value, std::chars_format::fixed, kLargeFieldDigits - wholeLength).ptr;
  while (last[-1] == '0' && last[-2] != '.') --last;
  return last;
}

// One line of the large-field card: the name field and up to four fields,
// each text right-justified in its sixteen columns, trailing blanks dropped.
void WriteLargeFieldLine(OutputFile& out, std::string_view name, const std::string_view* fields, std::size_t count) {
  char line[kNameColumns + kLargeFieldsPerLine * kLargeFieldColumns];
  std::memset(line, ' ', sizeof line);
  std::memcpy(line, name.data(), std::min(name.size(), kNameColumns));
  for (std::size_t f = 0; f < count; ++f) {
    const std::size_t length = std::min(fields[f].size(), kLargeFieldColumns);
    if (length == 0) continue;
    std::memcpy(line + kNameColumns + (f + 1) * kLargeFieldColumns - length, fields[f].data(), length);
  }
  std::size_t used = sizeof line;
  while (used > 0 && line[used - 1] == ' ') --used;
  out.Write(std::string_view(line, used));
  out.Put('\n');
}

// The frame as a fixed-column large-field card (the solver takes the form of
// each card on its own, so it may stand among free-field cards): CID, an
// empty RID, A1 and A2; A3 and B; C, each coordinate with all the digits its
// float needs.
void WriteLargeFieldFrame(OutputFile& out, std::string_view cardName, const FrameRecord& frame) {
  char texts[10][32];
  std::string_view fields[12];
  const char* idEnd = std::to_chars(texts[0], texts[0] + sizeof texts[0], frame.id).ptr;
  fields[0] = std::string_view(texts[0], static_cast<std::size_t>(idEnd - texts[0]));
  fields[1] = std::string_view();
  const float* const sources[3] = {frame.origin, frame.axisPoint, frame.planePoint};
  for (int p = 0; p < 3; ++p) {
    for (int c = 0; c < 3; ++c) {
      char* text = texts[1 + 3 * p + c];
      const char* last = LargeFieldText(sources[p][c], text, text + sizeof texts[0]);
      fields[2 + 3 * p + c] = std::string_view(text, static_cast<std::size_t>(last - text));
    }
  }
  char name[kNameColumns + 1] = {};
  const std::size_t nameLength = std::min(cardName.size(), kNameColumns - 1);
  std::memcpy(name, cardName.data(), nameLength);
  name[nameLength] = '*';
  WriteLargeFieldLine(out, std::string_view(name, nameLength + 1), fields, 4);
  WriteLargeFieldLine(out, "*", fields + 4, 4);
  WriteLargeFieldLine(out, "*", fields + 8, 3);
}

}  // namespace

// One frame card per frame of a known kind, defined by three points in the
// basic system: the id, a blank reference frame, A and B on the first line,
// C on the continuation line. A frame whose axes the short fields would
// turn is written in large fields. A frame of any other kind has no card.
int WriteFrameCards(DeckContext& deck) {
  OutputFile& out = *deck.out;
  const Model& model = deck.model;
  const std::size_t count = UsableCount(model.frameCount, model.frames);
  for (std::size_t i = 0; i < count; ++i) {
    const FrameRecord& frame = model.frames[i];
    if (frame.kind < 1 || frame.kind >= static_cast<int32_t>(std::size(kFrameCardNames))) continue;
    if (ShortFieldsTurnTheAxes(frame)) {
      WriteLargeFieldFrame(out, kFrameCardNames[frame.kind], frame);
      continue;
    }
    out.Write(kFrameCardNames[frame.kind]);
    out.Write(", ");
    out.WriteInt(frame.id);
    out.Write(", ,");
    const float firstLine[6] = {frame.origin[0],    frame.origin[1],    frame.origin[2],
                                frame.axisPoint[0], frame.axisPoint[1], frame.axisPoint[2]};
    WriteNumberFields(deck, firstLine, 6, 1, 0);
    WriteNumberFields(deck, frame.planePoint, 3, 1, 1);
  }
  return model.frameCount;
}
