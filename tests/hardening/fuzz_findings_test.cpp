// Inputs the fuzzer found to break a property, each kept so the fault stays
// mended. The property: every result text reads back as a finite number, and
// every failure names the box it concerns.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "calc_error.h"
#include "first_actions.h"
#include "numeric_text.h"

namespace vantorel {
namespace {

void expectReadsBack(const std::string& text) {
  double value = 0;
  ASSERT_NO_THROW(value = textToDouble(text)) << '"' << text << '"';
  EXPECT_TRUE(std::isfinite(value)) << '"' << text << '"';
}

// Fault: a declination of 2e11 made AZIMUTH MAGNETIC "2e+11", which no box
// reads as a number. Such a declination is now refused (the calculation
// paths' own tests keep that), and result texts never use an exponent, which
// the tables at the end keep.

// Fault: a latitude of 4.3e-45 degrees, positive but so small that its
// radians underflow to zero as a Single, took the northern closed form and
// divided by sin 0, so the calculation failed with a message that names no
// box. Such a site lies on the equator and computes as latitude 0 does.
TEST(FuzzFindings, LatitudeWhoseRadiansUnderflowComputesAsTheEquator) {
  const std::string tiny = "000." + std::string(44, '0') + "43000000955132392022666";
  const OnecalcResult r = calculateFromBoxes({tiny, "+45", "-1  ", "+000000000000000000000000000000004"});
  const OnecalcResult equator = calculateFromBoxes({"0", "+45", "-1  ", "+000000000000000000000000000000004"});
  EXPECT_EQ(r.Text1, equator.Text1);
  EXPECT_EQ(r.Text2, equator.Text2);
  EXPECT_EQ(r.Text3, equator.Text3);
  expectReadsBack(r.Text1);
  expectReadsBack(r.Text2);
  expectReadsBack(r.Text3);
}

// Fault: a site longitude of 1e-45 degrees with a satellite at 0 left a
// longitude difference that is not zero but whose sine is too small to
// divide by: the elevation ratio overflowed a Single, and the calculation
// failed with a message that names no box. Such a difference now computes
// as no difference, exactly as a site longitude of 0 does.
struct TinyDifference {
  const char* name;
  std::string latitude;
  std::string longitude;
};

void PrintTo(const TinyDifference& c, std::ostream* os) { *os << c.latitude << ", " << c.longitude; }

class FuzzFindingsTinyDifference : public testing::TestWithParam<TinyDifference> {};

TEST_P(FuzzFindingsTinyDifference, ComputesAsNoDifference) {
  const TinyDifference& c = GetParam();
  const OnecalcResult r = calculateFromBoxes({c.latitude, c.longitude, "0", "-0"});
  const OnecalcResult none = calculateFromBoxes({c.latitude, "0", "0", "-0"});
  EXPECT_EQ(r.Text1, none.Text1);
  EXPECT_EQ(r.Text2, none.Text2);
  EXPECT_EQ(r.Text3, none.Text3);
  expectReadsBack(r.Text3);
}

std::string tinyDecimal(int zeros) { return "0." + std::string(static_cast<std::size_t>(zeros), '0') + "1"; }

INSTANTIATE_TEST_SUITE_P(
    SubnormalSingles, FuzzFindingsTinyDifference,
    testing::Values(TinyDifference{"radiansVanishNearTheEquator", tinyDecimal(40), tinyDecimal(44)},
                    TinyDifference{"sineTooSmallNearTheEquator", tinyDecimal(40), tinyDecimal(39)},
                    TinyDifference{"radiansVanishAtFortyTwoNorth", "420100", tinyDecimal(44)},
                    TinyDifference{"belowTheLimitAtFortyTwoNorth", "420100", tinyDecimal(30)}),
    [](const testing::TestParamInfo<TinyDifference>& row) { return std::string(row.param.name); });

struct TextCase {
  Single value;
  const char* text;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.text; }

class SingleTextWithoutExponent : public testing::TestWithParam<TextCase> {};

TEST_P(SingleTextWithoutExponent, WritesPlainDigitsThatReadBack) {
  const TextCase c = GetParam();
  const std::string text = singleToText(c.value);
  EXPECT_EQ(text, c.text);
  expectReadsBack(text);
  EXPECT_EQ(textToSingle(text), textToSingle(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    LargeAndSmall, SingleTextWithoutExponent,
    testing::Values(TextCase{2e11F, "200000000000"}, TextCase{-2e11F, "-200000000000"},
                    TextCase{12345678.0F, "12345680"}, TextCase{1e7F, "10000000"},
                    TextCase{9999999.0F, "9999999"}, TextCase{0.000034F, "0.000034"},
                    TextCase{-0.00001F, "-0.00001"}, TextCase{0.0001F, "0.0001"},
                    TextCase{1.25e-6F, "0.00000125"}, TextCase{194.734207F, "194.7342"},
                    TextCase{std::numeric_limits<Single>::max(), "340282300000000000000000000000000000000"}),
    [](const testing::TestParamInfo<TextCase>& row) {
      std::string name;
      for (const char* c = row.param.text; *c != '\0'; ++c) {
        name += *c == '-' ? std::string("minus") : *c == '.' ? std::string("point") : std::string(1, *c);
      }
      return name.size() > 24 ? "largestSingle" : name;
    });

TEST(DoubleTextWithoutExponent, WritesPlainDigitsThatReadBack) {
  EXPECT_EQ(doubleToText(1e20), "100000000000000000000");
  EXPECT_EQ(doubleToText(-2.5e-9), "-0.0000000025");
}

}  // namespace
}  // namespace vantorel
