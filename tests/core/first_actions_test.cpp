// The two calculation paths from box texts to result texts: which box is
// read when, how the satellite longitude is rounded, and which box a failure
// names.
#include <gtest/gtest.h>

#include "calc_error.h"
#include "first_actions.h"

namespace vantorel {
namespace {

const BoxTexts kDefaults{"420100", "0910100", "000", "-8"};
const float L42 = static_cast<float>(42.0 + static_cast<double>(static_cast<float>(1.0 / 60)));
const float L91 = static_cast<float>(91.0 + static_cast<double>(static_cast<float>(1.0 / 60)));

std::string texts(const OnecalcResult& r) { return r.Text1 + " " + r.Text2 + " " + r.Text3; }

std::string textsForSatellite(int satellite) { return texts(onecalc({L42, L91, static_cast<Integer>(satellite), -8})); }

TEST(CalculateTest, ComputesWithTheDefaultTexts) {
  EXPECT_EQ(texts(calculateFromBoxes(kDefaults)), "89.31946 81.31946 -9.339078");
}

struct TypedSatellite {
  const char* text;
  int degrees;
};

void PrintTo(const TypedSatellite& t, std::ostream* os) { *os << '"' << t.text << '"'; }

class TypedSatelliteTest : public testing::TestWithParam<TypedSatellite> {};

TEST_P(TypedSatelliteTest, RoundsHalvesToEven) {
  BoxTexts boxes = kDefaults;
  boxes.Text6 = GetParam().text;
  EXPECT_EQ(texts(calculateFromBoxes(boxes)), textsForSatellite(GetParam().degrees)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, TypedSatelliteTest,
                         testing::Values(TypedSatellite{"180", 180}, TypedSatellite{"-5", -5},
                                         TypedSatellite{"2.5", 2}, TypedSatellite{"61.5", 62},
                                         TypedSatellite{"101.2", 101}, TypedSatellite{" 109.8 ", 110}));

struct Failure {
  const char* what;
  BoxTexts boxes;
  Field field;
  Fault fault;
};

void PrintTo(const Failure& f, std::ostream* os) { *os << f.what; }

class CalculateFailureTest : public testing::TestWithParam<Failure> {};

TEST_P(CalculateFailureTest, NamesTheFirstBoxThatFails) {
  try {
    calculateFromBoxes(GetParam().boxes);
    FAIL() << "computed";
  } catch (const CalcError& e) {
    EXPECT_EQ(e.field(), GetParam().field) << e.what();
    EXPECT_EQ(e.fault(), GetParam().fault) << e.what();
    EXPECT_EQ(std::string(e.what()).rfind(fieldName(GetParam().field), 0), 0u) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, CalculateFailureTest,
    testing::Values(
        // The declination is read first, then the satellite longitude's limit,
        // then latitude and longitude.
        Failure{"everything wrong", {"x", "x", "x", "x"}, Field::Declination, Fault::NotANumber},
        Failure{"empty satellite", {"420100", "0910100", "", "-8"}, Field::SatelliteLongitude, Fault::NotANumber},
        Failure{"satellite past 180 before a bad latitude", {"x", "0910100", "180.5", "-8"},
                Field::SatelliteLongitude, Fault::OutOfRange},
        Failure{"latitude before longitude", {"4x0100", "x", "000", "-8"}, Field::Latitude, Fault::NotANumber},
        Failure{"four-digit longitude", {"420100", "0910", "000", "-8"}, Field::Longitude, Fault::AmbiguousDigits},
        Failure{"satellite beyond an Integer", {"420100", "0910100", "-40000", "-8"}, Field::SatelliteLongitude,
                Fault::Overflow},
        Failure{"declination beyond half a turn", {"420100", "0910100", "000", "180.5"}, Field::Declination,
                Fault::OutOfRange},
        Failure{"declination beyond a Single", {"420100", "0910100", "000", "-1" + std::string(40, '0')},
                Field::Declination, Fault::Overflow}));

struct CatalogueRow {
  int row;
  int degrees;
};

void PrintTo(const CatalogueRow& r, std::ostream* os) { *os << "row " << r.row; }

class ListRowCalculationTest : public testing::TestWithParam<CatalogueRow> {
 protected:
  void SetUp() override { listmod(m_catalogue); }
  Catalogue m_catalogue;
};

TEST_P(ListRowCalculationTest, UsesTheRowsLongitudeRoundedHalfToEven) {
  BoxTexts boxes = kDefaults;
  boxes.Text6 = "not read";
  const auto result = calculateForListRow(boxes, m_catalogue, GetParam().row);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(texts(*result), textsForSatellite(GetParam().degrees));
}

// Every row with a fractional longitude, and whole ones on both sides of the
// empty slot.
INSTANTIATE_TEST_SUITE_P(
    Rows, ListRowCalculationTest,
    testing::Values(CatalogueRow{0, 62}, CatalogueRow{2, 63}, CatalogueRow{3, 65}, CatalogueRow{4, 70},
                    CatalogueRow{5, 72}, CatalogueRow{32, 101}, CatalogueRow{33, 102}, CatalogueRow{35, 104},
                    CatalogueRow{38, 106}, CatalogueRow{39, 106}, CatalogueRow{40, 107}, CatalogueRow{41, 108},
                    CatalogueRow{42, 110}, CatalogueRow{44, 111}, CatalogueRow{47, 117}, CatalogueRow{48, 119},
                    CatalogueRow{49, 119}, CatalogueRow{52, 119}, CatalogueRow{63, 138}, CatalogueRow{68, 156}));

TEST(ListRowCalculationTest, NoRowComputesNothingButStillChecksTheBoxes) {
  Catalogue catalogue;
  listmod(catalogue);
  EXPECT_FALSE(calculateForListRow(kDefaults, catalogue, -1).has_value());
  BoxTexts boxes = kDefaults;
  boxes.Text4 = "4201";
  EXPECT_THROW(calculateForListRow(boxes, catalogue, -1), CalcError);
}

}  // namespace
}  // namespace vantorel

namespace vantorel {
namespace {

// A pasted page must not make a message wider than the screen, and the cut
// must not split a character.
TEST(CalculateFailureTest, QuotesOnlyTheBeginningOfALongText) {
  const std::string pasted = std::string(39, '4') + "\xc2\xb0" + std::string(30000, 'x');
  try {
    calculateFromBoxes({pasted, "0910100", "000", "-8"});
    FAIL();
  } catch (const CalcError& e) {
    const std::string message = e.what();
    EXPECT_LT(message.size(), 300u);
    EXPECT_NE(message.find("Latitude \"" + std::string(39, '4') + "\xe2\x80\xa6\""), std::string::npos) << message;
    EXPECT_EQ(e.text(), pasted);
  }
}

}  // namespace
}  // namespace vantorel
