#include "satellite_lists_property.h"

#include <cmath>
#include <sstream>
#include <string_view>

#include "calc_error.h"
#include "satellite_list.h"
#include "satellite_notes.h"
#include "satellite_search.h"

namespace vantorel {
namespace {

constexpr std::string_view kShownName = "fuzzed.list";
// The longest message: the fixed words, the file's name and two quoted
// texts, each cut at 40 bytes by quotedText.
constexpr std::size_t kLongestMessage = 400;

std::string checkEntry(const SatelliteCatalog& list, const SatelliteEntry& entry) {
  if (entry.name.empty() || !isPrintableText(entry.name)) return "a name is not printable: " + quotedText(entry.name);
  if (!(entry.longitudeEast > -180 && entry.longitudeEast <= 180)) {
    return "a longitude is outside (-180, 180]: " + std::to_string(entry.longitudeEast);
  }
  if (entry.orbit) {
    const OrbitalState& o = *entry.orbit;
    if (!(o.inclination >= 0 && o.inclination <= 180) || !std::isfinite(o.driftPerDay)) {
      return "orbital state out of range for " + entry.name;
    }
    if (!parseCalendarDate(calendarDateText(o.epoch.date)) || !(o.epoch.second >= 0 && o.epoch.second < 86401)) {
      return "an epoch that is no instant: " + calendarDateText(o.epoch.date);
    }
    for (const std::string& note : satelliteNotes(entry, {2026, 12, 1})) {
      if (note.empty()) return "an empty note for " + entry.name;
    }
  }
  if (!comparableName(entry.name).empty() && findSatellite(list, entry.name).kind == SatelliteMatch::Kind::None) {
    return "a satellite is not found by its own name: " + entry.name;
  }
  return {};
}

}  // namespace

std::string checkSatelliteLists(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  SatelliteCatalog list;
  try {
    list = readSatelliteList(in, kShownName);
  } catch (const SatelliteListError& e) {
    const std::string_view message = e.what();
    if (!message.starts_with(std::string(kShownName) + ":") || !isPrintableText(message) ||
        message.size() > kLongestMessage) {
      return "a refusal that is not one short printable line naming the file: " + quotedText(message);
    }
    return {};
  } catch (const std::exception& e) {
    return std::string("an exception other than a refusal: ") + e.what();
  }
  if (list.entries.empty()) return "an empty list was returned";
  for (const SatelliteEntry& entry : list.entries) {
    if (std::string broken = checkEntry(list, entry); !broken.empty()) return broken;
  }
  return {};
}

}  // namespace vantorel
