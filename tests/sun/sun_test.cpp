// The sun from ERFA against Meeus's low-precision sun, and the outages it
// gives: the geometry at each closest approach, the seasons in both
// hemispheres and on the equator, and local times through summer time.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "angles.h"
#include "sun_bearing.h"
#include "sun_outage.h"
#include "sun_position.h"
#include "time_zone.h"

namespace vantorel {
namespace {

double sind(double d) { return std::sin(d * kRadiansPerDegree); }
double cosd(double d) { return std::cos(d * kRadiansPerDegree); }
double atan2d(double y, double x) { return std::atan2(y, x) / kRadiansPerDegree; }

// The sun's azimuth and elevation from Meeus, Astronomical Algorithms (2nd
// ed.), chapter 25's low-precision apparent place (about 0.01 degree), the
// sidereal time of chapter 12 with the nutation's main term, and chapter
// 13's horizontal coordinates; geocentric, with UT1 taken as UTC and TT as
// UTC + 69.184 s, as from 2017 to 2030.
struct MeeusSun {
  double azimuth, elevation, distance;  // degrees, au
};

MeeusSun meeusSun(double julianUtc, double latitude, double longitudeEast) {
  const double T = (julianUtc + 69.184 / 86400 - 2451545) / 36525;
  const double L0 = 280.46646 + 36000.76983 * T + 0.0003032 * T * T;
  const double M = 357.52911 + 35999.05029 * T - 0.0001537 * T * T;
  const double C = (1.914602 - 0.004817 * T - 0.000014 * T * T) * sind(M) + (0.019993 - 0.000101 * T) * sind(2 * M) +
                   0.000289 * sind(3 * M);
  const double e = 0.016708634 - 0.000042037 * T;
  const double distance = 1.000001018 * (1 - e * e) / (1 + e * cosd(M + C));
  const double omega = 125.04 - 1934.136 * T;
  const double lambda = L0 + C - 0.00569 - 0.00478 * sind(omega);
  const double epsilon = 23.4392911 - 0.0130042 * T + 0.00256 * cosd(omega);
  const double ra = atan2d(cosd(epsilon) * sind(lambda), cosd(lambda));
  const double dec = std::asin(sind(epsilon) * sind(lambda)) / kRadiansPerDegree;
  const double Tu = (julianUtc - 2451545) / 36525;
  const double gmst = 280.46061837 + 360.98564736629 * (julianUtc - 2451545) + 0.000387933 * Tu * Tu;
  const double gast = gmst + (-17.20 / 3600) * sind(omega) * cosd(epsilon);
  const double H = gast + longitudeEast - ra;
  const double azimuthFromSouth = atan2d(sind(H), cosd(H) * sind(latitude) - std::tan(dec * kRadiansPerDegree) * cosd(latitude));
  const double elevation = std::asin(sind(latitude) * sind(dec) + cosd(latitude) * cosd(dec) * cosd(H)) / kRadiansPerDegree;
  return {std::fmod(azimuthFromSouth + 540, 360), elevation, distance};
}

TEST(SunTest, AgreesWithMeeusLowPrecisionSun) {
  std::mt19937 random(20261207);
  std::uniform_real_distribution<double> day(0, 5 * 365), second(0, 86400), latitude(-70, 70), longitude(-180, 180);
  double worst = 0;
  for (int i = 0; i < 100; ++i) {
    const CalendarDate date = calendarDateOf(sysDays({2025, 1, 1}) + std::chrono::days{static_cast<int>(day(random))});
    const double s = second(random), phi = latitude(random), lambda = longitude(random);
    const SunPlace sun = SunDay(date, phi, lambda).at(s);
    const double julian = 2440587.5 + static_cast<double>(sysDays(date).time_since_epoch().count()) + s / 86400;
    const auto [azimuth, elevation, distance] = meeusSun(julian, phi, lambda);
    const double apart = std::acos(std::min(1.0, sind(sun.elevation) * sind(elevation) +
                                                     cosd(sun.elevation) * cosd(elevation) * cosd(sun.azimuth - azimuth))) /
                         kRadiansPerDegree;
    worst = std::max(worst, apart);
    // The IAU's nominal radius, 695,700 km, is 959.2" at 1 au.
    EXPECT_NEAR(sun.radius, 959.2 / 3600 / distance, 1e-4);
  }
  // Meeus's 0.01 degree, and the sun's parallax, which Meeus's geocentric
  // place leaves out: 8.8" = 0.0024 degree.
  EXPECT_LT(worst, 0.0125);
}

struct BearingRow {
  const char* name;
  double latitude, longitudeEast, azimuth;
  CalendarDate date;
  int moments;  // in the day's daylight
};

class SunBearingTest : public testing::TestWithParam<BearingRow> {};

// At each moment given, Meeus's sun stands on the azimuth asked for, above
// the horizon, within the local solar day of the date.
TEST_P(SunBearingTest, PutsTheSunOnTheAzimuthAtTheMomentGiven) {
  const BearingRow& row = GetParam();
  const std::vector<SunOnBearing> moments = sunOnBearing(row.date, row.latitude, row.longitudeEast, row.azimuth);
  ASSERT_EQ(static_cast<int>(moments.size()), row.moments);
  for (const SunOnBearing& m : moments) {
    const double julian =
        2440587.5 + static_cast<double>(sysDays(m.when.date).time_since_epoch().count()) + m.when.second / 86400;
    const MeeusSun sun = meeusSun(julian, row.latitude, row.longitudeEast);
    EXPECT_NEAR(halfTurns(sun.azimuth - row.azimuth), 0, 0.02);
    EXPECT_GT(m.elevation, 0);
    EXPECT_NEAR(m.elevation, sun.elevation, 0.02);
    const double solarHours = (static_cast<double>((sysDays(m.when.date) - sysDays(row.date)).count()) * 86400 +
                               m.when.second) / 3600 + row.longitudeEast / 15;
    EXPECT_GT(solarHours, 0);
    EXPECT_LT(solarHours, 24);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Days, SunBearingTest,
    testing::Values(BearingRow{"London_28E", 51.5074, -0.1278, 145.4432, {2026, 12, 7}, 1},
                    BearingRow{"London_west", 51.5074, -0.1278, 230, {2027, 6, 21}, 1},
                    // Sydney's daylight straddles midnight UTC.
                    BearingRow{"Sydney_north_east", -33.87, 151.21, 30, {2027, 1, 15}, 1},
                    BearingRow{"Quito_east", -0.18, -78.47, 100, {2027, 3, 1}, 1},
                    BearingRow{"Tromso_polar_night", 69.65, 18.96, 180, {2026, 12, 20}, 0},
                    BearingRow{"London_north_in_winter", 51.5074, -0.1278, 10, {2026, 12, 7}, 0}),
    [](const testing::TestParamInfo<BearingRow>& param) { return std::string(param.param.name); });

struct OutageRow {
  const char* name;
  double latitude, longitudeEast, azimuth, elevation;  // the dish's, as the look angles give them
  std::pair<int, int> months;  // of the two seasons' first days; 0 for none
  // UTC, of each season's longest day, within three minutes: the sun at the
  // dish's hour angle, where it crosses the line of sight.
  std::pair<double, double> closestHours;
};

// Each dish's look angles are the program's own for the site and satellite.
const OutageRow kOutages[] = {
    {"north, the worked example", 42.016666, -91.01667, 194.7342, 40.41615, {2, 10}, {19.01, 18.60}},
    {"south, Sydney and 156 E", -33.87, 151.21, 8.550864, 50.28692, {3, 9}, {1.61, 1.51}},
    {"equator, Singapore and 68.5 E", 1.3521, 103.8198, 268.0927, 48.95769, {3, 9}, {7.94, 7.68}},
    {"low in the east, London and 42 E", 51.5074, -0.1278, 130.8721, 19.28284, {2, 10}, {9.14, 8.72}},
    {"below the horizon, Sydney and 101 W", -33.87, 151.21, 100.1388, -22.71597, {0, 0}, {0, 0}},
};

TEST(SunOutageTest, FindsTheSeasonsWhereTheSunPassesBehind) {
  for (const OutageRow& row : kOutages) {
    const SunOutage outage = sunOutage({2027, 1, 1}, row.latitude, row.longitudeEast, row.azimuth, row.elevation, {});
    if (row.months.first == 0) {
      EXPECT_TRUE(outage.days.empty()) << row.name;
      continue;
    }
    ASSERT_EQ(outage.seasons.size(), 2u) << row.name;
    EXPECT_EQ(outage.seasons[0].first.month, row.months.first) << row.name;
    EXPECT_EQ(outage.seasons[1].first.month, row.months.second) << row.name;
    double dishHourAngle = 0, dishDeclination = 0;
    eraAe2hd(row.azimuth * kRadiansPerDegree, row.elevation * kRadiansPerDegree, row.latitude * kRadiansPerDegree,
             &dishHourAngle, &dishDeclination);
    for (const OutageSeason& season : outage.seasons) {
      const OutageDay& day = outage.days[season.longestDay];
      const double hour = &season == &outage.seasons[0] ? row.closestHours.first : row.closestHours.second;
      EXPECT_NEAR(day.closest / 3600, hour, 0.05) << row.name;
      // At the closest approach the sun stands at the dish's hour angle, and
      // on the season's best day at its declination, within the sun's
      // daily change of declination.
      const SunPlace sun = SunDay(day.date, row.latitude, row.longitudeEast).at(day.closest);
      double sunHourAngle = 0, sunDeclination = 0;
      eraAe2hd(sun.azimuth * kRadiansPerDegree, sun.elevation * kRadiansPerDegree, row.latitude * kRadiansPerDegree,
               &sunHourAngle, &sunDeclination);
      EXPECT_NEAR(eraAnpm(sunHourAngle - dishHourAngle) / kRadiansPerDegree, 0, 0.02) << row.name;
      EXPECT_NEAR((sunDeclination - dishDeclination) / kRadiansPerDegree, 0, 0.41) << row.name;
      EXPECT_LE(day.start, day.closest);
      EXPECT_GE(day.end, day.closest);
      for (double edge : {day.start, day.end}) {
        const SunPlace at = SunDay(day.date, row.latitude, row.longitudeEast).at(edge);
        const double apart = eraSeps(at.azimuth * kRadiansPerDegree, at.elevation * kRadiansPerDegree,
                                     row.azimuth * kRadiansPerDegree, row.elevation * kRadiansPerDegree) /
                             kRadiansPerDegree;
        EXPECT_NEAR(apart, day.angle, 0.002) << row.name;
      }
    }
  }
}

// A narrower angle gives fewer and shorter days; the default is half of 70
// lambda / D plus the sun's radius.
TEST(SunOutageTest, TheAngleDecidesTheDays) {
  const OutageRow& north = kOutages[0];
  const auto days = [&](const OutageCriterion& c) {
    return sunOutage({2027, 1, 1}, north.latitude, north.longitudeEast, north.azimuth, north.elevation, c).days.size();
  };
  EXPECT_NEAR(halfBeamwidth({60, 11.7, {}}), 70 * (299792458 / 11.7e9) / 0.6 / 2, 1e-12);
  EXPECT_EQ(days({}), 19u);
  EXPECT_EQ(days({60, 11.7, 0.5}), 5u);
  EXPECT_GT(days({60, 4, {}}), 40u);  // C band: a beam three times as wide
}

// The outage's UTC instants in a zone with summer time: London's clocks are
// an hour ahead from the last Sunday of March to the last of October.
TEST(TimeZoneTest, GivesLocalTimeThroughSummerTime) {
  const std::optional<TimeZone> london = TimeZone::named("Europe/London");
  ASSERT_TRUE(london);
  const LocalTime march = london->local({2027, 3, 3}, 9 * 3600 + 25 * 60);
  const LocalTime october = london->local({2027, 10, 9}, 9 * 3600 + 25 * 60);
  EXPECT_EQ(march.time + " " + march.abbreviation, "09:25:00 GMT");
  EXPECT_EQ(october.time + " " + october.abbreviation, "10:25:00 BST");
  const LocalTime chicago = TimeZone::named("America/Chicago")->local({2027, 3, 1}, 3 * 3600);
  EXPECT_EQ(calendarDateText(chicago.date) + " " + chicago.time, "2027-02-28 21:00:00");
  EXPECT_FALSE(TimeZone::named("Mars/Olympus"));
  EXPECT_EQ(clockTime(-1) + clockTime(86400.4) + clockTime(3599.5), "23:59:5900:00:0001:00:00");
}

}  // namespace
}  // namespace vantorel
