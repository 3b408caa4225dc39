#include "satellite_notes.h"

#include <cmath>

#include "angles.h"
#include "numeric_text.h"

namespace vantorel {

bool wanders(const SatelliteEntry& entry) {
  return entry.orbit && (entry.orbit->inclination > notes::kInclination ||
                         std::fabs(entry.orbit->driftPerDay) > notes::kDriftPerDay);
}

std::vector<std::string> satelliteNotes(const SatelliteEntry& entry, CalendarDate runDate) {
  std::vector<std::string> said;
  if (entry.namedLongitudeEast) {
    said.push_back("its name says " + letteredDegrees(*entry.namedLongitudeEast) + "; placed at the list's " +
                   letteredDegrees(entry.longitudeEast));
  }
  if (!entry.orbit) return said;
  const OrbitalState& orbit = *entry.orbit;
  if (orbit.inclination > notes::kInclination) said.push_back("inclined " + fixedText(orbit.inclination, 2) + "°");
  if (std::fabs(orbit.driftPerDay) > notes::kDriftPerDay) {
    said.push_back("drifting " + fixedText(std::fabs(orbit.driftPerDay), 2) + "°/day " +
                    (orbit.driftPerDay > 0 ? "East" : "West"));
  }
  const auto age = (sysDays(runDate) - sysDays(orbit.epoch.date)).count();
  if (age > notes::kAgeDays) said.push_back("elements " + std::to_string(age) + " days old");
  if (-age > notes::kAgeDays) said.push_back("elements dated " + std::to_string(-age) + " days after the date");
  return said;
}

}  // namespace vantorel
