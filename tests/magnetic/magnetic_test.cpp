// The World Magnetic Model: its makers' own test values, the dates it is
// given, and the sites and dates where it gives no declination.
#include <gtest/gtest.h>
#include "edges.h"

#include <optional>
#include <string>

#include "numeric_text.h"
#include "world_magnetic_model.h"

namespace vantorel {
namespace {

// The 12 test values the model's makers publish with it, at their printed
// tolerance: 0.1 nT, 0.01 degree. The 2027.5 rows catch a wrong time for the
// yearly changes, the 100 km rows a wrong radius or height, the longitudes a
// wrong layout of the coefficients.
TEST(WorldMagneticModelTest, ReproducesThePublishedTestValues) {
  struct Row {
    double year, heightKm, latitude, longitudeEast, X, Y, Z, D;
  };
  const Row rows[] = {{2025.0, 0, 80, 0, 6521.6, 145.9, 54791.5, 1.28},
                      {2025.0, 0, 0, 120, 39677.8, -109.6, -10580.2, -0.16},
                      {2025.0, 0, -80, 240, 6117.5, 15751.9, -52022.5, 68.78},
                      {2025.0, 100, 80, 0, 6216.0, 92.4, 52598.8, 0.85},
                      {2025.0, 100, 0, 120, 37688.6, -96.2, -10152.1, -0.15},
                      {2025.0, 100, -80, 240, 5907.6, 14780.3, -49540.7, 68.21},
                      {2027.5, 0, 80, 0, 6500.8, 294.5, 54869.4, 2.59},
                      {2027.5, 0, 0, 120, 39701.6, -167.4, -10381.8, -0.24},
                      {2027.5, 0, -80, 240, 6200.7, 15730.3, -51783.7, 68.49},
                      {2027.5, 100, 80, 0, 6196.7, 233.8, 52670.5, 2.16},
                      {2027.5, 100, 0, 120, 37711.5, -148.7, -9969.8, -0.23},
                      {2027.5, 100, -80, 240, 5984.0, 14760.1, -49317.7, 67.93}};
  for (const Row& row : rows) {
    const MagneticField field = fieldAt(row.year, row.latitude, row.longitudeEast, row.heightKm * 1000);
    SCOPED_TRACE(testing::Message() << row.year << " " << row.heightKm << " km " << row.latitude << " "
                                    << row.longitudeEast);
    EXPECT_NEAR(field.X, row.X, 0.1);
    EXPECT_NEAR(field.Y, row.Y, 0.1);
    EXPECT_NEAR(field.Z, row.Z, 0.1);
    EXPECT_NEAR(field.D, row.D, 0.01);
  }
}

// Strict YYYY-MM-DD with real days, and the model's decimal year: a day off,
// or 365 days in a leap year, moves it.
TEST(CalendarDateTest, ReadsRealDaysAsDecimalYears) {
  const std::pair<const char*, double> accepted[] = {{"2025-01-01", 2025.0},
                                                     {"2027-07-02", 2027 + 182.0 / 365},
                                                     {"2028-02-29", 2028 + 59.0 / 366},
                                                     {"2028-12-31", 2028 + 365.0 / 366}};
  for (const auto& [text, year] : accepted) {
    const std::optional<CalendarDate> date = parseCalendarDate(text);
    ASSERT_TRUE(date) << text;
    EXPECT_DOUBLE_EQ(decimalYear(*date), year) << text;
    EXPECT_EQ(calendarDateText(*date), text);
  }
  for (const char* text :
       {"2026-02-29", "2026-02-30", "2026-04-31", "2026-13-01", "2026-00-10", "2026-01-00", "2026-1-5", "2026-01-5 ",
        " 2026-01-05", "2026/01/05", "2026-01/05", "2026/01-05", "+026-01-05", "2026-01-05x", "tomorrow", ""}) {
    EXPECT_FALSE(parseCalendarDate(text)) << text;
  }
}

// The declination at a site on a date, West longitudes as the boxes take
// them. The accepted rows are the published values above at calendar dates:
// 240 East is 120 West, 120 East is -120 or 240 West; 2027-07-02 is 2027.4986,
// where the model's declination differs from 2027.5's by under 0.001 degree.
// Unrounded, -0.158 and 68.775 tell rounding from truncation and from flooring.
TEST(WorldMagneticModelTest, GivesTheRoundedDeclinationOrSaysWhyNot) {
  struct Row {
    const char* date;
    double latitude, longitudeWest;
    std::optional<MagneticFault> fault;
    const char* declination;  // when accepted
    CompassZone zone = CompassZone::Reliable;
  };
  const Row rows[] = {
      {"2025-01-01", 0, -120, {}, "-0.16"},
      {"2025-01-01", 0, 240, {}, "-0.16"},
      {"2025-01-01", -80, 120, {}, "68.78"},
      {"2027-07-02", -80, 120, {}, "68.49"},
      {"2029-12-31", 74.7, 94.8, {}, nullptr, CompassZone::Caution},  // Resolute, 3581 nT
      {"2024-12-31", 0, -120, MagneticFault::DateOutsideModel, nullptr},
      {"2030-01-01", 0, -120, MagneticFault::DateOutsideModel, nullptr},
      {"2026-02-30", 0, -120, MagneticFault::NotADate, nullptr},
      {"2026-06-15", 90, 0, MagneticFault::GeographicPole, nullptr},
      {"2026-06-15", -90, 45, MagneticFault::GeographicPole, nullptr},
      // Near the south magnetic pole, 269 to 502 nT through the model's life;
      // at 136 West instead the declination would be a reliable 47.7 degrees.
      {"2025-01-01", -64, -136, MagneticFault::BlackoutZone, nullptr},
      {"2029-12-31", -64, -136, MagneticFault::BlackoutZone, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.date << " " << row.latitude << " " << row.longitudeWest);
    try {
      const DeclinationResult result = declinationAt(std::string_view(row.date), row.latitude, row.longitudeWest);
      ASSERT_FALSE(row.fault);
      if (row.declination) {
        EXPECT_EQ(result.declinationText, row.declination);
      }
      // Typed into the declination box, the text gives exactly the value.
      EXPECT_EQ(textToDouble(result.declinationText), result.declination);
      EXPECT_EQ(result.zone, row.zone);
      EXPECT_EQ(result.warning.empty(), row.zone == CompassZone::Reliable);
    } catch (const MagneticModelError& e) {
      ASSERT_EQ(e.fault(), row.fault) << e.what();
    }
  }
}

// The model's years and the compass's field strengths, at their edges.
TEST(ThresholdTest, EachEdgeFallsOnItsSide) {
  const auto serves = [](CalendarDate date) {
    try {
      declinationAt(date, 45, 90);
      return true;
    } catch (const MagneticModelError&) {
      return false;
    }
  };
  const auto day = [](CalendarDate from, double days) {
    return calendarDateOf(sysDays(from) + std::chrono::days{static_cast<int>(days)});
  };
  expectEachEdgeOnItsSide({
      {"model from 2025-01-01", 0, -1, [&](double d) { return serves(day({2025, 1, 1}, d)); }},
      {"model to 2029-12-31", 0, 1, [&](double d) { return serves(day({2029, 12, 31}, d)); }},
      {"a compass from 2000 nT", 2000, 1999.99, [](double h) { return compassZone(h).has_value(); }},
      {"reliable from 6000 nT", 6000, 5999.99, [](double h) { return compassZone(h) == CompassZone::Reliable; }},
  });
}

}  // namespace
}  // namespace vantorel
