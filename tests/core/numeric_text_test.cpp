// Conversions between texts and numbers: what the displayed digits and the
// rounding of satellite longitudes rely on.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calc_error.h"
#include "numeric_text.h"

namespace vantorel {
namespace {

struct SingleCase {
  const char* text;
  float value;
};

void PrintTo(const SingleCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class TextToSingleTest : public testing::TestWithParam<SingleCase> {};

TEST_P(TextToSingleTest, ReadsTheNearestSingle) {
  const float got = textToSingle(GetParam().text);
  EXPECT_EQ(got, GetParam().value) << GetParam().text;
  EXPECT_EQ(std::signbit(got), std::signbit(GetParam().value)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Numbers, TextToSingleTest,
                         testing::Values(SingleCase{"420100", 420100.0f}, SingleCase{"0910100", 910100.0f},
                                         SingleCase{"-8", -8.0f}, SingleCase{"+8", 8.0f},
                                         SingleCase{"  -19.9 ", -19.9f}, SingleCase{".5", 0.5f},
                                         SingleCase{"5.", 5.0f}, SingleCase{"-0", -0.0f},
                                         // 16777217 lies halfway between two Singles: ties go to even.
                                         SingleCase{"16777217", 16777216.0f},
                                         SingleCase{"0.1", 0.1f},
                                         // Far below the smallest Single: reads as zero, no error.
                                         SingleCase{"0.00000000000000000000000000000000000000000000001", 0.0f}));

class NotANumberTest : public testing::TestWithParam<const char*> {};

TEST_P(NotANumberTest, IsRefusedByEveryReader) {
  for (auto read : {+[](std::string_view t) { return double(textToSingle(t)); },
                    +[](std::string_view t) { return textToDouble(t); },
                    +[](std::string_view t) { return double(textToInteger(t)); }}) {
    try {
      read(GetParam());
      ADD_FAILURE() << "accepted \"" << GetParam() << "\"";
    } catch (const CalcError& e) {
      EXPECT_EQ(e.fault(), Fault::NotANumber) << GetParam();
      EXPECT_EQ(e.text(), GetParam());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, NotANumberTest,
                         testing::Values("", "   ", "-", ".", "4x0100", "1.2.3", "1e5", "nan", "inf", "--1",
                                         "1 000", "0x10", "42,5", "\xc2\xb0" "42"));

TEST(TextToNumberTest, OverflowsBeyondTheSingleRange) {
  try {
    textToSingle("1" + std::string(39, '0'));
    FAIL();
  } catch (const CalcError& e) {
    EXPECT_EQ(e.fault(), Fault::Overflow);
  }
  // The same digits fit a double.
  EXPECT_EQ(textToDouble("1" + std::string(39, '0')), 1e39);
}

struct RoundCase {
  double value;
  int whole;
};

void PrintTo(const RoundCase& c, std::ostream* os) { *os << c.value; }

class RoundToIntegerTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundToIntegerTest, RoundsHalvesToEven) { EXPECT_EQ(roundToInteger(GetParam().value), GetParam().whole); }

INSTANTIATE_TEST_SUITE_P(Values, RoundToIntegerTest,
                         testing::Values(RoundCase{61.5, 62}, RoundCase{106.5, 106}, RoundCase{2.5, 2},
                                         RoundCase{-2.5, -2}, RoundCase{-3.5, -4}, RoundCase{155.5, 156},
                                         RoundCase{138.5, 138}, RoundCase{101.2, 101}, RoundCase{109.8, 110},
                                         RoundCase{32767.4, 32767}, RoundCase{-32768.5, -32768}));

TEST(RoundToIntegerTest, OverflowsOutsideSixteenBits) {
  for (double v : {32767.5, -32768.6, -40000.0, 1e300, std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::infinity()}) {
    EXPECT_THROW(roundToInteger(v), CalcError) << v;
  }
  EXPECT_THROW(textToInteger("-40000"), CalcError);
}

struct LeadingCase {
  const char* text;
  double value;
};

void PrintTo(const LeadingCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class LeadingNumberTest : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsTheLongestLeadingNumber) {
  EXPECT_EQ(leadingNumber(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberTest,
                         testing::Values(LeadingCase{"61.5", 61.5}, LeadingCase{"  -5", -5},
                                         LeadingCase{"12abc", 12}, LeadingCase{"1.5.5", 1.5},
                                         LeadingCase{"abc", 0}, LeadingCase{"", 0}, LeadingCase{"-", 0},
                                         LeadingCase{"7.", 7}, LeadingCase{"-.25x", -0.25}));

struct ToTextCase {
  float value;
  const char* text;
};

void PrintTo(const ToTextCase& c, std::ostream* os) { *os << c.text; }

class SingleToTextTest : public testing::TestWithParam<ToTextCase> {};

TEST_P(SingleToTextTest, WritesSevenSignificantDigits) { EXPECT_EQ(singleToText(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Values, SingleToTextTest,
                         testing::Values(ToTextCase{194.734207f, "194.7342"}, ToTextCase{-7.86222839f, "-7.862228"},
                                         ToTextCase{179.999985f, "180"}, ToTextCase{172.0f, "172"},
                                         ToTextCase{42.0166664f, "42.01667"}, ToTextCase{0.5f, "0.5"},
                                         ToTextCase{-0.0f, "0"}, ToTextCase{1220000.0f, "1220000"},
                                         ToTextCase{9.339078f, "9.339078"}, ToTextCase{-40.41615f, "-40.41615"}));

TEST(NumberToTextTest, WritesDoublesWithFifteenDigitsAndIntegersPlainly) {
  EXPECT_EQ(doubleToText(71.8), "71.8");
  EXPECT_EQ(doubleToText(101.2), "101.2");
  EXPECT_EQ(doubleToText(0.1 + 0.2), "0.3");
  EXPECT_EQ(integerToText(0), "0");
  EXPECT_EQ(integerToText(-32768), "-32768");
}

}  // namespace
}  // namespace vantorel
