#pragma once
// Look angles from a site to a geostationary satellite.
//
// Notation (degrees unless named ...Radians):
//   SiteLatitude        phi, North positive
//   SiteLongitude       degrees West, East negative
//   SatelliteLongitude  degrees West, East negative; the window rounds it to
//                       whole degrees before it gets here, the command line
//                       takes it as typed
//   LongitudeDifference Delta = SatelliteLongitude - SiteLongitude, positive
//                       when the satellite lies west of the site
//   Declination         magnetic declination, East positive, West negative
//   AzimuthMagnetic     what a compass reads: AzimuthTrue - Declination,
//                       within 0 to 360
//   AzimuthTrue         clockwise from true north; 180 is due south
//   Elevation           above the horizon, negative below it
// The Earth is a sphere; the orbit enters only as the ratio of the Earth's
// radius to the geostationary radius, 0.15126.
//
// For a site north of the equator and a satellite less than 90 degrees of
// longitude away, the closed form
//   AzimuthTrue = 180 + atan(tan Delta / sin phi)
//   Elevation   = -atan((cos Delta cos phi - 0.15126) / (sin Delta / sin AzimuthTrue))
// is evaluated step by step with Single stores at fixed points; those stores
// and their order decide the last displayed digit. Everywhere else the angles
// come from the site and satellite as vectors in local east/north/up axes.

#include <array>
#include <string>
#include <string_view>

#include "numeric_text.h"

namespace vantorel {

struct OnecalcInputs {
  Single SiteLatitude = 0;
  Single SiteLongitude = 0;
  Single SatelliteLongitude = 0;
  Single Declination = 0;
};

struct OnecalcResult {
  // Working values, kept for inspection; the closed form fills all of them,
  // the vector form only the first three.
  Single declination = 0;  // the declination as taken at entry
  Single LatitudeRadians = 0;
  Single LongitudeDifference = 0;
  Single LongitudeDifferenceRadians = 0;
  Single ElevationRatio = 0;
  bool closedForm = false;  // which of the two evaluations produced the results

  Single AzimuthTrue = 0;
  Single AzimuthMagnetic = 0;
  Single Elevation = 0;

  // The three results as they are shown, under kResultLabels.
  std::string azimuthTrueText;
  std::string azimuthMagneticText;
  std::string elevationText;
};

// The names of the three results, as their labels show them.
inline constexpr std::array<std::string_view, 3> kResultLabels = {"AZIMUTH TRUE", "AZIMUTH MAGNETIC", "ELEVATION"};

// Throws CalcError(Field::Calculation, DivisionByZero / InvalidOperation /
// Overflow) if a step's arithmetic fails; no result is returned then.
OnecalcResult onecalc(const OnecalcInputs& in);

// What a compass reads for the true azimuth azimuthTrue (degrees, as a
// double) at a site of the given declination (East positive): the true
// azimuth less the declination, brought into [0, 360) and then rounded once
// to a Single. Throws CalcError(Field::Calculation, Overflow) for a value
// that is not finite.
Single magneticAzimuth(double azimuthTrue, Single declination);

namespace constants {
// 3.141592654 as typed, bit pattern 400921FB54524550; about 4.1e-10 above pi.
// Every degree/radian conversion uses this value, not M_PI.
inline constexpr double Pi = 3.141592654;
// Earth radius over geostationary orbit radius, bit pattern 3FC35C7CD898B2EA.
inline constexpr double EarthOverOrbit = 0.15126;
// Replaces a longitude difference of exactly zero, whose sine would make the
// elevation's divisor zero; stored as the Single -9.99999975e-6 (B727C5AC).
inline constexpr double ZeroDifference = -0.00001;
// Within this many degrees of due south the Single azimuth no longer carries
// the sine the elevation divides by, so the divisor is taken in closed form.
inline constexpr double SouthBand = 0.01;
}  // namespace constants

}  // namespace vantorel
