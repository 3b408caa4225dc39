#include "sun_outage.h"

#include <algorithm>
#include <cmath>

#include "angles.h"
#include "sun_position.h"

namespace vantorel {
namespace {

constexpr double kNoon = 43200;       // seconds
constexpr double kSpeedOfLight = 299792458;  // metres a second
// The sun's hour angle grows by this many degrees a second of UTC.
constexpr double kSunDegreesPerSecond = 360.9856 / 86400;
// A day whose noon sun stands this far beyond the outage angle in
// declination cannot bring it closer by its closest approach: the sun's
// declination moves under 0.4 degree a day, its noon is at most half a day
// off, and the geocentric, J2000 declination screened with lies within 0.4
// degree of the site's apparent one until 2040.
constexpr double kScreenMargin = 1;
// The days are first screened a week at a time, by the declination of the
// week's middle day: the Earth's orbit is the costliest call here, and the
// declination moves at most kDeclinationPerDay either side of it.
constexpr int kWeek = 7;
constexpr double kDeclinationPerDay = 0.4;
// The closest approach is found to this many seconds, the outage's ends to
// half a second: the times are shown to the second.
constexpr double kClosestTo = 0.5;
constexpr double kEndsTo = 0.25;

double radians(double degrees) { return degrees * kRadiansPerDegree; }
double degrees(double radians) { return radians / kRadiansPerDegree; }

struct Sight {
  double azimuth, elevation;  // radians
};

double separation(const SunPlace& sun, const Sight& dish) {
  // eraSeps takes longitudes counter-clockwise; azimuths turn the other way,
  // which changes no separation.
  return degrees(eraSeps(radians(sun.azimuth), radians(sun.elevation), dish.azimuth, dish.elevation));
}

// The sun's geocentric declination at noon TT of the day, degrees, for
// screening the days: one call to the Earth's orbit.
double noonDeclination(CalendarDate day) {
  double jd0 = 0, mjd = 0;
  eraCal2jd(day.year, day.month, day.day, &jd0, &mjd);
  double heliocentric[2][3], barycentric[2][3];
  eraEpv00(jd0 + mjd, 0.5, heliocentric, barycentric);
  double sun[3] = {-heliocentric[0][0], -heliocentric[0][1], -heliocentric[0][2]};
  double ra = 0, dec = 0;
  eraC2s(sun, &ra, &dec);
  return degrees(dec);
}

// The t within [low, high] where f is least, f having one minimum there.
template <typename F>
double goldenSection(F f, double low, double high, double tolerance) {
  const double ratio = (std::sqrt(5.0) - 1) / 2;
  double a = low, b = high;
  double c = b - ratio * (b - a), d = a + ratio * (b - a);
  double fc = f(c), fd = f(d);
  while (b - a > tolerance) {
    if (fc < fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - ratio * (b - a);
      fc = f(c);
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + ratio * (b - a);
      fd = f(d);
    }
  }
  return (a + b) / 2;
}

// The t within [inside, outside] where inside(t) turns false, inside(inside)
// being true and inside(outside) false.
template <typename F>
double boundary(F isInside, double inside, double outside, double tolerance) {
  while (std::fabs(outside - inside) > tolerance) {
    const double middle = (inside + outside) / 2;
    (isInside(middle) ? inside : outside) = middle;
  }
  return (inside + outside) / 2;
}

}  // namespace

double halfBeamwidth(const OutageCriterion& criterion) {
  const double wavelength = kSpeedOfLight / (criterion.frequencyGigahertz * 1e9);
  return outage::kBeamwidthFactor * wavelength / (criterion.dishCentimetres / 100) / 2;
}

SunOutage sunOutage(CalendarDate from, double latitude, double longitudeEast, double azimuth, double elevation,
                    const OutageCriterion& criterion) {
  SunOutage result;
  if (elevation < 0) return result;
  const Sight dish{radians(azimuth), radians(elevation)};
  const double phi = radians(latitude);
  double dishHourAngle = 0, dishDeclination = 0;
  eraAe2hd(dish.azimuth, dish.elevation, phi, &dishHourAngle, &dishDeclination);
  const double half = halfBeamwidth(criterion);
  // The widest the angle gets: the sun's radius is under 0.272 degree.
  const double widest = criterion.angle ? *criterion.angle : half + 0.272;
  // The sun crosses the angle within this many seconds of its closest
  // approach, however slowly it moves across the sky near the poles.
  const double window =
      std::min(kNoon / 2, (widest + kScreenMargin) / kSunDegreesPerSecond / std::max(0.2, std::cos(dishDeclination)));

  const std::chrono::sys_days first = sysDays(from);
  const auto farFrom = [&](int d, double by) {
    return std::fabs(noonDeclination(calendarDateOf(first + std::chrono::days{d})) - degrees(dishDeclination)) >
           widest + kScreenMargin + by;
  };
  for (int d = 0; d < outage::kDays; ++d) {
    if (d % kWeek == 0) {
      const int middle = std::min(d + kWeek / 2, static_cast<int>(outage::kDays) - 1);
      if (farFrom(middle, kDeclinationPerDay * (kWeek / 2))) {
        d += kWeek - 1;
        continue;
      }
    }
    if (farFrom(d, 0)) continue;
    const CalendarDate day = calendarDateOf(first + std::chrono::days{d});

    const SunDay sky(day, latitude, longitudeEast);
    // Roughly when the sun's hour angle is the dish's, from its noon one.
    const SunPlace noon = sky.at(kNoon);
    double sunHourAngle = 0, sunDeclination = 0;
    eraAe2hd(radians(noon.azimuth), radians(noon.elevation), phi, &sunHourAngle, &sunDeclination);
    const double aligned = kNoon + degrees(eraAnpm(dishHourAngle - sunHourAngle)) / kSunDegreesPerSecond;

    const auto apart = [&](double second) { return separation(sky.at(second), dish); };
    const double closest = goldenSection(apart, aligned - window, aligned + window, kClosestTo);
    const SunPlace sun = sky.at(closest);
    const double angle = criterion.angle ? *criterion.angle : half + sun.radius;
    const double least = separation(sun, dish);
    if (least > angle) continue;
    const auto inside = [&](double second) { return apart(second) <= angle; };
    result.days.push_back({day, boundary(inside, closest, aligned - window, kEndsTo),
                           boundary(inside, closest, aligned + window, kEndsTo), closest, least, angle});
  }

  for (std::size_t i = 0; i < result.days.size(); ++i) {
    const OutageDay& day = result.days[i];
    const bool follows = i > 0 && sysDays(day.date) - sysDays(result.days[i - 1].date) == std::chrono::days{1};
    if (!follows) result.seasons.push_back({day.date, day.date, i});
    OutageSeason& season = result.seasons.back();
    season.last = day.date;
    const OutageDay& longest = result.days[season.longestDay];
    if (day.end - day.start > longest.end - longest.start) season.longestDay = i;
  }
  return result;
}

}  // namespace vantorel
