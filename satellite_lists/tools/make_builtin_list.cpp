// Makes the built-in list of today's satellites from CelesTrak's GEO group:
//   make_builtin_list GEO.tle OUTPUT.cpp
// reads the orbital data as --satellites does, keeps the station-kept
// objects (inclination and drift within the limits of the notes a fixed dish
// needs), and gathers the objects within kCoLocated of one another into one
// slot whose name lists them. The output is the C++ source of
// catalogue/today_list.cpp. scripts/regenerate-builtin-list runs it.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "satellite_list.h"
#include "satellite_notes.h"

namespace {

using vantorel::SatelliteEntry;

// Objects this close share a slot: one dish aim, one name.
constexpr double kCoLocated = 0.2;       // degrees
// Every object lies this close to its slot's position.
constexpr double kPlacedWithin = 0.1;    // degrees

bool stationKept(const SatelliteEntry& e) { return e.orbit && !vantorel::wanders(e); }

struct Slot {
  std::vector<const SatelliteEntry*> members;  // by longitude, West to East
  double position = 0;
};

// The position nearest the members' midpoint, to a tenth of a degree where
// that keeps every member within kPlacedWithin, else to a hundredth.
double slotPosition(const Slot& slot) {
  const double low = slot.members.front()->longitudeEast, high = slot.members.back()->longitudeEast;
  const double middle = (low + high) / 2;
  const auto holds = [&](double p) { return p - low <= kPlacedWithin + 1e-9 && high - p <= kPlacedWithin + 1e-9; };
  for (const double step : {10.0, 100.0, 1000.0}) {
    const double p = std::round(middle * step) / step;
    if (holds(p)) return p == 0 ? 0 : p;
  }
  return middle;
}

std::string slotName(const Slot& slot) {
  std::string name;
  for (const SatelliteEntry* e : slot.members) name += (name.empty() ? "" : " & ") + e->name;
  return name;
}

std::string cppString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_builtin_list GEO.tle OUTPUT.cpp\n");
    return 2;
  }
  vantorel::SatelliteCatalog data;
  try {
    data = vantorel::loadSatelliteList(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_builtin_list: %s\n", e.what());
    return 1;
  }
  if (!data.entries.front().orbit) {
    std::fprintf(stderr, "make_builtin_list: %s holds no orbital data\n", argv[1]);
    return 1;
  }
  std::vector<const SatelliteEntry*> kept;
  vantorel::CalendarDate newest;
  for (const SatelliteEntry& e : data.entries) {
    newest = std::max(newest, e.orbit->epoch.date);
    if (stationKept(e)) kept.push_back(&e);
  }
  std::stable_sort(kept.begin(), kept.end(),
                   [](const SatelliteEntry* a, const SatelliteEntry* b) { return a->longitudeEast < b->longitudeEast; });
  std::vector<Slot> slots;
  for (const SatelliteEntry* e : kept) {
    if (slots.empty() || e->longitudeEast - slots.back().members.front()->longitudeEast > kCoLocated) slots.emplace_back();
    slots.back().members.push_back(e);
  }
  std::ofstream out(argv[2]);
  out << "// Made by scripts/regenerate-builtin-list from CelesTrak's GEO group, elements of\n"
      << "// " << vantorel::calendarDateText(newest) << ": " << kept.size() << " station-kept objects of "
      << data.entries.size() + data.skipped << " in " << slots.size() << " slots, East to West. Do not edit.\n\n"
      << "#include \"today_list.h\"\n\nnamespace vantorel {\n\n"
      << "const char* const kTodayListDate = \"" << vantorel::calendarDateText(newest) << "\";\n"
      << "const std::size_t kTodayListObjects = " << data.entries.size() + data.skipped << ";\n\n"
      << "const std::vector<CatalogueSlot>& todaySlots() {\n"
      << "  static const std::vector<CatalogueSlot> slots = {\n";
  for (auto slot = slots.rbegin(); slot != slots.rend(); ++slot) {
    slot->position = slotPosition(*slot);
    const std::string name = slotName(*slot);
    if (name.size() > 120) {
      std::fprintf(stderr, "make_builtin_list: the slot name \"%s\" is longer than a list name may be\n", name.c_str());
      return 1;
    }
    char position[32];
    std::snprintf(position, sizeof position, "%.3f", slot->position);
    out << "      {" << cppString(name) << ", " << position << "},\n";
  }
  out << "  };\n  return slots;\n}\n\n}  // namespace vantorel\n";
  if (!out) {
    std::fprintf(stderr, "make_builtin_list: %s cannot be written\n", argv[2]);
    return 1;
  }
  std::printf("%zu objects, %zu station-kept, in %zu slots; elements of %s\n", data.entries.size() + data.skipped,
              kept.size(), slots.size(), vantorel::calendarDateText(newest).c_str());
  return 0;
}
