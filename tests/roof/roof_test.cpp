// Obstacles, the horizon profile and a satellite's clearance over them,
// against cases worked by hand; the refusals of what cannot be one; and the
// finder's reference transponder and intermediate frequency in each band.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <stdexcept>

#include "finder.h"
#include "skyline.h"

namespace vantorel {
namespace {

struct ClearanceCase {
  const char* name;
  std::vector<const char*> obstacles;
  std::vector<HorizonProfile::Point> profile;  // empty: none
  double declination, azimuth, elevation;
  double clearance;
  int over;  // the obstacle's index, -1 the profile, -2 the horizon
};

class ClearanceTest : public testing::TestWithParam<ClearanceCase> {};

TEST_P(ClearanceTest, IsTheElevationLessTheHighestObstruction) {
  const ClearanceCase& c = GetParam();
  Skyline sky;
  for (const char* typed : c.obstacles) sky.obstacles.push_back(readObstacle(typed, c.declination));
  if (!c.profile.empty()) sky.horizon = HorizonProfile{c.profile, "profile"};
  const Clearance got = clearanceOf(sky, c.azimuth, c.elevation);
  EXPECT_NEAR(got.degrees, c.clearance, 1e-9);
  const int over = got.over.obstacle ? static_cast<int>(*got.over.obstacle) : got.over.profile ? -1 : -2;
  EXPECT_EQ(over, c.over);
}

// atan(6/15) = 21.80140949°.
INSTANTIATE_TEST_SUITE_P(
    HandWorked, ClearanceTest,
    testing::Values(ClearanceCase{"across", {"140-150:20"}, {}, 0, 145, 25, 5, 0},
                    ClearanceCase{"at_its_edge", {"140-150:20"}, {}, 0, 150, 25, 5, 0},
                    ClearanceCase{"beside", {"150-160:20"}, {}, 0, 145, 25, 25, -2},
                    ClearanceCase{"across_north", {"350-10:15"}, {}, 0, 5, 10, -5, 0},
                    ClearanceCase{"across_north_west_side", {"350-10:15"}, {}, 0, 355, 20, 5, 0},
                    ClearanceCase{"past_north", {"350-10:15"}, {}, 0, 20, 20, 20, -2},
                    ClearanceCase{"the_higher_of_two", {"100-200:10", "140-150:12"}, {}, 0, 145, 25, 13, 1},
                    ClearanceCase{"height_and_distance", {"140-150:6m@15m"}, {}, 0, 145, 25, 25 - 21.801409486351812, 0},
                    // A compass's 140-150 with 10° West is 130-140 true.
                    ClearanceCase{"compass_inside", {"140M-150M:20"}, {}, -10, 135, 25, 5, 0},
                    ClearanceCase{"compass_outside", {"140M-150M:20"}, {}, -10, 145, 25, 25, -2},
                    ClearanceCase{"profile_between", {}, {{100, 10}, {200, 20}}, 0, 150, 25, 10, -1},
                    ClearanceCase{"profile_across_north", {}, {{10, 20}, {350, 10}}, 0, 0, 25, 10, -1},
                    ClearanceCase{"profile_under_obstacle", {"140-150:5"}, {{0, 8}}, 0, 145, 25, 17, -1}),
    [](const testing::TestParamInfo<ClearanceCase>& param) { return std::string(param.param.name); });

// An obstacle 6 m high 15 m away blocks a satellite 20° up: from
// 6 / tan 20° = 16.484865 m it clears, or with the dish 6 - 15 tan 20° =
// 0.540446 m higher.
TEST(ClearanceTest, SetBackAndRaiseByClearABlockingObstacle) {
  const Skyline sky{{readObstacle("140-150:6m@15m", 0)}, std::nullopt};
  const Clearance c = clearanceOf(sky, 145, 20);
  ASSERT_TRUE(c.setBackMetres && c.raiseByMetres);
  EXPECT_NEAR(*c.setBackMetres, 16.484865, 1e-6);
  EXPECT_NEAR(*c.raiseByMetres, 0.540446, 1e-6);
  // Clear, or given by its elevation alone: nothing to say.
  EXPECT_FALSE(clearanceOf(sky, 145, 30).setBackMetres);
  EXPECT_FALSE(clearanceOf(Skyline{{readObstacle("140-150:25", 0)}, std::nullopt}, 145, 20).setBackMetres);
}

TEST(ClearanceTest, HalfPowerHalfWidthIs35LambdaOverD) {
  EXPECT_NEAR(halfPowerHalfWidth(60, 11.7), 1.4947, 1e-4);
  EXPECT_NEAR(halfPowerHalfWidth(180, 4), 1.4574, 1e-4);
}

TEST(ObstacleTest, RefusesWhatIsNoObstacle) {
  for (const char* typed : {"140-150:95", "400-10:5", "140-150:-1", "140-150:6m@0m", "140-150:6@15", "140:20",
                            "140-150", "north:20", "-10-20:5"}) {
    try {
      readObstacle(typed, 0);
      ADD_FAILURE() << typed;
    } catch (const Refusal& e) {
      EXPECT_EQ(e.input(), Refusal::Input::Obstacle);
      EXPECT_NE(e.why().find(std::string("\"") + typed + "\""), std::string::npos) << e.what();
      EXPECT_TRUE(e.hint().starts_with("give AZ1-AZ2:ELEV")) << e.what();
    }
  }
}

TEST(HorizonProfileTest, ReadsTheFormsOfOnePairALine) {
  std::istringstream file(
      "# from the phone's app\nazimuth;elevation\n350, 12\n10\t8 # a tree\n\n 200 5 \r\n100;2.5\n");
  const HorizonProfile p = readHorizonProfile(file, "sky.csv");
  ASSERT_EQ(p.points.size(), 4u);
  EXPECT_EQ(p.points.front().azimuth, 10);  // by azimuth
  EXPECT_EQ(p.points.back().elevation, 12);
  EXPECT_DOUBLE_EQ(profileElevation(p, 0), 10);
}

TEST(HorizonProfileTest, RefusesALineThatIsNoPairWithItsNumber) {
  const std::pair<const char*, const char*> cases[] = {
      {"10,5\n20,tree\n", "sky.csv:2: found \"20,tree\""},
      {"10,5\n370,5\n", "sky.csv:2: the azimuth 370"},
      {"10,95\n", "sky.csv:1: the elevation 95"},
      {"# nothing\n", "sky.csv: holds no azimuth"},
  };
  for (const auto& [text, start] : cases) {
    std::istringstream file(text);
    try {
      readHorizonProfile(file, "sky.csv");
      ADD_FAILURE() << text;
    } catch (const Refusal& e) {
      EXPECT_EQ(e.input(), Refusal::Input::Horizon);
      EXPECT_TRUE(std::string(e.what()).starts_with(start)) << e.what();
    }
  }
}

TEST(FinderTest, TakesTheLowestOfTheFirstBandForEachPolarization) {
  const std::vector<Transponder> ku = {{11778, 'V', 27500, "DVB-S2", "8PSK"}, {10773, 'H', 23000, "DVB-S2", "8PSK"},
                                       {12188, 'H', 27500, "DVB-S", "QPSK"},  {11720, 'V', 27500, "DVB-S", "QPSK"},
                                       {20185, 'H', 30000, "DVB-S2", "8PSK"}, {10729, 'H', 22000, "DVB-S2", "8PSK"}};
  const std::vector<FinderTuning> tuned = referenceTransponders(ku);
  ASSERT_EQ(tuned.size(), 2u);
  EXPECT_EQ(finderText(tuned[0]), "10729 H 22000 DVB-S2 8PSK (IF 979 MHz, low band, 22 kHz off)");
  EXPECT_EQ(finderText(tuned[1]), "11720 V 27500 DVB-S QPSK (IF 1120 MHz, high band, 22 kHz on)");
  const std::vector<FinderTuning> c = referenceTransponders({{3880, 'R', 27500, "DVB-S", "QPSK"},
                                                             {3760, 'R', 30000, "DVB-S2", ""},
                                                             {4100, 'L', 2222, "", ""}});
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(finderText(c[0]), "4100 L 2222 (IF 1050 MHz, C band, LNB 5150 MHz)");
  EXPECT_EQ(finderText(c[1]), "3760 R 30000 DVB-S2 (IF 1390 MHz, C band, LNB 5150 MHz)");
}

}  // namespace
}  // namespace vantorel
