#include "multifeed.h"

#include <cmath>

#include "angles.h"
#include "onecalc.h"
#include "vector3.h"

namespace vantorel {
namespace {

constexpr double kSpeedOfLight = 299792458;  // m/s
constexpr double kHalfPowerBeamwidth = 70;   // degrees times lambda over D

// The unit line of sight from the site (latitude phi) to a satellite
// lambda degrees of longitude East of it, in the look angles' frame.
Vector3 lineOfSight(double phi, double lambda) {
  const double k = constants::EarthOverOrbit;
  const double p = phi * kRadiansPerDegree, l = lambda * kRadiansPerDegree;
  const Vector3 d{std::cos(l) - k * std::cos(p), std::sin(l), -k * std::sin(p)};
  const double n = length(d);
  return {d.x / n, d.y / n, d.z / n};
}

Vector3 unit(const Vector3& a) {
  const double n = length(a);
  return {a.x / n, a.y / n, a.z / n};
}

Vector3 minus(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vector3 times(double s, const Vector3& a) { return {s * a.x, s * a.y, s * a.z}; }

// Monoblocks as they are sold: the difference of the two orbital positions
// each serves. Makers state the feeds' spacing on few of them; none is
// stated here, so the sheet gives the spacing this dish needs to compare.
constexpr Monoblock kMonoblocks[] = {
    {4.3, "Astra 19.2E and Astra 23.5E", std::nullopt},
    {6.2, "Hotbird 13E and Astra 19.2E (also sold as 6°)", std::nullopt},
};

}  // namespace

DishOptics dishOptics(double diameterMm, std::optional<double> focalMm, double frequencyGigahertz) {
  return {diameterMm, focalMm.value_or(kAssumedFocalRatio * diameterMm), !focalMm.has_value(), frequencyGigahertz};
}

double beamDeviationFactor(const DishOptics& dish) {
  const double q = dish.diameterMm / (4 * dish.focalMm);
  return (1 + 0.36 * q * q) / (1 + q * q);
}

MultifeedOffset multifeedOffset(double latitude, double longitudeWest, double mainLongitudeWest,
                                double extraLongitudeWest, const DishOptics& dish) {
  const Vector3 u = lineOfSight(latitude, longitudeWest - mainLongitudeWest);
  const Vector3 v = lineOfSight(latitude, longitudeWest - extraLongitudeWest);
  const double p = latitude * kRadiansPerDegree;
  // The view's up: the vertical across u, or the axis where u is the
  // vertical (straight overhead on the equator).
  Vector3 up = minus(Vector3{std::cos(p), 0, std::sin(p)}, times(dot(Vector3{std::cos(p), 0, std::sin(p)}, u), u));
  if (length(up) < 1e-9) up = minus(Vector3{0, 0, 1}, times(u.z, u));
  up = unit(up);
  const Vector3 right = cross(u, up);
  const Vector3 across = minus(v, times(dot(v, u), u));  // v's part across the line of sight

  MultifeedOffset m;
  m.separation = std::atan2(length(across), dot(u, v)) / kRadiansPerDegree;
  m.offsetMm = dish.focalMm * std::tan(m.separation * kRadiansPerDegree) / beamDeviationFactor(dish);
  if (length(across) > 0) {
    const double sideways = dot(across, right) / length(across), upward = dot(across, up) / length(across);
    m.acrossMm = -m.offsetMm * sideways;
    m.upMm = -m.offsetMm * upward;
  }
  const double lambdaMm = kSpeedOfLight / (dish.frequencyGigahertz * 1e9) * 1000;
  const double beamwidth = kHalfPowerBeamwidth * lambdaMm / dish.diameterMm;
  const double fd = dish.focalMm / dish.diameterMm;
  const double scanned = m.separation / beamwidth / (0.44 + 22 * fd * fd);
  m.lossDb = scanned * scanned;
  return m;
}

std::optional<Monoblock> monoblockFor(double difference) {
  for (const Monoblock& block : kMonoblocks) {
    if (std::fabs(std::fabs(difference) - block.difference) <= kMonoblockMatch) return block;
  }
  return std::nullopt;
}

}  // namespace vantorel
