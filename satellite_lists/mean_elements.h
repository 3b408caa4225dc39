#pragma once
// Where a geostationary satellite stands, from the mean orbital elements that
// CelesTrak publishes for it (as OMM or as a TLE).
//
// The elements are those of SGP4, in its TEME frame (the true equator and the
// mean equinox of the epoch): angles in degrees, the mean motion in
// revolutions a day, the epoch in UTC. Near geostationary means a mean
// motion of 0.9 to 1.1 revolutions a day and an eccentricity under 0.1.
//
// The station longitude below is what the mean elements say. An SGP4
// propagation to the epoch adds its lunisolar periodic terms, which it does
// not make zero at the epoch: the two differ by up to about 0.045 degree, a
// twentieth of a small dish's beam. Without those terms they agree within
// 0.002 degree (tests/satellite_lists).

#include <optional>
#include <string_view>

#include "satellite_list.h"

namespace vantorel {

struct MeanElements {
  double meanMotion = 0;             // revolutions a day, over 0
  double eccentricity = 0;           // 0 to under 1
  double inclination = 0;            // degrees, 0 to 180
  double rightAscensionOfNode = 0;   // degrees
  double argumentOfPerigee = 0;      // degrees
  double meanAnomaly = 0;            // degrees
  UtcInstant epoch;
};

namespace orbit {
// The Earth's rotation in revolutions a mean solar day, as the IAU 1982
// sidereal time has it: a satellite with this mean motion stays put.
inline constexpr double kSiderealRevolutionsPerDay = 1.00273790935;
inline constexpr double kLowestMeanMotion = 0.9;   // revolutions a day
inline constexpr double kHighestMeanMotion = 1.1;  // revolutions a day
inline constexpr double kHighestEccentricity = 0.1;  // excluded
}  // namespace orbit

// Whether the elements are those of a near-geostationary orbit, as above.
bool isNearGeostationary(const MeanElements& elements);

// The longitude under the satellite at the epoch, degrees East positive,
// (-180, 180]: the right ascension of the node, plus the angle from the node
// along the orbit (the argument of perigee plus the true anomaly, which the
// mean anomaly gives through Kepler's equation), projected onto the
// equator for the inclination, minus the Greenwich mean sidereal time of the
// epoch (IAU 1982, UT1 taken as UTC: under 0.004 degree apart).
double stationLongitude(const MeanElements& elements);

// How far the satellite moves in longitude a day, East positive:
// (mean motion - kSiderealRevolutionsPerDay) * 360.
double driftPerDay(double meanMotion);

// The position and orbital state of a near-geostationary object.
OrbitalState orbitalState(const MeanElements& elements);

// An OMM epoch, ISO 8601 in UTC: "2026-11-30T12:34:56.123456", the fraction
// of a second and a final "Z" optional. Nothing for any other text or a day
// or time that does not exist.
std::optional<UtcInstant> parseIsoEpoch(std::string_view text);

// A TLE epoch, columns 19 to 32 of line 1: "26334.52425434", a two-digit
// year (57 to 99 are 1957 to 1999, 00 to 56 are 2000 to 2056) and the day of
// the year with its fraction, 1.0 being 1 January at midnight.
std::optional<UtcInstant> parseTleEpoch(std::string_view text);

}  // namespace vantorel
