#include "satellite_notes.h"

#include <cmath>
#include <cstdio>

#include "angles.h"

namespace vantorel {
namespace {

std::string twoDecimals(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

}  // namespace

std::vector<std::string> satelliteNotes(const SatelliteEntry& entry, CalendarDate runDate) {
  std::vector<std::string> said;
  if (entry.namedLongitudeEast) {
    said.push_back("its name says " + letteredDegrees(*entry.namedLongitudeEast) + "; placed at the list's " +
                   letteredDegrees(entry.longitudeEast));
  }
  if (!entry.orbit) return said;
  const OrbitalState& orbit = *entry.orbit;
  if (orbit.inclination > notes::kInclination) said.push_back("inclined " + twoDecimals(orbit.inclination) + "°");
  if (std::fabs(orbit.driftPerDay) > notes::kDriftPerDay) {
    said.push_back("drifting " + twoDecimals(std::fabs(orbit.driftPerDay)) + "°/day " +
                    (orbit.driftPerDay > 0 ? "East" : "West"));
  }
  const auto age = (sysDays(runDate) - sysDays(orbit.epoch.date)).count();
  if (age > notes::kAgeDays) said.push_back("elements " + std::to_string(age) + " days old");
  if (-age > notes::kAgeDays) said.push_back("elements dated " + std::to_string(-age) + " days after the date");
  return said;
}

}  // namespace vantorel
