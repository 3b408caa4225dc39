#include "skyline.h"

#include <algorithm>
#include <cmath>

#include "angles.h"
#include "calc_error.h"
#include "numeric_text.h"
#include "refusal.h"

namespace vantorel {
namespace {

constexpr double kTurn = 360;
constexpr double kRightAngle = 90;

double degreesToRadians(double degrees) { return degrees * kRadiansPerDegree; }
double radiansToDegrees(double radians) { return radians / kRadiansPerDegree; }

// An angle made 0 to under 360.
double turned(double degrees) {
  const double a = std::fmod(degrees, kTurn);
  return a < 0 ? a + kTurn : a;
}

// The clockwise angle from one azimuth to another, 0 to under 360.
double clockwise(double from, double to) { return turned(to - from); }

// A number within [low, high], or nothing.
std::optional<double> numberWithin(std::string_view text, double low, double high) {
  text = trimmed(text);
  if (!readsAsNumber(text)) return std::nullopt;
  const double value = textToDouble(text);
  if (!(value >= low && value <= high)) return std::nullopt;
  return value;
}

[[noreturn]] void refuse(std::string_view typed, const std::string& why) {
  throw Refusal(Refusal::Input::Obstacle, "The obstacle \"" + quotedText(typed) + "\" " + why + ";",
                "give AZ1-AZ2:ELEV, such as 140-150:20, or AZ1-AZ2:Hm@Dm, such as 140-150:6m@15m.");
}

// An azimuth of a span, true: a compass reading (M) made true.
double spanAzimuth(std::string_view typed, std::string_view text, double declination) {
  text = trimmed(text);
  const bool magnetic = !text.empty() && (text.back() == 'M' || text.back() == 'm');
  if (magnetic) text.remove_suffix(1);
  const std::optional<double> azimuth = numberWithin(text, 0, kTurn);
  if (!azimuth) refuse(typed, "has the azimuth \"" + quotedText(trimmed(text)) + "\", not a number from 0 to 360");
  return magnetic ? turned(*azimuth + declination) : *azimuth;
}

// "6m" as metres, or nothing.
std::optional<double> metres(std::string_view text) {
  text = trimmed(text);
  if (text.empty() || (text.back() != 'm' && text.back() != 'M')) return std::nullopt;
  text.remove_suffix(1);
  text = trimmed(text);
  if (!readsAsNumber(text)) return std::nullopt;
  return textToDouble(text);
}

}  // namespace

bool spans(const Obstacle& obstacle, double azimuth) {
  return clockwise(obstacle.fromAzimuth, azimuth) <= clockwise(obstacle.fromAzimuth, obstacle.toAzimuth);
}

double profileElevation(const HorizonProfile& profile, double azimuth) {
  const std::vector<HorizonProfile::Point>& p = profile.points;
  if (p.size() == 1) return p.front().elevation;
  azimuth = turned(azimuth);
  // The points on either side, the last and the first across north.
  const auto after = std::find_if(p.begin(), p.end(), [&](const HorizonProfile::Point& q) { return q.azimuth >= azimuth; });
  const HorizonProfile::Point& next = after == p.end() ? p.front() : *after;
  const HorizonProfile::Point& previous = after == p.begin() || after == p.end() ? p.back() : *(after - 1);
  if (next.azimuth == azimuth) return next.elevation;
  const double gap = clockwise(previous.azimuth, next.azimuth);
  if (gap == 0) return previous.elevation;
  const double t = clockwise(previous.azimuth, azimuth) / gap;
  return previous.elevation + t * (next.elevation - previous.elevation);
}

Obstruction obstructionAt(const Skyline& skyline, double azimuth) {
  Obstruction highest;
  if (skyline.horizon) {
    const double e = profileElevation(*skyline.horizon, azimuth);
    if (e > highest.elevation) highest = {e, std::nullopt, true};
  }
  for (std::size_t i = 0; i < skyline.obstacles.size(); ++i) {
    const Obstacle& o = skyline.obstacles[i];
    if (spans(o, azimuth) && o.elevation > highest.elevation) highest = {o.elevation, i, false};
  }
  return highest;
}

Clearance clearanceOf(const Skyline& skyline, double azimuth, double elevation) {
  Clearance c;
  c.over = obstructionAt(skyline, azimuth);
  c.degrees = elevation - c.over.elevation;
  if (c.degrees > 0 || !c.over.obstacle || elevation <= 0) return c;
  const Obstacle& o = skyline.obstacles[*c.over.obstacle];
  if (!o.heightMetres || !o.distanceMetres) return c;
  // The top clears where height / distance falls below tan(elevation).
  const double slope = std::tan(degreesToRadians(elevation));
  c.setBackMetres = *o.heightMetres / slope;
  c.raiseByMetres = *o.heightMetres - *o.distanceMetres * slope;
  return c;
}

double halfPowerHalfWidth(double dishCentimetres, double frequencyGigahertz) {
  constexpr double kLightMetresPerNanosecond = 0.299792458;
  constexpr double kBeamFactor = 35;  // degrees: half of the usual 70 λ/D
  constexpr double kCentimetresPerMetre = 100;
  return kBeamFactor * (kLightMetresPerNanosecond / frequencyGigahertz) / (dishCentimetres / kCentimetresPerMetre);
}

Obstacle readObstacle(std::string_view typed, double declination) {
  const std::size_t colon = typed.find(':');
  if (colon == std::string_view::npos) refuse(typed, "has no \":\" between its span and its height");
  const std::string_view span = typed.substr(0, colon), top = trimmed(typed.substr(colon + 1));
  // The dash between the azimuths: the first after a digit, so that no
  // azimuth is read as negative.
  std::size_t dash = std::string_view::npos;
  for (std::size_t i = 1; i < span.size(); ++i) {
    if (span[i] == '-') {
      dash = i;
      break;
    }
  }
  if (dash == std::string_view::npos) refuse(typed, "has no span of azimuths AZ1-AZ2");
  Obstacle o;
  o.typed = std::string(typed);
  o.fromAzimuth = turned(spanAzimuth(typed, span.substr(0, dash), declination));
  o.toAzimuth = turned(spanAzimuth(typed, span.substr(dash + 1), declination));
  const std::size_t at = top.find('@');
  if (at == std::string_view::npos) {
    const std::optional<double> elevation = numberWithin(top, 0, kRightAngle);
    if (!elevation) refuse(typed, "has the elevation \"" + quotedText(top) + "\", not a number from 0 to 90");
    o.elevation = *elevation;
    return o;
  }
  const std::optional<double> height = metres(top.substr(0, at)), distance = metres(top.substr(at + 1));
  if (!height || !distance) refuse(typed, "has \"" + quotedText(top) + "\", not a height and a distance in metres");
  if (!(*distance > 0)) refuse(typed, "has a distance of " + doubleToText(*distance) + " m, not more than 0");
  if (!(*height >= 0)) refuse(typed, "has a height of " + doubleToText(*height) + " m, below the dish");
  o.heightMetres = height;
  o.distanceMetres = distance;
  o.elevation = radiansToDegrees(std::atan2(*height, *distance));
  return o;
}

HorizonProfile readHorizonProfile(std::istream& in, const std::string& name) {
  HorizonProfile profile;
  profile.name = name;
  std::string line;
  std::size_t number = 0;
  bool firstLine = true;  // no line but blanks and comments yet
  const auto fail = [&](const std::string& why) {
    throw Refusal(Refusal::Input::Horizon, name + ":" + std::to_string(number) + ": " + why);
  };
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (const std::size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::string_view rest = trimmed(line);
    if (rest.empty()) continue;
    // Two fields, parted by one comma, semicolon or tab, or by blanks.
    std::size_t split = rest.find_first_of(",;\t");
    if (split == std::string_view::npos) split = rest.find(' ');
    const std::string_view azimuthText = split == std::string_view::npos ? rest : trimmed(rest.substr(0, split));
    const std::string_view second = split == std::string_view::npos ? std::string_view() : trimmed(rest.substr(split + 1));
    const bool header = firstLine && !readsAsNumber(azimuthText);
    firstLine = false;
    if (!readsAsNumber(azimuthText) || !readsAsNumber(second)) {
      // A first line of words names the columns.
      if (header) continue;
      fail("found \"" + quotedText(rest) + "\", expected an azimuth and an elevation, such as 140, 12.5");
    }
    const double azimuth = textToDouble(azimuthText), elevation = textToDouble(second);
    if (!(azimuth >= 0 && azimuth <= kTurn)) fail("the azimuth " + std::string(azimuthText) + " is not from 0 to 360");
    if (!(elevation >= 0 && elevation <= kRightAngle)) {
      fail("the elevation " + std::string(second) + " is not from 0 to 90");
    }
    profile.points.push_back({turned(azimuth), elevation});
  }
  if (profile.points.empty()) {
    throw Refusal(Refusal::Input::Horizon, name + ": holds no azimuth and elevation, expected a pair a line, such as 140, 12.5");
  }
  std::stable_sort(profile.points.begin(), profile.points.end(),
                   [](const HorizonProfile::Point& a, const HorizonProfile::Point& b) { return a.azimuth < b.azimuth; });
  return profile;
}

std::string spanText(const Obstacle& obstacle) {
  return doubleToText(std::round(obstacle.fromAzimuth * 10) / 10) + "-" +
         doubleToText(std::round(obstacle.toAzimuth * 10) / 10) + "\u00b0";
}

}  // namespace vantorel
