#include "command_run.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "calc_error.h"
#include "hemisphere.h"
#include "program_version.h"
#include "result_printing.h"
#include "satellite_search.h"
#include "typing_hint.h"

namespace vantorel {
namespace {

// --min-elevation lies within a right angle of the horizon either way.
constexpr double kRightAngle = 90;

// The command line takes positions with hemisphere letters as well; the
// boxes' own forms pass unchanged.
BoxTexts withSigns(const BoxTexts& typed, bool satellite) {
  BoxTexts boxes = typed;
  boxes.Text4 = withoutHemisphere(Field::Latitude, typed.Text4);
  boxes.Text5 = withoutHemisphere(Field::Longitude, typed.Text5);
  if (satellite) boxes.Text6 = withoutHemisphere(Field::SatelliteLongitude, typed.Text6);
  return boxes;
}

std::optional<double> minimumElevation(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  double value = 0;
  try {
    value = textToDouble(*text);
  } catch (const CalcError& e) {
    throw e.forField(Field::MinimumElevation);
  }
  if (std::fabs(value) > kRightAngle) throw CalcError(Field::MinimumElevation, Fault::OutOfRange, *text);
  return value;
}

// The index of a satellite typed by name in the list in effect; throws a
// refusal that names the candidates, or says where the names are listed.
std::size_t satelliteNamed(const SatelliteList& list, const std::string& typed, const std::string& listName) {
  const SatelliteMatch match = findSatellite(list, typed);
  if (match.kind == SatelliteMatch::Kind::Found) return match.entry;
  if (match.kind == SatelliteMatch::Kind::None) {
    // A longitude written with a usual slip (12,5 or −33.8) is no name:
    // say what to type instead, as the box would.
    if (!typingHint(Field::SatelliteLongitude, typed).empty()) {
      throw CalcError(Field::SatelliteLongitude, Fault::NotANumber, typed);
    }
    throw std::invalid_argument("No satellite in " + listName + " is named \"" + quotedText(typed) +
                                "\"; vantorel --all lists the names. A longitude such as 19.2E is also taken.");
  }
  std::string message = "\"" + quotedText(typed) + "\" names " + std::to_string(match.count) + " satellites in " +
                        listName + "; give one of them more fully:";
  for (const std::size_t candidate : match.candidates) {
    const SatelliteEntry& entry = list.entries[candidate];
    message += "\nvantorel:   " + entry.name + ", " + satellitePosition(static_cast<Single>(-entry.longitudeEast));
  }
  if (match.count > match.candidates.size()) {
    message += "\nvantorel:   and " + std::to_string(match.count - match.candidates.size()) + " more";
  }
  throw std::invalid_argument(message);
}

// The sheet's job: the very texts printed, and the list in effect for the
// sky view's marks.
SheetJob sheetJob(const SiteReading& site, const Pointing& pointing, const std::string& satellite,
                  CalendarDate date, const std::vector<ListedSatellite>& listed) {
  SheetJob job;
  job.latitude = site.latitudeDms;
  job.latitudeDecimal = site.latitudeDecimal;
  job.longitude = site.longitudeDms;
  job.longitudeDecimal = site.longitudeDecimal;
  job.satellite = satellite;
  job.date = calendarDateText(date);
  job.declination = site.declinationText;
  job.declinationSource = site.declinationFromModel ? "World Magnetic Model 2025 on " + job.date : "typed";
  job.version = std::string(kProgramName) + ' ' + kShownVersion;
  for (const Figure& figure : printedFigures(site, pointing)) job.figures.push_back({figure.label, figure.value});
  job.site = pointing.inputs;
  for (const ListedSatellite& one : listed) job.satellites.push_back({one.name, one.longitudeWest});
  return job;
}

}  // namespace

PointingOutput runPointing(const PointingRequest& command, const SheetWriter& writeSheet) {
  PointingOutput output;
  std::vector<std::string>& warnings = output.warnings;
  const bool one = !command.table;
  const BoxTexts boxes = withSigns(command.boxes, one);
  const std::optional<double> lowest = minimumElevation(command.minimumElevation);
  const CalendarDate date = readRunDate(command.date);
  const SatelliteList list =
      command.satellitesFile ? loadSatelliteList(*command.satellitesFile) : builtInSatelliteList();
  const std::string listName = !command.satellitesFile ? std::string("the built-in list")
                               : isPrintableText(*command.satellitesFile) ? *command.satellitesFile
                                                                          : quotedText(*command.satellitesFile);
  if (list.skipped > 0) {
    warnings.push_back(listName + ": left out " + std::to_string(list.skipped) +
                       (list.skipped == 1 ? " object that is" : " objects that are") +
                       " not near the geostationary orbit.");
  }
  const std::vector<ListedSatellite> listed = listedSatellites(list, date);
  const bool orbital = std::any_of(list.entries.begin(), list.entries.end(),
                                   [](const SatelliteEntry& entry) { return entry.orbit.has_value(); });

  // A typed satellite is checked before the site, as the window checks it;
  // a text that reads as no longitude is a name.
  std::optional<ListedSatellite> named;
  Single satellite = 0;
  if (one && !command.automaticDeclination) readDeclination(boxes);
  if (one && readsAsNumber(boxes.Text6)) {
    satellite = readSatellite(boxes.Text6);
  } else if (one) {
    named = listed[satelliteNamed(list, command.boxes.Text6, listName)];
    satellite = named->longitudeWest;
  }
  SiteReading site = command.automaticDeclination ? readSiteWithModelDeclination(boxes, date) : readSite(boxes);
  addMount(site, command.offsetAngle, command.motor);
  warnings.insert(warnings.end(), site.warnings.begin(), site.warnings.end());
  if (!one) {
    output.printed = satelliteTable(site, listed, {command.csv, orbital, lowest});
    return output;
  }

  const Pointing pointing = pointAt(site, satellite);
  if (named && !named->note.empty()) warnings.push_back(named->name + ": " + named->note + ".");
  if (!pointing.horizonWarning.empty()) warnings.push_back(pointing.horizonWarning);
  const std::string name = named ? named->name : std::string();
  if (command.sheet) {
    const std::string failed =
        writeSheet ? writeSheet(sheetJob(site, pointing, satelliteText(name, pointing), date, listed), command.paper, *command.sheet)
                   : "this build of Vantorel cannot draw the sheet";
    if (!failed.empty()) throw std::runtime_error(failed);
  }
  output.printed = satelliteLines(site, pointing, name);
  return output;
}


}  // namespace vantorel
