// Look angles: exact texts for worked rows, the working values of one row
// step by step, and agreement with an independent vector computation.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

#include "calc_error.h"
#include "onecalc.h"

namespace vantorel {
namespace {

// The Singles that "420100" and "0910100" decode to.
const float L42 = static_cast<float>(42.0 + static_cast<double>(static_cast<float>(1.0 / 60)));
const float L91 = static_cast<float>(91.0 + static_cast<double>(static_cast<float>(1.0 / 60)));

struct Row {
  const char* what;
  float latitude;
  float longitude;
  int satellite;
  float declination;
  const char* text1;
  const char* text2;
  const char* text3;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.what; }

class LookAngleTextTest : public testing::TestWithParam<Row> {};

TEST_P(LookAngleTextTest, GivesTheExactTexts) {
  const Row& row = GetParam();
  const OnecalcResult r =
      onecalc({row.latitude, row.longitude, static_cast<Integer>(row.satellite), row.declination});
  EXPECT_EQ(r.Text1, row.text1);
  EXPECT_EQ(r.Text2, row.text2);
  EXPECT_EQ(r.Text3, row.text3);
}

// A northern site and a satellite less than 90 degrees away: the closed form
// with its Single stores, digit for digit.
INSTANTIATE_TEST_SUITE_P(
    ClosedForm, LookAngleTextTest,
    testing::Values(Row{"west of the site", L42, L91, 101, -8, "194.7342", "186.7342", "40.41615"},
                    Row{"just east of south", L42, L91, 91, -8, "179.9751", "171.9751", "41.47278"},
                    Row{"east of the site", L42, L91, 61, -8, "139.2013", "131.2013", "32.72824"},
                    // The declination is added to the double azimuth, not to
                    // the rounded Single: 185.9709, not 185.971.
                    Row{"declination added before rounding", L42, L91, 109, -19.9f, "205.871", "185.9709", "38.12994"},
                    Row{"below the horizon, 89 degrees away", L42, L91, 180, -8, "269.3195", "261.3195", "-7.862228"},
                    Row{"no declination", L42, L91, 101, 0, "194.7342", "194.7342", "40.41615"},
                    // Rows whose last digit moves if pi is taken one digit
                    // further or shorter than 3.141592654.
                    Row{"pi-sensitive elevation 1", 40.35f, 117.23333f, 121, 2, "185.8061", "187.8061", "43.17098"},
                    Row{"pi-sensitive elevation 2", 58, 66, 155, -3, "269.1519", "266.1519", "-8.082963"},
                    Row{"pi-sensitive elevation 3", 56, 124, 125, -18, "181.2062", "163.2062", "26.19345"}));

// On the site's own meridian the rounded azimuth cannot carry the sine the
// elevation divides by; these rows were off by half a degree and more.
INSTANTIATE_TEST_SUITE_P(
    DueSouth, LookAngleTextTest,
    testing::Values(Row{"difference exactly zero", L42, 91, 91, -8, "180", "172", "41.47609"},
                    Row{"30 North on the meridian", 30, 91, 91, -8, "180", "172", "55.02605"}));

// Southern sites, the equator and satellites 90 degrees or more away: the
// true look angles, with a negative elevation below the horizon.
INSTANTIATE_TEST_SUITE_P(
    Elsewhere, LookAngleTextTest,
    testing::Values(Row{"91 degrees east, below the horizon", L42, L91, 0, -8, "89.31946", "81.31946", "-9.339078"},
                    Row{"exactly 90 west", L42, 1, 91, -8, "270", "262", "-8.601357"},
                    Row{"exactly 90 east", L42, 91, 1, -8, "90", "82", "-8.601357"},
                    Row{"southern site", -L42, L91, 101, -8, "345.2658", "337.2658", "40.41614"},
                    Row{"on the equator", 0, 91, 101, -8, "270", "262", "78.23221"}));

TEST(LookAngleStepsTest, StoresEachWorkingValueAsASingle) {
  const OnecalcResult r = onecalc({L42, L91, 101, -8});
  EXPECT_TRUE(r.closedForm);
  EXPECT_EQ(r.DeclinationCopy, -8.0f);
  EXPECT_EQ(r.LatitudeRadians, 0.733329177f);
  EXPECT_EQ(r.LongitudeDifference, 9.98332977f);
  EXPECT_EQ(r.LongitudeDifferenceRadians, 0.174241975f);
  EXPECT_EQ(r.AzimuthTrue, 194.734207f);
  EXPECT_EQ(r.ElevationRatio, -0.851552725f);
  EXPECT_EQ(r.Elevation, 40.4161453f);
}

TEST(LookAngleStepsTest, ReplacesAZeroDifferenceByANegativeHundredThousandth) {
  const OnecalcResult r = onecalc({L42, 91, 91, -8});
  EXPECT_EQ(std::bit_cast<std::uint32_t>(r.LongitudeDifference), 0xB727C5ACu);
  EXPECT_EQ(r.AzimuthTrue, 179.999985f);
}

TEST(LookAngleStepsTest, NeverDividesByZeroOnTheEquatorOrAtThePoles) {
  for (float latitude : {0.0f, -0.0f, 90.0f, -90.0f}) {
    for (int satellite : {-180, -1, 0, 91, 180}) {
      const OnecalcResult r = onecalc({latitude, 91, static_cast<Integer>(satellite), -8});
      EXPECT_TRUE(std::isfinite(r.AzimuthTrue) && std::isfinite(r.Elevation)) << latitude << " " << satellite;
    }
  }
}

// An independent computation: Earth-centred vectors with absolute East
// longitudes, long double and the true pi.
struct Angles {
  double azimuth;
  double elevation;
};

Angles reference(double latitude, double longitudeWest, double satelliteWest) {
  using L = long double;
  const L rad = std::numbers::pi_v<L> / 180;
  const L phi = latitude * rad, lam = -longitudeWest * rad, sat = -satelliteWest * rad;
  const L k = 0.15126L;  // Earth radius over orbit radius
  const L px = k * std::cos(phi) * std::cos(lam), py = k * std::cos(phi) * std::sin(lam), pz = k * std::sin(phi);
  const L dx = std::cos(sat) - px, dy = std::sin(sat) - py, dz = -pz;
  const L e = -std::sin(lam) * dx + std::cos(lam) * dy;
  const L n = -std::sin(phi) * std::cos(lam) * dx - std::sin(phi) * std::sin(lam) * dy + std::cos(phi) * dz;
  const L u = std::cos(phi) * std::cos(lam) * dx + std::cos(phi) * std::sin(lam) * dy + std::sin(phi) * dz;
  L az = std::atan2(e, n) / rad;
  if (az < 0) az += 360;
  return {static_cast<double>(az), static_cast<double>(std::atan2(u, std::hypot(e, n)) / rad)};
}

double azimuthError(double a, double b) {
  const double d = std::fabs(a - b);
  return std::min(d, 360 - d);
}

struct Agreement {
  const char* region;
  bool closedForm;
  double tolerance;  // degrees
};

void PrintTo(const Agreement& a, std::ostream* os) { *os << a.region; }

class IndependentCheckTest : public testing::TestWithParam<Agreement> {};

// Thousands of generated inputs in each region. In the closed form the
// Single stores and the 3.141592654 for pi cost a few hundredths of a degree
// at most; elsewhere only the Single results' own rounding remains.
TEST_P(IndependentCheckTest, AgreesWithVectors) {
  std::mt19937 random(20261206);
  std::uniform_real_distribution<float> latitudes(-85, 85), longitudes(0, 360);
  std::uniform_int_distribution<int> satellites(-180, 180);
  int checked = 0;
  double worstAzimuth = 0, worstElevation = 0;
  while (checked < 3000) {
    const float latitude = latitudes(random), longitude = longitudes(random);
    const auto satellite = static_cast<Integer>(satellites(random));
    const OnecalcResult r = onecalc({latitude, longitude, satellite, 0});
    if (r.closedForm != GetParam().closedForm) continue;
    const Angles want = reference(latitude, longitude, satellite);
    // The azimuth is undefined straight overhead.
    if (want.elevation < 89) worstAzimuth = std::max(worstAzimuth, azimuthError(r.AzimuthTrue, want.azimuth));
    worstElevation = std::max(worstElevation, std::fabs(static_cast<double>(r.Elevation) - want.elevation));
    ++checked;
  }
  EXPECT_LE(worstAzimuth, GetParam().tolerance);
  EXPECT_LE(worstElevation, GetParam().tolerance);
}

INSTANTIATE_TEST_SUITE_P(Regions, IndependentCheckTest,
                         testing::Values(Agreement{"closed form", true, 0.03},
                                         Agreement{"vector form", false, 1e-4}));

TEST(IndependentCheckTest, AgreesNearDueSouth) {
  // Sites within a hundredth of a degree of the satellite's meridian.
  for (float latitude : {0.5f, 5.0f, 30.0f, L42, 60.0f, 80.0f}) {
    for (float offset : {0.0f, 0.001f, -0.004f, 0.009f}) {
      const float longitude = 91 + offset;
      const OnecalcResult r = onecalc({latitude, longitude, 91, 0});
      const Angles want = reference(latitude, longitude, 91);
      EXPECT_NEAR(r.Elevation, want.elevation, 0.03) << latitude << " " << offset;
      EXPECT_NEAR(r.AzimuthTrue, want.azimuth, 0.03) << latitude << " " << offset;
    }
  }
}

}  // namespace
}  // namespace vantorel
