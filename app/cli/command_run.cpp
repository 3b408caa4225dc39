#include "command_run.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

#include "calc_error.h"
#include "input_ranges.h"
#include "result_printing.h"

namespace vantorel {
namespace {

// A number typed for field, within its range.
double numberIn(const std::string& text, Field field, const Range& range) {
  double value = 0;
  try {
    value = textToDouble(text);
  } catch (const CalcError& e) {
    throw e.forField(field);
  }
  if (!range.holds(value)) throw CalcError(field, Fault::OutOfRange, text);
  return value;
}

// --min-elevation lies within a right angle of the horizon either way.
std::optional<double> minimumElevation(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  return numberIn(*text, Field::MinimumElevation, kRightAngleEitherWay);
}

// The dish's size and frequency as typed, or the defaults; the sun outage
// and a multifeed dish both take them.
OutageCriterion dishAsTyped(const PointingRequest& request) {
  OutageCriterion c;
  if (request.dishSize) c.dishCentimetres = numberIn(*request.dishSize, Field::DishSize, kDishCentimetres);
  if (request.frequency) c.frequencyGigahertz = numberIn(*request.frequency, Field::Frequency, kFrequencyGigahertz);
  return c;
}

// The outage criterion as typed, where a sun outage or a sheet asks for it.
std::optional<OutageCriterion> outageCriterion(const PointingRequest& request) {
  if (!request.sunOutage && !request.sheet) return std::nullopt;
  OutageCriterion c = dishAsTyped(request);
  if (request.outageAngle) c.angle = numberIn(*request.outageAngle, Field::OutageAngle, kOutageAngleDegrees);
  return c;
}

// The optics of a multifeed dish: its size and frequency, and its focal
// length as typed or assumed.
DishOptics multifeedDish(const PointingRequest& request) {
  const OutageCriterion dish = dishAsTyped(request);
  std::optional<double> focal;
  if (request.focalLength) focal = numberIn(*request.focalLength, Field::FocalLength, kFocalMillimetres);
  return dishOptics(dish.dishCentimetres * kMillimetresPerCentimetre, focal, dish.frequencyGigahertz);
}

// The horizon profile's file, read.
std::optional<HorizonProfile> horizonProfile(const std::optional<std::string>& file) {
  if (!file) return std::nullopt;
  const std::string name = isPrintableText(*file) ? *file : quotedText(*file);
  std::ifstream in(*file, std::ios::binary);
  if (!in) throw Refusal(Refusal::Input::Horizon, name + ": the horizon profile cannot be opened");
  return readHorizonProfile(in, name);
}

// What messages call the list: its file's name, quoted when it is not
// printable, or the built-in list's name with its date.
std::string listName(const SatelliteCatalog& list, const std::optional<std::string>& file) {
  if (!file) return list.builtInName;
  return isPrintableText(*file) ? *file : quotedText(*file);
}

}  // namespace

PointingOutput runPointing(const PointingRequest& request, const SheetWriter& writeSheet) {
  const std::optional<double> lowest = minimumElevation(request.minimumElevation);
  const std::optional<double> leastClearance =
      request.minimumClearance ? std::optional(numberIn(*request.minimumClearance, Field::MinimumClearance, kRightAngleEitherWay))
                               : std::nullopt;
  const SatelliteCatalog list = request.satellitesFile ? loadSatelliteList(*request.satellitesFile)
                                                      : builtInSatelliteList(request.builtInList);
  JobRequest asked = request.job;
  asked.typedSatellite = !request.table;
  asked.sunOutage = outageCriterion(request);
  asked.timeZone = request.timeZone;
  asked.multifeed = request.multifeed;
  // The dish's size and frequency serve the extra LNBs and the beam the
  // clearance is held to.
  asked.dish = multifeedDish(request);
  asked.obstacles = request.obstacles;
  asked.horizon = horizonProfile(request.horizonFile);
  asked.sunBearing = request.sunBearing;
  // The sheet's sky view marks the list's satellites too.
  asked.everySatellite = request.table || request.sheet.has_value();
  const Job job = buildJob(asked, list, listName(list, request.satellitesFile));

  PointingOutput output;
  for (const Notice& notice : job.notices) output.warnings.push_back(notice.text);
  if (request.table) {
    const bool anyHighEnough = std::any_of(job.listed.begin(), job.listed.end(),
                                           [&](const Pointing& p) { return !lowest || p.elevation() >= *lowest; });
    if (!anyHighEnough) {
      output.warnings.push_back("no satellite of " + job.listName + " stands " + *request.minimumElevation +
                                " degrees or more above the horizon here.");
    }
    const bool anyClearEnough = std::any_of(job.listed.begin(), job.listed.end(), [&](const Pointing& p) {
      return !leastClearance || (p.clearance ? p.clearance->degrees : p.elevation()) >= *leastClearance;
    });
    if (anyHighEnough && !anyClearEnough) {
      output.warnings.push_back("no satellite of " + job.listName + " clears the obstacles here by " +
                                *request.minimumClearance + " degrees or more.");
    }
    output.printed = satelliteTable(job, {request.csv, lowest, leastClearance});
    return output;
  }
  if (request.sheet) {
    const SheetOutcome sheet = writeSheet ? writeSheet(job, request.paper, *request.sheet)
                                          : SheetOutcome::refused("this build of Vantorel cannot draw the sheet");
    if (!sheet.written) throw Refusal(Refusal::Input::Sheet, sheet.why);
  }
  if (request.csv && !job.multifeeds.empty()) {
    output.printed = multifeedCsv(job);
    return output;
  }
  output.printed = satelliteLines(job);
  if (!job.multifeeds.empty()) output.printed += '\n' + multifeedLines(job);
  if (job.sunBearing) output.printed += '\n' + sunBearingLines(job);
  if (request.sunOutage) output.printed = request.csv ? sunOutageCsv(job) : output.printed + '\n' + sunOutageLines(job);
  return output;
}

}  // namespace vantorel
