#include "pointing_run.h"

#include <limits>
#include <stdexcept>

#include "calc_error.h"
#include "hemisphere.h"
#include "world_magnetic_model.h"

namespace vantorel {
namespace {

constexpr double kSixty = 60;

// "the latitude 429999 has 99 minutes and 99 seconds; read as 43°40'39.0" N",
// or "" when the minutes and the seconds are both under 60.
std::string carriedWarning(std::string_view name, const DeccalcState& s, const std::string& readAs) {
  std::string pieces;
  if (s.Minutes >= kSixty) pieces = doubleToText(s.Minutes) + " minutes";
  if (s.Seconds >= kSixty) pieces += (pieces.empty() ? "" : " and ") + doubleToText(s.Seconds) + " seconds";
  if (pieces.empty()) return {};
  return "the " + std::string(name) + " " + quotedText(s.DmsText) + " has " + pieces + "; read as " + readAs;
}

// The site boxes decoded; the declination is the caller's.
SiteReading decodedSite(const BoxTexts& boxes) {
  SiteReading site;
  site.latitude = deccalc(boxes.Text4, Field::Latitude);
  site.longitude = deccalc(boxes.Text5, Field::Longitude);
  site.inputs.SiteLatitude = site.latitude.DecimalDegrees;
  site.inputs.SiteLongitude = site.longitude.DecimalDegrees;
  site.latitudeDms = latitudeDms(site.inputs.SiteLatitude);
  site.latitudeDecimal = latitudeDecimal(site.inputs.SiteLatitude);
  site.longitudeDms = longitudeDms(site.inputs.SiteLongitude);
  site.longitudeDecimal = longitudeDecimal(site.inputs.SiteLongitude);
  for (const std::string& warning : {carriedWarning("latitude", site.latitude, site.latitudeDms),
                                     carriedWarning("longitude", site.longitude, site.longitudeDms)}) {
    if (!warning.empty()) site.warnings.push_back(warning);
  }
  return site;
}

}  // namespace

SiteReading readSite(const BoxTexts& boxes) {
  // The declination is read first, as the window reads it.
  const Single declination = readDeclination(boxes);
  SiteReading site = decodedSite(boxes);
  site.inputs.Declination = declination;
  site.declinationText = boxes.Text7;
  return site;
}

SiteReading readSiteWithModelDeclination(const BoxTexts& boxes, CalendarDate date) {
  SiteReading site = decodedSite(boxes);
  const DeclinationResult looked = declinationAt(date, static_cast<double>(site.inputs.SiteLatitude),
                                                 static_cast<double>(site.inputs.SiteLongitude));
  // Through the declination box's own reading, digit for digit as if typed.
  site.inputs.Declination = readDeclination({"", "", "", looked.declinationText});
  site.declinationText = looked.declinationText;
  site.declinationFromModel = true;
  if (!looked.warning.empty()) site.warnings.push_back(looked.warning);
  return site;
}

CalendarDate readRunDate(std::optional<std::string_view> dateText) {
  return dateText ? calendarDateFrom(*dateText) : todayUtc();
}

Single readSatellite(std::string_view text) {
  // The window's limits: no further east than the whole degrees its
  // rounding can hold.
  constexpr double kEast = std::numeric_limits<Integer>::min();
  double value = 0;
  Single single = 0;
  try {
    value = textToDouble(text);
    single = textToSingle(text);
  } catch (const CalcError& e) {
    throw e.forField(Field::SatelliteLongitude);
  }
  if (value > kSatelliteLongitudeLimit) throw CalcError(Field::SatelliteLongitude, Fault::OutOfRange, text);
  if (value < kEast) throw CalcError(Field::SatelliteLongitude, Fault::Overflow, text);
  return single;
}

void addMount(SiteReading& site, std::optional<std::string_view> offsetText, bool polar) {
  if (offsetText) site.offsetAngle = offsetAngleFromText(*offsetText);
  if (polar) site.polarMount = polarMount(site.inputs);
}

std::vector<Figure> mountFigures(const SiteReading& site, bool facingApart) {
  if (!site.polarMount) return {};
  const PolarMountResult& mount = *site.polarMount;
  const std::string facing =
      mount.Facing == MountFacing::EitherWay ? "either way, on the equator" : mount.FacingText;
  std::vector<Figure> figures = {{"POLAR AXIS ELEVATION", mount.PolarAxisElevationText}};
  if (facingApart) {
    figures.push_back({"MOUNT FACES", facing});
  } else {
    figures.front().value += ", the mount faces " + facing;
  }
  figures.push_back({"MOUNT AZIMUTH MAGNETIC", mount.MountAzimuthMagneticText});
  figures.push_back({"DECLINATION OFFSET", mount.DeclinationOffsetText});
  return figures;
}

Pointing pointAt(const SiteReading& site, Single longitudeWest) {
  Pointing p;
  p.inputs = site.inputs;
  p.inputs.SatelliteLongitude = longitudeWest;
  p.angles = onecalc(p.inputs);
  p.skew = lnbSkew(p.inputs);
  p.position = satellitePosition(longitudeWest);
  p.figures = {{std::string(kResultLabels[0]), p.angles.Text1},
               {std::string(kResultLabels[1]), p.angles.Text2},
               {std::string(kResultLabels[2]), p.angles.Text3},
               {"LNB SKEW", p.skew.Text}};
  if (site.offsetAngle) p.figures.push_back({"DISH FACE TILT", dishFaceTilt(p.angles.Elevation, *site.offsetAngle).Text});
  if (site.polarMount) p.figures.push_back({"MOTOR ANGLE", motorAngle(p.inputs).Text});
  const auto elevation = static_cast<double>(p.angles.Elevation);
  if (elevation < 0) {
    p.horizonWarning = "the satellite is below the horizon here (elevation " + p.angles.Text3 +
                       " degrees): no dish at this site can see it.";
  } else if (elevation < kLowElevation) {
    p.horizonWarning = "the satellite stands only " + p.angles.Text3 +
                       " degrees above the horizon, where terrain, buildings and the atmosphere usually get in "
                       "the way.";
  }
  return p;
}

}  // namespace vantorel
