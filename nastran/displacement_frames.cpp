#include "nastran/displacement_frames.h"

#include <algorithm>
#include <cmath>

#include "model/checked_numbers.h"
#include "nastran/bulk_data_writer.h"
#include "nastran/element_cards.h"

namespace {

struct Vector {
  double x, y, z;
};

Vector Difference(const float (&to)[3], const float (&from)[3]) {
  return {static_cast<double>(to[0]) - from[0], static_cast<double>(to[1]) - from[1],
          static_cast<double>(to[2]) - from[2]};
}

Vector Difference(const double* to, const double* from) { return {to[0] - from[0], to[1] - from[1], to[2] - from[2]}; }

double Length(const Vector& v) { return std::sqrt((v.x * v.x + v.y * v.y) + v.z * v.z); }

double Dot(const Vector& a, const Vector& b) { return (a.x * b.x + a.y * b.y) + a.z * b.z; }

Vector Cross(const Vector& a, const Vector& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector Scaled(const Vector& v, double length) { return {v.x / length, v.y / length, v.z / length}; }

// a ex + b ey + c ez, coordinate by coordinate, summed in that order.
Vector Combine(double a, const Vector& ex, double b, const Vector& ey, double c, const Vector& ez) {
  return {(a * ex.x + b * ey.x) + c * ez.x, (a * ex.y + b * ey.y) + c * ez.y, (a * ex.z + b * ey.z) + c * ez.z};
}

// A zero coordinate counts as +0, so that a point on an axis has angle 0.
double PositiveZero(double v) { return v == 0.0 ? 0.0 : v; }

enum FrameKind { kRectangular = 1, kCylindrical = 2, kSpherical = 3 };

// Whether the field routines write a field empty: 0.0, an empty-field marker
// in a data value, or a value that is not a number.
bool WrittenEmpty(double v, FieldForm form) {
  if (!std::isfinite(v) || v == 0.0) return true;
  return form == FieldForm::kReal && TruncateToInt32(v) == BLANK_FIELD;
}

// The axes of a frame through A, B and C as the neutral file constructs them:
// ez along AB, ey normal to the plane of AB and AC, ex completing the
// right-handed set. False when a length on the way is 0.
bool Axes(const Vector& ab, const Vector& ac, Vector& ex, Vector& ey, Vector& ez) {
  const double abLength = Length(ab);
  if (abLength == 0.0) return false;
  ez = Scaled(ab, abLength);
  const Vector normal = Cross(ez, ac);
  const double normalLength = Length(normal);
  if (normalLength == 0.0) return false;
  ey = Scaled(normal, normalLength);
  const Vector third = Cross(ey, ez);
  const double thirdLength = Length(third);
  if (thirdLength == 0.0) return false;
  ex = Scaled(third, thirdLength);
  return true;
}

}  // namespace

bool WritesDisplacementFrame(const DeckContext& deck, const NodeRecord& node) {
  return !deck.geometryOnly && node.constraintCode != 0 && node.outputFrameId != 0;
}

bool FrameAxes(const double (&points)[9], double (&ex)[3], double (&ez)[3]) {
  Vector x{}, y{}, z{};
  if (!Axes(Difference(points + 3, points), Difference(points + 6, points), x, y, z)) return false;
  const double xs[3] = {x.x, x.y, x.z};
  const double zs[3] = {z.x, z.y, z.z};
  std::copy(xs, xs + 3, ex);
  std::copy(zs, zs + 3, ez);
  return true;
}

bool ComponentsInFrame(const FrameRecord& frame, const float (&at)[3], const double (&vector)[3], float (&out)[3]) {
  if (frame.kind != kRectangular && frame.kind != kCylindrical && frame.kind != kSpherical) return false;
  Vector ex{}, ey{}, ez{};
  if (!Axes(Difference(frame.axisPoint, frame.origin), Difference(frame.planePoint, frame.origin), ex, ey, ez))
    return false;

  Vector directions[3] = {ex, ey, ez};
  if (frame.kind != kRectangular) {
    const Vector p = Difference(at, frame.origin);
    const double px = PositiveZero(Dot(ex, p));
    const double py = PositiveZero(Dot(ey, p));
    if (frame.kind == kCylindrical) {
      const double theta = std::atan2(py, px);
      const double c = std::cos(theta);
      const double s = std::sin(theta);
      directions[0] = Combine(c, ex, s, ey, 0.0, ez);
      directions[1] = Combine(-s, ex, c, ey, 0.0, ez);
    } else {
      const double pz = PositiveZero(Dot(ez, p));
      const double theta = std::atan2(std::sqrt(px * px + py * py), pz);
      const double phi = std::atan2(py, px);
      const double st = std::sin(theta), ct = std::cos(theta);
      const double sp = std::sin(phi), cp = std::cos(phi);
      directions[0] = Combine(st * cp, ex, st * sp, ey, ct, ez);
      directions[1] = Combine(ct * cp, ex, ct * sp, ey, -st, ez);
      directions[2] = Combine(-sp, ex, cp, ey, 0.0, ez);
    }
  }
  const Vector v{vector[0], vector[1], vector[2]};
  for (int k = 0; k < 3; ++k) out[k] = static_cast<float>(Dot(directions[k], v));
  return true;
}

void ExpressInDisplacementFrame(const DeckContext& deck, int32_t gridNumber, double* fields, FieldForm* forms) {
  const int32_t position = FindNodePosition(deck, gridNumber);
  if (position < 0) return;
  const NodeRecord& grid = deck.model.nodes[static_cast<std::size_t>(position)];
  if (!WritesDisplacementFrame(deck, grid)) return;
  const FrameRecord* frame = FindFrame(deck, grid.outputFrameId);
  if (frame == nullptr) return;
  double vector[3];
  for (int c = 0; c < 3; ++c) vector[c] = WrittenEmpty(fields[c], forms[c]) ? 0.0 : fields[c];
  float components[3];
  if (!ComponentsInFrame(*frame, grid.coordinates, vector, components)) return;
  for (int c = 0; c < 3; ++c) {
    fields[c] = components[c];
    forms[c] = FieldForm::kNumber;
  }
}
