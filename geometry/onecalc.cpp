#include "onecalc.h"

#include <cmath>

#include "calc_error.h"
#include "vector3.h"

namespace vantorel {
namespace {

using constants::Pi;

// A floating-point test point: a fault earlier in the step shows as a value
// that is no longer finite (all inputs are finite), except a division by zero
// whose infinity a later operation absorbs; divisors are checked by divide().
double checked(double value) {
  if (std::isnan(value)) throw CalcError(Field::Calculation, Fault::InvalidOperation, {});
  if (std::isinf(value)) throw CalcError(Field::Calculation, Fault::Overflow, {});
  return value;
}

double divide(double dividend, double divisor) {
  if (divisor == 0.0) throw CalcError(Field::Calculation, Fault::DivisionByZero, {});
  return dividend / divisor;
}

// A store into a Single, which overflows if the double does not fit.
Single single(double value) { return static_cast<Single>(checked(static_cast<double>(static_cast<Single>(checked(value))))); }

// The closed form for a northern site and a satellite less than 90 degrees
// of longitude away. The order of operations and the Single stores follow the
// formula as it has always been evaluated, so the displayed digits stay put.
void closedForm(OnecalcResult& r) {
  // Below this many degrees a difference is no difference: its sine is so
  // small that the elevation ratio overflows a Single (or its radians vanish
  // altogether), so it is replaced as a zero difference is. A typed longitude
  // only comes this close to a whole degree with some thirty zeros after the
  // point, so no other result changes.
  constexpr double kNoDifference = 1e-30;
  if (std::fabs(static_cast<double>(r.LongitudeDifference)) < kNoDifference) {
    r.LongitudeDifference = single(constants::ZeroDifference);
  }
  r.LongitudeDifferenceRadians = single(static_cast<double>(r.LongitudeDifference) * (Pi / 180));

  const double q = divide(std::tan(static_cast<double>(r.LongitudeDifferenceRadians)),
                          std::sin(static_cast<double>(r.LatitudeRadians)));
  const double AzimuthOffset = std::atan(checked(q));  // radians from due south, toward west
  // The magnetic azimuth is taken from the double, not from the Single, so
  // it is rounded once.
  const double A = 180 + AzimuthOffset * (180 / Pi);
  r.AzimuthMagnetic = magneticAzimuth(A, r.declination);
  r.AzimuthTrue = single(A);

  const double cl = std::cos(static_cast<double>(r.LatitudeRadians));
  const double sd = std::sin(static_cast<double>(r.LongitudeDifferenceRadians));
  const double sa = std::sin(static_cast<double>(r.AzimuthTrue) * (Pi / 180));
  const double cd = std::cos(static_cast<double>(r.LongitudeDifferenceRadians));
  double sinDeltaOverSinAzimuth;
  if (std::fabs(A - 180) < constants::SouthBand) {
    // Near due south sin(AzimuthTrue) is a tiny number read off a Single whose
    // rounding swamps it (up to 7 degrees of elevation on the site's own
    // meridian). sin Delta / sin Azimuth equals -sqrt((cos Delta sin phi)^2 +
    // sin^2 Delta) exactly, so take that instead.
    const double c = cd * std::sin(static_cast<double>(r.LatitudeRadians));
    sinDeltaOverSinAzimuth = -std::sqrt(c * c + sd * sd);
  } else {
    sinDeltaOverSinAzimuth = divide(sd, sa);
  }
  r.ElevationRatio = single(divide((cd * cl) - constants::EarthOverOrbit, sinDeltaOverSinAzimuth));

  const double e = checked(-std::atan(static_cast<double>(r.ElevationRatio)));
  r.Elevation = single(e * (180 / Pi));
  r.closedForm = true;
}

// Everywhere else: the site on a unit sphere and the satellite on the orbit,
// both as vectors in a frame whose x axis lies in the site's meridian plane
// (the problem depends only on the longitude difference), projected on the
// site's local east, north and up axes. Lengths are in orbit radii.
// The inputs are taken as doubles, not from the Single working values: far
// from south the azimuth can turn several times faster than the longitude
// difference, and a Single's rounding would show in the last digit.
void vectorForm(const OnecalcInputs& in, OnecalcResult& r) {
  const double phi = static_cast<double>(in.SiteLatitude) * (Pi / 180);
  // East longitude of the satellite relative to the site; West is positive in
  // the inputs, so the sign turns.
  const double lambda =
      -(static_cast<double>(in.SatelliteLongitude) - static_cast<double>(in.SiteLongitude)) * (Pi / 180);
  const double k = constants::EarthOverOrbit;

  const Vector3 site{k * std::cos(phi), 0, k * std::sin(phi)};
  const Vector3 satellite{std::cos(lambda), std::sin(lambda), 0};
  const Vector3 d{satellite.x - site.x, satellite.y - site.y, satellite.z - site.z};
  const Vector3 east{0, 1, 0};
  const Vector3 north{-std::sin(phi), 0, std::cos(phi)};
  const Vector3 up{std::cos(phi), 0, std::sin(phi)};

  const double de = dot(d, east);
  const double dn = dot(d, north);
  const double du = dot(d, up);
  double azimuth = std::atan2(de, dn) * (180 / Pi);
  if (azimuth < 0) azimuth += 360;
  const double elevation = std::atan2(du, std::hypot(de, dn)) * (180 / Pi);

  r.AzimuthMagnetic = magneticAzimuth(azimuth, r.declination);
  r.AzimuthTrue = single(azimuth);
  r.Elevation = single(elevation);
}

}  // namespace

// The declination is East positive, so the magnetic azimuth is the true one
// less the declination ("east is least"). The double is brought into
// [0, 360) before its one rounding; a value a hair below 360 may still round
// to 360, which a compass reads as north too.
Single magneticAzimuth(double azimuthTrue, Single declination) {
  double magnetic = azimuthTrue - static_cast<double>(declination);
  if (magnetic < 0) {
    magnetic += 360;
  } else if (magnetic >= 360) {
    magnetic -= 360;
  }
  return single(magnetic);
}

OnecalcResult onecalc(const OnecalcInputs& in) {
  OnecalcResult r;
  r.declination = in.Declination;
  r.LatitudeRadians = single(static_cast<double>(in.SiteLatitude) * (Pi / 180));
  // The difference of the two Singles is stored as a Single.
  r.LongitudeDifference = single(static_cast<double>(in.SatelliteLongitude) - static_cast<double>(in.SiteLongitude));

  // North is judged on the stored radians: a latitude so small that its
  // radians underflow to zero (below about 4e-44 degrees) has no sine to
  // divide by, and is on the equator for the vector form.
  const bool north = r.LatitudeRadians > 0 && in.SiteLatitude <= 90;
  if (north && std::fabs(r.LongitudeDifference) < 90) {
    closedForm(r);
  } else {
    vectorForm(in, r);
  }

  r.azimuthTrueText = singleToText(r.AzimuthTrue);
  r.azimuthMagneticText = singleToText(r.AzimuthMagnetic);
  r.elevationText = singleToText(r.Elevation);
  return r;
}

}  // namespace vantorel
