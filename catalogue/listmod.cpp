#include "listmod.h"

#include "calc_error.h"

namespace vantorel {
namespace {

// A longitude as the table gives it: whole degrees are written as an
// Integer ("63"), the others from a double ("71.8"), which is why the list
// never shows "63.0" or "71.80000000000001".
struct Longitude {
  bool isWhole;
  double value;
  static constexpr Longitude whole(int degrees) { return {true, static_cast<double>(degrees)}; }
  static constexpr Longitude fraction(double degrees) { return {false, degrees}; }
  std::string text() const {
    return isWhole ? integerToText(static_cast<Integer>(value)) : doubleToText(value);
  }
};

struct Entry {
  int slot;
  const char* name;
  Longitude longitude;
};

constexpr Entry kSatellites[] = {
    {1, "EchoStar 3", Longitude::fraction(61.5)},
    {2, "Brasilsat A2", Longitude::whole(63)},
    {3, "Brasil 1", Longitude::whole(63)},
    {5, "Brasilsat B2", Longitude::whole(65)},
    {6, "Brasilsat B1", Longitude::whole(70)},
    {7, "Nahuel 1A", Longitude::fraction(71.8)},
    {8, "GE 6", Longitude::whole(72)},
    {9, "Galaxy 6", Longitude::whole(74)},
    {10, "SBS 6", Longitude::whole(74)},
    {11, "GOES 8", Longitude::whole(75)},
    {12, "SBS 4", Longitude::whole(77)},
    {13, "Satcom C1", Longitude::whole(79)},
    {14, "GE 5", Longitude::whole(79)},
    {15, "Satcom K2", Longitude::whole(81)},
    {16, "Brasilsat B3", Longitude::whole(84)},
    {17, "GE 2", Longitude::whole(85)},
    {18, "XM ROLL", Longitude::whole(85)},
    {19, "GE 3", Longitude::whole(87)},
    {20, "Telstar 4", Longitude::whole(89)},
    {21, "GOES 12", Longitude::whole(90)},
    {22, "Galaxy 11", Longitude::whole(91)},
    {23, "Nimiq 1", Longitude::whole(91)},
    {24, "Brasilsat B4", Longitude::whole(92)},
    {25, "Telstar 6", Longitude::whole(93)},
    {26, "Galaxy 3R", Longitude::whole(95)},
    {27, "Galaxy 8I", Longitude::whole(95)},
    {28, "Telstar 5", Longitude::whole(97)},
    {29, "Galaxy 4R", Longitude::whole(99)},
    {30, "GE 4", Longitude::whole(101)},
    {31, "AMSC 1", Longitude::whole(101)},
    {32, "DirecTV 2", Longitude::whole(101)},
    {33, "DirecTV 3", Longitude::whole(101)},
    {34, "DirecTV 1R", Longitude::fraction(101.2)},
    {35, "Solidaridad 1", Longitude::fraction(101.5)},
    {36, "GE 1", Longitude::whole(103)},
    {37, "GOES 9", Longitude::fraction(103.5)},
    {38, "G-Star 4", Longitude::whole(105)},
    {39, "G-Star 3", Longitude::whole(105)},
    {40, "G-Star 1", Longitude::fraction(105.5)},
    {41, "MSAT 1", Longitude::fraction(106.5)},
    {42, "Anik F1", Longitude::fraction(107.3)},
    {43, "GOES 11", Longitude::fraction(108.5)},
    {44, "DirecTV 1", Longitude::fraction(109.8)},
    {45, "EchoStar 5", Longitude::whole(110)},
    {46, "Anik E2", Longitude::fraction(111.1)},
    {47, "Solidaridad 2", Longitude::whole(113)},
    {48, "XM ROCK", Longitude::whole(115)},
    {49, "SatMex 5", Longitude::fraction(116.8)},
    {50, "Anik E1", Longitude::fraction(118.7)},
    {51, "DirecTV 6", Longitude::fraction(118.8)},
    {52, "EchoStar 4", Longitude::whole(119)},
    {53, "EchoStar 6", Longitude::whole(119)},
    {54, "EchoStar 2", Longitude::fraction(119.4)},
    {55, "Morelos 2", Longitude::whole(120)},
    {56, "Galaxy 10R", Longitude::whole(123)},
    {57, "Galaxy 5", Longitude::whole(125)},
    {58, "Galaxy 9", Longitude::whole(127)},
    {59, "Telstar 7", Longitude::whole(129)},
    {60, "Satcom C3", Longitude::whole(131)},
    {61, "Galaxy 1R", Longitude::whole(133)},
    {62, "GOES 10", Longitude::whole(135)},
    {63, "Satcom C4", Longitude::whole(135)},
    {64, "GE 7", Longitude::whole(137)},
    {65, "Raduga 21", Longitude::fraction(138.5)},
    {66, "GE 8", Longitude::whole(139)},
    {67, "Brasilsat A1", Longitude::whole(144)},
    {68, "EchoStar 1", Longitude::whole(148)},
    {69, "TDRS H", Longitude::whole(150)},
    {70, "PAS 5", Longitude::fraction(155.5)},
};

constexpr Integer kSatelliteCount = 70;
constexpr int kEmptySlot = 4;

}  // namespace

const std::string& Catalogue::longitudeOf(int slot) const {
  if (slot < 0 || slot >= kCatalogueSlots) {
    throw CalcError(Field::SatelliteList, Fault::SubscriptOutOfRange, integerToText(static_cast<Integer>(slot)));
  }
  return SatelliteLongitudes[static_cast<std::size_t>(slot)];
}

void listmod(Catalogue& catalogue) {
  for (const Entry& e : kSatellites) {
    const auto slot = static_cast<std::size_t>(e.slot);
    catalogue.SatelliteNames[slot] = e.name;
    catalogue.SatelliteLongitudes[slot] = e.longitude.text();
  }
  catalogue.SatelliteCount = kSatelliteCount;
}

int slotForRow(int row) { return row < kEmptySlot - 1 ? row + 1 : row + 2; }

int rowCount(const Catalogue& catalogue) {
  int rows = 0;
  while (slotForRow(rows) <= catalogue.SatelliteCount) ++rows;
  return rows;
}

std::string rowText(const Catalogue& catalogue, int slot) {
  const auto s = static_cast<std::size_t>(slot);
  return catalogue.SatelliteNames.at(s) + "-----" + catalogue.SatelliteLongitudes.at(s);
}

}  // namespace vantorel
