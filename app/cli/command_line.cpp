#include "command_line.h"

#include <QCommandLineParser>
#include <algorithm>
#include <exception>
#include <ostream>
#include <string>
#include <string_view>

#include "calc_error.h"
#include "input_ranges.h"
#include "program_version.h"
#include "satellite_list.h"
#include "world_magnetic_model.h"

namespace vantorel {
namespace {

constexpr int kPrinted = 0;
constexpr int kRefused = 1;
constexpr int kUsageError = 2;

// The value of --declination that asks the magnetic model, in any case.
constexpr const char* kAutomatic = "auto";


// The options QGuiApplication, QApplication and the X11 platform take for
// themselves. They are known here so that they reach the application instead
// of being refused as unknown, and --help leaves them out.
struct QtOption {
  const char* name;
  bool takesValue;
};
constexpr QtOption kQtWindowOptions[] = {
    {"platform", true},     {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},     {"qwindowtitle", true},  {"reverse", false},
    {"session", true},      {"display", true},            {"geometry", true},      {"style", true},
    {"stylesheet", true},   {"widgetcount", false},       {"qmljsdebugger", true}, {"name", true},
    {"title", true},        {"visual", true},             {"nograb", false},       {"dograb", false},
    {"sync", false}};

constexpr const char* kInputForms = R"(
Each input takes the text the main window's box takes:
  latitude, longitude  five digits or more are packed degrees, minutes and
                       seconds, DDMMSS for a latitude (420100 is 42 deg 01 min)
                       and DDDMMSS for a longitude (0910100 is 91 deg 01 min);
                       the seconds may carry a fraction (420100.5). Three
                       digits or fewer are decimal degrees (42, -33.87); four
                       digits are refused. A minus sign applies to the whole
                       value. Latitude North positive, at most 90 either way;
                       longitude degrees West, East negative, at most 360.
  declination          East positive, West negative, at most 180 either way;
                       the magnetic azimuth is the true azimuth minus the
                       declination, as a compass reads it, from 0 to 360.
                       Left out, or "auto" (any case), it is taken from the
                       World Magnetic Model 2025 at the site on --date
                       (default today, UTC), rounded to 0.01 degree; the
                       model serves dates from 2025-01-01 to 2029-12-31.
                       The DECLINATION line says where it came from.
  satellite            degrees West, East negative, 180 or less. The command
                       line computes for the satellite at the longitude typed
                       (68.5 is 68.5 W); the window rounds to whole degrees.
On the command line a latitude may also end in N or S, and a longitude or a
satellite in E or W, with an optional degree sign and blank before the letter
(33.87S, 335200S, 151.21E, 19.2°E, "0.8 W"); the letter sets the sign, so it
cannot go with a minus sign, and a lettered longitude is 180 or less (192E
is refused). A latitude or longitude left out is the window's opening one
(420100, 0910100), and a warning says so.

Every --satellite run first prints the site and satellite as understood:
LATITUDE and LONGITUDE in degrees, minutes and seconds with the hemisphere
letter, then in decimal degrees as maps give them (North and East positive),
SATELLITE with its hemisphere letter, and DECLINATION with its source. A
warning on standard error says when the satellite is below the horizon or
less than 5 degrees above it, and when a packed coordinate's minutes or
seconds were 60 or more and carried.

--satellite also takes a satellite's name in the list in effect, matched
ignoring case, accents, spaces and punctuation, band words and a position
the name states; each satellite of a name such as "Astra 1KR/1M/1N" answers
by its own ("Astra 1M"), and entries within 0.1 deg of one position are one
slot (vantorel --satellites satellites.xml --satellite "astra 1m"). Band
words and a position may be typed too, anywhere and in any order: "astra
19.2", "Astra 19,2E", "thor 0.8W", "Galaxy 19 C-band"; the position narrows
the search to the slot within 0.1 deg of it (either side without E or W).
The built-in list of today's satellites holds the station-kept satellites of
CelesTrak's GEO data of its date, co-located ones as one slot; --builtin-list
1990s takes the 69 satellites of the 1990s Americas arc instead.
--satellites FILE reads a plain list (19.2E Astra 1KR, or CSV Astra 1KR,19.2E,
or with semicolons and decimal commas, Astra 1KR;19,2E; every position with
E or W), VDR's sources.conf (S19.2E Astra 1KR), a receiver's satellites.xml
(position="192" is 19.2 E; a name that states a position within half a
degree places it there)
or CelesTrak's GP data (OMM CSV or JSON, or three-line TLE; for the GEO
group fetch https://celestrak.org/NORAD/elements/gp.php?GROUP=geo&FORMAT=csv
yourself: Vantorel never touches the network). Orbital data are placed at
their station longitude at the elements' epoch; NOTE flags an inclination over
0.5 deg, a drift over 0.05 deg a day, or elements over 30 days old on --date.
In --csv, POSITION and MOTOR ANGLE are signed decimal degrees, East positive,
and a name that begins with = + - or @ gets a leading apostrophe, so that a
spreadsheet does not take it for a formula.

DISH FACE TILT is the elevation less the dish's offset angle: how far the
rim's face leans back from vertical, as an inclinometer held against the rim
reads it; negative when the face leans forward, below the horizon. --motor
adds POLAR AXIS ELEVATION (the latitude without sign, and which way the mount
faces), MOUNT AZIMUTH MAGNETIC (that direction as a compass reads it),
DECLINATION OFFSET (the dish's tilt toward the equator from the perpendicular
to the polar axis; not the magnetic declination), MERIDIAN ELEVATION (the
dish's elevation with the motor at zero, along the site's meridian) and
MOTOR ANGLE, the turn about the polar axis from the site's meridian, E or W
of it.

--sheet FILE writes the installation sheet, one page that draws the pointing
(compass dial, elevation, LNB turn, the sky toward the arc), as PDF (A4, or US
Letter with --paper letter), SVG or PNG at 150 dpi by FILE's extension.

LNB SKEW is how far to turn the LNB in its holder from its upright position
so that it matches the satellite's polarisation, in degrees, as seen from
behind the dish looking at the satellite: positive clockwise, negative
counter-clockwise. North of the equator a satellite west of the site takes a
clockwise turn.

Exit status:
  0  the results were printed, warnings or not
  1  an input was refused, the magnetic model does not serve the date or
     the site, the output could not be written, or the windows could not
     open (no display); the reason is on standard error
  2  the command line was not understood
When whatever reads the output goes away (vantorel --all | head -3), the
program ends quietly, as any filter does.
)";

// The option, as typed, that lacks its value: one that takes a value but is
// the last word, or is followed by another option, which the parser would
// otherwise take for the value ("--latitude --satellite 101"). A negative
// number such as -8 or -.5 names no option, so it stays a value.
QString optionWithoutValue(const QStringList& arguments, const QList<QCommandLineOption>& options) {
  const auto optionNamed = [&options](const QString& word) -> const QCommandLineOption* {
    if (!word.startsWith(QLatin1Char('-'))) return nullptr;
    const QString name = word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
    const auto named = std::find_if(options.begin(), options.end(),
                                    [&name](const QCommandLineOption& o) { return o.names().contains(name); });
    return named == options.end() ? nullptr : &*named;
  };
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& word = arguments[i];
    if (word == QLatin1String("--")) break;  // the end of the options
    const QCommandLineOption* option = optionNamed(word);
    if (!option || option->valueName().isEmpty() || word.contains(QLatin1Char('='))) continue;
    if (i + 1 == arguments.size() || optionNamed(arguments[i + 1])) return word;
    ++i;
  }
  return {};
}

// Writes text to out. A full disk or a closed pipe must not pass for printed
// results, nor for a printed help or version.
int written(const std::string& text, std::ostream& out, std::ostream& err) {
  if (!(out << text << std::flush)) {
    err << "vantorel: the output could not be written\n";
    return kRefused;
  }
  return kPrinted;
}

// A message on standard error: every line of it begins "vantorel: ", so a
// refusal that lists candidates a line each still reads as the program's.
void says(std::ostream& err, std::string_view message) {
  err << "vantorel: ";
  for (const char c : message) {
    err << c;
    if (c == '\n') err << "vantorel: ";
  }
}

// What the command line adds to a refusal: where a name is found, and how
// to give a declination, in its own options.
std::string commandLineHint(const Refusal& refused) {
  if (const auto* unnamed = dynamic_cast<const NoSuchSatellite*>(&refused)) {
    constexpr std::string_view kLongitude = " A longitude such as 19.2E is also taken.";
    switch (unnamed->in()) {
      case NoSuchSatellite::In::NinetiesList:
        return " It holds the 69 satellites of the 1990s Americas arc (61.5 to 155.5 W); today's are in "
               "--builtin-list today, or load a list with --satellites FILE." + std::string(kLongitude);
      case NoSuchSatellite::In::TodayList:
        return " It holds the station-kept satellites of CelesTrak's GEO data of that date (vantorel --all lists "
               "them); the 1990s Americas are in --builtin-list 1990s, or load a list with --satellites FILE." +
               std::string(kLongitude);
      case NoSuchSatellite::In::ListFile:
        return "; vantorel --all lists the names." + std::string(kLongitude);
    }
  }
  if (refused.input() == Refusal::Input::Model) {
    return " Type the declination with --declination, East positive (-8 for 8 degrees West).";
  }
  const auto* typed = dynamic_cast<const CalcError*>(&refused);
  if (typed && typed->field() == Field::Declination && typed->fault() == Fault::NotANumber) {
    return " Or give auto for the World Magnetic Model's.";
  }
  return {};
}

// The bytes of an argument; see parseCommandLine.
std::string bytesOf(const QString& argument) { return argument.toLatin1().toStdString(); }

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

namespace {

// The options, each declared once; their names are what the checks and the
// request are made from.
struct Options {
  QCommandLineOption help{{"h", "help"}, QStringLiteral("Show this help and exit.")};
  QCommandLineOption planner{QStringLiteral("planner"),
                             QStringLiteral("Open the planner: the site, a satellite from a list, the dish, the sheet "
                                            "previewed and printed, all in one window.")};
  QCommandLineOption version{{"v", "version"}, QStringLiteral("Show the program's version and exit.")};
  QCommandLineOption latitude{QStringLiteral("latitude"), QStringLiteral("The site's latitude (default 420100)."),
                              QStringLiteral("T")};
  QCommandLineOption longitude{QStringLiteral("longitude"),
                               QStringLiteral("The site's longitude West (default 0910100)."), QStringLiteral("T")};
  QCommandLineOption declination{
      QStringLiteral("declination"),
      QStringLiteral("The magnetic declination, East positive (default: the World Magnetic Model's, as auto)."),
      QStringLiteral("T")};
  QCommandLineOption date{QStringLiteral("date"),
                          QStringLiteral("The run's day, YYYY-MM-DD (default today, UTC): the magnetic model's date and "
                                         "the day orbital elements' age is counted to."),
                          QStringLiteral("YYYY-MM-DD")};
  QCommandLineOption satellite{
      QStringLiteral("satellite"),
      QStringLiteral("Print the site as understood, the look angles and the LNB skew of the satellite at longitude T West, "
                     "or of the satellite named T in the list in effect."),
      QStringLiteral("T")};
  QCommandLineOption all{
      QStringLiteral("all"),
      QStringLiteral("Print a table of the look angles and the LNB skew of every built-in satellite, at its listed longitude.")};
  QCommandLineOption csv{QStringLiteral("csv"), QStringLiteral("Print the table of --all as CSV.")};
  QCommandLineOption minElevation{
      QStringLiteral("min-elevation"),
      QStringLiteral("With --all, list only the satellites at least DEG above the horizon (0: every visible one)."),
      QStringLiteral("DEG")};
  QCommandLineOption offsetAngle{
      QStringLiteral("offset-angle"),
      QStringLiteral("The dish maker's offset angle, 0 to 45 (0: prime focus); adds DISH FACE TILT."),
      QStringLiteral("DEG")};
  QCommandLineOption motor{
      QStringLiteral("motor"),
      QStringLiteral("Add the settings of a polar (motorised) mount and each satellite's MOTOR ANGLE.")};
  QCommandLineOption satellites{
      QStringLiteral("satellites"),
      QStringLiteral("Take the satellites of --all and of names from FILE (- for standard input): a plain list,\n"
                     "a receiver's satellites.xml, or CelesTrak's GP data (OMM CSV or JSON, TLE)."),
      QStringLiteral("FILE")};
  QCommandLineOption multifeed{
      QStringLiteral("multifeed"),
      QStringLiteral("With --satellite, an extra LNB on the same dish for the satellite T (a longitude or a name,\n"
                     "as --satellite takes): where it goes beside the main LNB and how it turns. Repeatable."),
      QStringLiteral("T")};
  QCommandLineOption focalLength{
      QStringLiteral("focal-length"),
      QStringLiteral("For --multifeed, the dish's focal length as its maker states it (of the parent paraboloid\n"
                     "for an offset dish); without it, 0.6 times --dish-size."),
      QStringLiteral("MM")};
  QCommandLineOption builtInList{
      QStringLiteral("builtin-list"),
      QStringLiteral("The built-in list for --all and names: today (default; CelesTrak's GEO data of %1) or 1990s\n"
                     "(the 69 satellites of the 1990s Americas arc). --satellites replaces either.")
          .arg(QString::fromLatin1(todayListDate().data(), static_cast<qsizetype>(todayListDate().size()))),
      QStringLiteral("NAME")};
  QCommandLineOption sheet{
      QStringLiteral("sheet"),
      QStringLiteral("With --satellite, also write the installation sheet, one page drawing the pointing,\n"
                     "to FILE.pdf, FILE.svg or FILE.png."),
      QStringLiteral("FILE")};
  QCommandLineOption paper{QStringLiteral("paper"), QStringLiteral("The sheet's paper: a4 (default) or letter."),
                           QStringLiteral("NAME")};
  QCommandLineOption customer{QStringLiteral("customer"), QStringLiteral("For --sheet, who the job is for."),
                              QStringLiteral("TEXT")};
  QCommandLineOption address{QStringLiteral("address"), QStringLiteral("For --sheet, the site's address."),
                             QStringLiteral("TEXT")};
  QCommandLineOption notes{QStringLiteral("notes"), QStringLiteral("For --sheet, notes on the job."),
                           QStringLiteral("TEXT")};
  QCommandLineOption sunOutage{
      QStringLiteral("sun-outage"),
      QStringLiteral("With --satellite, also print the days and minutes of the twelve months from --date when the sun "
                     "stands behind the satellite.")};
  QCommandLineOption dishSize{QStringLiteral("dish-size"),
                              QStringLiteral("The dish's diameter for --sun-outage, %1 (default %2).")
                                  .arg(text(rangeText(kDishCentimetres)), text(limitText(outage::kDefaultDishCentimetres))),
                              QStringLiteral("CM")};
  QCommandLineOption frequency{
      QStringLiteral("frequency"),
      QStringLiteral("The frequency received for --sun-outage, %1 (default %2; C band is about 4).")
          .arg(text(rangeText(kFrequencyGigahertz)), text(limitText(outage::kDefaultFrequencyGigahertz))),
      QStringLiteral("GHz")};
  QCommandLineOption outageAngle{
      QStringLiteral("outage-angle"),
      QStringLiteral("For --sun-outage, the angle from the line of sight within which the sun's centre disturbs "
                     "the signal, instead of half the dish's beamwidth plus the sun's radius."),
      QStringLiteral("DEG")};
  QCommandLineOption obstacle{
      QStringLiteral("obstacle"),
      QStringLiteral("What stands in the sky from the dish: a span of true azimuths AZ1-AZ2, clockwise (350-10 "
                     "spans north), and its top's elevation, AZ1-AZ2:ELEV, or its height above the dish and its "
                     "distance, AZ1-AZ2:Hm@Dm; an azimuth ending in M is a compass reading. Adds CLEARANCE. "
                     "Repeatable."),
      QStringLiteral("SPAN:TOP")};
  QCommandLineOption horizon{
      QStringLiteral("horizon"),
      QStringLiteral("A horizon profile: a true azimuth and an elevation a line, linear between them. Adds CLEARANCE."),
      QStringLiteral("FILE")};
  QCommandLineOption minClearance{
      QStringLiteral("min-clearance"),
      QStringLiteral("With --all, list only the satellites that clear the obstacles by at least DEG."),
      QStringLiteral("DEG")};
  QCommandLineOption sunBearing{
      QStringLiteral("sun-bearing"),
      QStringLiteral("With --satellite, also print when the sun stands on the dish's true azimuth, a day at a time "
                     "for --date and the six days after: a compass that steel on a roof cannot pull.")};
  QCommandLineOption timeZone{
      QStringLiteral("timezone"),
      QStringLiteral("For --sun-outage and --sun-bearing, also give the times in this IANA time zone, such as "
                     "Europe/London."),
      QStringLiteral("ZONE")};

  // Every option the parser knows: the program's, then Qt's window options,
  // hidden from --help.
  QList<QCommandLineOption> list() const {
    QList<QCommandLineOption> options = {help,        planner,   version,   latitude,   longitude,    declination, date,
                                         satellite,   all,       csv,        minElevation, offsetAngle, motor,
                                         satellites,  builtInList, sheet,   paper,      sunOutage,    dishSize,    frequency,
                                         outageAngle, timeZone,  customer,   address,      notes,
                                         multifeed,   focalLength, obstacle,     horizon,      minClearance, sunBearing};
    for (const QtOption& qt : kQtWindowOptions) {
      QCommandLineOption option(QString::fromLatin1(qt.name), {}, qt.takesValue ? QStringLiteral("value") : QString());
      option.setFlags(QCommandLineOption::HiddenFromHelp);
      options << option;
    }
    return options;
  }
};

bool automaticDeclination(const QCommandLineParser& parser, const Options& o) {
  return parser.isSet(o.declination) &&
         parser.value(o.declination).compare(QLatin1String(kAutomatic), Qt::CaseInsensitive) == 0;
}

// What is wrong with a combination of options the parser took, or "".
std::string combinationProblem(const QCommandLineParser& parser, const Options& o) {
  if (parser.isSet(o.satellite) && parser.isSet(o.all)) return "Give --satellite or --all, not both.";
  if (parser.isSet(o.csv) && !parser.isSet(o.all) && !parser.isSet(o.sunOutage) && !parser.isSet(o.multifeed)) {
    return "--csv needs --all, --sun-outage or --multifeed.";
  }
  if (parser.isSet(o.multifeed) && !parser.isSet(o.satellite)) return "--multifeed needs --satellite.";
  if (parser.isSet(o.focalLength) && !parser.isSet(o.multifeed)) return "--focal-length needs --multifeed.";
  if (parser.isSet(o.multifeed) && parser.isSet(o.sunOutage) && parser.isSet(o.csv)) {
    return "--csv prints the sun outage or the multifeed LNBs; give one of them.";
  }
  if (parser.isSet(o.sunOutage) && !parser.isSet(o.satellite)) return "--sun-outage needs --satellite.";
  if (parser.isSet(o.sunBearing) && !parser.isSet(o.satellite)) return "--sun-bearing needs --satellite.";
  if (parser.isSet(o.sunBearing) && parser.isSet(o.csv)) return "--sun-bearing prints lines; leave out --csv.";
  const bool skyline = parser.isSet(o.obstacle) || parser.isSet(o.horizon);
  if (parser.isSet(o.minClearance) && !parser.isSet(o.all)) return "--min-clearance needs --all.";
  for (const QCommandLineOption* option : {&o.dishSize, &o.frequency, &o.outageAngle, &o.timeZone}) {
    const bool dish = option == &o.dishSize || option == &o.frequency;
    const bool zone = option == &o.timeZone;
    if (parser.isSet(*option) && !parser.isSet(o.sunOutage) && !parser.isSet(o.sheet) &&
        !(dish && (parser.isSet(o.multifeed) || skyline)) && !(zone && parser.isSet(o.sunBearing))) {
      return "--" + bytesOf(option->names().constFirst()) +
             (dish   ? " needs --sun-outage, --sheet, --multifeed, --obstacle or --horizon."
              : zone ? " needs --sun-outage, --sun-bearing or --sheet."
                     : " needs --sun-outage or --sheet.");
    }
  }
  if (parser.isSet(o.outageAngle) && (parser.isSet(o.dishSize) || parser.isSet(o.frequency))) {
    return "--outage-angle replaces --dish-size and --frequency; give one or the others.";
  }
  if (parser.isSet(o.sunOutage) && parser.isSet(o.csv) && parser.isSet(o.sheet)) {
    return "--csv prints the sun outage alone; write the sheet in a run of its own.";
  }
  if (parser.isSet(o.minElevation) && !parser.isSet(o.all)) return "--min-elevation needs --all.";
  if (parser.isSet(o.sheet)) {
    if (parser.isSet(o.all)) return "--sheet goes with --satellite, not with --all.";
    if (!parser.isSet(o.satellite)) return "--sheet needs --satellite.";
    if (!sheetFormatFor(bytesOf(parser.value(o.sheet)))) {
      return "--sheet takes a file name ending in .pdf, .svg or .png, not '" +
             quotedText(bytesOf(parser.value(o.sheet))) + "'.";
    }
  }
  for (const QCommandLineOption* option : {&o.customer, &o.address, &o.notes}) {
    if (parser.isSet(*option) && !parser.isSet(o.sheet)) {
      return "--" + bytesOf(option->names().constFirst()) + " needs --sheet.";
    }
  }
  if (parser.isSet(o.builtInList) && !builtInListNamed(bytesOf(parser.value(o.builtInList)))) {
    return "--builtin-list takes today or 1990s, not '" + quotedText(bytesOf(parser.value(o.builtInList))) + "'.";
  }
  if (parser.isSet(o.paper)) {
    if (!parser.isSet(o.sheet)) return "--paper needs --sheet.";
    if (!paperNamed(bytesOf(parser.value(o.paper)))) {
      return "--paper takes a4 or letter, not '" + quotedText(bytesOf(parser.value(o.paper))) + "'.";
    }
  }
  if (!parser.isSet(o.satellite) && !parser.isSet(o.all)) {
    for (const QCommandLineOption* input : {&o.latitude, &o.longitude, &o.declination, &o.date, &o.offsetAngle,
                                            &o.motor, &o.satellites, &o.builtInList, &o.obstacle, &o.horizon}) {
      if (parser.isSet(*input)) return "--" + bytesOf(input->names().constFirst()) + " needs --satellite or --all.";
    }
  }
  return {};
}

// The run's request from options that go together.
PointingRequest pointingRequest(const QCommandLineParser& parser, const Options& o) {
  PointingRequest request;
  request.table = parser.isSet(o.all);
  request.csv = parser.isSet(o.csv);
  JobRequest& job = request.job;
  const std::pair<const QCommandLineOption*, std::string*> inputs[] = {{&o.latitude, &job.inputs.latitude},
                                                                       {&o.longitude, &job.inputs.longitude},
                                                                       {&o.satellite, &job.inputs.satellite},
                                                                       {&o.declination, &job.inputs.declination}};
  for (const auto& [option, text] : inputs) {
    if (parser.isSet(*option)) *text = bytesOf(parser.value(*option));
  }
  // No declination goes unstated: without one, the model's is taken.
  job.automaticDeclination = automaticDeclination(parser, o) || !parser.isSet(o.declination);
  job.latitudeGiven = parser.isSet(o.latitude);
  job.longitudeGiven = parser.isSet(o.longitude);
  const auto text = [&parser](const QCommandLineOption& option) -> std::optional<std::string> {
    return parser.isSet(option) ? std::optional(bytesOf(parser.value(option))) : std::nullopt;
  };
  job.date = text(o.date);
  job.offsetAngle = text(o.offsetAngle);
  job.motor = parser.isSet(o.motor);
  request.minimumElevation = text(o.minElevation);
  request.satellitesFile = text(o.satellites);
  for (const QString& extra : parser.values(o.multifeed)) request.multifeed.push_back(bytesOf(extra));
  request.focalLength = text(o.focalLength);
  if (parser.isSet(o.builtInList)) request.builtInList = *builtInListNamed(bytesOf(parser.value(o.builtInList)));
  request.sheet = text(o.sheet);
  request.sunOutage = parser.isSet(o.sunOutage);
  request.dishSize = text(o.dishSize);
  request.frequency = text(o.frequency);
  request.outageAngle = text(o.outageAngle);
  request.timeZone = text(o.timeZone);
  for (const QString& typed : parser.values(o.obstacle)) request.obstacles.push_back(bytesOf(typed));
  request.horizonFile = text(o.horizon);
  request.minimumClearance = text(o.minClearance);
  request.sunBearing = parser.isSet(o.sunBearing);
  job.customer = text(o.customer).value_or("");
  job.address = text(o.address).value_or("");
  job.notes = text(o.notes).value_or("");
  if (parser.isSet(o.paper)) request.paper = *paperNamed(bytesOf(parser.value(o.paper)));
  return request;
}

// The options, then the input forms.
std::string helpText(const QCommandLineParser& parser) {
  // The parser's own usage line names the program only once an application
  // object exists, which would be too early here.
  const QString described = parser.helpText().section(QLatin1Char('\n'), 1);
  return "Usage: vantorel [options]\n" + described.toStdString() + kInputForms;
}

// Whether --planner came with one of the program's own options: those are
// the planner's fields. Qt's window options go with it.
bool plannerWithOthers(const QCommandLineParser& parser, const Options& o) {
  const QList<QCommandLineOption> options = o.list();
  return std::any_of(options.begin(), options.end(), [&](const QCommandLineOption& option) {
    return !(option.flags() & QCommandLineOption::HiddenFromHelp) && option.names() != o.planner.names() &&
           parser.isSet(option);
  });
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // Qt's window options are single-dash words such as -platform.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(
      QStringLiteral("Tells where to point a satellite dish at a geostationary satellite: the azimuth\n"
                     "from true north, the magnetic azimuth and the elevation. Without options it\n"
                     "opens its windows; with --satellite or --all it prints the look angles and the\n"
                     "LNB skew instead and needs no display."));
  const Options o;
  const QList<QCommandLineOption> options = o.list();
  parser.addOptions(options);

  CommandLine command;
  const auto refuse = [&command](const std::string& why) {
    command.mode = CommandLine::Mode::UsageError;
    command.message = why;
    return command;
  };
  if (const QString option = optionWithoutValue(arguments, options); !option.isEmpty()) {
    return refuse(bytesOf(option) + " needs a value.");
  }
  if (!parser.parse(arguments)) {
    // Qt's message would show an unknown option's bytes as they stand.
    const QStringList unknown = parser.unknownOptionNames();
    return refuse(unknown.isEmpty() ? bytesOf(parser.errorText())
                                    : "Unknown option '" + quotedText(bytesOf(unknown.constFirst())) + "'.");
  }
  if (parser.isSet(o.help)) {
    command.mode = CommandLine::Mode::Help;
    command.message = helpText(parser);
    return command;
  }
  if (parser.isSet(o.version)) {
    command.mode = CommandLine::Mode::Version;
    return command;
  }
  if (!parser.positionalArguments().isEmpty()) {
    return refuse("Unexpected argument '" + quotedText(bytesOf(parser.positionalArguments().constFirst())) + "'.");
  }
  if (parser.isSet(o.planner)) {
    if (plannerWithOthers(parser, o)) {
      return refuse("--planner takes none of the other options; the planner has a field for each.");
    }
    command.mode = CommandLine::Mode::Planner;
    return command;
  }
  if (const std::string problem = combinationProblem(parser, o); !problem.empty()) return refuse(problem);
  if (!parser.isSet(o.satellite) && !parser.isSet(o.all)) return command;
  command.mode = CommandLine::Mode::Pointing;
  command.request = pointingRequest(parser, o);
  return command;
}

int runCommandLine(const CommandLine& command, std::ostream& out, std::ostream& err, const SheetWriter& writeSheet) {
  switch (command.mode) {
    case CommandLine::Mode::Help:
      return written(command.message, out, err);
    case CommandLine::Mode::Version:
      return written(std::string(kProgramName) + ' ' + kShownVersion + '\n', out, err);
    case CommandLine::Mode::Windows:  // main opens the windows; there is nothing to print
    case CommandLine::Mode::Planner:
      return kUsageError;
    case CommandLine::Mode::UsageError:
      err << "vantorel: " << command.message << "\nTry 'vantorel --help' for more information.\n";
      return kUsageError;
    case CommandLine::Mode::Pointing:
      break;
  }
  PointingOutput output;
  try {
    output = runPointing(command.request, writeSheet);
  } catch (const Refusal& refused) {
    says(err, refused.what());
    err << commandLineHint(refused) << '\n';
    return kRefused;
  } catch (const std::exception& failed) {
    // Not a refusal of anything given: the system failed the run (memory).
    says(err, failed.what());
    err << '\n';
    return kRefused;
  }
  for (const std::string& warning : output.warnings) err << "vantorel: " << warning << '\n';
  return written(output.printed, out, err);
}

}  // namespace vantorel
