#pragma once
// One job: what a run understood of what was typed or chosen, and every
// figure computed from it, as numbers with their display texts made once.
// The command line's lines, its table and CSV, the installation sheet and
// the planner all read this one value; none of them computes a figure or
// reads a printed one back.
//
// Conventions are the calculation's: latitude North positive, longitudes
// degrees West (East negative), declination East positive, azimuths
// clockwise from true north, the LNB skew positive clockwise as seen from
// behind the dish looking at the satellite, the motor angle East positive.
// The "map" texts of the site are North and East positive.
//
// Unlike the window, which rounds the satellite to whole degrees, a job
// computes for the satellite at its own longitude: 68.5 is 68.5 West, and a
// listed 61.5 is 61.5.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar_date.h"
#include "deccalc.h"
#include "lnb_skew.h"
#include "mount.h"
#include "finder.h"
#include "multifeed.h"
#include "skyline.h"
#include "sun_bearing.h"
#include "sun_outage.h"

namespace vantorel {

// A satellite this many degrees above the horizon or less is usually hidden
// by terrain, buildings or the atmosphere.
inline constexpr double kLowElevation = 5;

// Everything a job's faces show under a name. Each is spelled once, in
// labelText.
enum class Label {
  Latitude,
  Longitude,
  Satellite,
  Date,
  Declination,
  Position,
  Note,
  SiteLatitude,
  SiteLongitude,
  AzimuthTrue,
  AzimuthMagnetic,
  Elevation,
  LnbSkew,
  DishFaceTilt,
  PolarAxisElevation,
  MountFaces,
  MountAzimuthMagnetic,
  DeclinationOffset,
  MotorAngle,
  SunOutage,
  Start,
  End,
  Closest,
  Separation,
  Season,
  Multifeed,
  FocalLength,
  LnbOffset,
  ComaLoss,
  Monoblock,
  Bracket,
  MeridianElevation,
  Clearance,
  SetBack,
  RaiseBy,
  SunOnBearing,
  SunElevation,
  Finder,
};

// "LATITUDE", "AZIMUTH TRUE", "MOTOR ANGLE", ...
std::string_view labelText(Label label);

// A figure: its value in degrees, East and clockwise positive as above, and
// the text it is shown as ("11.23829° W" for a motor angle of -11.23829).
// MOUNT FACES has words only; its value is 0.
struct Figure {
  Label label = Label::AzimuthTrue;
  double value = 0;
  std::string text;
  // As the instrument that sets it reads: a compass or an inclinometer to a
  // tenth of a degree (194.7°), the LNB's turn to a whole degree (11°); the
  // text again where no instrument reads it.
  std::string reading;
  // Whether the text is the value's digits, which a CSV cell leaves bare; a
  // figure in words ("true south") is not.
  bool number = true;
};

// A tenth of a degree, as a compass or an inclinometer reads: "194.7°"; a
// whole turn's 360.0 reads 0.0, and so does -0.04.
std::string tenthsReading(double degrees);

// What the instrument that sets the figure reads; the LNB's turn in whole
// degrees, as the marks on an LNB holder go; the motor angle in tenths with
// its E or W.
std::string instrumentReading(const Figure& figure);

// What a job has to say beside its figures, one sentence each.
struct Notice {
  enum class Kind {
    SkippedObjects,  // objects of orbital data left out, not near geostationary
    OpeningSite,     // a latitude or longitude not given, taken as the window opens with it
    CarriedDigits,   // a packed coordinate's minutes or seconds of 60 or more, carried
    WeakField,       // the magnetic model's caution where the field is weak
    SatelliteNote,   // what orbital data say a fixed dish should know of the satellite
    BelowHorizon,
    LowElevation,    // above the horizon, under kLowElevation
    MultifeedNote,   // an extra LNB a bracket cannot hold, or that loses much
    Blocked,         // an obstacle or the horizon profile stands in front of the chosen satellite
    LowClearance,    // clear, by less than the beam's half-power half-width
  };
  Kind kind = Kind::SkippedObjects;
  std::string text;
};

enum class DeclinationSource { Typed, Model };

// Where the job's satellite came from.
enum class SatelliteSource { Typed, BuiltInList, ListFile };

// The site as understood, the day, the declination and the dish on its
// mount: what every satellite of a job shares.
struct JobSite {
  // SiteLatitude, SiteLongitude and Declination; SatelliteLongitude is each
  // satellite's.
  OnecalcInputs inputs;
  DeccalcState latitude;
  DeccalcState longitude;
  // Degrees, minutes and seconds with the hemisphere letter, and decimal
  // degrees as maps give them.
  std::string latitudeDms, latitudeDecimal;
  std::string longitudeDms, longitudeDecimal;
  CalendarDate date;
  std::string declinationText;  // as typed, or as the model gave it
  DeclinationSource declinationSource = DeclinationSource::Typed;
  std::optional<Single> offsetAngle;  // where asked for: each satellite's DISH FACE TILT
  std::optional<PolarMountResult> polarMount;
  // The polar mount's settings: POLAR AXIS ELEVATION, MOUNT FACES, MOUNT
  // AZIMUTH MAGNETIC and DECLINATION OFFSET; none without a polar mount.
  std::vector<Figure> mountFigures;
};

// "World Magnetic Model 2025 on 2026-12-07", or "typed".
std::string declinationSourceText(const JobSite& site);

// One satellite seen from the site.
struct Pointing {
  std::string name;  // "" for a satellite typed as a longitude
  Single longitudeWest = 0;
  std::string position;  // as satellite lists print it: "101.2° W"
  SatelliteSource source = SatelliteSource::Typed;
  OnecalcInputs inputs;
  OnecalcResult angles;
  LnbSkewResult skew;
  // AZIMUTH TRUE, AZIMUTH MAGNETIC, ELEVATION, LNB SKEW, then DISH FACE TILT
  // and MOTOR ANGLE where the site asks for them.
  std::vector<Figure> figures;
  // What orbital data say a fixed dish should know: "inclined 3.21°".
  std::vector<std::string> notes;
  // Inclined or drifting beyond what a fixed dish holds.
  bool wanders = false;
  // Where the job has a skyline: the clearance over it, in degrees to two
  // decimals ("5.37"), and what it is measured over ("the obstacle
  // 140-150°, 20.0°", "the horizon profile, 3.2°", "the horizon").
  std::optional<Clearance> clearance;
  std::string clearanceText, clearanceOver;

  double elevation() const { return static_cast<double>(angles.Elevation); }
  // The figure of that label; nullptr when the job has none.
  const Figure* figure(Label label) const;
  // The notes in one text: "inclined 3.21°; drifting 0.12°/day West".
  std::string joinedNotes() const;
};

// The figure of that label among figures; nullptr when there is none.
const Figure* figureIn(const std::vector<Figure>& figures, Label label);

// What the SATELLITE line says: the name, if any, and the position:
// "Galaxy 3C, 95° W", "101° W".
std::string satelliteText(const Pointing& pointing);

// The days and minutes the sun stands behind the chosen satellite, as
// numbers and as the texts every face shows.
struct JobSunOutage {
  SunOutage outage;
  OutageCriterion criterion;
  // "1.76° (half the 60 cm dish's 2.99° beam at 11.7 GHz, plus the sun's
  // 0.27°)", or "1.5° (given)"
  std::string angleText;
  std::string zone;  // the IANA name local times are in; "" for UTC alone
  struct Day {
    std::string date, start, end, closest;  // "2027-03-01", "18:55:22" UTC
    std::string separation;                 // degrees to two decimals, "0.96"
    // In the zone; the local date goes before a time on another day than
    // the UTC date. "" without a zone.
    std::string localStart, localEnd, localClosest;
  };
  std::vector<Day> days;
  struct Season {
    std::string first, last;      // dates
    std::string longest;          // "14 min 19 s on 2027-03-03"
    std::string window;           // "18:53:38 to 19:07:57 UTC", the earliest start and the latest end
    std::string localWindow;      // the same in the zone, "" without one
    // The local window in parts, one for each offset the zone's clocks take
    // during the season: "2027-03-31 to 04-03 12:29:46 to 12:43:39 AEDT";
    // one part, "11:23:37 to 11:38:07 AEST", where they take one.
    std::vector<std::string> localParts;
  };
  std::vector<Season> seasons;
};

// An extra LNB on a multifeed dish: its satellite, where it goes beside the
// main LNB (multifeed.h), and what an installer should know of it.
struct MultifeedLnb {
  Pointing satellite;
  MultifeedOffset offset;
  std::optional<Monoblock> monoblock;  // sold for this pair, where one is
  // SEPARATION, LNB OFFSET ("84 mm: 83 mm right, 12 mm down"), LNB SKEW,
  // COMA LOSS, then MONOBLOCK where one is sold for the pair.
  std::vector<Figure> figures;
  // "the LNB would stand 160 mm from the focus, farther than a bracket on
  // an 80 cm dish reaches (about 160 mm)", and the like.
  std::vector<std::string> notes;
};

// The moments the sun stands on the chosen satellite's true azimuth, a day
// at a time: a row a moment, or a row saying there is none that day.
struct JobSunBearing {
  double azimuth = 0;  // true, degrees
  std::string azimuthText;  // "145.4432"
  std::string zone;  // the IANA name local times are in; "" for UTC alone
  struct Moment {
    std::string date;            // "2026-12-07", the day searched
    std::optional<SunOnBearing> moment;  // none: the sun does not stand there in daylight that day
    std::string utc, local;      // "10:40:03"; "10:40:03 GMT", with the local date before it where it differs
    std::string elevation;       // "13.21°"
  };
  std::vector<Moment> days;
};

// A reference transponder for the finder meter, and its line.
struct FinderLine {
  FinderTuning tuning;
  std::string text;  // "10773 H 23000 DVB-S2 8PSK (IF 1023 MHz, low band, 22 kHz off)"
};

struct Job {
  JobSite site;
  // Who the job is for, where, and anything the installer wants on the
  // sheet, as typed; each may be empty.
  std::string customer, address, notes;
  std::string listName;  // "the built-in list", or the file as a message shows it
  bool orbitalList = false;  // the list came from orbital data, so its satellites may have notes
  std::optional<Pointing> chosen;  // the satellite asked for
  std::vector<Pointing> listed;    // the list's satellites where asked for, in its order
  // Where asked for, for the chosen satellite over the twelve months from
  // the site's date: none when the satellite is below the horizon.
  std::optional<JobSunOutage> sunOutage;
  // Where asked for: the dish's optics and the extra LNBs beside the chosen
  // satellite's, in the order asked for.
  std::optional<DishOptics> dish;
  std::string dishText;  // "480 mm (assumed: an f/D of 0.6 on the 80 cm dish)"
  std::vector<MultifeedLnb> multifeeds;
  // What stands between the dish and the sky, where any was given; every
  // satellite of the job then has its clearance.
  Skyline skyline;
  // For a blocking obstacle given by height and distance: SET BACK and
  // RAISE BY for the chosen satellite.
  std::vector<Figure> clearanceFigures;
  // Where asked for: the sun on the chosen satellite's azimuth over seven
  // days from the site's date.
  std::optional<JobSunBearing> sunBearing;
  // One transponder a polarization of the chosen satellite, where its list
  // gives transponders (a satellites.xml).
  std::vector<FinderLine> finder;
  // In the order they arose: the list's, the site's, then the chosen
  // satellite's.
  std::vector<Notice> notices;
};

// The polar mount's settings for the site, site.mountFigures, with MOUNT
// FACES apart or, without facesApart, said after the polar axis elevation:
// "42.01667, the mount faces true south".
std::vector<Figure> mountSettings(const JobSite& site, bool facesApart);

// The figures of the chosen satellite in the order the lines print them: the
// look angles, the skew, the dish face tilt, the polar mount's settings for
// the site (mountSettings), the motor angle, then the clearance where the
// job has a skyline.
std::vector<Figure> chosenFigures(const Job& job, bool facesApart);

// Who the job is for, where, and its notes, as a job keeps them: printable
// text, each at most kLongestJobText characters, else refused (Refusal:
// Customer, Address or Notes) with a sentence. A window that changes only
// these keeps its job and sets them.
inline constexpr std::size_t kLongestJobText = 300;
struct JobTexts {
  std::string customer, address, notes;
};
JobTexts jobTexts(std::string customer, std::string address, std::string notes);

}  // namespace vantorel
