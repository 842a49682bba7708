// Packet 5: one per coordinate frame whose three points span a plane, with
// the points and the frame's axis directions. The axes are computed in single
// precision, exactly in the order written here (the build forbids contraction
// into fused multiply-add), so that the digits written do not depend on the
// compiler.
#include <algorithm>
#include <cmath>

#include "model/checked_numbers.h"
#include "patran/columns.h"
#include "patran/neutral_file_writer.h"

namespace {

struct Vector3 {
  float x, y, z;
};

Vector3 Difference(const float (&to)[3], const float (&from)[3]) {
  return {to[0] - from[0], to[1] - from[1], to[2] - from[2]};
}

// Square root of the sum of squares, the sum kept in single precision.
float VectorLength(const Vector3& v) {
  float sum = v.x * v.x;
  sum += v.y * v.y;
  sum += v.z * v.z;
  return std::sqrt(sum);
}

// out = a x b. With normalise set and a length above 1.0E-6, out becomes a
// unit vector and the result is 1; otherwise out stays as computed and the
// result is its length.
float CrossProduct(const Vector3& a, const Vector3& b, Vector3& out, bool normalise) {
  out.x = a.y * b.z - b.y * a.z;
  out.y = a.z * b.x - b.z * a.x;
  out.z = a.x * b.y - a.y * b.x;
  const float length = VectorLength(out);
  if (normalise && length > 1.0e-6) {
    out.x = out.x / length;
    out.y = out.y / length;
    out.z = out.z / length;
    return 1.0f;
  }
  return length;
}

void PutVector(OutputFile& file, const float* values, int& written) {
  for (int i = 0; i < 3; ++i) {
    columns::PutExponent(file, values[i]);
    ++written;
    if (written % 5 == 0 || written == 18) file.Put('\n');
  }
}

void PutVector(OutputFile& file, const Vector3& v, int& written) {
  const float values[3] = {v.x, v.y, v.z};
  PutVector(file, values, written);
}

}  // namespace

int WriteFramePackets(OutputFile& file, const Model& model) {
  const int count = static_cast<int>(UsableCount(model.frameCount, model.frames));
  for (int i = 0; i < count; ++i) {
    const FrameRecord& frame = model.frames[i];
    const Vector3 ab = Difference(frame.axisPoint, frame.origin);
    const Vector3 ac = Difference(frame.planePoint, frame.origin);

    // B on A: no third axis.
    const float abLength = VectorLength(ab);
    if (abLength < 1.0e-5) continue;
    const Vector3 ez{ab.x / abLength, ab.y / abLength, ab.z / abLength};

    // C on the line AB: no plane.
    Vector3 ey{};
    if (CrossProduct(ez, ac, ey, true) < 1.0e-5) continue;
    Vector3 ex{};
    CrossProduct(ey, ez, ex, true);

    columns::PutHeader(file, 5, frame.id, frame.kind, 4);
    file.Put('\n');
    int written = 0;
    PutVector(file, frame.origin, written);
    PutVector(file, frame.axisPoint, written);
    PutVector(file, frame.planePoint, written);
    PutVector(file, ex, written);
    PutVector(file, ey, written);
    PutVector(file, ez, written);
  }
  return model.frameCount;
}
