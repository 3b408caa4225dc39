// The dish on its mount: the offset angle and the face tilt, the polar
// mount's site settings and the motor angle, against worked values and
// against the hour angle derived from the look angles.
#include <gtest/gtest.h>
#include "edges.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>

#include "calc_error.h"
#include "mount.h"

namespace vantorel {
namespace {

// Each refusal names its box, quotes the text and says what is wrong.
TEST(MountTest, RefusesAnOffsetAngleOutside0To45AndAPole) {
  EXPECT_EQ(offsetAngleFromText("0"), 0);
  EXPECT_EQ(offsetAngleFromText("45"), 45);
  const std::pair<void (*)(), const char*> refused[] = {
      {[] { offsetAngleFromText("-1"); }, "Offset angle \"-1\" lies outside 0 to 45 degrees."},
      {[] { offsetAngleFromText("46"); }, "Offset angle \"46\" lies outside 0 to 45 degrees."},
      {[] { offsetAngleFromText("22,3"); }, "Offset angle \"22,3\" is not a number."},
      {[] { polarMount({90, 0, 0, 0}); }, "Latitude \"90\" is a pole,"},
      {[] { polarMount({-90, 0, 0, 0}); }, "Latitude \"-90\" is a pole,"}};
  for (const auto& [call, message] : refused) {
    try {
      call();
      ADD_FAILURE() << message;
    } catch (const CalcError& e) {
      EXPECT_EQ(std::string(e.what()).find(message), 0u) << e.what();
    }
  }
}

// The command line's worked site, 42°01'N 91°01'W (L42 and L91, the Singles
// "420100" and "0910100" decode to), satellite 101 W, declination 8 W, offset
// angle 22.3.
// Roddy, Satellite Communications, 4th ed., §3.3, Example 3.3, finds a
// declination offset of about 7° at 49°; on the program's sphere, 7.22281.
// The motor angle's letter names where the satellite lies in either
// hemisphere: the error to guard against is E and W swapped in the south.
TEST(MountTest, GivesTheWorkedSettingsAndMotorAngles) {
  const Single L42 = 42.0166664f, L91 = 91.0166702f;
  EXPECT_EQ(dishFaceTilt(onecalc({L42, L91, 101, -8}).Elevation, 22.3f).Text, "18.11615");  // 40.41615 - 22.3
  const std::pair<OnecalcInputs, const char*> rows[] = {
      {{L42, L91, 101, -8}, "42.01667 true south 188 6.507246 11.23829° W"},
      {{-L42, L91, 101, -8}, "42.01667 true north 8 6.507246 11.23829° W"},
      {{-L42, L91, 61, -8}, "42.01667 true north 8 6.507246 33.58031° E"},
      {{49, 0, 0, 0}, "49 true south 180 7.22281 0°"},
      {{L42, L91, 180, -8}, "42.01667 true south 188 6.507246 95.40695° W"},  // below the horizon
      {{0, 91, 101, -8}, "0 either way 188 or 8 0 11.76779° W"},
      {{0, 0, 180, 0}, "0 either way 180 or 0 0 180°"}};
  for (const auto& [in, texts] : rows) {
    const PolarMountResult r = polarMount(in);
    EXPECT_EQ(r.PolarAxisElevationText + " " + r.FacingText + " " + r.MountAzimuthMagneticText + " " +
                  r.DeclinationOffsetText + " " + motorAngle(in).Text,
              texts);
  }
}

// The motor angle is minus the hour angle of the satellite's direction. Here
// that direction comes from spherical trigonometry (the azimuth and elevation
// of the point under the satellite, the true pi, doubles), and is turned into
// an hour angle by the horizon-to-equator transformation (Meeus, Astronomical
// Algorithms, 2nd ed., ch. 13, whose azimuth runs from the south). Only the
// program's 3.141592654 separates them. The letter is checked on the way.
TEST(MountTest, MotorAngleIsMinusTheHourAngle) {
  std::mt19937 random(20261208);
  std::uniform_real_distribution<float> latitudes(-89.9f, 89.9f), longitudes(-360, 360);
  const double rad = std::numbers::pi / 180, k = constants::EarthOverOrbit;
  double worst = 0;
  for (int i = 0; i < 4000; ++i) {
    const float latitude = latitudes(random), longitude = longitudes(random), satellite = longitudes(random) / 2;
    const double phi = static_cast<double>(latitude) * rad;
    const double east = (static_cast<double>(longitude) - static_cast<double>(satellite)) * rad;  // satellite East of site
    const double sp = std::sin(phi), cp = std::cos(phi), se = std::sin(east), ce = std::cos(east);
    const double azimuth = std::atan2(se, -sp * ce), h = std::atan2(cp * ce - k, std::hypot(sp, cp * se));
    const double hourAngle = std::atan2(-std::sin(azimuth) * std::cos(h),  // West positive
                                        cp * std::sin(h) - sp * std::cos(h) * std::cos(azimuth));
    const MotorAngleResult r = motorAngle({latitude, longitude, satellite, 0});
    worst = std::max(worst, std::fabs(std::remainder(r.Unrounded + hourAngle / rad, 360.0)));
    EXPECT_EQ(r.Text.back(), se > 0 ? 'E' : 'W') << latitude << " " << longitude << " " << satellite;
  }
  EXPECT_LE(worst, 1e-6);
}

// The offset angle's range, at its edges.
TEST(ThresholdTest, OffsetAngleEdgesFallOnTheirSides) {
  const auto taken = [](double a) {
    try {
      offsetAngleFromText(doubleToText(a));
      return true;
    } catch (const CalcError&) {
      return false;
    }
  };
  expectEachEdgeOnItsSide({{"offset from 0", 0, -0.0001, taken}, {"offset to 45", 45, 45.0001, taken}});
}

}  // namespace
}  // namespace vantorel
