#include "mean_elements.h"

#include <erfa.h>

#include <chrono>
#include <cmath>

#include "angles.h"
#include "list_source.h"

namespace vantorel {
namespace {

constexpr double kSecondsPerDay = 86400;
// Newton's method doubles the correct digits each step; ten steps are more
// than e under 0.1 ever takes to come within a rounding of the root.
constexpr int kKeplerSteps = 10;
constexpr double kKeplerTolerance = 1e-15;  // radians

}  // namespace

bool isNearGeostationary(const MeanElements& e) {
  return e.meanMotion >= orbit::kLowestMeanMotion && e.meanMotion <= orbit::kHighestMeanMotion &&
         e.eccentricity < orbit::kHighestEccentricity;
}

double stationLongitude(const MeanElements& elements) {
  const double e = elements.eccentricity;
  const double M = elements.meanAnomaly * kRadiansPerDegree;
  // Kepler's equation E - e sin E = M by Newton's method, which from E = M
  // converges for every e under 0.1 in a handful of steps; then the true
  // anomaly from the eccentric one. (The equation of centre to e^3 was
  // 0.006 degree out at e = 0.1.)
  double E = M;
  for (int i = 0; i < kKeplerSteps; ++i) {
    const double step = (E - e * std::sin(E) - M) / (1 - e * std::cos(E));
    E -= step;
    if (std::fabs(step) < kKeplerTolerance) break;
  }
  const double trueAnomaly = 2 * std::atan2(std::sqrt(1 + e) * std::sin(E / 2), std::sqrt(1 - e) * std::cos(E / 2));
  const double u = elements.argumentOfPerigee * kRadiansPerDegree + trueAnomaly;  // from the node along the orbit
  const double fromNode = std::atan2(std::cos(elements.inclination * kRadiansPerDegree) * std::sin(u), std::cos(u));
  const double rightAscension = elements.rightAscensionOfNode * kRadiansPerDegree + fromNode;

  double dayStart = 0, modifiedJulianDay = 0;
  const CalendarDate& d = elements.epoch.date;
  eraCal2jd(d.year, d.month, d.day, &dayStart, &modifiedJulianDay);
  const double siderealTime = eraGmst82(dayStart + modifiedJulianDay, elements.epoch.second / kSecondsPerDay);
  return halfTurns((rightAscension - siderealTime) / kRadiansPerDegree);
}

double driftPerDay(double meanMotion) { return (meanMotion - orbit::kSiderealRevolutionsPerDay) * 360; }

OrbitalState orbitalState(const MeanElements& elements) {
  return {elements.inclination, driftPerDay(elements.meanMotion), elements.epoch};
}

std::optional<UtcInstant> parseIsoEpoch(std::string_view text) {
  if (text.ends_with('Z')) text.remove_suffix(1);
  if (text.size() < 19 || text[10] != 'T' || text[13] != ':' || text[16] != ':') return std::nullopt;
  const std::optional<CalendarDate> date = parseCalendarDate(text.substr(0, 10));
  const int hour = digitsAt(text, 11, 2);
  const int minute = digitsAt(text, 14, 2);
  const int wholeSecond = digitsAt(text, 17, 2);
  double fraction = 0;
  if (text.size() > 19) {
    const std::string_view digits = text.substr(20);
    if (text[19] != '.' || digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos ||
        !readNumber(text.substr(19), fraction)) {
      return std::nullopt;
    }
  }
  if (!date || hour < 0 || hour > 23 || minute < 0 || minute > 59 || wholeSecond < 0 || wholeSecond > 60) {
    return std::nullopt;
  }
  return UtcInstant{*date, hour * 3600.0 + minute * 60.0 + wholeSecond + fraction};
}

std::optional<UtcInstant> parseTleEpoch(std::string_view text) {
  double day = 0;
  const int twoDigitYear = text.size() > 2 ? digitsAt(text, 0, 2) : -1;
  if (twoDigitYear < 0 || !readNumber(trimmed(text.substr(2)), day)) return std::nullopt;
  const std::chrono::year year{twoDigitYear < 57 ? 2000 + twoDigitYear : 1900 + twoDigitYear};
  const double daysInYear = year.is_leap() ? 366 : 365;
  if (!(day >= 1 && day < daysInYear + 1)) return std::nullopt;
  const double wholeDay = std::floor(day);
  const std::chrono::sys_days date =
      std::chrono::sys_days{year / std::chrono::January / 1} + std::chrono::days{static_cast<int>(wholeDay) - 1};
  return UtcInstant{calendarDateOf(date), (day - wholeDay) * kSecondsPerDay};
}

}  // namespace vantorel
