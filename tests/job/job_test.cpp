// The job, built in process from what a user types or chooses: what it
// understood, its figures as numbers beside their texts, its notices, and
// which refusal comes first.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "calc_error.h"
#include "edges.h"
#include "job_builder.h"
#include "mean_elements.h"
#include "mount.h"
#include "result_printing.h"
#include "satellite_notes.h"
#include "world_magnetic_model.h"

namespace vantorel {
namespace {

const std::string kFixtures = VANTOREL_LIST_FIXTURES;

JobRequest typed(InputTexts boxes) {
  JobRequest request;
  request.inputs = std::move(boxes);
  request.date = "2026-12-07";
  request.typedSatellite = true;
  return request;
}

Job built(const JobRequest& request, const SatelliteCatalog& list = builtInSatelliteList(BuiltInList::Nineties)) {
  return buildJob(request, list, "the list");
}

// Whether a call throws, and what.
template <typename Call>
std::optional<std::string> faultOf(Call call) {
  try {
    call();
  } catch (const std::exception& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

std::string kinds(const Job& job) {
  std::string all;
  for (const Notice& notice : job.notices) all += std::to_string(static_cast<int>(notice.kind));
  return all;
}

std::string labels(const std::vector<Figure>& figures) {
  std::string all;
  for (const Figure& figure : figures) all += std::string(all.empty() ? "" : ",") + std::string(labelText(figure.label));
  return all;
}

// Each figure's number is the one its text shows: the number a drawing or a
// CSV cell takes is never read back from the text.
TEST(JobTest, FiguresAreNumbersBesideTheirTexts) {
  JobRequest request = typed({"420100", "0910100", "101", "-8"});
  request.offsetAngle = "22.3";
  request.motor = true;
  const Job job = built(request);
  const std::vector<Figure> figures = chosenFigures(job, false);
  EXPECT_EQ(labels(figures),
            "AZIMUTH TRUE,AZIMUTH MAGNETIC,ELEVATION,LNB SKEW,DISH FACE TILT,POLAR AXIS ELEVATION,"
            "MOUNT AZIMUTH MAGNETIC,DECLINATION OFFSET,MERIDIAN ELEVATION,MOTOR ANGLE");
  const std::pair<double, const char*> expected[] = {
      {194.734207, "194.7342"}, {202.734207, "202.7342"}, {40.4161453, "40.41615"},
      {10.9632, "10.9632"},     {18.1161453, "18.11615"}, {42.0166664, "42.01667, the mount faces true south"},
      {188, "188"},             {6.507246, "6.507246"},   {41.47609, "41.47609"},
      {-11.23829, "11.23829° W"}};
  ASSERT_EQ(figures.size(), std::size(expected));
  for (std::size_t i = 0; i < figures.size(); ++i) {
    EXPECT_NEAR(figures[i].value, expected[i].first, 5e-6) << i;
    EXPECT_EQ(figures[i].text, expected[i].second);
  }
  EXPECT_EQ(labels(mountSettings(job.site, true)),
            "POLAR AXIS ELEVATION,MOUNT FACES,MOUNT AZIMUTH MAGNETIC,DECLINATION OFFSET,MERIDIAN ELEVATION");
  EXPECT_EQ(job.chosen->source, SatelliteSource::Typed);
  EXPECT_EQ(satelliteText(*job.chosen), "101° W");
  EXPECT_EQ(declinationSourceText(job.site), "typed");
  EXPECT_TRUE(job.listed.empty());
  EXPECT_EQ(kinds(job), "");
}

// What the instruments read: a compass and an inclinometer to a tenth, the
// LNB holder's marks to a whole degree, the motor's dial in tenths with E or W.
TEST(JobTest, ReadingsAreWhatTheInstrumentsRead) {
  const struct {
    Label label;
    double value;
    const char* reading;
  } rows[] = {{Label::AzimuthTrue, 194.7342, "194.7°"}, {Label::AzimuthMagnetic, 359.96, "0.0°"},
              {Label::Elevation, -0.04, "0.0°"},        {Label::Elevation, -2.26, "-2.3°"},
              {Label::LnbSkew, 10.9632, "11°"},         {Label::LnbSkew, -0.4, "0°"},
              {Label::LnbSkew, -20.8529, "-21°"},       {Label::MotorAngle, -11.23829, "11.2° W"},
              {Label::MotorAngle, 5.06, "5.1° E"},      {Label::MotorAngle, 0.04, "0.0°"},
              {Label::MotorAngle, -179.97, "180.0°"}};
  for (const auto& row : rows) {
    EXPECT_EQ(instrumentReading({row.label, row.value, "exact", {}}), row.reading) << row.value;
  }
  EXPECT_EQ(instrumentReading({Label::MountFaces, 0, "true south", {}}), "true south");
}

TEST(JobTest, SaysWhatItUnderstoodAndWhereItCameFrom) {
  struct Row {
    InputTexts boxes;
    bool automatic;
    const char* list;  // a fixture, or nullptr for the built-in list
    const char* site;  // latitude and longitude as the lines echo them
    const char* satellite;
    SatelliteSource source;
    const char* declination;
    std::string notices;  // the kinds, in order
  };
  using K = Notice::Kind;
  const auto kind = [](std::initializer_list<K> ks) {
    std::string all;
    for (K k : ks) all += std::to_string(static_cast<int>(k));
    return all;
  };
  const Row rows[] = {
      {{"33.87S", "151.21E", "156E", "12.5"}, false, nullptr, "33°52'12.0\" S -33.869999 151°12'36.0\" E 151.210007",
       "156° E", SatelliteSource::Typed, "12.5 typed", ""},
      {{"420100", "0910100", "galaxy 3", "-8"}, true, nullptr, "42°01'00.0\" N 42.016666 91°01'00.0\" W -91.016670",
       "Galaxy 3R, 95° W", SatelliteSource::BuiltInList, "-1.67 World Magnetic Model 2025 on 2026-12-07", ""},
      {{"429999", "0910100", "-101", "-8"}, false, nullptr, "43°40'39.0\" N 43.677502 91°01'00.0\" W -91.016670",
       "101° E", SatelliteSource::Typed, "-8 typed", kind({K::CarriedDigits, K::BelowHorizon})},
      {{"60", "0910100", "160", "0"}, false, nullptr, "60°00'00.0\" N 60.000000 91°01'00.0\" W -91.016670", "160° W",
       SatelliteSource::Typed, "0 typed", kind({K::LowElevation})},
      {{"74.7", "94.8", "101", ""}, true, nullptr, "74°42'00.0\" N 74.699997 94°48'00.0\" W -94.800003", "101° W",
       SatelliteSource::Typed, "-14.81 World Magnetic Model 2025 on 2026-12-07", kind({K::WeakField})},
      {{"51.5N", "0.1W", "gorizont", "0"}, false, "celestrak_geo.tle", "51°30'00.0\" N 51.500000 0°06'00.0\" W -0.100000",
       "GORIZONT 33, 145.6138° E", SatelliteSource::ListFile, "0 typed",
       kind({K::SkippedObjects, K::SatelliteNote, K::BelowHorizon})},
  };
  for (const Row& row : rows) {
    JobRequest request = typed(row.boxes);
    request.automaticDeclination = row.automatic;
    const Job job = built(request, row.list ? loadSatelliteList(kFixtures + "/" + row.list) : builtInSatelliteList(BuiltInList::Nineties));
    const JobSite& s = job.site;
    EXPECT_EQ(s.latitudeDms + " " + s.latitudeDecimal + " " + s.longitudeDms + " " + s.longitudeDecimal, row.site);
    EXPECT_EQ(satelliteText(*job.chosen), row.satellite);
    EXPECT_EQ(job.chosen->source, row.source) << row.satellite;
    EXPECT_EQ(s.declinationText + " " + declinationSourceText(s), row.declination);
    EXPECT_EQ(kinds(job), row.notices) << row.satellite;
  }
}

// The planner's way: a row of the list, and every satellite of the list.
TEST(JobTest, ChoosesAListEntryAndComputesTheWholeList) {
  JobRequest request = typed({"51.5N", "0.1W", "", "0"});
  request.typedSatellite = false;
  request.listEntry = 3;
  request.everySatellite = true;
  const SatelliteCatalog list = loadSatelliteList(kFixtures + "/celestrak_geo.csv");
  const Job job = built(request, list);
  ASSERT_EQ(job.listed.size(), list.entries.size());
  EXPECT_EQ(job.chosen->name, "GORIZONT 33");
  EXPECT_EQ(job.chosen->angles.azimuthTrueText, job.listed[3].angles.azimuthTrueText);
  EXPECT_EQ(job.listed[3].notes, (std::vector<std::string>{"inclined 5.22°", "drifting 0.23°/day West", "elements 83 days old"}));
  EXPECT_TRUE(job.orbitalList);
  request.listEntry = list.entries.size();
  EXPECT_THROW(built(request, list), Refusal);
}

// Refused in the window's order: the letters, the date, the declination, the
// satellite, then the site and the mount.
TEST(JobTest, RefusesTheFirstInputInTheWindowsOrder) {
  struct Row {
    InputTexts boxes;
    const char* date;
    const char* offset;
    Field field;  // Field::None: not a CalcError
  };
  const Row rows[] = {
      {{"42E", "x", "x", "x"}, "x", "x", Field::Latitude},
      {{"x", "x", "x", "x"}, "2026-02-30", "x", Field::None},
      {{"x", "x", "x", "x"}, "2026-12-07", "x", Field::Declination},
      {{"x", "x", "181", "-8"}, "2026-12-07", "x", Field::SatelliteLongitude},
      {{"4201", "x", "101", "-8"}, "2026-12-07", "x", Field::Latitude},
      {{"42", "x", "101", "-8"}, "2026-12-07", "x", Field::Longitude},
      {{"42", "91", "101", "-8"}, "2026-12-07", "46", Field::OffsetAngle},
  };
  for (const Row& row : rows) {
    JobRequest request = typed(row.boxes);
    request.date = row.date;
    request.offsetAngle = row.offset;
    try {
      built(request);
      ADD_FAILURE() << row.boxes.latitude;
    } catch (const CalcError& e) {
      EXPECT_EQ(e.field(), row.field) << e.what();
    } catch (const Refusal& e) {
      EXPECT_EQ(row.field, Field::None) << e.what();
    }
  }
}

// A spreadsheet reads every figure as a number, East positive where a sign
// is a direction, and never runs a name from a list as a formula.
// Extra LNBs: each by name or position, refused where it is the main
// satellite or below the horizon; a note where a bracket cannot hold it,
// and the monoblock sold for the pair.
TEST(JobTest, AddsExtraLnbsBesideTheChosenSatellite) {
  const SatelliteCatalog today = builtInSatelliteList(BuiltInList::Today);
  JobRequest request = typed({"51.5074N", "0.1278W", "astra 19.2", "0"});
  request.dish = dishOptics(600, std::nullopt, 11.7);
  request.multifeed = {"hotbird 13e", "28.2E"};
  const Job job = built(request, today);
  ASSERT_EQ(job.multifeeds.size(), 2u);
  EXPECT_EQ(job.multifeeds[0].satellite.name, "EUTELSAT HOTBIRD 13G & EUTELSAT HOTBIRD 13F");
  EXPECT_EQ(labels(job.multifeeds[0].figures), "SEPARATION,LNB OFFSET,LNB SKEW,COMA LOSS,MONOBLOCK");
  EXPECT_EQ(labels(job.multifeeds[1].figures), "SEPARATION,LNB OFFSET,LNB SKEW,COMA LOSS");
  // 47 mm on a 60 cm dish: closer than two LNBs stand; 68 mm fits.
  EXPECT_EQ(job.multifeeds[0].notes.size(), 1u);
  EXPECT_TRUE(job.multifeeds[1].notes.empty());
  EXPECT_EQ(job.notices.back().kind, Notice::Kind::MultifeedNote);
  EXPECT_EQ(job.dishText, "360 mm (assumed: an f/D of 0.6 on the 60 cm dish; give --focal-length)");
  // On a 3 m dish 28.2E stands farther than a bracket reaches.
  request.dish = dishOptics(1000, 2000.0, 11.7);
  EXPECT_NE(built(request, today).multifeeds[1].notes.front().find("farther than a bracket"), std::string::npos);

  const std::pair<std::string, std::string> refused[] = {
      {"19.2E", "The multifeed satellite \"19.2E\" is 19.2° E, the satellite the dish aims at; give another"},
      {"101W", "The multifeed satellite \"101W\", 101° W, is below the horizon here (elevation"},
      {"astra 1n", "The multifeed satellite \"astra 1n\" is ASTRA 1P (SES-24) & ASTRA 1N, 19.2° E, the satellite"}};
  for (const auto& [extra, message] : refused) {
    request.multifeed = {extra};
    EXPECT_EQ(faultOf([&] { built(request, today); }).value_or("").find(message), 0u) << extra;
  }
}

// London for 28.2E: 145.4432° true, 25.36594° up. Obstacles across its
// azimuth block it, or clear it by less than the 60 cm dish's 1.49°
// half-width; one of known height and distance says what would clear it;
// every listed satellite has its clearance, and the table its column.
TEST(JobTest, HoldsEachSatelliteToTheSkyline) {
  const SatelliteCatalog today = builtInSatelliteList(BuiltInList::Today);
  JobRequest request = typed({"51.5074N", "0.1278W", "28.2E", "0"});
  request.everySatellite = true;
  request.obstacles = {"140-150:8m@15m", "300-20:10"};
  Job job = built(request, today);
  ASSERT_TRUE(job.chosen->clearance);
  EXPECT_EQ(job.chosen->clearanceText, "-2.71");
  EXPECT_EQ(job.chosen->clearanceOver, "the obstacle 140-150°, 28.1°");
  EXPECT_EQ(job.notices.back().kind, Notice::Kind::Blocked);
  EXPECT_EQ(labels(job.clearanceFigures), "SET BACK,RAISE BY");
  EXPECT_EQ(job.clearanceFigures[0].text.substr(0, 6), "16.9 m");
  EXPECT_EQ(job.clearanceFigures[1].text.substr(0, 5), "0.9 m");
  EXPECT_TRUE(std::all_of(job.listed.begin(), job.listed.end(), [](const Pointing& p) { return p.clearance; }));
  EXPECT_NE(satelliteTable(job, {}).find("CLEARANCE"), std::string::npos);
  EXPECT_NE(satelliteLines(job).find("CLEARANCE         -2.71 (over the obstacle 140-150°, 28.1°)\nSET BACK"),
            std::string::npos);

  request.obstacles = {"140-150:24.5"};
  job = built(request, today);
  EXPECT_EQ(job.notices.back().kind, Notice::Kind::LowClearance);
  EXPECT_TRUE(job.clearanceFigures.empty());
  request.obstacles = {"140-150:23.5"};
  EXPECT_EQ(kinds(built(request, today)), "");
  request.obstacles = {"140-150:95"};
  try {
    built(request, today);
    ADD_FAILURE();
  } catch (const Refusal& e) {
    EXPECT_EQ(e.input(), Refusal::Input::Obstacle);
  }
  // Without obstacles, no clearance and no column.
  request.obstacles.clear();
  job = built(request, today);
  EXPECT_FALSE(job.chosen->clearance);
  EXPECT_EQ(satelliteTable(job, {}).find("CLEARANCE"), std::string::npos);
}

// A satellite of a satellites.xml brings one transponder a polarization for
// the finder; a position typed, or another list, brings none.
TEST(JobTest, GivesTheFinderATransponderAPolarization) {
  const SatelliteCatalog xml = loadSatelliteList(kFixtures + "/satellites_transponders.xml");
  const auto finder = [&](const char* satellite) {
    std::string lines;
    for (const FinderLine& f : built(typed({"51.5074N", "0.1278W", satellite, "0"}), xml).finder) lines += f.text + "\n";
    return lines;
  };
  EXPECT_EQ(finder("astra 2e"),
            "10773 H 23000 DVB-S2 8PSK (IF 1023 MHz, low band, 22 kHz off)\n"
            "11720.25 V 29500 DVB-S2 8PSK (IF 1120.25 MHz, high band, 22 kHz on)\n");
  EXPECT_EQ(finder("intelsat 21"),
            "4100 L 2222 DVB-S QPSK (IF 1050 MHz, C band, LNB 5150 MHz)\n"
            "3760 R 30000 DVB-S2 QPSK (IF 1390 MHz, C band, LNB 5150 MHz)\n");
  EXPECT_EQ(finder("ses 5"), "");
  EXPECT_EQ(finder("28.2E"), "");
  EXPECT_EQ(xml.entries[0].transponders.size(), 4u);  // the one without a frequency passed over
}

// With the motor at zero the dish looks along the site's meridian, square
// to the polar axis and dipped by the declination offset: its elevation
// and those two add up to a right angle, in either hemisphere. London's
// is 31.0°.
TEST(JobTest, GivesTheMeridianElevationOfAPolarMount) {
  for (const char* latitude : {"10N", "42.0167N", "51.5074N", "33.87S", "0.5S"}) {
    JobRequest request = typed({latitude, "0.1278W", "28.2E", "0"});
    request.motor = true;
    const Job job = built(request);
    const auto value = [&](Label label) {
      for (const Figure& f : job.site.mountFigures) {
        if (f.label == label) return f.value;
      }
      ADD_FAILURE() << "no " << labelText(label);
      return 0.0;
    };
    EXPECT_NEAR(value(Label::MeridianElevation) + value(Label::PolarAxisElevation) + value(Label::DeclinationOffset), 90,
                1e-4)
        << latitude;
  }
}

// A season's local window across a clock change: a part for each offset,
// its days' own local times within its window, so that no day reads an
// hour out. Summer time ending in Sydney (April) and Santiago (April),
// beginning in Santiago (September) and in Miami (March).
struct ClockChange {
  const char* latitude;
  const char* longitude;
  const char* satellite;
  const char* zone;
  const char* outageAngle;  // "" for the dish's own
  std::vector<std::string> abbreviations;  // of the parts of the seasons that cross a change
};

class ClockChangeTest : public testing::TestWithParam<ClockChange> {};

TEST_P(ClockChangeTest, GivesEachPartOfASeasonItsOwnOffset) {
  const ClockChange& c = GetParam();
  JobRequest request = typed({c.latitude, c.longitude, c.satellite, "0"});
  request.sunOutage = OutageCriterion{};
  if (*c.outageAngle) request.sunOutage->angle = std::stod(c.outageAngle);
  request.timeZone = c.zone;
  const Job job = built(request);
  std::vector<std::string> abbreviations;
  for (const JobSunOutage::Season& season : job.sunOutage->seasons) {
    if (season.localWindow.find(';') == std::string::npos) continue;
    std::size_t from = 0;
    for (std::size_t end = 0; end != std::string::npos; from = end + 2) {
      end = season.localWindow.find("; ", from);
      const std::string part = season.localWindow.substr(from, end == std::string::npos ? end : end - from);
      // "2027-03-31 to 04-03 12:29:46 to 12:43:39 AEDT"
      const std::size_t to = part.rfind(" to ");
      const std::string earliest = part.substr(to - 8, 8), latest = part.substr(to + 4, 8);
      abbreviations.push_back(part.substr(to + 13));
      const std::string first = part.substr(0, 10);
      const std::string last =
          part.size() > 11 && part.compare(11, 3, "to ") == 0 ? first.substr(0, 5) + part.substr(14, 5) : first;
      for (const JobSunOutage::Day& day : job.sunOutage->days) {
        if (day.date < first || day.date > last) continue;
        EXPECT_GE(day.localStart, earliest) << day.date;
        EXPECT_LE(day.localEnd, latest) << day.date;
      }
    }
  }
  EXPECT_EQ(abbreviations, c.abbreviations);
}

INSTANTIATE_TEST_SUITE_P(
    SummerTime, ClockChangeTest,
    testing::Values(ClockChange{"33.87S", "151.21E", "156E", "Australia/Sydney", "", {"AEDT", "AEST"}},
                    ClockChange{"33.45S", "70.67W", "70W", "America/Santiago", "", {"-03", "-04", "-04", "-03"}},
                    ClockChange{"25.76N", "80.19W", "80W", "America/New_York", "3", {"EST", "EDT"}},
                    ClockChange{"41.88N", "87.63W", "87W", "America/Chicago", "5", {"CST", "CDT"}}),
    [](const testing::TestParamInfo<ClockChange>& param) {
      std::string name = param.param.zone;
      std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
      return name;
    });

// The elevation's notices, at their edges.
TEST(JobTest, HorizonNoticesFallOnTheirSides) {
  const auto elevation = [](double e) {
    Pointing p;
    p.angles.Elevation = static_cast<Single>(e);
    return horizonNotice(p);
  };
  expectEachEdgeOnItsSide({
      {"above the horizon", 0, -1e-4, [&](double e) { return !elevation(e) || elevation(e)->kind != Notice::Kind::BelowHorizon; }},
      {"low under 5", 4.9999, 5, [&](double e) { return elevation(e) && elevation(e)->kind == Notice::Kind::LowElevation; }},
  });
}

}  // namespace
}  // namespace vantorel
