// The command line written for a request parses back to the same request:
// what the planner copies runs the job it shows.

#include <gtest/gtest.h>

#include <QStringList>

#include "command_line.h"
#include "command_line_for.h"

namespace vantorel {
namespace {

PointingRequest pointing(const std::function<void(PointingRequest&)>& change) {
  PointingRequest r;
  r.job.inputs = {"51.5074N", "0.1278W", "28.2E", "-1.2"};
  change(r);
  return r;
}

struct RoundTrip {
  const char* name;
  PointingRequest request;
};

void PrintTo(const RoundTrip& trip, std::ostream* out) { *out << trip.name; }

class CommandLineFor : public testing::TestWithParam<RoundTrip> {};

TEST_P(CommandLineFor, ParsesBackToTheSameRequest) {
  const std::vector<std::string> words = commandLineFor(GetParam().request);
  QStringList arguments;
  for (const std::string& word : words) arguments << QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size()));
  const CommandLine parsed = parseCommandLine(arguments);
  ASSERT_EQ(parsed.mode, CommandLine::Mode::Pointing) << parsed.message << "\n" << shellLine(words);
  EXPECT_TRUE(parsed.request == GetParam().request) << shellLine(words);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, CommandLineFor,
    testing::Values(
        RoundTrip{"typed", pointing([](PointingRequest&) {})},
        RoundTrip{"openingSiteAndModelDeclination",
                  pointing([](PointingRequest& r) {
                    r.job.latitudeGiven = r.job.longitudeGiven = false;
                    r.job.inputs = {std::string(kOpeningLatitude), std::string(kOpeningLongitude), "Astra 2G",
                                    std::string(kOpeningDeclination)};
                    r.job.automaticDeclination = true;
                    r.job.date = "2027-03-21";
                  })},
        RoundTrip{"sheetWithEveryText",
                  pointing([](PointingRequest& r) {
                    r.sheet = "Mrs Ng - ASTRA 2G - 2027-01-05.pdf";
                    r.paper = Paper::Letter;
                    r.job.customer = "Mrs O'Neill";
                    r.job.address = "12 Elm Row, Leeds";
                    r.job.notes = "Dish on the south wall; ladder needed.";
                    r.job.offsetAngle = "22.3";
                    r.job.motor = true;
                    r.outageAngle = "1.5";
                  })},
        RoundTrip{"sunAndSky",
                  pointing([](PointingRequest& r) {
                    r.sunOutage = true;
                    r.dishSize = "80";
                    r.frequency = "11.7";
                    r.timeZone = "Europe/London";
                    r.obstacles = {"140-150:20", "200-210M:6m@15m"};
                    r.horizonFile = "roof horizon.csv";
                    r.sunBearing = true;
                  })},
        RoundTrip{"multifeed",
                  pointing([](PointingRequest& r) {
                    r.multifeed = {"19.2E", "Hot Bird 13G"};
                    r.focalLength = "480";
                    r.builtInList = BuiltInList::Nineties;
                  })},
        RoundTrip{"tableAsCsv", pointing([](PointingRequest& r) {
                    r.table = true;
                    r.job.inputs.satellite = std::string(kOpeningSatellite);
                    r.csv = true;
                    r.minimumElevation = "5";
                    r.minimumClearance = "2";
                    r.obstacles = {"90-120:10"};
                    r.satellitesFile = "-";
                  })}),
    [](const testing::TestParamInfo<RoundTrip>& p) { return std::string(p.param.name); });

TEST(ShellLine, QuotesOnlyWhatTheShellWouldRead) {
  EXPECT_EQ(shellLine({"vantorel", "--latitude", "51.5074N", "--customer", "Mrs O'Neill", "--notes", ""}),
            "vantorel --latitude 51.5074N --customer 'Mrs O'\\''Neill' --notes ''");
}

}  // namespace
}  // namespace vantorel
