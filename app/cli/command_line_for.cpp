#include "command_line_for.h"

#include <algorithm>
#include <string_view>

namespace vantorel {
namespace {

struct Words {
  std::vector<std::string> list{"vantorel"};

  void flag(std::string_view option, bool set) {
    if (set) list.emplace_back(option);
  }
  void value(std::string_view option, const std::string& text) {
    list.emplace_back(option);
    list.push_back(text);
  }
  void value(std::string_view option, const std::optional<std::string>& text) {
    if (text) value(option, *text);
  }
  void values(std::string_view option, const std::vector<std::string>& texts) {
    for (const std::string& text : texts) value(option, text);
  }
  void text(std::string_view option, const std::string& typed) {
    if (!typed.empty()) value(option, typed);
  }
};

// The site, the list, the satellite and the declination, in the order a
// reader checks them.
void siteAndSatellite(Words& w, const PointingRequest& r) {
  const JobRequest& job = r.job;
  if (job.latitudeGiven) w.value("--latitude", job.inputs.latitude);
  if (job.longitudeGiven) w.value("--longitude", job.inputs.longitude);
  if (r.satellitesFile) {
    w.value("--satellites", *r.satellitesFile);
  } else if (r.builtInList == BuiltInList::Nineties) {
    w.value("--builtin-list", std::string("1990s"));
  }
  if (r.table) {
    w.flag("--all", true);
  } else {
    w.value("--satellite", job.inputs.satellite);
  }
  w.value("--date", job.date);
  if (!job.automaticDeclination) w.value("--declination", job.inputs.declination);
}

// The dish, the sky around it and the sun.
void dishAndSky(Words& w, const PointingRequest& r) {
  w.value("--offset-angle", r.job.offsetAngle);
  w.flag("--motor", r.job.motor);
  w.flag("--sun-outage", r.sunOutage);
  w.value("--dish-size", r.dishSize);
  w.value("--frequency", r.frequency);
  w.value("--outage-angle", r.outageAngle);
  w.value("--timezone", r.timeZone);
  w.values("--obstacle", r.obstacles);
  w.value("--horizon", r.horizonFile);
  w.flag("--sun-bearing", r.sunBearing);
  w.values("--multifeed", r.multifeed);
  w.value("--focal-length", r.focalLength);
}

// What is printed, and the sheet with its texts.
void outputs(Words& w, const PointingRequest& r) {
  w.flag("--csv", r.csv);
  w.value("--min-elevation", r.minimumElevation);
  w.value("--min-clearance", r.minimumClearance);
  w.value("--sheet", r.sheet);
  if (r.paper == Paper::Letter) w.value("--paper", std::string("letter"));
  w.text("--customer", r.job.customer);
  w.text("--address", r.job.address);
  w.text("--notes", r.job.notes);
}

}  // namespace

std::vector<std::string> commandLineFor(const PointingRequest& request) {
  Words w;
  siteAndSatellite(w, request);
  dishAndSky(w, request);
  outputs(w, request);
  return w.list;
}

std::string shellLine(const std::vector<std::string>& words) {
  constexpr std::string_view kPlain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,_+-/:=@%";
  std::string line;
  for (const std::string& word : words) {
    if (!line.empty()) line += ' ';
    const bool plain = !word.empty() && std::all_of(word.begin(), word.end(), [kPlain](char c) {
      return kPlain.find(c) != std::string_view::npos;
    });
    if (plain) {
      line += word;
      continue;
    }
    line += '\'';
    for (const char c : word) line += c == '\'' ? std::string("'\\''") : std::string(1, c);
    line += '\'';
  }
  return line;
}

}  // namespace vantorel
