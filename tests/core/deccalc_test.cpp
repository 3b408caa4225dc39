// Decoding typed coordinates: packed DMS or decimal degrees, told apart by
// the digits typed.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "calc_error.h"
#include "deccalc.h"

namespace vantorel {
namespace {

struct DecodeCase {
  const char* text;
  std::uint32_t bits;  // exact Single bit pattern of DecimalDegrees
  const char* shown;   // as the window would show it
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, GivesTheExactSingle) {
  const DeccalcState s = deccalc(GetParam().text, Field::Longitude);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(s.DecimalDegrees), GetParam().bits)
      << GetParam().text << " gave " << s.DecimalDegrees;
  EXPECT_EQ(singleToText(s.DecimalDegrees), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, DecodeTest,
    testing::Values(
        // 42.016666412353516, the Single nearest 42 + 1/60
        DecodeCase{"420100", 0x42281111, "42.01667"},
        // "0910100": a leading zero marks the longitude form, 91.01667022705078
        DecodeCase{"0910100", 0x42b60889, "91.01667"}, DecodeCase{"910100", 0x42b60889, "91.01667"},
        DecodeCase{"1220000", 0x42f40000, "122"},
        // 42.50416564941406
        DecodeCase{"423015", 0x422a0444, "42.50417"},
        // Minutes and seconds of 60 and more are added as they stand.
        DecodeCase{"426060", 0x422c1111, "43.01667"}));

INSTANTIATE_TEST_SUITE_P(
    TypedForm, DecodeTest,
    testing::Values(
        // Leading zeros are part of the form: five degrees North, five West.
        DecodeCase{"050000", 0x40a00000, "5"}, DecodeCase{"0050000", 0x40a00000, "5"},
        // The sign applies to the whole coordinate, not to the degrees alone.
        DecodeCase{"-420100", 0xc2281111, "-42.01667"},
        // Fractional seconds.
        DecodeCase{"420100.5", 0x42281135, "42.0168"},
        // Five digits are packed D MM SS: 4 deg 20 min 10 sec.
        DecodeCase{"42010", 0x408ac16c, "4.336111"},
        // Three digits or fewer are decimal degrees.
        DecodeCase{"42", 0x42280000, "42"}, DecodeCase{"-33.87", 0xc2077ae1, "-33.87"},
        DecodeCase{"5.5", 0x40b00000, "5.5"}, DecodeCase{"0", 0x00000000, "0"},
        DecodeCase{" 180 ", 0x43340000, "180"}));

TEST(DecodeTest, KeepsThePartsAsSingles) {
  const DeccalcState s = deccalc("420100", Field::Latitude);
  EXPECT_EQ(s.MinutesPart, static_cast<float>(1.0 / 60));
  EXPECT_EQ(static_cast<double>(s.MinutesPart), 0.01666666753590107);
  EXPECT_EQ(s.SecondsPart, 0.0f);
  EXPECT_EQ(s.DmsValue, 420100.0f);
}

struct RefusedCase {
  const char* text;
  Field field;
  Fault fault;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class RefusedTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTest, NamesTheBoxAndWhatItAccepts) {
  try {
    deccalc(GetParam().text, GetParam().field);
    FAIL() << "accepted " << GetParam().text;
  } catch (const CalcError& e) {
    EXPECT_EQ(e.field(), GetParam().field);
    EXPECT_EQ(e.fault(), GetParam().fault);
    const std::string message = e.what();
    EXPECT_NE(message.find(std::string(fieldName(GetParam().field)) + " \"" + GetParam().text + "\""),
              std::string::npos)
        << message;
    if (GetParam().fault == Fault::AmbiguousDigits) {
      // Both accepted forms are shown.
      EXPECT_NE(message.find("DDMMSS"), std::string::npos) << message;
      EXPECT_NE(message.find("decimal degrees"), std::string::npos) << message;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RefusedTest,
    testing::Values(RefusedCase{"4201", Field::Latitude, Fault::AmbiguousDigits},
                    RefusedCase{"-0910", Field::Longitude, Fault::AmbiguousDigits},
                    RefusedCase{"4x0100", Field::Latitude, Fault::NotANumber},
                    RefusedCase{"", Field::Longitude, Fault::NotANumber},
                    RefusedCase{"906000", Field::Latitude, Fault::OutOfRange},
                    RefusedCase{"-91", Field::Latitude, Fault::OutOfRange},
                    RefusedCase{"3610000", Field::Longitude, Fault::OutOfRange},
                    RefusedCase{"99999999", Field::Longitude, Fault::OutOfRange}));

TEST(DecodeTest, AcceptsTheLimitsThemselves) {
  EXPECT_EQ(deccalc("900000", Field::Latitude).DecimalDegrees, 90.0f);
  EXPECT_EQ(deccalc("-90", Field::Latitude).DecimalDegrees, -90.0f);
  EXPECT_EQ(deccalc("3600000", Field::Longitude).DecimalDegrees, 360.0f);
}

}  // namespace
}  // namespace vantorel
