#include "lnb_skew.h"

#include <cmath>
#include "angles.h"
#include "vector3.h"

namespace vantorel {
namespace {

// The skew takes the true pi (angles.h), not the look angles' 3.141592654: it
// has no past digits to keep, and so the equator's 90 degrees come out
// exactly rather than as 89.99999998825.

// Below this sine of the angle between the line of sight and the vertical the
// site is taken as straight under (or over) the satellite: 1e-9 is a site
// some 5 mm from that point, far inside a hundredth of a second of a typed
// coordinate (30 cm), and so close the skew turns with every millimetre.
constexpr double kVertical = 1e-9;

struct SinCos {
  double sin, cos;
};

// The sine and cosine of an angle in degrees, exact at every multiple of 90:
// the angle is reduced exactly to within 45 degrees of one, so a pole, the
// satellite's own meridian and the opposite one give a skew of exactly 0
// rather than a rounding residue such as -0.000000000000014.
SinCos sinCosDegrees(double degrees) {
  int quadrant = 0;
  const double r = std::remquo(degrees, 90.0, &quadrant) * kRadiansPerDegree;
  const double s = std::sin(r), c = std::cos(r);
  switch (quadrant & 3) {  // the quotient's low bits, two's complement for a negative one
    case 0: return {s, c};
    case 1: return {c, -s};
    case 2: return {-s, -c};
    default: return {-c, s};
  }
}

}  // namespace

LnbSkewResult lnbSkew(const OnecalcInputs& in) {
  // The look angles' frame: x in the site's meridian plane, y East, z along
  // the Earth's axis, lengths in orbit radii; only the longitude difference
  // matters. lambda is the satellite's longitude East of the site's, exact in
  // a double (a Single minus a whole number).
  const SinCos phi = sinCosDegrees(static_cast<double>(in.SiteLatitude));
  const SinCos lambda =
      sinCosDegrees(static_cast<double>(in.SiteLongitude) - static_cast<double>(in.SatelliteLongitude));
  const double k = constants::EarthOverOrbit;

  const Vector3 up{phi.cos, 0, phi.sin};
  const Vector3 axis{0, 0, 1};
  const Vector3 d{lambda.cos - k * phi.cos, lambda.sin, -k * phi.sin};  // satellite minus site
  const double distance = std::sqrt(dot(d, d));                     // at least 1 - k
  const Vector3 u{d.x / distance, d.y / distance, d.z / distance};

  // u x a is a's part across the line of sight turned a quarter turn about u.
  // Both references turned alike keep the angle between them, and the cross
  // product keeps its full relative precision near the vertical, where
  // a - (a.u)u would cancel. The wave's reference is never short: the
  // satellite lies in the equatorial plane, far outside the Earth, so the
  // line of sight is never along the axis.
  const Vector3 dish = cross(u, up);
  const Vector3 wave = cross(u, axis);
  LnbSkewResult r;
  if (std::sqrt(dot(dish, dish)) >= kVertical) {
    // A positive turn about u is clockwise to an eye looking along u.
    double skew = std::atan2(dot(u, cross(dish, wave)), dot(dish, wave)) / kRadiansPerDegree;
    if (skew > 90) {
      skew -= 180;
    } else if (skew <= -90) {
      skew += 180;
    }
    r.Skew = static_cast<Single>(skew);
    // A skew within a Single's rounding of -90 is stored as -90, which the
    // fold puts at 90.
    if (r.Skew == -90) r.Skew = 90;
  }
  r.Text = singleToText(r.Skew);
  return r;
}

}  // namespace vantorel
