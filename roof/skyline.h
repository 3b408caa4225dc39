#pragma once
// What stands between a dish and the sky, as an installer measures it from
// the dish's place: obstacles (a tree, a chimney, the next building), each a
// span of true azimuths and the elevation of its top, given directly as a
// clinometer or a phone reads it or by the top's height above the dish and
// its distance; and a horizon profile, elevations at azimuths around the
// dish. From them, a satellite's clearance: its elevation less that of the
// highest obstruction in its direction, and for an obstacle given by height
// and distance, how far back or how much higher the dish would clear it.
//
// Azimuths are true, degrees clockwise from north, 0 to 360; elevations
// degrees above the horizon, 0 to 90. No Qt.

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "refusal.h"

namespace vantorel {

struct Obstacle {
  // The span clockwise from one azimuth to the other: 350 to 10 spans north.
  double fromAzimuth = 0, toAzimuth = 0;
  double elevation = 0;  // of its top
  // Where it was given by its top's height above the dish and its distance.
  std::optional<double> heightMetres, distanceMetres;
  std::string typed;  // as given, for messages
};

// A horizon profile: elevations at azimuths, linear between them and round
// past north.
struct HorizonProfile {
  struct Point {
    double azimuth = 0, elevation = 0;

    friend bool operator==(const Point&, const Point&) = default;
  };
  std::vector<Point> points;  // by azimuth; never empty once read
  std::string name;           // the file's, as messages name it

  friend bool operator==(const HorizonProfile&, const HorizonProfile&) = default;
};

struct Skyline {
  std::vector<Obstacle> obstacles;
  std::optional<HorizonProfile> horizon;
  bool empty() const { return obstacles.empty() && !horizon; }
};

// Whether the obstacle's span holds the azimuth, its ends included.
bool spans(const Obstacle& obstacle, double azimuth);

// The profile's elevation at the azimuth.
double profileElevation(const HorizonProfile& profile, double azimuth);

// The highest thing standing in one direction: an obstacle, the horizon
// profile, or nothing, the horizon's 0.
struct Obstruction {
  double elevation = 0;
  std::optional<std::size_t> obstacle;  // into the skyline's obstacles
  bool profile = false;
};
Obstruction obstructionAt(const Skyline& skyline, double azimuth);

// A satellite's clearance over the skyline in its direction: positive when
// clear. setBack and raiseBy, in metres, where a blocking obstacle was given
// by height and distance: the least distance from which an obstacle of that
// height clears, and how much higher the dish would have to stand where it
// is, both from the satellite's elevation.
struct Clearance {
  double degrees = 0;
  Obstruction over;
  std::optional<double> setBackMetres, raiseByMetres;
};
Clearance clearanceOf(const Skyline& skyline, double azimuth, double elevation);

// The half-power half-width of a dish's main beam, degrees: 35 λ/D, 1.5
// for a 60 cm dish at 11.7 GHz. A satellite that clears an obstruction by
// less loses part of its signal to it.
double halfPowerHalfWidth(double dishCentimetres, double frequencyGigahertz);

// An obstacle as --obstacle takes it: "AZ1-AZ2:ELEV" (the top's elevation)
// or "AZ1-AZ2:Hm@Dm" (the top H metres above the dish, D metres away); an
// azimuth ending in M is a compass reading, made true with declination (East
// positive). Throws Refusal (Obstacle) with a sentence that quotes what
// was typed: an azimuth outside 0 to 360, an elevation outside 0 to 90, a
// distance of 0 or less, or a text of another form.
Obstacle readObstacle(std::string_view typed, double declination);

// A horizon profile: a true azimuth and an elevation a line, parted by a
// comma, a semicolon, a tab or blanks; blank lines, "#" comments and a
// first line of words (a header) are passed over. Throws Refusal (Horizon)
// "NAME:LINE: ..." for a line that is not such a pair or a value out of
// range, and for a file with no pair.
HorizonProfile readHorizonProfile(std::istream& in, const std::string& name);

// "140-150°", as the lines name an obstacle's span; "350-10°" across north.
std::string spanText(const Obstacle& obstacle);

}  // namespace vantorel
