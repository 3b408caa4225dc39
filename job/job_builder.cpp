#include "job_builder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "calc_error.h"
#include "hemisphere.h"
#include "input_ranges.h"
#include "satellite_notes.h"
#include "satellite_search.h"
#include "sun_position.h"
#include "time_zone.h"
#include "typing_hint.h"
#include "vector_state.h"
#include "world_magnetic_model.h"

namespace vantorel {
namespace {

constexpr double kSixty = 60;

// The texts with hemisphere letters turned into signs; the forms without
// letters pass unchanged. A longitude with a letter is 180 or less either way:
// "192E" is a slip (position="192" is 19.2E), not 168 W.
struct SignedInputs {
  InputTexts texts;
};

SignedInputs withSigns(const InputTexts& typed, bool satellite) {
  SignedInputs s{typed};
  s.texts.latitude = withoutHemisphere(Field::Latitude, typed.latitude);
  s.texts.longitude = withoutHemisphere(Field::Longitude, typed.longitude);
  if (satellite) s.texts.satellite = withoutHemisphere(Field::SatelliteLongitude, typed.satellite);
  return s;
}

// "the latitude 429999 has 99 minutes and 99 seconds; read as 43°40'39.0" N",
// or "" when the minutes and the seconds are both under 60.
std::string carriedWarning(std::string_view name, const DeccalcState& s, const std::string& readAs) {
  std::string pieces;
  if (s.Minutes >= kSixty) pieces = doubleToText(s.Minutes) + " minutes";
  if (s.Seconds >= kSixty) pieces += (pieces.empty() ? "" : " and ") + doubleToText(s.Seconds) + " seconds";
  if (pieces.empty()) return {};
  return "the " + std::string(name) + " " + quotedText(s.DmsText) + " has " + pieces + "; read as " + readAs;
}

// The site decoded, with the date; the declination is the caller's.
JobSite decodedSite(const JobRequest& request, const SignedInputs& signs, CalendarDate date,
                    std::vector<Notice>& notices) {
  const InputTexts& texts = signs.texts;
  JobSite site;
  site.date = date;
  site.latitude = decodedCoordinate(Field::Latitude, request.inputs.latitude);
  site.longitude = decodedCoordinate(Field::Longitude, request.inputs.longitude);
  site.inputs.SiteLatitude = site.latitude.DecimalDegrees;
  site.inputs.SiteLongitude = site.longitude.DecimalDegrees;
  site.latitudeDms = latitudeDms(site.inputs.SiteLatitude);
  site.latitudeDecimal = latitudeDecimal(site.inputs.SiteLatitude);
  site.longitudeDms = longitudeDms(site.inputs.SiteLongitude);
  site.longitudeDecimal = longitudeDecimal(site.inputs.SiteLongitude);
  if (!request.latitudeGiven) {
    notices.push_back({Notice::Kind::OpeningSite, "no latitude was given, so the site's latitude is " +
                                                      site.latitudeDms + ", the window's opening " + texts.latitude + "."});
  }
  if (!request.longitudeGiven) {
    notices.push_back({Notice::Kind::OpeningSite, "no longitude was given, so the site's longitude is " +
                                                      site.longitudeDms + ", the window's opening " + texts.longitude + "."});
  }
  for (const std::string& warning : {carriedWarning("latitude", site.latitude, site.latitudeDms),
                                     carriedWarning("longitude", site.longitude, site.longitudeDms)}) {
    if (!warning.empty()) notices.push_back({Notice::Kind::CarriedDigits, warning});
  }
  return site;
}

// The site decoded with the declination typed.
JobSite typedSite(const JobRequest& request, const SignedInputs& signs, Single declination, CalendarDate date,
                  std::vector<Notice>& notices) {
  JobSite site = decodedSite(request, signs, date, notices);
  site.inputs.Declination = declination;
  site.declinationText = signs.texts.declination;
  return site;
}

// The site with the declination from the World Magnetic Model on its date,
// rounded to 0.01 degree and then read as if it had been typed.
JobSite modelSite(const JobRequest& request, const SignedInputs& signs, CalendarDate date,
                  std::vector<Notice>& notices) {
  JobSite site = decodedSite(request, signs, date, notices);
  const DeclinationResult looked = declinationAt(date, static_cast<double>(site.inputs.SiteLatitude),
                                                 static_cast<double>(site.inputs.SiteLongitude));
  site.inputs.Declination = readDeclination(looked.declinationText);
  site.declinationText = looked.declinationText;
  site.declinationSource = DeclinationSource::Model;
  if (!looked.warning.empty()) notices.push_back({Notice::Kind::WeakField, looked.warning});
  return site;
}

// The satellite longitude as typed, degrees West, East negative: the
// window's limits (180 or less, down to -32768) without its rounding.
Single readSatellite(std::string_view text) {
  constexpr double kEast = std::numeric_limits<Integer>::min();
  TextNumber number;
  try {
    number = textToNumber(text);
  } catch (const CalcError& e) {
    throw e.forField(Field::SatelliteLongitude);
  }
  if (number.value > kSatelliteLongitudeLimit) throw CalcError(Field::SatelliteLongitude, Fault::OutOfRange, text);
  if (number.value < kEast) throw CalcError(Field::SatelliteLongitude, Fault::Overflow, text);
  return number.single;
}

// The index of a satellite typed by name in the list; throws a refusal that
// names the candidates, or says where the names are listed.
std::size_t satelliteNamed(const SatelliteCatalog& list, const std::string& typed, std::string_view listName) {
  const SatelliteMatch match = findSatellite(list, typed);
  if (match.kind == SatelliteMatch::Kind::Found) return match.entry;
  if (match.kind == SatelliteMatch::Kind::None) {
    // A longitude written with a usual slip (12,5 or −33.8) is no name:
    // say what to type instead, as the box would.
    if (!typingHint(Field::SatelliteLongitude, typed).empty()) {
      throw CalcError(Field::SatelliteLongitude, Fault::NotANumber, typed);
    }
    // Where the names are is each face's to say: the command line's options,
    // the planner's table.
    const std::string why = "No satellite in " + std::string(listName) + " is named \"" + quotedText(typed) + "\"";
    if (!list.builtIn) throw NoSuchSatellite(NoSuchSatellite::In::ListFile, why);
    throw NoSuchSatellite(list.builtIn == BuiltInList::Nineties ? NoSuchSatellite::In::NinetiesList
                                                                : NoSuchSatellite::In::TodayList,
                          why + ".");
  }
  std::string message = "\"" + quotedText(typed) + "\" names " + std::to_string(match.count) + " satellites in " +
                        std::string(listName) + "; give one of them more fully:";
  for (const std::size_t candidate : match.candidates) {
    const SatelliteEntry& entry = list.entries[candidate];
    message += "\n  " + entry.name + ", " + satellitePosition(static_cast<Single>(-entry.longitudeEast));
  }
  if (match.count > match.candidates.size()) {
    message += "\n  and " + std::to_string(match.count - match.candidates.size()) + " more";
  }
  throw Refusal(Refusal::Input::Satellite, message);
}

// A satellite as typed: a longitude in degrees West (a hemisphere letter
// made a sign, and then 180 or less), or else a name in the list.
struct TypedSatellite {
  std::optional<Single> longitudeWest;
  std::size_t entry = 0;  // the list's entry, where no longitude was typed
};

TypedSatellite readTypedSatellite(const std::string& typed, const SatelliteCatalog& list, std::string_view listName) {
  const std::string signedText = withoutHemisphere(Field::SatelliteLongitude, typed);
  if (!readsAsNumber(signedText)) return {std::nullopt, satelliteNamed(list, typed, listName)};
  const Single longitude = readSatellite(signedText);
  refuseLetteredBeyondHalfTurn(Field::SatelliteLongitude, signedText != typed, static_cast<double>(longitude), typed);
  return {longitude, 0};
}

void addMount(JobSite& site, const std::optional<std::string>& offsetText, bool polar) {
  if (offsetText) site.offsetAngle = offsetAngleFromText(*offsetText);
  if (!polar) return;
  site.polarMount = polarMount(site.inputs);
  const PolarMountResult& mount = *site.polarMount;
  const std::string facing =
      mount.Facing == MountFacing::EitherWay ? "either way, on the equator" : mount.FacingText;
  site.mountFigures = {
      {Label::PolarAxisElevation, static_cast<double>(mount.PolarAxisElevation), mount.PolarAxisElevationText, {}},
      {Label::MountFaces, 0, facing, {}, false},
      // On the equator the mount faces either way, and the azimuth is two.
      {Label::MountAzimuthMagnetic, static_cast<double>(mount.MountAzimuthMagnetic), mount.MountAzimuthMagneticText, {},
       !mount.MountAzimuthMagneticOtherWay},
      {Label::DeclinationOffset, static_cast<double>(mount.DeclinationOffset), mount.DeclinationOffsetText, {}}};
  // The dish's elevation with the motor at zero, looking along the site's
  // meridian: the look angles' elevation to the arc there.
  OnecalcInputs meridian = site.inputs;
  meridian.SatelliteLongitude = site.inputs.SiteLongitude;
  const OnecalcResult alongMeridian = onecalc(meridian);
  site.mountFigures.push_back(
      {Label::MeridianElevation, static_cast<double>(alongMeridian.Elevation), alongMeridian.elevationText, {}});
  for (Figure& figure : site.mountFigures) figure.reading = instrumentReading(figure);
  if (mount.MountAzimuthMagneticOtherWay) {
    site.mountFigures[2].reading += " or " + tenthsReading(static_cast<double>(*mount.MountAzimuthMagneticOtherWay));
  }
}

// The look angles and the skew of the satellite at longitudeWest from the
// site. Throws CalcError(Field::Calculation, ...) if the arithmetic fails.
Pointing pointAt(const JobSite& site, Single longitudeWest) {
  Pointing p;
  p.longitudeWest = longitudeWest;
  p.position = satellitePosition(longitudeWest);
  p.inputs = site.inputs;
  p.inputs.SatelliteLongitude = longitudeWest;
  p.angles = onecalc(p.inputs);
  p.skew = lnbSkew(p.inputs);
  const auto number = [](Single value) { return static_cast<double>(value); };
  p.figures = {{Label::AzimuthTrue, number(p.angles.AzimuthTrue), p.angles.azimuthTrueText, {}},
               {Label::AzimuthMagnetic, number(p.angles.AzimuthMagnetic), p.angles.azimuthMagneticText, {}},
               {Label::Elevation, number(p.angles.Elevation), p.angles.elevationText, {}},
               {Label::LnbSkew, number(p.skew.Skew), p.skew.Text, {}}};
  if (site.offsetAngle) {
    const DishFaceTiltResult tilt = dishFaceTilt(p.angles.Elevation, *site.offsetAngle);
    p.figures.push_back({Label::DishFaceTilt, number(tilt.Tilt), tilt.Text, {}});
  }
  if (site.polarMount) {
    const MotorAngleResult motor = motorAngle(p.inputs);
    p.figures.push_back({Label::MotorAngle, number(motor.MotorAngle), motor.Text, {}});
  }
  for (Figure& figure : p.figures) figure.reading = instrumentReading(figure);
  return p;
}

// The list's entry at its own longitude, named, with its notes as of date.
Pointing listedPointing(const JobSite& site, const SatelliteCatalog& list, std::size_t index) {
  const SatelliteEntry& entry = list.entries[index];
  // The lists' East positive, made the calculation's West positive.
  Pointing p = pointAt(site, static_cast<Single>(-entry.longitudeEast));
  p.name = entry.name;
  p.source = list.builtIn ? SatelliteSource::BuiltInList : SatelliteSource::ListFile;
  p.notes = satelliteNotes(entry, site.date);
  p.wanders = wanders(entry);
  return p;
}

Pointing pointingFor(const JobSite& site, const SatelliteCatalog& list, const TypedSatellite& typed) {
  return typed.longitudeWest ? pointAt(site, *typed.longitudeWest) : listedPointing(site, list, typed.entry);
}

std::string degreesText(double degrees) { return fixedText(degrees, 2) + "\u00b0"; }

// "14 min 19 s".
std::string duration(double seconds) {
  const long long s = std::llround(seconds);
  return std::to_string(s / 60) + " min " + std::to_string(s % 60) + " s";
}

std::string localText(const TimeZone& zone, CalendarDate date, double second) {
  const LocalTime local = zone.local(date, second);
  return (local.date == date ? "" : calendarDateText(local.date) + " ") + local.time;
}

// A season's daily window in local time, worked out day by day: where the
// zone's clocks change within the season, each part with its own
// abbreviation, "2027-03-31 to 04-03 12:29:52 to 12:43:18 AEDT; 04-04 to
// 04-08 11:29:52 to 11:43:18 AEST"; else "11:29:52 to 11:43:18 AEST".
std::vector<std::string> localWindow(const TimeZone& zone, const std::vector<OutageDay>& days,
                                     const OutageSeason& season) {
  struct Part {
    CalendarDate first, last;
    double earliest = 0, latest = 0;  // UTC seconds of the part's days
    std::string abbreviation;
  };
  std::vector<Part> parts;
  for (const OutageDay& day : days) {
    if (day.date < season.first || day.date > season.last) continue;
    const std::string abbreviation = zone.local(day.date, day.start).abbreviation;
    if (parts.empty() || parts.back().abbreviation != abbreviation) {
      parts.push_back({day.date, day.date, day.start, day.end, abbreviation});
    }
    Part& part = parts.back();
    part.last = day.date;
    part.earliest = std::min(part.earliest, day.start);
    part.latest = std::max(part.latest, day.end);
  }
  const auto window = [&](const Part& part) {
    return zone.local(part.first, part.earliest).time + " to " + zone.local(part.first, part.latest).time + " " +
           part.abbreviation;
  };
  if (parts.size() == 1) return {window(parts.front())};
  std::vector<std::string> texts;
  for (const Part& part : parts) {
    const std::string last = calendarDateText(part.last);
    const std::string to = part.last == part.first ? ""
                           : " to " + (part.last.year == part.first.year ? last.substr(5) : last);
    texts.push_back(calendarDateText(part.first) + to + " " + window(part));
  }
  return texts;
}

// The outage's numbers and the texts every face shows.
JobSunOutage sunOutageOf(const JobSite& site, const Pointing& chosen, const OutageCriterion& criterion,
                         const std::optional<TimeZone>& zone) {
  JobSunOutage j;
  j.criterion = criterion;
  j.outage = sunOutage(site.date, static_cast<double>(site.inputs.SiteLatitude),
                       -static_cast<double>(site.inputs.SiteLongitude), static_cast<double>(chosen.angles.AzimuthTrue),
                       chosen.elevation(), criterion);
  const double half = halfBeamwidth(criterion), radius = sunRadius(site.date);
  j.angleText = criterion.angle ? degreesText(*criterion.angle) + " (given)"
                                : degreesText(half + radius) + " (half the " + doubleToText(criterion.dishCentimetres) +
                                      " cm dish's " + degreesText(2 * half) + " beam at " +
                                      doubleToText(criterion.frequencyGigahertz) + " GHz, plus the sun's radius, " +
                                      degreesText(radius) + ")";
  if (zone) j.zone = zone->name();
  for (const OutageDay& day : j.outage.days) {
    JobSunOutage::Day d{calendarDateText(day.date), clockTime(day.start), clockTime(day.end), clockTime(day.closest),
                        fixedText(day.separation, 2), {}, {}, {}};
    if (zone) {
      d.localStart = localText(*zone, day.date, day.start);
      d.localEnd = localText(*zone, day.date, day.end);
      d.localClosest = localText(*zone, day.date, day.closest);
    }
    j.days.push_back(std::move(d));
  }
  for (const OutageSeason& season : j.outage.seasons) {
    const OutageDay& longest = j.outage.days[season.longestDay];
    double earliest = longest.start, latest = longest.end;
    for (const OutageDay& day : j.outage.days) {
      if (day.date >= season.first && day.date <= season.last) {
        earliest = std::min(earliest, day.start);
        latest = std::max(latest, day.end);
      }
    }
    JobSunOutage::Season s{calendarDateText(season.first), calendarDateText(season.last),
                           duration(longest.end - longest.start) + " on " + calendarDateText(longest.date),
                           clockTime(earliest) + " to " + clockTime(latest) + " UTC", {}, {}};
    if (zone) {
      s.localParts = localWindow(*zone, j.outage.days, season);
      for (const std::string& part : s.localParts) s.localWindow += (s.localWindow.empty() ? "" : "; ") + part;
    }
    j.seasons.push_back(std::move(s));
  }
  return j;
}

std::string millimetres(double mm) { return doubleToText(static_cast<double>(std::llround(mm))) + " mm"; }

// "84 mm: 83 mm right, 12 mm down".
std::string offsetText(const MultifeedOffset& m) {
  return millimetres(m.offsetMm) + ": " + millimetres(std::fabs(m.acrossMm)) + (m.acrossMm < 0 ? " left, " : " right, ") +
         millimetres(std::fabs(m.upMm)) + (m.upMm < 0 ? " down" : " up");
}

// "480 mm (assumed: an f/D of 0.6 on the 80 cm dish)".
std::string dishText(const DishOptics& dish) {
  const std::string size = doubleToText(dish.diameterMm / 10) + " cm dish";
  return millimetres(dish.focalMm) + (dish.focalAssumed ? " (assumed: an f/D of " + doubleToText(kAssumedFocalRatio) +
                                                              " on the " + size + "; give --focal-length)"
                                                        : " (given, on the " + size + ")");
}

// What the installer should know of an extra LNB before the climb.
std::vector<std::string> multifeedNotes(const MultifeedLnb& lnb, const DishOptics& dish) {
  std::vector<std::string> notes;
  const double reach = kBracketReach * dish.diameterMm;
  if (lnb.offset.offsetMm > reach) {
    notes.push_back("its LNB would stand " + millimetres(lnb.offset.offsetMm) +
                    " from the focus, farther than a bracket on a " + doubleToText(dish.diameterMm / 10) +
                    " cm dish reaches (about " + millimetres(reach) + ")");
  }
  if (lnb.offset.offsetMm < kClosestLnbsMm) {
    notes.push_back("its LNB would stand " + millimetres(lnb.offset.offsetMm) +
                    " from the main one, closer than two LNBs with 40 mm collars can (" + millimetres(kClosestLnbsMm) +
                    "): a monoblock LNB, or a larger dish");
  }
  if (lnb.offset.lossDb >= kLargeLossDb) {
    notes.push_back("its LNB loses about " + fixedText(lnb.offset.lossDb, 1) + " dB off the dish's axis");
  }
  if (lnb.monoblock && lnb.monoblock->spacingMm &&
      std::fabs(*lnb.monoblock->spacingMm - lnb.offset.offsetMm) > kBracketPlayMm) {
    notes.push_back("the " + doubleToText(lnb.monoblock->difference) + "° monoblock's feeds stand " +
                    millimetres(*lnb.monoblock->spacingMm) + " apart, not the " + millimetres(lnb.offset.offsetMm) +
                    " this dish needs: a multifeed bracket is the better choice");
  }
  return notes;
}

// The extra LNB for extra on the dish aimed at main from site: its offset,
// its figures and its notes.
MultifeedLnb multifeedLnb(const JobSite& site, const Pointing& main, Pointing extra, const DishOptics& dish) {
  MultifeedLnb lnb;
  lnb.offset = multifeedOffset(static_cast<double>(site.inputs.SiteLatitude), static_cast<double>(site.inputs.SiteLongitude),
                               static_cast<double>(main.longitudeWest), static_cast<double>(extra.longitudeWest), dish);
  lnb.monoblock = monoblockFor(static_cast<double>(main.longitudeWest) - static_cast<double>(extra.longitudeWest));
  lnb.satellite = std::move(extra);
  lnb.figures = {{Label::Separation, lnb.offset.separation, fixedText(lnb.offset.separation, 2) + "\u00b0", {}},
                 {Label::LnbOffset, lnb.offset.offsetMm, offsetText(lnb.offset), {}},
                 *lnb.satellite.figure(Label::LnbSkew),
                 {Label::ComaLoss, lnb.offset.lossDb, fixedText(lnb.offset.lossDb, 1) + " dB (estimate)", {}}};
  if (lnb.monoblock) {
    const Monoblock& m = *lnb.monoblock;
    lnb.figures.push_back(
        {Label::Monoblock, m.difference,
         "a " + doubleToText(m.difference) + "° monoblock is sold for " + m.pair +
             (m.spacingMm ? "; its feeds stand " + millimetres(*m.spacingMm) + " apart"
                          : "; it suits this dish if its feeds stand " + millimetres(lnb.offset.offsetMm) + " apart"),
         {}});
  }
  // No instrument reads these but the skew, whose reading comes with it.
  for (Figure& figure : lnb.figures) {
    if (figure.reading.empty()) figure.reading = figure.text;
  }
  lnb.notes = multifeedNotes(lnb, dish);
  return lnb;
}

// The extra satellites of a multifeed dish, each refused with a sentence if
// it is the chosen satellite itself or below the horizon.
void addMultifeeds(Job& job, const JobRequest& request, const SatelliteCatalog& list, std::string_view listName) {
  job.dish = request.dish;
  job.dishText = dishText(request.dish);
  const Pointing& main = *job.chosen;
  for (const std::string& typed : request.multifeed) {
    Pointing extra;
    try {
      extra = pointingFor(job.site, list, readTypedSatellite(typed, list, listName));
    } catch (const std::exception& e) {
      throw Refusal(Refusal::Input::Multifeed, e.what());
    }
    const double apart = std::fabs(halfTurns(static_cast<double>(extra.longitudeWest - main.longitudeWest)));
    if (apart <= kOneSlot + 1e-9) {
      throw Refusal(Refusal::Input::Multifeed,
                           "The multifeed satellite \"" + quotedText(typed) + "\" is " + satelliteText(extra) +
                               ", the satellite the dish aims at; give another for the extra LNB.");
    }
    if (extra.elevation() < 0) {
      throw Refusal(Refusal::Input::Multifeed,
                           "The multifeed satellite \"" + quotedText(typed) + "\", " + satelliteText(extra) +
                               ", is below the horizon here (elevation " + extra.angles.elevationText +
                               " degrees): no LNB on this dish can receive it.");
    }
    MultifeedLnb lnb = multifeedLnb(job.site, main, std::move(extra), request.dish);
    for (const std::string& note : lnb.notes) {
      job.notices.push_back({Notice::Kind::MultifeedNote, satelliteText(lnb.satellite) + ": " + note + "."});
    }
    job.multifeeds.push_back(std::move(lnb));
  }
}

// What a clearance is measured over, as the lines say it.
std::string overText(const Skyline& skyline, const Obstruction& over) {
  if (over.obstacle) {
    const Obstacle& o = skyline.obstacles[*over.obstacle];
    return "the obstacle " + spanText(o) + ", " + fixedText(o.elevation, 1) + "\u00b0";
  }
  if (over.profile) return "the horizon profile, " + fixedText(over.elevation, 1) + "\u00b0";
  return "the horizon";
}

void setClearance(Pointing& p, const Skyline& skyline) {
  p.clearance = clearanceOf(skyline, static_cast<double>(p.angles.AzimuthTrue), p.elevation());
  p.clearanceText = fixedText(p.clearance->degrees, 2);
  p.clearanceOver = overText(skyline, p.clearance->over);
}

// The obstacles and the horizon profile, and every satellite's clearance
// over them.
void addSkyline(Job& job, const JobRequest& request) {
  if (request.obstacles.empty() && !request.horizon) return;
  for (const std::string& typed : request.obstacles) {
    job.skyline.obstacles.push_back(readObstacle(typed, static_cast<double>(job.site.inputs.Declination)));
  }
  job.skyline.horizon = request.horizon;
  for (Pointing& p : job.listed) setClearance(p, job.skyline);
  if (job.chosen) setClearance(*job.chosen, job.skyline);
}

// What the installer should know of the chosen satellite's clearance: that
// it is blocked, and what would clear it, or that it clears by less than
// the beam's half-power half-width.
void addClearanceNotices(Job& job, const DishOptics& dish) {
  const Pointing& chosen = *job.chosen;
  if (chosen.elevation() < 0) return;  // said already: below the horizon
  const Clearance& c = *chosen.clearance;
  constexpr double kMillimetresPerCentimetre = 10;
  const double halfWidth = halfPowerHalfWidth(dish.diameterMm / kMillimetresPerCentimetre, dish.frequencyGigahertz);
  const std::string what = satelliteText(chosen);
  const auto metres = [](double m) { return fixedText(m, 1) + " m"; };
  if (c.degrees <= 0) {
    std::string text = what + " is blocked here: its elevation, " + chosen.angles.elevationText + "°, is " +
                       fixedText(-c.degrees, 2) + "° below " + chosen.clearanceOver + ".";
    if (c.setBackMetres && c.raiseByMetres) {
      text += " The dish clears it " + metres(*c.setBackMetres) + " from it, or " + metres(*c.raiseByMetres) +
              " higher where it stands.";
    }
    job.notices.push_back({Notice::Kind::Blocked, text});
  } else if (c.degrees < halfWidth) {
    job.notices.push_back(
        {Notice::Kind::LowClearance,
         what + " clears " + chosen.clearanceOver + " by " + chosen.clearanceText + "°, less than the beam's half-power "
             "half-width of " + fixedText(halfWidth, 1) + "° (the " + doubleToText(dish.diameterMm / kMillimetresPerCentimetre) +
             " cm dish at " + doubleToText(dish.frequencyGigahertz) + " GHz): the obstruction takes part of the signal."});
  }
  if (c.setBackMetres) {
    job.clearanceFigures.push_back({Label::SetBack, *c.setBackMetres,
                                    metres(*c.setBackMetres) + " (the least distance from the obstacle that clears it)",
                                    {}});
  }
  if (c.raiseByMetres) {
    job.clearanceFigures.push_back({Label::RaiseBy, *c.raiseByMetres,
                                    metres(*c.raiseByMetres) + " (how much higher the dish would clear it where it stands)",
                                    {}});
  }
}

// The sun on the chosen satellite's true azimuth, a day at a time over a
// week from the site's date.
JobSunBearing sunBearingOf(const JobSite& site, const Pointing& chosen, const std::optional<TimeZone>& zone) {
  constexpr int kDays = 7;
  JobSunBearing bearing;
  bearing.azimuth = static_cast<double>(chosen.angles.AzimuthTrue);
  bearing.azimuthText = chosen.angles.azimuthTrueText;
  if (zone) bearing.zone = zone->name();
  const double latitude = static_cast<double>(site.inputs.SiteLatitude);
  const double longitudeEast = -static_cast<double>(site.inputs.SiteLongitude);
  for (int d = 0; d < kDays; ++d) {
    const CalendarDate date = calendarDateOf(sysDays(site.date) + std::chrono::days(d));
    const std::vector<SunOnBearing> moments = sunOnBearing(date, latitude, longitudeEast, bearing.azimuth);
    if (moments.empty()) bearing.days.push_back({calendarDateText(date), std::nullopt, {}, {}, {}});
    for (const SunOnBearing& m : moments) {
      JobSunBearing::Moment row{calendarDateText(date), m, clockTime(m.when.second), {}, degreesText(m.elevation)};
      if (zone) {
        const LocalTime local = zone->local(m.when.date, m.when.second);
        row.local = (local.date == date ? "" : calendarDateText(local.date) + " ") + local.time + " " + local.abbreviation;
      }
      if (m.when.date != date) row.utc = calendarDateText(m.when.date) + " " + row.utc;
      bearing.days.push_back(std::move(row));
    }
  }
  return bearing;
}

}  // namespace

std::optional<Notice> horizonNotice(const Pointing& p) {
  if (p.elevation() < 0) {
    return Notice{Notice::Kind::BelowHorizon, "the satellite is below the horizon here (elevation " + p.angles.elevationText +
                                                  " degrees): no dish at this site can see it."};
  }
  if (p.elevation() < kLowElevation) {
    return Notice{Notice::Kind::LowElevation,
                  "the satellite stands only " + p.angles.elevationText +
                      " degrees above the horizon, where terrain, buildings and the atmosphere usually get in the way."};
  }
  return std::nullopt;
}

namespace {

// The IANA zone named, or none without a name; refused where the system's
// zone files do not hold it.
std::optional<TimeZone> requestedZone(const std::optional<std::string>& name) {
  if (!name) return std::nullopt;
  std::optional<TimeZone> zone = TimeZone::named(*name);
  if (!zone) {
    throw Refusal(Refusal::Input::TimeZone, "The time zone \"" + quotedText(*name) +
                                                "\" is not one the system's zone files hold; give an IANA name such as "
                                                "Europe/London or America/Chicago.");
  }
  return zone;
}

// What the list left out, as a notice; none where it left nothing out.
std::optional<Notice> skippedNotice(const SatelliteCatalog& list, std::string_view listName) {
  if (list.skipped == 0) return std::nullopt;
  const bool one = list.skipped == 1;
  const std::string what =
      list.skippedAre == SatelliteCatalog::Skipped::NotGeostationary
          ? (one ? " object that is" : " objects that are") + std::string(" not near the geostationary orbit.")
          : (one ? " source that is" : " sources that are") +
                std::string(" not a satellite's position (cable, terrestrial and the like, or S360E).");
  return Notice{Notice::Kind::SkippedObjects, std::string(listName) + ": left out " + std::to_string(list.skipped) + what};
}

// The satellite to choose: typed (a longitude, or else a name in the list),
// an entry of the list, or none.
std::optional<TypedSatellite> chosenSatellite(const JobRequest& request, const SatelliteCatalog& list,
                                              std::string_view listName) {
  if (request.typedSatellite) return readTypedSatellite(request.inputs.satellite, list, listName);
  if (!request.listEntry) return std::nullopt;
  if (*request.listEntry >= list.entries.size()) {
    throw Refusal(Refusal::Input::Satellite, std::string(listName) + " holds " + std::to_string(list.entries.size()) +
                                                 " satellites; entry " + std::to_string(*request.listEntry + 1) +
                                                 " is not one of them.");
  }
  return TypedSatellite{std::nullopt, *request.listEntry};
}

// Every figure of the job's satellites: the list's where asked for, the
// chosen one's, their clearances, and the finder's transponders.
void addPointings(Job& job, const JobRequest& request, const SatelliteCatalog& list,
                  const std::optional<TypedSatellite>& typed) {
  if (request.everySatellite) {
    job.listed.reserve(list.entries.size());
    for (std::size_t i = 0; i < list.entries.size(); ++i) job.listed.push_back(listedPointing(job.site, list, i));
  }
  if (typed) job.chosen = pointingFor(job.site, list, *typed);
  addSkyline(job, request);
  if (typed && !typed->longitudeWest) {
    for (const FinderTuning& tuning : referenceTransponders(list.entries[typed->entry].transponders)) {
      job.finder.push_back({tuning, finderText(tuning)});
    }
  }
}

// What only the chosen satellite has: its notes, the horizon's, its sun
// outages, the extra LNBs beside it, its clearance, the sun on its azimuth.
void addChosenOnly(Job& job, const JobRequest& request, const SatelliteCatalog& list, std::string_view listName,
                   const std::optional<TimeZone>& zone) {
  const Pointing& chosen = *job.chosen;
  if (!chosen.notes.empty()) {
    job.notices.push_back({Notice::Kind::SatelliteNote, chosen.name + ": " + chosen.joinedNotes() + "."});
  }
  if (const std::optional<Notice> horizon = horizonNotice(chosen)) job.notices.push_back(*horizon);
  if (request.sunOutage) job.sunOutage = sunOutageOf(job.site, chosen, *request.sunOutage, zone);
  if (!request.multifeed.empty()) addMultifeeds(job, request, list, listName);
  if (!job.skyline.empty()) addClearanceNotices(job, request.dish);
  if (request.sunBearing) job.sunBearing = sunBearingOf(job.site, *job.chosen, zone);
}

}  // namespace

Job buildJob(const JobRequest& request, const SatelliteCatalog& list, std::string_view listName) {
  clearUpperVectorState();
  Job job;
  JobTexts texts = jobTexts(request.customer, request.address, request.notes);
  job.customer = std::move(texts.customer);
  job.address = std::move(texts.address);
  job.notes = std::move(texts.notes);
  job.listName = listName;
  job.orbitalList = std::any_of(list.entries.begin(), list.entries.end(),
                                [](const SatelliteEntry& entry) { return entry.orbit.has_value(); });
  const SignedInputs signs = withSigns(request.inputs, request.typedSatellite);
  const CalendarDate date = request.date ? calendarDateFrom(*request.date) : todayUtc();
  const std::optional<TimeZone> zone = requestedZone(request.timeZone);
  if (const std::optional<Notice> skipped = skippedNotice(list, listName)) job.notices.push_back(*skipped);

  // A typed satellite is checked before the site, as the window checks it;
  // a text that reads as no longitude is a name.
  const std::optional<Single> declination =
      request.automaticDeclination ? std::nullopt : std::optional(readDeclination(signs.texts.declination));
  const std::optional<TypedSatellite> typed = chosenSatellite(request, list, listName);
  job.site = declination ? typedSite(request, signs, *declination, date, job.notices)
                         : modelSite(request, signs, date, job.notices);
  addMount(job.site, request.offsetAngle, request.motor);
  addPointings(job, request, list, typed);
  if (job.chosen) addChosenOnly(job, request, list, listName, zone);
  return job;
}

}  // namespace vantorel
