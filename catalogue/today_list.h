#pragma once
// The built-in list of today's satellites: the station-kept objects of
// CelesTrak's GEO group on one date, at their station longitudes, objects
// within 0.2 degree of one another gathered into one slot whose name lists
// them all ("ASTRA 1P (SES-24) & ASTRA 1N"). today_list.cpp is made by
// scripts/regenerate-builtin-list from a newer GEO file; the file it was
// made from lies beside it.

#include <cstddef>
#include <vector>

namespace vantorel {

struct CatalogueSlot {
  const char* name;
  double longitudeEast;  // degrees, East positive, (-180, 180]
};

// The date of the newest elements, "YYYY-MM-DD": the list's date.
extern const char* const kTodayListDate;
// How many objects the GEO group held, kept or not.
extern const std::size_t kTodayListObjects;

// The slots from East to West.
const std::vector<CatalogueSlot>& todaySlots();

}  // namespace vantorel
