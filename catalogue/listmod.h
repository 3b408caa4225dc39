#pragma once
// The built-in catalogue of geostationary satellites the user can pick from.
//
// 101 slots numbered 0 to 100; slots 1 to 3 and 5 to 70 hold the 69
// satellites in display order, slots 0, 4 and 71 to 100 stay empty. A slot's
// longitude is degrees West as text, written by the program's own number
// conversion ("63", "71.8"), and it is read back as text by the list.

#include <array>
#include <string>
#include <string_view>

#include "numeric_text.h"

namespace vantorel {

inline constexpr int kCatalogueSlots = 101;

struct Catalogue {
  std::array<std::string, kCatalogueSlots> SatelliteNames;
  std::array<std::string, kCatalogueSlots> SatelliteLongitudes;
  Integer SatelliteCount = 0;  // the highest slot in use

  // A slot's longitude text; throws CalcError(SatelliteList,
  // SubscriptOutOfRange) for a slot outside 0 to 100.
  const std::string& longitudeOf(int slot) const;
};

// Fills every slot of the catalogue; calling it again gives the same result.
void listmod(Catalogue& catalogue);

// The list as the main window shows it: one row per filled slot from 1 to
// SatelliteCount, slot 4 skipped. Row r shows slot r + 1 for rows 0 to 2 and
// slot r + 2 from row 3 on.
int slotForRow(int row);

// How many rows the list shows: 69.
int rowCount(const Catalogue& catalogue);

// "EchoStar 3-----61.5": the name, five hyphens, the longitude text.
std::string rowText(const Catalogue& catalogue, int slot);

}  // namespace vantorel
