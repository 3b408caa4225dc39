// Satellite lists: each format read from a small fixture written from its
// documentation, station longitudes against SGP4, the notes, every refusal's
// message, the built-in list, finding by name, and the fuzzer's corpus.
#include <gtest/gtest.h>
#include "edges.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "angles.h"
#include "mean_elements.h"
#include "satellite_list.h"
#include "satellite_lists_property.h"
#include "satellite_notes.h"
#include "satellite_search.h"

namespace vantorel {
namespace {

const std::string kFixtures = VANTOREL_FIXTURES_DIR;

SatelliteCatalog readText(const std::string& text) {
  std::istringstream in(text);
  return readSatelliteList(in, "list");
}

// The message a text is refused with, or "read".
std::string refusal(const std::string& text) {
  try {
    readText(text);
  } catch (const SatelliteListError& e) {
    return e.what();
  }
  return "read";
}

std::string joined(const std::vector<std::string>& notes) {
  std::string all;
  for (const std::string& note : notes) all += (all.empty() ? "" : "; ") + note;
  return all;
}

// Positions written as decimals are those decimals exactly, so that a Single
// made from them prints back as written; 180 W is 180 E, 0.8w is West.
TEST(SatelliteListTest, ReadsPlainListsAndSatellitesXmlAsWritten) {
  struct Row {
    const char* file;
    const char* format;
    std::vector<std::pair<std::string, double>> entries;
  };
  const Row rows[] = {
      {"plain_positions.txt",
       "plain list",
       {{"Astra 1KR/1L/1M/1N", 19.2}, {"Hot Bird 13B/13C/13E", 13}, {"Thor 5/6/7", -0.8}, {"SES 1", -101},
        {"Intelsat 18", 180}}},
      {"plain_spreadsheet.csv", "plain list", {{"Astra 1KR, 1L", 19.2}, {"Eutelsat 5 West B", -5}, {"The \"Bird\"", 13}}},
      {"satellites.xml",
       "satellites.xml",
       {{"Astra 1KR/1L/1M/1N (19.2E)", 19.2}, {"Hot Bird 13B/13C/13E (13.0E)", 13},
        {"Thor 5/6/7 & Intelsat 10-02 (0.8W)", -0.8}, {"SES 1 (101.0W)", -101}, {"177.0W C-band NSS 9", -177}}},
      // A band's key a few tenths off its slot is placed where the name
      // says; 1801 is 180.1 E, that is 179.9 W; a name half a degree or more
      // from its key is left at the key.
      {"satellites_bands.xml",
       "satellites.xml",
       {{"58.0W C-band Intelsat 21", -58}, {"58.0W Ku-band Intelsat 21", -58}, {"97.0W Galaxy 19", -97},
        {"97.0W C-band Galaxy 19", -97}, {"103.0W Ka-band T12 & SES 18", -103}, {"180.0E C-band Intelsat 18", 180},
        {"180.0E Ku-band Intelsat 18", 180}, {"Astra/Eurobird (28.2E)", 28.2}, {"Astra 2E/2F/2G (28.2E)", 30.4},
        {"Astra 1KR/1M/1N/1P (19.2E)", 19.2}, {"Hotbird 13F/13G (13.0E)", 13}, {"Türksat 3A/4A/5B/6A (42.0E)", 42},
        {"SES 4 (22.0W)", -22}, {"SES 5 (5.0E)", 5}}},
      // VDR's satellites, its other sources and "any satellite" left out.
      {"sources.conf",
       "VDR sources.conf",
       {{"Astra 1KR/1L/1M/1N", 19.2}, {"Hotbird 13B/13C/13E", 13}, {"Thor 5/6/7 & Intelsat 10-02", -0.8},
        {"Eutelsat 7B/7C", 7}}},
      // A European spreadsheet's semicolons and decimal commas.
      {"semicolon.csv", "plain list", {{"SatMex 5 (116.8W)", -116.8}, {"Astra 1KR; 1L", 19.2}, {"Hispasat 30W-6", -30}}}};
  for (const Row& row : rows) {
    const SatelliteCatalog list = loadSatelliteList(kFixtures + "/" + row.file);
    EXPECT_EQ(list.format, row.format);
    ASSERT_EQ(list.entries.size(), row.entries.size()) << row.file;
    for (std::size_t i = 0; i < row.entries.size(); ++i) {
      EXPECT_EQ(list.entries[i].name, row.entries[i].first);
      EXPECT_EQ(list.entries[i].longitudeEast, row.entries[i].second) << row.entries[i].first;
      EXPECT_FALSE(list.entries[i].orbit);
      EXPECT_EQ(list.entries[i].namedLongitudeEast.has_value(), row.entries[i].second == 30.4);
    }
  }
  EXPECT_EQ(readText("<satellites><sat name=\"A (1.0W)\" position=\"35991\"/></satellites>").entries[0].longitudeEast, -1);
  EXPECT_EQ(readText("19.2E " + std::string(120, 'x')).entries[0].name.size(), 120u);
  EXPECT_EQ(loadSatelliteList(kFixtures + "/commented.tle").entries[0].name, "ASTRA 1KR");
  EXPECT_EQ(loadSatelliteList(kFixtures + "/sources.conf").skipped, 4u);
}

// A file that is no text is named for what it is, before any reader quotes
// its bytes as a malformed line.
TEST(SatelliteListTest, SaysWhatAFileThatIsNoListIs) {
  const std::pair<std::string, std::string> files[] = {
      {"list.txt.gz", "list.txt.gz: a gzip-compressed file; unpack it first"},
      {"picture.png", "picture.png: a PNG image, not a satellite list"}};
  for (const auto& [file, message] : files) {
    try {
      loadSatelliteList(kFixtures + "/" + file);
      ADD_FAILURE() << file << " was read";
    } catch (const SatelliteListError& e) {
      EXPECT_EQ(e.what(), kFixtures + "/" + message);
    }
  }
  const std::pair<std::string, std::string> texts[] = {
      {std::string("\xff\xd8\xff\xe0\x00\x10JFIF", 10), "list: a JPEG image, not a satellite list"},
      {"%PDF-1.7\n", "list: a PDF document, not a satellite list"},
      {std::string("PK\x03\x04\x14\x00", 6), "list: a zip archive; unpack it first"},
      {std::string("19.2E Astra\n\x00\x01", 14), "list: binary content, not text; expected a satellite list"},
      {"\x01\x02\x03\x04\x05 19.2E", "list: binary content, not text; expected a satellite list"},
      {"C  Cable\nT  Terrestrial\n", "list:1: found \"C  Cable\"" + std::string(", expected a satellite list: a plain list "
       "(\"19.2E Astra 1KR\" or \"Astra 1KR,19.2E\"), a satellites.xml, CelesTrak's OMM as CSV or JSON, or a three-line TLE")},
      {"S19.2E  Astra\nS192E  Far\n", "list:2: found the source \"S192E\", expected S and a position of 180° or less "
       "with E or W, such as S19.2E"},
      {"Satellite;Position\nAstra;19.2\n",
       "list:2: found the position \"19.2\" without its hemisphere letter, expected East or West: write 19.2E or 19.2W"}};
  for (const auto& [text, message] : texts) EXPECT_EQ(refusal(text), message);
}

// The three forms of the same GP data give the same satellites, the object
// in low orbit skipped. Reference longitudes: python3-sgp4 2.15 (Debian),
// Satrec.twoline2rv on each set of celestrak_geo.tle with WGS72, sgp4() at
// the set's own epoch, then atan2(y, x) of the TEME position minus
// sgp4.propagation.gstime (IAU 1982 GMST) at the epoch, UT1 as UTC.
//   sgp4   as it stands. Its lunisolar periodic terms are not zero at the
//          epoch (its code subtracts no epoch values from them), and the mean
//          elements leave them out: up to 0.045 degree apart for any
//          near-geostationary orbit (0.042 at most over 300 random sets).
//   mean   the same with those terms removed (sgp4.propagation._dpper
//          returning its arguments unchanged once initialised): what the
//          mean elements describe, short-period J2 terms included, so within
//          0.002 degree even at 5 degrees of inclination.
TEST(SatelliteListTest, GivesStationLongitudesThatAgreeWithSgp4) {
  constexpr double kToSgp4 = 0.045;
  constexpr double kToMeanSgp4 = 0.002;
  struct Reference {
    const char* name;
    double sgp4, mean;
    const char* notes;  // on 2026-12-01
  };
  const Reference references[] = {
      {"ASTRA 1KR", 19.200013, 19.238223, ""},
      {"HOT BIRD 13G", 13.000006, 13.018261, ""},
      {"SES-1", -101.000013, -100.970801, ""},
      {"GORIZONT 33", 145.599972, 145.612647, "inclined 5.22°; drifting 0.23°/day West; elements 77 days old"}};
  const std::pair<const char*, const char*> files[] = {
      {"celestrak_geo.tle", "three-line TLE"}, {"celestrak_geo.csv", "OMM CSV"}, {"celestrak_geo.json", "OMM JSON"}};
  for (const auto& [file, format] : files) {
    const SatelliteCatalog list = loadSatelliteList(kFixtures + "/" + file);
    EXPECT_EQ(list.format, format);
    EXPECT_EQ(list.skipped, 1u) << file;
    ASSERT_EQ(list.entries.size(), std::size(references)) << file;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
      const SatelliteEntry& entry = list.entries[i];
      EXPECT_EQ(entry.name, references[i].name) << file;
      EXPECT_NEAR(entry.longitudeEast, references[i].sgp4, kToSgp4) << file << " " << entry.name;
      EXPECT_NEAR(entry.longitudeEast, references[i].mean, kToMeanSgp4) << file << " " << entry.name;
      EXPECT_EQ(joined(satelliteNotes(entry, {2026, 12, 1})), references[i].notes) << file << " " << entry.name;
    }
  }
}

// Kepler's equation solved, at the most eccentric orbit still taken as
// near-geostationary: a circular orbit whose mean anomaly is the true
// anomaly, found here by halving the interval, stands at the same longitude.
TEST(SatelliteListTest, SolvesKeplersEquationToTheEccentricityBound) {
  const double e = 0.099;
  for (double degrees : {30.0, 100.0, 250.0}) {
    const double M = degrees * kRadiansPerDegree;
    double low = M - 1, high = M + 1;  // E - e sin E - M changes sign between
    for (int i = 0; i < 100; ++i) ((low + high) / 2 - e * std::sin((low + high) / 2) < M ? low : high) = (low + high) / 2;
    const double E = (low + high) / 2;
    const double trueAnomaly = 2 * std::atan2(std::sqrt(1 + e) * std::sin(E / 2), std::sqrt(1 - e) * std::cos(E / 2));
    const MeanElements eccentric{1.0027, e, 3, 40, 20, degrees, {{2026, 11, 20}, 3600}};
    MeanElements circular = eccentric;
    circular.eccentricity = 0;
    circular.meanAnomaly = trueAnomaly / kRadiansPerDegree;
    EXPECT_NEAR(stationLongitude(eccentric), stationLongitude(circular), 1e-9) << degrees;
  }
}

// Each note begins just past its limit; the age counts whole days between
// the epoch's date and the run's, either way.
TEST(SatelliteNotesTest, NoteWhatAFixedDishCannotHold) {
  struct Row {
    double inclination, drift;
    CalendarDate epoch, run;
    const char* notes;
  };
  const Row rows[] = {
      {0.5, 0.05, {2026, 11, 1}, {2026, 12, 1}, ""},
      {0.5, -0.05, {2027, 1, 1}, {2026, 12, 2}, ""},
      {0.51, 0.051, {2026, 10, 31}, {2026, 12, 1}, "inclined 0.51°; drifting 0.05°/day East; elements 31 days old"},
      {0, -1.5, {2027, 3, 1}, {2026, 12, 1}, "drifting 1.50°/day West; elements dated 90 days after the date"}};
  for (const Row& row : rows) {
    const SatelliteEntry entry{"X", 0, OrbitalState{row.inclination, row.drift, {row.epoch, 43200}}, std::nullopt, {}};
    EXPECT_EQ(joined(satelliteNotes(entry, row.run)), row.notes);
  }
  EXPECT_TRUE(satelliteNotes({"X", 0, {}, {}, {}}, {2026, 12, 1}).empty());
  EXPECT_EQ(joined(satelliteNotes({"X", 30.4, {}, 28.2, {}}, {2026, 12, 1})), "its name says 28.2° E; placed at the list's 30.4° E");
}

// Every refusal names the file and the line, quotes what it found safely and
// says what was expected; a list with nothing kept is refused too.
TEST(SatelliteListTest, RefusesMalformedFilesWithOneLine) {
  const std::string omm = "OBJECT_NAME,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,"
                          "MEAN_ANOMALY\n";
  const std::string json = R"([{"OBJECT_NAME":"A","EPOCH":"2026-11-20T12:24:56","MEAN_MOTION":1.0027,)"
                           R"("ECCENTRICITY":0.0003,"INCLINATION":0.04,"RA_OF_ASC_NODE":10,"ARG_OF_PERICENTER":20)";
  const std::string name = "ASTRA 1KR\n";
  const std::string line1 = "1 29055U 06012A   26324.51732060  .00000012  00000-0  00000-0 0  9994\n";
  const std::string line2 = "2 29055   0.0421 286.4412 0003412 117.2934 221.2997  1.00271603 74232\n";
  const std::string expectedFormats = ", expected a satellite list: a plain list (\"19.2E Astra 1KR\" or \"Astra 1KR,"
                                      "19.2E\"), a satellites.xml, CelesTrak's OMM as CSV or JSON, or a three-line TLE";
  const std::pair<std::string, std::string> rows[] = {
      {"", "list: holds no geostationary satellite: it is empty"},
      // Never a line, field, object or element that fills the memory.
      {"19.2E Astra\n" + std::string(1100000, 'x'), "list:2: found more than 1 MiB without the end of a line, expected a satellite list"},
      {"A,19.2E\n\"" + std::string(1100000, '\n'), "list:2: found more than 1 MiB without the end of a quoted field, expected a satellite list"},
      {json + ",\"X\":\"" + std::string(1100000, 'x'), "list:1: found more than 1 MiB without the end of an object, expected a satellite list"},
      {"<satellites><sat name=\"" + std::string(3000000, 'x'), "list:1: found more than 1 MiB without the end of an element, expected a satellite list"},
      {"# nothing yet\n", "list: holds no geostationary satellite"},
      {"name,position\n", "list: holds no geostationary satellite"},
      {"Satellites\x1b[2J\n", "list:1: found \"Satellites\\x1b[2J\"" + expectedFormats},
      {"19.2E Astra\n\n19.2 Hot Bird\n",
       "list:3: found the position \"19.2\" without its hemisphere letter, expected East or West: write 19.2E or 19.2W"},
      {"Astra,19.2E\nHot Bird,13\n",
       "list:2: found the position \"13\" without its hemisphere letter, expected East or West: write 13E or 13W"},
      {"180.1E Far\n", "list:1: found the position \"180.1E\", expected 180° or less East or West"},
      {"-19.2E Astra\n", "list:1: found the position \"-19.2E\" with both a sign and a hemisphere letter, expected a "
                         "position such as 19.2E, 19.2°E or 101 W, without a sign"},
      {"Astra,1e999E\n",
       "list:1: found \"1e999E\" where the position belongs, expected a position such as 19.2E, 19.2°E or 101 W"},
      {"19.2E\n", "list:1: found no name, expected one beside the position"},
      {"19.2E " + std::string(121, 'x') + "\n",
       "list:1: found a name of 121 characters, \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…\", expected at most 120"},
      {"19.2E \xe2\x80\xae" "Astra\n", "list:1: found the name \"\\xe2\\x80\\xaeAstra\", expected a satellite's name in "
                                     "UTF-8 text without control or format characters"},
      {"\n# a list\nSatellites\n", "list:3: found \"Satellites\"" + expectedFormats},
      {"Astra,19.2E\nHot Bird\n",
       "list:2: found 1 field, expected two: name,position such as \"Astra 1KR,19.2E\""},
      {"Astra,19.2E\n\"Hot Bird,13E\n",
       "list:2: found a field opened with a quote and never closed, expected a closing \""},
      {"\"Astra\xc2\x9b\",19.2E\n", "list:1: found the name \"Astra\\xc2\\x9b\", expected a satellite's name in UTF-8 text without control or format characters"},
      {"<satellites>\n<sat name=\"A\" position=\"192\">\n",
       "list:3: found the end of the file inside <sat> opened on line 2, expected </sat>"},
      {"<satellites>\n<sat name=\"A\" position=\"19.2\"/></satellites>",
       "list:2: found <sat name=\"A\"> with the position \"19.2\", expected a whole number of tenths of a degree, East "
       "positive, such as 192 for 19.2E"},
      {"<satellites>\n<sat name=\"A\"/></satellites>",
       "list:2: found <sat name=\"A\"> without a position, expected position=\"192\" for 19.2E"},
      {"<satellites>\n<sat name=\"A\" position=\"1\"></satx></satellites>",
       "list:2: found malformed XML (Opening and ending tag mismatch.), expected a well-formed satellites.xml"},
      {"<channels/>", "list:1: found <channels>, expected <satellites>"},
      {omm + "A,2026-11-20T12:24:56,1.0027,0.0003,0.04,10,20\n", "list:2: found 7 fields, expected 8 as in the header line"},
      {omm + "A,2026-11-20T12:24:56,1.0027,0.0003,0.04,10,20,nan\n", "list:2: found MEAN_ANOMALY \"nan\", expected a number"},
      {omm + "A,2026-11-20 12:24:56,1.0027,0.0003,0.04,10,20,30\n",
       "list:2: found EPOCH \"2026-11-20 12:24:56\", expected a UTC date and time such as 2026-11-30T12:34:56.123456"},
      {omm + "A,2026-11-20T24:00:00,1.0027,0.0003,0.04,10,20,30\n",
       "list:2: found EPOCH \"2026-11-20T24:00:00\", expected a UTC date and time such as 2026-11-30T12:34:56.123456"},
      {omm + "A,2026-11-20T12:24:56,1.0027,1.3,0.04,10,20,30\n",
       "list:2: found \"A\" with an eccentricity of \"1.3\", expected 0 to under 1"},
      {omm + "ISS,2026-11-20T12:24:56,15.5,0.0003,51.6,10,20,30\n",
       "list: holds no geostationary satellite: its 1 object is not near the geostationary orbit"},
      {json + "}]", "list:1: found an object without MEAN_ANOMALY, expected CelesTrak's OMM keys OBJECT_NAME, EPOCH, "
                    "MEAN_MOTION, ECCENTRICITY, INCLINATION, RA_OF_ASC_NODE, ARG_OF_PERICENTER and MEAN_ANOMALY"},
      {json + ",\"MEAN_ANOMALY\":true}]", "list:1: found MEAN_ANOMALY that is not a number, expected one"},
      {json + ",\n\"MEAN_ANOMALY\":}]",
       "list:2: found malformed JSON (object is missing after a comma), expected an OMM object"},
      {json, "list:1: found the end of the file inside the object begun on line 1, expected \"}\""},
      {name + line1 + line2.substr(0, 68) + "3\n",
       "list:3: found the checksum \"3\" at the end of line 2, expected 2: the line is damaged"},
      {name + line1, "list:2: found the end of the file, expected line 2 of an element set: 69 columns starting \"2 \""},
      {line1 + line2, "list:1: found \"1 29055U 06012A   26324.51732060  .00000…\" where a name belongs, expected "
                      "three-line TLE: each element set's lines 1 and 2 after a line with the satellite's name"},
      {name + line1 + "2 29056" + line2.substr(7, 61) + "3\n",
       "list:3: found the catalogue number \"29056\", expected line 1's \"29055\""},
      {name + line1.substr(0, 18) + "26400.51732060" + line1.substr(32, 36) + "9\n" + line2,
       "list:2: found the epoch \"26400.51732060\" in columns 19 to 32, expected YYDDD.DDDDDDDD, a year and a day of "
       "that year"}};
  for (const auto& [text, message] : rows) EXPECT_EQ(refusal(text), message);
  for (const std::string file : {"missing.txt", ""}) {
    try {
      loadSatelliteList(kFixtures + "/" + file);
      ADD_FAILURE() << "read: " << file;
    } catch (const SatelliteListError& e) {
      EXPECT_EQ(e.what(), kFixtures + "/" + file + ": " +
                              (file.empty() ? "is a folder, expected a satellite list file"
                                            : "cannot be opened: No such file or directory"));
    }
  }
}

// A number however outlandish is quoted as written, cut like any found
// text: never written out in full (9901.004E302 has 306 digits in full).
TEST(SatelliteListTest, QuotesOutlandishNumbersAsWritten) {
  const std::string omm = "OBJECT_NAME,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,"
                          "MEAN_ANOMALY\nA,2026-11-20T12:24:56,1.0027,@,0.04,10,20,30\n";
  const std::string json = R"([{"OBJECT_NAME":"A","EPOCH":"2026-11-20T12:24:56","MEAN_MOTION":1.0027,"ECCENTRICITY":@,)"
                           R"("INCLINATION":0.04,"RA_OF_ASC_NODE":10,"ARG_OF_PERICENTER":20,"MEAN_ANOMALY":30}])";
  const std::string formats[] = {omm, json, "[{" + json.substr(2, json.find('@') - 2) + "\"@\"" + json.substr(json.find('@') + 1),
                                 "<satellites><sat name=\"A\" position=\"@\"/></satellites>", "@E Astra\n"};
  const std::string huge = "9" + std::string(400, '0');
  for (const std::string& format : formats) {
    for (const std::string& value : std::vector<std::string>{huge, "9901.004E302", "1e-400", "-1e999", "inf", "nan", "NaN"}) {
      std::string text = format;
      text.replace(text.find('@'), 1, value);
      const std::string message = refusal(text);
      EXPECT_TRUE(message.starts_with("list:1: ") || message.starts_with("list:2: ")) << message;
      EXPECT_LT(message.size(), 250u) << message;
      EXPECT_EQ(message.find("0000000000000000000000000000000000000000000"), std::string::npos) << message;
    }
  }
  EXPECT_EQ(refusal(R"([{"OBJECT_NAME":"A","EPOCH":"2026-11-20T12:24:56","MEAN_MOTION":1.0027,)"
                    R"("ECCENTRICITY": 9901.004E302 ,"INCLINATION":0.04,"RA_OF_ASC_NODE":10,"ARG_OF_PERICENTER":20,)"
                    R"("MEAN_ANOMALY":{"x":[1,"}"]}, "MEAN_ANOMALY":30}])"),
            "list:1: found \"A\" with an eccentricity of \"9901.004E302\", expected 0 to under 1");
}

// Far longer than the head the formats are told apart by, and than one chunk
// read at a time: entries and line numbers carry on across both.
TEST(SatelliteListTest, ReadsListsLongerThanAChunk) {
  constexpr int kCount = 20000;
  std::string plain, xml = "<satellites>\n", json = "[";
  for (int i = 0; i < kCount; ++i) {
    const std::string n = std::to_string(i);
    plain += "0." + n + "W Satellite " + n + "\n";
    xml += "<sat name=\"S" + n + "\" position=\"" + n.substr(0, 3) + "\"><transponder frequency=\"1\"/></sat>\n";
    json += std::string(i ? "," : "") + R"({"OBJECT_NAME":"S","EPOCH":"2026-11-20T12:24:56","MEAN_MOTION":1.0027,)" +
            R"("ECCENTRICITY":0.0003,"INCLINATION":0.04,"RA_OF_ASC_NODE":10,"ARG_OF_PERICENTER":20,"MEAN_ANOMALY":)" +
            n + "}\n";
  }
  EXPECT_EQ(readText(plain).entries.back().longitudeEast, -0.19999);
  EXPECT_EQ(readText(xml + "</satellites>").entries.back().name, "S19999");
  EXPECT_EQ(readText(json + "]").entries.size(), std::size_t{kCount});
  EXPECT_EQ(refusal(plain + "13 Far\n"),
            "list:20001: found the position \"13\" without its hemisphere letter, expected East or West: write 13E or 13W");
}

// The window's 69 satellites in its order, at the longitudes it lists.
TEST(SatelliteListTest, OffersTheBuiltInListInItsOrder) {
  const SatelliteCatalog list = builtInSatelliteList(BuiltInList::Nineties);
  ASSERT_EQ(list.entries.size(), 69u);
  const std::pair<std::size_t, std::pair<std::string, double>> rows[] = {
      {0, {"EchoStar 3", -61.5}}, {3, {"Brasilsat B2", -65}}, {68, {"PAS 5", -155.5}}};
  for (const auto& [index, entry] : rows) {
    EXPECT_EQ(std::make_pair(list.entries[index].name, list.entries[index].longitudeEast), entry);
  }
}

// Today's built-in list against the GEO file it was made from, kept beside
// it: every station-kept object (inclination 0.5° or less, drift 0.05°/day
// or less) is found by its own name in a slot within 0.1° of its station
// longitude, and every other object is left out.
TEST(SatelliteListTest, BuildsTodaysListFromItsSource) {
  const SatelliteCatalog list = builtInSatelliteList(BuiltInList::Today);
  EXPECT_EQ(list.builtInName, "the built-in list of " + std::string(todayListDate()));
  const SatelliteCatalog source = loadSatelliteList(std::string(VANTOREL_CATALOGUE_DIR) + "/celestrak-geo-" +
                                                    std::string(todayListDate()) + ".tle");
  std::size_t kept = 0;
  std::vector<std::size_t> membersLength(list.entries.size(), 0);  // their names, " & " between them
  for (const SatelliteEntry& object : source.entries) {
    if (object.orbit->inclination > 0.5 || std::fabs(object.orbit->driftPerDay) > 0.05) continue;
    ++kept;
    const SatelliteMatch match = findSatellite(list, object.name);
    ASSERT_EQ(match.kind, SatelliteMatch::Kind::Found) << object.name;
    const SatelliteEntry& slot = list.entries[match.entry];
    EXPECT_NE(slot.name.find(object.name), std::string::npos) << object.name << " found as " << slot.name;
    EXPECT_LE(std::fabs(halfTurns(slot.longitudeEast - object.longitudeEast)), 0.1 + 1e-9) << object.name;
    membersLength[match.entry] += (membersLength[match.entry] == 0 ? 0 : 3) + object.name.size();
  }
  // Each slot's name lists its objects and nothing else.
  for (std::size_t i = 0; i < list.entries.size(); ++i) {
    EXPECT_EQ(membersLength[i], list.entries[i].name.size()) << list.entries[i].name;
    EXPECT_FALSE(list.entries[i].orbit) << list.entries[i].name << ": a built-in satellite carries no age note";
  }
  // 568 objects, 218 of them inclined, drifting or not near geostationary.
  EXPECT_EQ(source.entries.size() + source.skipped - kept, 218u);
  EXPECT_EQ(list.entries.size(), 253u);
}

TEST(SatelliteSearchTest, FindsNamesAsPeopleTypeThem) {
  const SatelliteCatalog builtIn = builtInSatelliteList(BuiltInList::Nineties);
  const SatelliteCatalog bands = loadSatelliteList(kFixtures + "/satellites_bands.xml");
  // A leading number without E or W is the name's own, not a position.
  const SatelliteCatalog numbered =
      readText("<satellites><sat name=\"12 Sat\" position=\"100\"/><sat name=\"Sat Two\" position=\"200\"/></satellites>");
  struct Row {
    const SatelliteCatalog* list;
    const char* typed;
    SatelliteMatch::Kind kind;
    const char* found;     // for Found
    std::size_t count;     // for Several
  };
  using Kind = SatelliteMatch::Kind;
  const Row rows[] = {{&builtIn, "galaxy 3", Kind::Found, "Galaxy 3R", 1},
                      {&builtIn, "GALAXY-10R", Kind::Found, "Galaxy 10R", 1},
                      {&builtIn, "directv 1", Kind::Found, "DirecTV 1", 1},  // not DirecTV 1R: exact wins
                      {&builtIn, "Galaxy 1", Kind::Several, nullptr, 3},
                      {&builtIn, "e", Kind::Several, nullptr, 29},  // slots, each once
                      {&builtIn, "Astra", Kind::None, nullptr, 0},
                      {&builtIn, " - ", Kind::None, nullptr, 0},
                      // A slot's bands are one satellite; the first is used.
                      {&bands, "Intelsat 18", Kind::Found, "180.0E C-band Intelsat 18", 1},
                      {&bands, "galaxy 19", Kind::Found, "97.0W Galaxy 19", 1},
                      {&bands, "intelsat", Kind::Several, nullptr, 2},
                      // Co-located satellites, the first word carried over.
                      {&bands, "Astra 1M", Kind::Found, "Astra 1KR/1M/1N/1P (19.2E)", 1},
                      {&bands, "Hotbird 13G", Kind::Found, "Hotbird 13F/13G (13.0E)", 1},
                      {&bands, "SES 18", Kind::Found, "103.0W Ka-band T12 & SES 18", 1},
                      {&bands, "TÜRKSAT 4A", Kind::Found, "Türksat 3A/4A/5B/6A (42.0E)", 1},
                      {&bands, "turksat", Kind::Found, "Türksat 3A/4A/5B/6A (42.0E)", 1},
                      {&bands, "eurobird", Kind::Found, "Astra/Eurobird (28.2E)", 1},
                      // Exact before whole words, whole words before within.
                      {&bands, "SES 4", Kind::Found, "SES 4 (22.0W)", 1},
                      {&bands, "ses", Kind::Several, nullptr, 3},
                      // Band words typed are set aside too: the slot's first.
                      {&bands, "Ku-band Intelsat 21", Kind::Found, "58.0W C-band Intelsat 21", 1},
                      {&numbered, "sat", Kind::Several, nullptr, 2}};
  for (const Row& row : rows) {
    const SatelliteCatalog& list = *row.list;
    const SatelliteMatch match = findSatellite(list, row.typed);
    EXPECT_EQ(match.kind, row.kind) << row.typed;
    if (row.found) {
      EXPECT_EQ(list.entries[match.entry].name, row.found);
    }
    if (row.kind == Kind::Several) {
      EXPECT_EQ(match.count, row.count) << row.typed;
      EXPECT_EQ(match.candidates.size(), std::min(row.count, kShownCandidates));
    }
  }
}

// Names as installers type them: band words set aside, words in any order,
// a position anywhere in the text narrowing the search to its slot.
struct TypedName {
  const char* typed;
  SatelliteMatch::Kind kind;
  const char* found;  // the first entry of the slot found, or nullptr
  std::size_t count;  // the slots offered, for Several
};

void PrintTo(const TypedName& row, std::ostream* out) { *out << '"' << row.typed << '"'; }

class TypedNameTest : public testing::TestWithParam<TypedName> {
 protected:
  static const SatelliteCatalog& list() {
    static const SatelliteCatalog kList = readText(
        "19.2E Astra 1KR/1L/1M/1N\n28.2E Astra 2E/2F/2G\n13.0E Hotbird 13F/13G\n0.8W Thor 5/6/7\n"
        "7.0W Nilesat 201/301\n7.0E Eutelsat 7B/7C\n26.0E Badr 4/5/6/7\n97.0W C-band Galaxy 19\n"
        "97.1W Ku-band Galaxy 19\n19.0W Galaxy 23\n22.0W SES 4\n4.8E Ku-band Astra 4A & SES 5\n"
        "4.9E C-band Astra 4A & SES 5\n");
    return kList;
  }
};

TEST_P(TypedNameTest, FindsTheSlotMeant) {
  const TypedName& row = GetParam();
  const SatelliteMatch match = findSatellite(list(), row.typed);
  ASSERT_EQ(match.kind, row.kind);
  if (row.found) {
    EXPECT_EQ(list().entries[match.entry].name, row.found);
  }
  if (row.kind == SatelliteMatch::Kind::Several) {
    EXPECT_EQ(match.count, row.count);
  }
}

using Kind = SatelliteMatch::Kind;
INSTANTIATE_TEST_SUITE_P(
    Installers, TypedNameTest,
    testing::Values(TypedName{"astra 19.2", Kind::Found, "Astra 1KR/1L/1M/1N", 1},
                    TypedName{"Astra 19,2E", Kind::Found, "Astra 1KR/1L/1M/1N", 1},
                    TypedName{"19.2E astra", Kind::Found, "Astra 1KR/1L/1M/1N", 1},
                    TypedName{"astra 28.2e 2f", Kind::Found, "Astra 2E/2F/2G", 1},
                    TypedName{"Astra 28.2E", Kind::Found, "Astra 2E/2F/2G", 1},
                    TypedName{"Thor 0.8°W", Kind::Found, "Thor 5/6/7", 1},
                    TypedName{"thor 0.8e", Kind::None, nullptr, 0},
                    TypedName{"Nilesat 7W", Kind::Found, "Nilesat 201/301", 1},
                    TypedName{"badr 26", Kind::Found, "Badr 4/5/6/7", 1},
                    TypedName{"hotbird 13e", Kind::Found, "Hotbird 13F/13G", 1},
                    // A position narrows: Astra 1M is not at 28.2E.
                    TypedName{"astra 28.2e 1m", Kind::None, nullptr, 0},
                    // Band words typed, anywhere.
                    TypedName{"Galaxy 19 C-band", Kind::Found, "C-band Galaxy 19", 1},
                    TypedName{"SES 4 Ku-band", Kind::Found, "SES 4", 1},
                    TypedName{"ses 4 ku", Kind::Found, "SES 4", 1},
                    // A number that makes a name is the name, not 19W.
                    TypedName{"Galaxy 19", Kind::Found, "C-band Galaxy 19", 1},
                    TypedName{"galaxy 23", Kind::Found, "Galaxy 23", 1},
                    TypedName{"19 galaxy", Kind::Found, "C-band Galaxy 19", 1},
                    // The start of a word where no name holds it whole:
                    // "7" narrows to 7E or 7W, and only 7E is a Eutelsat.
                    TypedName{"eutelsat 7", Kind::Found, "Eutelsat 7B/7C", 1},
                    TypedName{"astra 1", Kind::Found, "Astra 1KR/1L/1M/1N", 1},
                    // Each slot named once: Astra 4A's two bands are one.
                    TypedName{"astra", Kind::Several, nullptr, 3},
                    TypedName{"astra 4a", Kind::Found, "Ku-band Astra 4A & SES 5", 1}));

// The planner's filter: a position shows the rows within half a degree.
TEST(SatelliteSearchTest, FiltersByPositionAndName) {
  const SatelliteCatalog list = readText("156.0E Optus 10\n156.4E Kacific 1\n160.0E Optus D1\n156.0W Far\n");
  const NameIndex names(list);
  const std::pair<const char*, std::vector<std::size_t>> rows[] = {
      {"156E", {0, 1}}, {"156", {0, 1, 3}}, {"160e", {2}}, {"optus", {0, 2}}, {"optus 156", {0}}, {"", {0, 1, 2, 3}}};
  for (const auto& [typed, found] : rows) EXPECT_EQ(names.matching(typed), found) << typed;
}

// Both readings of "eutelsat 7" offered, nothing chosen.
TEST(SatelliteSearchTest, OffersBothWhereAWordIsWholeInOneAndAStartInAnother) {
  const SatelliteCatalog list = loadSatelliteList(kFixtures + "/eutelsat7.txt");
  const SatelliteMatch match = findSatellite(list, "eutelsat 7");
  EXPECT_EQ(match.kind, SatelliteMatch::Kind::Several);
  EXPECT_EQ(match.candidates, (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(findSatellite(list, "eutelsat 7 west a").kind, SatelliteMatch::Kind::Found);
}

// Every input that once broke the readers' promise is kept in the corpus.
TEST(CorpusReplayTest, EveryFileKeepsThePromise) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VANTOREL_FUZZ_CORPUS_DIR)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(checkSatelliteLists(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "")
        << entry.path();
    ++files;
  }
  EXPECT_GE(files, 10);
}

// The orbit's and the notes' thresholds, and a name's length, at their edges.
TEST(ThresholdTest, EachEdgeFallsOnItsSide) {
  const auto elements = [](double meanMotion, double eccentricity) {
    return isNearGeostationary({meanMotion, eccentricity, 0, 0, 0, 0, {}});
  };
  const auto notes = [](double inclination, double drift, int days) {
    const SatelliteEntry entry{"X", 0, OrbitalState{inclination, drift, {{2026, 11, 1}, 0}}, std::nullopt, {}};
    return satelliteNotes(entry, calendarDateOf(sysDays({2026, 11, 1}) + std::chrono::days{days})).size();
  };
  const auto named = [](std::size_t length) {
    std::istringstream list("19.2E " + std::string(length, 'x'));
    try {
      readSatelliteList(list, "list");
      return true;
    } catch (const std::exception&) {
      return false;
    }
  };
  expectEachEdgeOnItsSide({
      {"mean motion from 0.9", 0.9, 0.8999999, [&](double n) { return elements(n, 0); }},
      {"mean motion to 1.1", 1.1, 1.1000001, [&](double n) { return elements(n, 0); }},
      {"eccentricity under 0.1", 0.0999999, 0.1, [&](double e) { return elements(1, e); }},
      {"inclination to 0.5", 0.5, 0.5000001, [&](double i) { return notes(i, 0, 0) == 0; }},
      {"drift to 0.05", -0.05, -0.0500001, [&](double d) { return notes(0, d, 0) == 0; }},
      {"age to 30 days", 30, 31, [&](double days) { return notes(0, 0, static_cast<int>(days)) == 0; }},
      {"names to 120 characters", 120, 121, [&](double n) { return named(static_cast<std::size_t>(n)); }},
  });
}

// An OMM epoch in its one form, and nothing for a near miss.
TEST(EpochTest, ReadsTheIsoFormAndNoNearMiss) {
  const std::optional<UtcInstant> epoch = parseIsoEpoch("2026-11-30T12:34:56.5Z");
  ASSERT_TRUE(epoch);
  EXPECT_EQ(epoch->date, (CalendarDate{2026, 11, 30}));
  EXPECT_DOUBLE_EQ(epoch->second, 12 * 3600 + 34 * 60 + 56.5);
  for (const char* missed : {"2026-11-30 12:34:56", "2026-11-30T12.34:56", "2026-11-30T12:34.56", "2026-11-30T12:34",
                             "2026-11-30T12:34:56.", "2026-11-30T12:34:56,5", "2026-11-31T12:34:56"}) {
    EXPECT_FALSE(parseIsoEpoch(missed)) << missed;
  }
}

}  // namespace
}  // namespace vantorel
