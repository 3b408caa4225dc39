#include "sun_bearing.h"

#include <chrono>
#include <cmath>

#include "angles.h"
#include "sun_position.h"

namespace vantorel {
namespace {

constexpr double kDay = 86400;
constexpr double kSecondsPerDegreeOfTurn = 240;  // the Earth turns a degree in four minutes
constexpr double kStep = 300;                    // seconds between the samples searched
constexpr double kSmallestStep = 0.05;           // seconds: the moment to a tenth
// A change of sign this far from the bearing is the azimuth passing its
// opposite, not the bearing.
constexpr double kNearBearing = 90;

double offBearing(const SunPlace& sun, double azimuth) { return halfTurns(sun.azimuth - azimuth); }

UtcInstant instant(CalendarDate date, double second) {
  const double days = std::floor(second / kDay);
  return {calendarDateOf(sysDays(date) + std::chrono::days(static_cast<long>(days))), second - days * kDay};
}

}  // namespace

std::vector<SunOnBearing> sunOnBearing(CalendarDate date, double latitude, double longitudeEast, double azimuth) {
  const SunDay day(date, latitude, longitudeEast);
  // From local solar midnight to the next, so that the whole daylight of a
  // site far from Greenwich falls in one search.
  const double first = -longitudeEast * kSecondsPerDegreeOfTurn;
  std::vector<SunOnBearing> moments;
  double before = first;
  SunPlace sunBefore = day.at(before);
  for (double after = first + kStep; after <= first + kDay; after += kStep) {
    const SunPlace sunAfter = day.at(after);
    const double a = offBearing(sunBefore, azimuth), b = offBearing(sunAfter, azimuth);
    if ((a < 0) != (b < 0) && std::fabs(a) < kNearBearing && std::fabs(b) < kNearBearing) {
      double low = before, high = after;
      while (high - low > kSmallestStep) {
        const double middle = (low + high) / 2;
        ((offBearing(day.at(middle), azimuth) < 0) == (a < 0) ? low : high) = middle;
      }
      const double moment = (low + high) / 2;
      const SunPlace sun = day.at(moment);
      if (sun.elevation > 0) moments.push_back({instant(date, moment), sun.elevation});
    }
    before = after;
    sunBefore = sunAfter;
  }
  return moments;
}

}  // namespace vantorel
