// A job as it is printed: the table's CSV.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "job_builder.h"
#include "result_printing.h"

namespace vantorel {
namespace {

// A cell is quoted by what it holds: a figure's number stands bare, a name
// stays text, and one a spreadsheet would run as a formula is defused.
TEST(CsvTest, CellsAreNumbersAndNamesStayText) {
  std::istringstream file("\"=HYPERLINK(1)\",19.2E\n-5 West,5W\n@home,0.8W\nPlain,13E\n4.8,30W\n");
  const SatelliteCatalog list = readSatelliteList(file, "list");
  JobRequest request;
  request.inputs = {"51.5N", "0.1W", "", "1.2"};
  request.date = "2026-12-07";
  request.everySatellite = true;
  request.motor = true;
  const std::string csv = satelliteTable(buildJob(request, list, "list"), {true, std::nullopt, std::nullopt});
  std::vector<std::string> rows;
  for (std::size_t at = 0; at < csv.size();) {
    const std::size_t end = csv.find("\r\n", at);
    rows.push_back(csv.substr(at, end - at));
    at = end + 2;
  }
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0], "\"SITE LATITUDE\",\"SITE LONGITUDE\",\"POLAR AXIS ELEVATION\",\"MOUNT FACES\",\"MOUNT AZIMUTH "
                     "MAGNETIC\",\"DECLINATION OFFSET\",\"MERIDIAN ELEVATION\",\"SATELLITE\",\"POSITION (EAST POSITIVE)\","
                     "\"AZIMUTH TRUE\","
                     "\"AZIMUTH MAGNETIC\",\"ELEVATION\",\"LNB SKEW\",\"MOTOR ANGLE (EAST POSITIVE)\",\"DECLINATION\"");
  const std::pair<const char*, const char*> starts[] = {
      {"51.500000,-0.100000,51.5,\"true south\",178.8,7.445368,31.05463,\"'=HYPERLINK(1)\",19.2,", ",21.25631,1.2"},
      {"51.500000,-0.100000,51.5,\"true south\",178.8,7.445368,31.05463,\"'-5 West\",-5,", ",-5.408526,1.2"},
      {"51.500000,-0.100000,51.5,\"true south\",178.8,7.445368,31.05463,\"'@home\",-0.8,", ",-0.7727624,1.2"},
      {"51.500000,-0.100000,51.5,\"true south\",178.8,7.445368,31.05463,\"Plain\",13,", ",14.44602,1.2"},
      // A name is text, even one that reads as a number.
      {"51.500000,-0.100000,51.5,\"true south\",178.8,7.445368,31.05463,\"4.8\",-30,", ",1.2"}};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_TRUE(rows[i + 1].starts_with(starts[i].first)) << rows[i + 1];
    EXPECT_TRUE(rows[i + 1].ends_with(starts[i].second)) << rows[i + 1];
  }
}

}  // namespace
}  // namespace vantorel
