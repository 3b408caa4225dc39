// The calculation: text-number conversions, the decoding of typed
// coordinates, the look angles and the LNB skew, against worked values and
// against an independent computation.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <tuple>

#include "calc_error.h"
#include "deccalc.h"
#include "hemisphere.h"
#include "lnb_skew.h"
#include "onecalc.h"

namespace vantorel {
namespace {

// The fault a call throws, or nothing if it returns.
template <typename Call>
std::optional<Fault> faultOf(Call call) {
  try {
    call();
  } catch (const CalcError& e) {
    return e.fault();
  }
  return std::nullopt;
}

// Positions with hemisphere letters, read as one reader reads them for the
// command line and the lists, and written back: half turns at their edges,
// seconds that carry, and no letter where neither applies.
TEST(HemisphereTest, ReadsAndWritesLetteredPositions) {
  struct Read {
    const char* text;
    char sign;
    const char* number;
    char letter;
    std::size_t length;
  };
  const Read reads[] = {{"19.2E Astra", 0, "19.2", 'E', 5},   {"19.2 \u00b0e", 0, "19.2", 'E', 8},
                        {"-33.87S", '-', "33.87", 'S', 7},    {"19.2 Eutelsat", 0, "19.2", 0, 4},
                        {"Astra 3N", 0, "", 0, 0},            {"+5.5n", '+', "5.5", 'N', 5},
                        {"1.2.3W", 0, "1.2.3", 'W', 6},       {"7Wx", 0, "7", 0, 1}};
  for (const Read& r : reads) {
    const LetteredNumber n = readLetteredNumber(r.text);
    EXPECT_EQ(std::make_tuple(n.sign, std::string(n.number), n.letter, n.length),
              std::make_tuple(r.sign, std::string(r.number), r.letter, r.length))
        << r.text;
  }
  EXPECT_EQ(withoutHemisphere(Field::Latitude, " 33.87s "), "-33.87");
  EXPECT_EQ(withoutHemisphere(Field::Longitude, "+151.21 E"), "-151.21");
  EXPECT_EQ(withoutHemisphere(Field::SatelliteLongitude, "0.8\u00b0 w"), "0.8");
  EXPECT_EQ(withoutHemisphere(Field::Latitude, "1.2.3N"), "1.2.3N");  // no number: the box refuses it as typed
  EXPECT_EQ(faultOf([] { withoutHemisphere(Field::Latitude, "-33S"); }), Fault::SignAndHemisphere);
  EXPECT_EQ(faultOf([] { withoutHemisphere(Field::Longitude, "151N"); }), Fault::WrongHemisphere);
  EXPECT_EQ(hemisphereHint(Field::Longitude, "151.21E"), "Type -151.21 (East is negative).");

  const std::pair<double, double> turns[] = {{180, 180}, {-180, 180}, {360, 0}, {540, 180}, {-190, 170}, {190, -170}};
  for (const auto& [degrees, half] : turns) EXPECT_EQ(halfTurns(degrees), half) << degrees;
  const std::pair<Single, const char*> positions[] = {
      {0, "0\u00b0"}, {180, "180\u00b0"}, {-180, "180\u00b0"}, {-200, "160\u00b0 W"}, {101.2f, "101.2\u00b0 W"}, {-19.2f, "19.2\u00b0 E"}};
  for (const auto& [west, text] : positions) EXPECT_EQ(satellitePosition(west), text) << west;
  EXPECT_EQ(latitudeDms(static_cast<Single>(42 + 59.97 / 3600)), "42\u00b001'00.0\" N");
  EXPECT_EQ(latitudeDms(static_cast<Single>(-(42 + 59.9 / 3600))), "42\u00b000'59.9\" S");
  EXPECT_EQ(latitudeDms(-0.000001f) + longitudeDms(180), "0\u00b000'00.0\"180\u00b000'00.0\"");
  EXPECT_EQ(longitudeDecimal(-0.0000001f), "0.000000");
}

// A map's unlettered coordinate, North and East positive, given its letter;
// a text that is no coordinate, a sign alone or nothing stays as typed for
// the box to refuse.
TEST(HemisphereTest, LettersWhatMapsWrite) {
  const std::tuple<Field, const char*, const char*> rows[] = {
      {Field::Longitude, "-0.1278", "0.1278W"}, {Field::Longitude, "151.2093", "151.2093E"},
      {Field::Latitude, "-33.87", "33.87S"},    {Field::Latitude, "+.5", ".5N"},
      {Field::Latitude, "51.5N", "51.5N"},      {Field::Longitude, " 0910100 ", "0910100E"},
      {Field::Latitude, "95", "95"},            {Field::Latitude, "abc", "abc"},
      {Field::Latitude, "-", "-"},              {Field::Latitude, "", ""},
  };
  for (const auto& [field, typed, lettered] : rows) EXPECT_EQ(mapLettered(field, typed), lettered) << typed;
}

// What GPS units and maps print, with a hemisphere letter before or after,
// read on the command line's sign conventions (latitude North positive,
// longitude West positive). One piece stays as typed, so a packed DMS
// keeps its meaning; a form that is not one stays as typed for the box to
// refuse.
struct MapText {
  Field field;
  const char* typed;
  const char* read;
};

class MapFormTest : public testing::TestWithParam<MapText> {};

TEST_P(MapFormTest, ReadsWhatGpsUnitsPrint) {
  EXPECT_EQ(withoutHemisphere(GetParam().field, GetParam().typed), GetParam().read) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(
    GpsAndMaps, MapFormTest,
    testing::Values(MapText{Field::Latitude, "51\u00b030'26\"N", "51.507222222"},
                    MapText{Field::Latitude, "51\u00b030'26.4\" N", "51.507333333"},
                    MapText{Field::Latitude, "51\u00b030.44'N", "51.507333333"},
                    MapText{Field::Latitude, "N51\u00b030.44'", "51.507333333"},
                    MapText{Field::Latitude, "51 30.44 n", "51.507333333"},
                    MapText{Field::Latitude, "51 30 26 S", "-51.507222222"},
                    MapText{Field::Latitude, "S33\u00b052\u203212\u2033", "-33.87"},
                    MapText{Field::Latitude, "N51.5074", "51.5074"},
                    MapText{Field::Latitude, "N513026", "513026"},
                    MapText{Field::Longitude, "W0.1278", "0.1278"},
                    MapText{Field::Longitude, "151\u00b012'33.5\"E", "-151.209305556"},
                    MapText{Field::Longitude, "0 07 40 W", "0.127777778"},
                    // Not a form: minutes of 60, a fraction before the
                    // last piece, four pieces, no letter.
                    MapText{Field::Latitude, "51\u00b060'N", "51\u00b060'N"},
                    MapText{Field::Latitude, "51.5\u00b030'N", "51.5\u00b030'N"},
                    MapText{Field::Latitude, "51 30 26 1 N", "51 30 26 1 N"},
                    MapText{Field::Latitude, "51\u00b030'26\"", "51\u00b030'26\""}));

TEST(HemisphereTest, RefusesAMapFormInTheWrongHemisphere) {
  EXPECT_EQ(faultOf([] { withoutHemisphere(Field::Latitude, "51\u00b030'26\"E"); }), Fault::WrongHemisphere);
  EXPECT_EQ(faultOf([] { withoutHemisphere(Field::Longitude, "N0 07 40"); }), Fault::WrongHemisphere);
  // A satellite's position is no site: "19 12 E" stays as typed.
  EXPECT_EQ(withoutHemisphere(Field::SatelliteLongitude, "19 12 E"), "19 12 E");
}

TEST(NumberTextTest, ReadsTheNearestNumberOrRefuses) {
  // 16777217 lies halfway between two Singles: ties to even. The last lies
  // far below the smallest Single.
  const std::pair<const char*, float> accepted[] = {
      {"420100", 420100.0f}, {"  -19.9 ", -19.9f}, {"+8", 8.0f},           {".5", 0.5f},
      {"5.", 5.0f},          {"16777217", 16777216.0f}, {"0.00000000000000000000000000000000000000000000000001", 0.0f}};
  for (const auto& [text, value] : accepted) EXPECT_EQ(textToSingle(text), value) << text;
  for (const char* text : {"", "   ", "-", ".", "1.2.3", "1e5", "nan", "inf", "--1", "1 000", "0x10", "42,5",
                           "\xc2\xb0" "42"}) {
    EXPECT_EQ(faultOf([&] { textToSingle(text); }), Fault::NotANumber) << text;
  }
  const std::string huge = "09" + std::string(39, '0') + ".5";  // too large, though a point follows
  EXPECT_EQ(faultOf([&] { textToSingle(huge); }), Fault::Overflow);
  EXPECT_EQ(textToDouble(huge), 9e39);
}

// Text for the sheet is printable: a control character or a byte that is no
// UTF-8 anywhere in it, the first included, makes it not.
TEST(RefusalTest, PrintableTextHasNoControlOrBrokenByte) {
  const std::pair<const char*, bool> rows[] = {{"Mrs O'Neill", true}, {"caf\u00e9 \u2013 roof", true},
                                               {"\tName", false},     {"Name\x01", false},
                                               {"\xffName", false},   {"", true}};
  for (const auto& [text, printable] : rows) EXPECT_EQ(isPrintableText(text), printable) << text;
}

// A refusal names the input a window shows it beside, and its sentence
// parts into why and what to type instead.
TEST(RefusalTest, NamesItsInputAndPartsWhyFromTheHint) {
  const struct {
    Field field;
    Fault fault;
    const char* text;
    Refusal::Input input;
    const char* why;
    const char* hintStart;
  } rows[] = {
      {Field::Latitude, Fault::NotANumber, "51,5", Refusal::Input::Site, "Latitude \"51,5\" is not a number.",
       "Type 51.5, with a full stop"},
      {Field::Declination, Fault::OutOfRange, "190", Refusal::Input::Declination, "", "Enter the declination"},
      {Field::SatelliteLongitude, Fault::OutOfRange, "181", Refusal::Input::Satellite, "", "Enter the satellite"},
      {Field::DishSize, Fault::OutOfRange, "20", Refusal::Input::Dish, "", "Give the dish's diameter in centimetres, from 30 to 500"},
      {Field::MinimumClearance, Fault::NotANumber, "x", Refusal::Input::Table, "", "Give the least clearance"},
      {Field::Calculation, Fault::Overflow, "", Refusal::Input::Calculation,
       "The look angles could not be computed: the calculation overflowed.", "Check the four inputs."},
  };
  for (const auto& row : rows) {
    const CalcError e(row.field, row.fault, row.text);
    EXPECT_EQ(e.input(), row.input) << e.what();
    if (*row.why) {
      EXPECT_EQ(e.why(), row.why);
    }
    EXPECT_TRUE(e.hint().starts_with(row.hintStart)) << e.hint();
    EXPECT_EQ(std::string(e.what()), e.why() + " " + e.hint());
  }
}

TEST(NumberTextTest, RoundsHalvesToEvenWithinSixteenBits) {
  const std::pair<double, int> rounded[] = {{61.5, 62},       {106.5, 106},     {2.5, 2},
                                            {-2.5, -2},       {-3.5, -4},       {109.8, 110},
                                            {32767.4, 32767}, {-32768.5, -32768}};
  for (const auto& [value, whole] : rounded) EXPECT_EQ(roundToInteger(value), whole) << value;
  for (double value : {32767.5, -32768.6, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(faultOf([&] { roundToInteger(value); }), Fault::Overflow) << value;
  }
  const std::pair<const char*, double> leading[] = {{"61.5", 61.5}, {"  -5", -5}, {"12abc", 12}, {"1.5.5", 1.5},
                                                    {"abc", 0},     {"-", 0},     {"-.25x", -0.25}};
  for (const auto& [text, value] : leading) EXPECT_EQ(leadingNumber(text), value) << text;
}

// Results are never written with an exponent, so every text reads back.
TEST(NumberTextTest, WritesPlainDigits) {
  const std::pair<std::string, std::string> written[] = {
      {singleToText(194.734207f), "194.7342"}, {singleToText(179.999985f), "180"},
      {singleToText(-7.86222839f), "-7.862228"}, {singleToText(-0.0f), "0"},
      {singleToText(2e11f), "200000000000"}, {singleToText(12345678.0f), "12345680"},
      {singleToText(0.000034f), "0.000034"}, {singleToText(1.25e-6f), "0.00000125"},
      // Either side of where the digits would take an exponent: from 1e-05 and
      // from 8 digits before the point.
      {singleToText(0.0001f), "0.0001"}, {singleToText(0.00001f), "0.00001"}, {singleToText(-9999999.0f), "-9999999"},
      {singleToText(1e7f), "10000000"},
      {singleToText(std::numeric_limits<Single>::max()), "3402823" + std::string(32, '0')},
      {doubleToText(71.8), "71.8"}, {doubleToText(0.1 + 0.2), "0.3"}, {doubleToText(-2.5e-9), "-0.0000000025"},
      {integerToText(-32768), "-32768"}};
  for (const auto& [got, want] : written) EXPECT_EQ(got, want);
}

// Each typed form decodes to an exact Single, or is refused for the box it
// came from.
TEST(DeccalcTest, DecodesOrRefusesEachTypedForm) {
  constexpr auto lat = Field::Latitude, lon = Field::Longitude;
  struct {
    const char* text;
    Field field;
    std::uint32_t bits;  // DecimalDegrees, exactly
    std::optional<Fault> refused = std::nullopt;
  } const rows[] = {
      {"420100", lat, 0x42281111},      // 42.016666412353516, the Single nearest 42 + 1/60
      {"0910100", lon, 0x42b60889},     // 91.01667022705078
      {"1220000", lon, 0x42f40000},     // 122
      {"423015", lat, 0x422a0444},      // 42.50416564941406
      {"426060", lat, 0x422c1111},      // minutes and seconds past 60 are added
      {"050000", lat, 0x40a00000},      // leading zeros count: 5 degrees
      {"0050000", lon, 0x40a00000},     // 5 degrees West
      {"-420100", lat, 0xc2281111},     // the sign applies to the whole value
      {"420100.5", lat, 0x42281135},    // fractional seconds
      {"42010", lat, 0x408ac16c},       // five digits: 4 deg 20 min 10 sec
      {"42", lat, 0x42280000},          // three digits or fewer: decimal degrees
      {"-33.87", lat, 0xc2077ae1},
      {"900000", lat, 0x42b40000},      // the limits themselves
      {"-90", lat, 0xc2b40000},
      {"3600000", lon, 0x43b40000},
      {"4201", lat, 0, Fault::AmbiguousDigits},
      {"-0910", lon, 0, Fault::AmbiguousDigits},
      {"4x0100", lat, 0, Fault::NotANumber},
      {"", lon, 0, Fault::NotANumber},
      {"906000", lat, 0, Fault::OutOfRange},
      {"-91", lat, 0, Fault::OutOfRange},
      {"3610000", lon, 0, Fault::OutOfRange},
      {"99999999", lon, 0, Fault::OutOfRange}};
  for (const auto& row : rows) {
    try {
      EXPECT_EQ(std::bit_cast<std::uint32_t>(deccalc(row.text, row.field).DecimalDegrees), row.bits) << row.text;
      EXPECT_FALSE(row.refused) << row.text;
    } catch (const CalcError& e) {
      EXPECT_EQ(std::make_pair(e.field(), std::optional(e.fault())), std::make_pair(row.field, row.refused)) << row.text;
    }
  }
  // The parts are Singles before they are added.
  EXPECT_EQ(static_cast<double>(deccalc("420100", lat).MinutesPart), 0.01666666753590107);
}

// The Singles that "420100" and "0910100" decode to.
const Single L42 = static_cast<Single>(42.0 + static_cast<double>(static_cast<Single>(1.0 / 60)));
const Single L91 = static_cast<Single>(91.0 + static_cast<double>(static_cast<Single>(1.0 / 60)));

TEST(OnecalcTest, GivesTheExactTexts) {
  struct {
    Single latitude, longitude, satellite, declination;
    const char* texts;  // azimuth true, azimuth magnetic, elevation
  } const rows[] = {
      // A northern site and a satellite less than 90 degrees away: the closed
      // form with its Single stores, digit for digit.
      {L42, L91, 101, -8, "194.7342 202.7342 40.41615"},
      {L42, L91, 61, -8, "139.2013 147.2013 32.72824"},
      {L42, L91, 71, -19.6f, "151.4422 171.0422 37.36794"},  // the double azimuth less the declination, rounded once
      {L42, L91, 180, -8, "269.3195 277.3195 -7.862228"},    // below the horizon
      // The last digit moves if pi is taken one digit longer or shorter.
      {40.35f, 117.23333f, 121, 2, "185.8061 183.8061 43.17098"},
      {58, 66, 155, -3, "269.1519 272.1519 -8.082963"},
      // Due south, where the rounded azimuth no longer carries the sine the
      // elevation divides by.
      {L42, L91, 91, -8, "179.9751 187.9751 41.47278"},
      {L42, 91, 91, -8, "180 188 41.47609"},
      {30, 91, 91, -8, "180 188 55.02605"},
      // Elsewhere the true look angles, from vectors: 90 degrees or more
      // away, a southern site, the equator.
      {L42, L91, 0, -8, "89.31946 97.31946 -9.339078"},
      {L42, 1, 91, -8, "270 278 -8.601357"},
      {-L42, L91, 101, -8, "345.2658 353.2658 40.41614"},
      {-L42, L91, 101, -20, "345.2658 5.265795 40.41614"},  // past 360, wrapped
      {0, 91, 101, -8, "270 278 78.23221"},
      {-33.8667f, -151.2167f, -156, 12.8f, "8.539749 355.7397 50.29155"},  // below 0, wrapped
      {-33.8667f, -151.2167f, -156, 8, "8.539749 0.5397493 50.29155"}};  // just above 0, as it is
  for (const auto& row : rows) {
    const OnecalcResult r = onecalc({row.latitude, row.longitude, row.satellite, row.declination});
    EXPECT_EQ(r.azimuthTrueText + " " + r.azimuthMagneticText + " " + r.elevationText, row.texts);
  }
}

// Spherical trigonometry in long double with the true pi, independent of
// both ways the program computes: g is the angle at the Earth's centre
// between the site and the point under the satellite, east the satellite's
// longitude East of the site's.
std::pair<double, double> reference(long double latitude, long double longitudeWest, long double satelliteWest) {
  const long double rad = std::numbers::pi_v<long double> / 180, phi = latitude * rad;
  const long double east = (longitudeWest - satelliteWest) * rad, g = std::acos(std::cos(phi) * std::cos(east));
  return {static_cast<double>(std::atan2(std::sin(east), -std::sin(phi) * std::cos(east)) / rad),
          static_cast<double>(std::atan2(std::cos(g) - 0.15126L, std::sin(g)) / rad)};
}

// In the closed form the Single stores and 3.141592654 for pi cost a few
// hundredths of a degree; elsewhere only the Single results' own rounding.
// Every fourth site lies within a hundredth of a degree of the satellite's
// meridian. The azimuth is left out straight overhead, where it has none.
TEST(OnecalcTest, AgreesWithAnIndependentComputation) {
  std::mt19937 random(20261206);
  std::uniform_real_distribution<float> latitudes(-85, 85), longitudes(0, 360), nearSouth(-0.01f, 0.01f);
  std::uniform_int_distribution<int> satellites(-180, 180);
  double worst[2] = {0, 0};  // closed form, vectors
  for (int i = 0; i < 8000; ++i) {
    const float latitude = latitudes(random);
    const auto satellite = static_cast<Integer>(satellites(random));
    const float longitude = i % 4 == 0 ? static_cast<float>(satellite) + nearSouth(random) : longitudes(random);
    const OnecalcResult r = onecalc({latitude, longitude, static_cast<Single>(satellite), 0});
    const auto [azimuth, elevation] = reference(latitude, longitude, satellite);
    const double turn = std::fabs(std::remainder(static_cast<double>(r.AzimuthTrue) - azimuth, 360.0));
    double& w = worst[r.closedForm ? 0 : 1];
    w = std::max({w, std::fabs(static_cast<double>(r.Elevation) - elevation), elevation < 89 ? turn : 0.0});
  }
  EXPECT_LE(worst[0], 0.03);
  EXPECT_LE(worst[1], 1e-4);
}

TEST(LnbSkewTest, GivesTheExactTexts) {
  const std::tuple<Single, Single, Single, const char*> rows[] = {
      {L42, L91, 101, "10.9632"},   // satellite west of a northern site: positive
      {L42, L91, 61, "-29.24062"},  // east: negative
      {51.5f, 0.1f, -19, "-14.71455"},
      {-L42, L91, 101, "-10.9632"},  // a southern site: turned 180 degrees, then folded
      {L42, L91, 180, "48.30215"},   // below the horizon
      {L42, 281, 101, "0"},          // on the opposite meridian
      {90, 0, 5, "0"},               // at the pole the vertical is the axis
      {0, 111, 101, "90"},           // on the equator -90 and 90 are one line
      {1e-6f, 91, 61, "90"},         // -89.999998 stored as -90, then folded
      {0, 101, 101, "0"},            // straight overhead: no meaning
      {0, 281, 101, "0"},            // straight below
      {0, 1e-8f, 0, "0"},            // a millimetre from overhead
      {0, 1e-5f, 0, "90"}};          // a metre: a true skew
  for (const auto& [latitude, longitude, satellite, text] : rows) {
    EXPECT_EQ(lnbSkew({latitude, longitude, satellite, 0}).Text, text) << latitude << " " << longitude;
  }
}

// The skew in closed form, worked out by hand from its definition (long double,
// the true pi, Delta the satellite's longitude West of the site's), unfolded,
// so compared modulo 180 degrees; only the Single's rounding separates them.
TEST(LnbSkewTest, AgreesWithTheClosedForm) {
  std::mt19937 random(20261207);
  std::uniform_real_distribution<float> latitudes(-90, 90), longitudes(-360, 360);
  const long double rad = std::numbers::pi_v<long double> / 180, k = 0.15126L;
  double worst = 0;
  for (int i = 0; i < 8000; ++i) {
    const float latitude = latitudes(random), longitude = longitudes(random);
    const auto satellite = static_cast<Integer>(std::lround(longitudes(random) / 2));
    const Single skew = lnbSkew({latitude, longitude, static_cast<Single>(satellite), 0}).Skew;
    const long double phi = latitude * rad, delta = (satellite - static_cast<long double>(longitude)) * rad;
    const long double c = std::cos(phi) * std::cos(delta);
    const long double reference = std::atan2(std::sin(delta) * std::cos(phi) * std::sqrt(1 + k * k - 2 * k * c),
                                             std::sin(phi) * (1 - k * c)) / rad;
    EXPECT_TRUE(skew > -90 && skew <= 90) << skew;
    worst = std::max(worst, std::fabs(static_cast<double>(std::remainder(skew - reference, 180.0L))));
  }
  EXPECT_LE(worst, 4e-6);  // half a Single's step near 90 degrees
}

}  // namespace
}  // namespace vantorel
