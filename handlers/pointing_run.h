#pragma once
// One run of the command line: the site's boxes decoded once, then the
// look angles and the LNB skew of each satellite asked for, all taken from
// that one decoding, as the texts that are printed.
//
// Unlike the window, which rounds the satellite to whole degrees, a run
// computes for the satellite at its own longitude: 68.5 is 68.5 West, and a
// listed 61.5 is 61.5.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar_date.h"
#include "deccalc.h"
#include "first_actions.h"
#include "lnb_skew.h"
#include "mount.h"

namespace vantorel {

// A satellite this many degrees above the horizon or less is usually hidden
// by terrain, buildings or the atmosphere.
inline constexpr double kLowElevation = 5;

struct SiteReading {
  // SiteLatitude, SiteLongitude and Declination; SatelliteLongitude is set
  // for each satellite.
  OnecalcInputs inputs;
  DeccalcState latitude;
  DeccalcState longitude;
  // The site as understood, in degrees, minutes and seconds with the
  // hemisphere letter, and in decimal degrees as maps give them.
  std::string latitudeDms, latitudeDecimal;
  std::string longitudeDms, longitudeDecimal;
  // The declination as typed, or as the magnetic model gave it.
  std::string declinationText;
  bool declinationFromModel = false;
  // The dish on its mount, where asked for: the offset angle each
  // satellite's DISH FACE TILT is taken from, and the polar mount whose
  // settings are the site's and whose MOTOR ANGLE each satellite gets.
  std::optional<Single> offsetAngle;
  std::optional<PolarMountResult> polarMount;
  // A packed coordinate whose minutes or seconds are 60 or more and how it
  // was read, and the model's caution where the field is weak; one sentence
  // each.
  std::vector<std::string> warnings;
};

// Reads Text7, Text4 and Text5 in that order, with the window's refusals
// (CalcError naming the first box that fails). Text6 is not read.
SiteReading readSite(const BoxTexts& boxes);

// The same with the declination from the World Magnetic Model at the site
// on date, rounded to 0.01 degree and then read as if it had been typed.
// Text7 is not read. Throws CalcError for a site box, then
// MagneticModelError where the model does not serve (a date outside its
// life, a pole, the blackout zone).
SiteReading readSiteWithModelDeclination(const BoxTexts& boxes, CalendarDate date);

// The run's date: dateText (YYYY-MM-DD) or, without one, today in UTC.
// Throws std::invalid_argument for a text that names no day.
CalendarDate readRunDate(std::optional<std::string_view> dateText);

// The satellite longitude as typed, degrees West, East negative: the
// window's limits (180 or less, down to -32768) without its rounding.
// Throws CalcError(Field::SatelliteLongitude, ...).
Single readSatellite(std::string_view text);

struct Figure {
  std::string label;
  std::string value;
};

// Asks for the dish on its mount: offsetText, the offset angle as typed
// (0 to 45), and a polar mount. Throws CalcError(Field::OffsetAngle) for an
// offset angle refused, CalcError(Field::Latitude, Fault::AtPole) for a
// polar mount at a pole.
void addMount(SiteReading& site, std::optional<std::string_view> offsetText, bool polar);

// The polar mount's settings, once for the site: POLAR AXIS ELEVATION with
// the way the mount faces (or, facingApart, that way as MOUNT FACES of its
// own, for a table's column), MOUNT AZIMUTH MAGNETIC, DECLINATION OFFSET;
// none without a polar mount.
std::vector<Figure> mountFigures(const SiteReading& site, bool facingApart);

struct Pointing {
  OnecalcInputs inputs;
  OnecalcResult angles;
  LnbSkewResult skew;
  std::string position;          // 101.2° W
  // AZIMUTH TRUE, AZIMUTH MAGNETIC, ELEVATION, LNB SKEW, then DISH FACE TILT
  // and MOTOR ANGLE where the site asks for them.
  std::vector<Figure> figures;
  std::string horizonWarning;    // below the horizon or under kLowElevation; "" otherwise
};

// The look angles and the skew of the satellite at longitudeWest from the
// site. Throws CalcError(Field::Calculation, ...) if the arithmetic fails.
Pointing pointAt(const SiteReading& site, Single longitudeWest);

}  // namespace vantorel
