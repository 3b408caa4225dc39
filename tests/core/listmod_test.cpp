// The built-in catalogue and the list built from it.
#include <gtest/gtest.h>

#include "calc_error.h"
#include "listmod.h"

namespace vantorel {
namespace {

Catalogue filled() {
  Catalogue c;
  listmod(c);
  return c;
}

TEST(CatalogueTest, FillsSixtyNineSlotsAroundTheEmptyOnes) {
  const Catalogue c = filled();
  EXPECT_EQ(c.SatelliteCount, 70);
  int filledSlots = 0;
  for (int slot = 0; slot < kCatalogueSlots; ++slot) {
    const bool empty = c.SatelliteNames[slot].empty();
    EXPECT_EQ(empty, c.SatelliteLongitudes[slot].empty()) << slot;
    EXPECT_EQ(empty, slot == 0 || slot == 4 || slot > 70) << slot;
    filledSlots += empty ? 0 : 1;
  }
  EXPECT_EQ(filledSlots, 69);
}

TEST(CatalogueTest, WritesLongitudesWithoutSpuriousDigits) {
  const Catalogue c = filled();
  EXPECT_EQ(c.SatelliteLongitudes[2], "63");
  EXPECT_EQ(c.SatelliteLongitudes[7], "71.8");
  EXPECT_EQ(c.SatelliteLongitudes[34], "101.2");
  EXPECT_EQ(c.SatelliteLongitudes[70], "155.5");
  for (int slot = 1; slot <= c.SatelliteCount; ++slot) {
    const std::string& text = c.SatelliteLongitudes[slot];
    if (text.empty()) continue;
    const double value = textToDouble(text);
    EXPECT_TRUE(value >= 61.5 && value <= 155.5) << slot << " " << text;
    EXPECT_EQ(text.find("0000"), std::string::npos) << slot << " " << text;
  }
}

TEST(CatalogueTest, CallingAgainGivesTheSameCatalogue) {
  Catalogue c = filled();
  c.SatelliteNames[1] = "changed";
  c.SatelliteLongitudes[70] = "1";
  listmod(c);
  const Catalogue fresh = filled();
  EXPECT_EQ(c.SatelliteNames, fresh.SatelliteNames);
  EXPECT_EQ(c.SatelliteLongitudes, fresh.SatelliteLongitudes);
  EXPECT_EQ(c.SatelliteCount, fresh.SatelliteCount);
}

struct ListRow {
  int row;
  const char* text;
};

void PrintTo(const ListRow& r, std::ostream* os) { *os << "row " << r.row; }

class ListRowTest : public testing::TestWithParam<ListRow> {};

TEST_P(ListRowTest, ShowsTheSlotOfThatRow) {
  EXPECT_EQ(rowText(filled(), slotForRow(GetParam().row)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, ListRowTest,
                         testing::Values(ListRow{0, "EchoStar 3-----61.5"}, ListRow{2, "Brasil 1-----63"},
                                         ListRow{3, "Brasilsat B2-----65"}, ListRow{4, "Brasilsat B1-----70"},
                                         ListRow{39, "MSAT 1-----106.5"}, ListRow{68, "PAS 5-----155.5"}));

TEST(ListRowTest, NoSelectionAndRowsPastTheEndReachEmptyOrNoSlots) {
  const Catalogue c = filled();
  EXPECT_EQ(c.longitudeOf(slotForRow(-1)), "");
  EXPECT_EQ(c.longitudeOf(slotForRow(69)), "");
  EXPECT_THROW(c.longitudeOf(slotForRow(99)), CalcError);
  EXPECT_THROW(c.longitudeOf(-2), CalcError);
}

}  // namespace
}  // namespace vantorel
