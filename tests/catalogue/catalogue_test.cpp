// The main window's built-in catalogue: its 69 rows and empty slots.
#include <gtest/gtest.h>

#include "calc_error.h"
#include "listmod.h"

namespace vantorel {
namespace {

TEST(CatalogueTest, ListsSixtyNineRowsAroundTheEmptySlot) {
  Catalogue c;
  listmod(c);
  EXPECT_EQ(rowCount(c), 69);
  for (int slot = 0; slot < kCatalogueSlots; ++slot) {
    EXPECT_EQ(c.SatelliteLongitudes[slot].empty(), slot == 0 || slot == 4 || slot > 70) << slot;
  }
  const std::pair<int, const char*> shown[] = {{0, "EchoStar 3-----61.5"}, {2, "Brasil 1-----63"},
                                               {3, "Brasilsat B2-----65"}, {5, "Nahuel 1A-----71.8"},
                                               {39, "MSAT 1-----106.5"},   {68, "PAS 5-----155.5"}};
  for (const auto& [row, text] : shown) EXPECT_EQ(rowText(c, slotForRow(row)), text);
  EXPECT_EQ(c.longitudeOf(slotForRow(-1)), "");
  EXPECT_THROW(c.longitudeOf(kCatalogueSlots), CalcError);
  EXPECT_THROW(c.longitudeOf(-2), CalcError);
}

}  // namespace
}  // namespace vantorel
