#pragma once
// Three-dimensional vectors for the look angles' frame: x in the site's
// meridian plane, y East, z along the Earth's axis, lengths in orbit radii.
// The look angles, the LNB skew and the mount all work in it.

#include <cmath>

namespace vantorel {

struct Vector3 {
  double x, y, z;
};

inline double dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vector3 cross(const Vector3& a, const Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double length(const Vector3& a) { return std::sqrt(dot(a, a)); }

}  // namespace vantorel
