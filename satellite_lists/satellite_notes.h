#pragma once
// Notes for a satellite whose position a fixed dish cannot simply hold, from
// what its orbital data say, and for one whose name states a position the
// list does not place it at.

#include <string>
#include <vector>

#include "calendar_date.h"
#include "satellite_list.h"

namespace vantorel {

namespace notes {
// A fixed dish's beam is about a degree wide for a small dish; an
// inclination over this moves the satellite that far north and south of its
// place each day.
inline constexpr double kInclination = 0.5;  // degrees
// A drift over this takes the satellite a degree off in three weeks.
inline constexpr double kDriftPerDay = 0.05;  // degrees a day
// Elements older than this may no longer say where a satellite is: it may
// have been moved.
inline constexpr int kAgeDays = 30;
}  // namespace notes

// Whether orbital data say the satellite wanders: inclined over
// notes::kInclination or drifting over notes::kDriftPerDay. An entry with
// no orbital data does not.
bool wanders(const SatelliteEntry& entry);

// The notes for entry on runDate, in this order, each a short phrase:
//   "its name says 28.2° E; placed at the list's 30.4° E"
//   "inclined 3.21°"               inclination over notes::kInclination
//   "drifting 0.12°/day East"      drift over notes::kDriftPerDay, East or West
//   "elements 45 days old"         epoch more than notes::kAgeDays whole days
//                                  before runDate (or "elements dated 45 days
//                                  after the date" for a runDate long before)
// Figures to two decimals.
std::vector<std::string> satelliteNotes(const SatelliteEntry& entry, CalendarDate runDate);

}  // namespace vantorel
