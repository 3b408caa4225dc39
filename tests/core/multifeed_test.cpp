// A multifeed dish's extra LNB: the separation against a line of sight
// computed here in the Earth's own frame, the side and the sign of the
// offset in both hemispheres, and the offset and the loss worked by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "multifeed.h"

namespace vantorel {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

// The angle between the lines of sight to two satellites (longitudes East)
// from a site (latitude, longitude East), in an Earth-fixed frame: the site
// on a sphere 0.15126 orbit radii across, the satellites on the orbit.
double separationHere(double latitude, double longitudeEast, double satelliteA, double satelliteB) {
  const double k = 0.15126, p = latitude * kDegree, l = longitudeEast * kDegree;
  const std::array<double, 3> site{k * std::cos(p) * std::cos(l), k * std::cos(p) * std::sin(l), k * std::sin(p)};
  const auto toward = [&](double east) {
    std::array<double, 3> d{std::cos(east * kDegree) - site[0], std::sin(east * kDegree) - site[1], -site[2]};
    const double n = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    for (double& c : d) c /= n;
    return d;
  };
  const std::array<double, 3> a = toward(satelliteA), b = toward(satelliteB);
  return std::acos(std::clamp(a[0] * b[0] + a[1] * b[1] + a[2] * b[2], -1.0, 1.0)) / kDegree;
}

// Sites and satellites (longitudes East); the offset's side and sign as seen
// from behind the dish: a satellite to the right of the main one takes an
// LNB to the left, a higher one an LNB lower. From London, facing south,
// East is on the left; from Sydney, facing north, on the right. A satellite
// farther from the site's meridian stands lower on the arc.
struct Case {
  const char* site;
  double latitude, longitudeEast, main, extra;
  int across, up;  // the LNB's side: +1 right or up, -1 left or down
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.site; }

class MultifeedSideTest : public testing::TestWithParam<Case> {};

TEST_P(MultifeedSideTest, PutsTheLnbOppositeTheSatellite) {
  const Case& c = GetParam();
  const DishOptics dish = dishOptics(800, std::nullopt, 11.7);
  const MultifeedOffset m = multifeedOffset(c.latitude, -c.longitudeEast, -c.main, -c.extra, dish);
  EXPECT_NEAR(m.separation, separationHere(c.latitude, c.longitudeEast, c.main, c.extra), 1e-9);
  EXPECT_GT(m.separation, std::fabs(c.extra - c.main) * 0.9);
  EXPECT_EQ(m.acrossMm > 0 ? 1 : -1, c.across);
  EXPECT_EQ(m.upMm > 0 ? 1 : -1, c.up);
  EXPECT_NEAR(std::hypot(m.acrossMm, m.upMm), m.offsetMm, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    BothHemispheres, MultifeedSideTest,
    testing::Values(Case{"London, 28.2E beside 19.2E", 51.5074, -0.1278, 19.2, 28.2, +1, +1},
                    Case{"London, 13E beside 19.2E", 51.5074, -0.1278, 19.2, 13.0, -1, -1},
                    Case{"London, 19.2E beside 28.2E", 51.5074, -0.1278, 28.2, 19.2, -1, -1},
                    Case{"Sydney, 160E beside 156E", -33.87, 151.21, 156.0, 160.0, -1, +1},
                    Case{"Sydney, 152E beside 156E", -33.87, 151.21, 156.0, 152.0, +1, -1},
                    Case{"Cairo, 26E beside 7W", 30.04, 31.24, -7.0, 26.0, +1, -1},
                    Case{"Cape Town, 36E beside 28.2E", -33.92, 18.42, 28.2, 36.0, -1, +1}));

// Lo's beam deviation factor, worked by hand: an f/D of 0.6 gives
// D/4f = 0.41667 and (1 + 0.0625) / 1.17361 = 0.905325; an f/D of 0.4 gives
// 0.625 and 1.140625 / 1.390625 = 0.820225.
TEST(MultifeedTest, PlacesTheLnbAtFocalLengthTimesTangentOverTheDeviationFactor) {
  const std::pair<DishOptics, double> dishes[] = {{dishOptics(800, std::nullopt, 11.7), 0.905325},
                                                  {dishOptics(600, 240.0, 11.7), 0.820225}};
  for (const auto& [dish, factor] : dishes) {
    EXPECT_NEAR(beamDeviationFactor(dish), factor, 1e-6);
    const MultifeedOffset m = multifeedOffset(51.5074, 0.1278, -19.2, -28.2, dish);
    EXPECT_NEAR(m.offsetMm, dish.focalMm * std::tan(m.separation * kDegree) / factor, 1e-3);
  }
  // Small angles: a tenth of a degree apart is the focal length times the
  // angle in radians over the factor, to a micrometre.
  const DishOptics dish = dishOptics(800, std::nullopt, 11.7);
  const MultifeedOffset small = multifeedOffset(51.5074, 0.1278, -19.2, -19.3, dish);
  EXPECT_NEAR(small.offsetMm, 480 * small.separation * kDegree / 0.905325, 1e-3);
  EXPECT_TRUE(dish.focalAssumed);
  EXPECT_FALSE(dishOptics(800, 450.0, 11.7).focalAssumed);
}

// Ruze's coma loss by hand for London, 28.2E beside 19.2E on an 80 cm dish
// at 11.7 GHz: a beamwidth of 70 x 25.6228 / 800 = 2.24199°, 1 dB after
// 0.44 + 22 x 0.36 = 8.36 of them.
TEST(MultifeedTest, EstimatesTheComaLossFromTheScannedBeamwidths) {
  const MultifeedOffset m = multifeedOffset(51.5074, 0.1278, -19.2, -28.2, dishOptics(800, std::nullopt, 11.7));
  const double scanned = m.separation / 2.24199 / 8.36;
  EXPECT_NEAR(m.lossDb, scanned * scanned, 1e-4);
}

TEST(MultifeedTest, KnowsTheMonoblocksSoldForAPair) {
  EXPECT_EQ(monoblockFor(19.2 - 13.0)->difference, 6.2);
  EXPECT_EQ(monoblockFor(-(23.5 - 19.2))->difference, 4.3);
  EXPECT_FALSE(monoblockFor(28.2 - 19.2));
}

}  // namespace
}  // namespace vantorel
