#pragma once
// A satellite list: named geostationary positions, read from a file the user
// has or taken from the built-in catalogue, so that a table of every
// satellite and a satellite typed by name work the same over either.
//
// Positions here are longitudes in degrees East positive, West negative, in
// (-180, 180]: 180 East and 180 West are both 180. This is the convention of
// the files themselves (satellites.xml, orbital data); the boxes' degrees
// West are one negation away. A position read from text ("19.2E") or from
// tenths of a degree ("192") is the double nearest the decimal written, so a
// Single made from it prints back as 19.2.
//
// The formats, each recognised from the file's content, never from its name:
//   plain list      "19.2E Astra 1KR/1L/1M/1N", or CSV "Astra 1KR,19.2E" with
//                   an optional header line; blank lines and # lines skipped
//   satellites.xml  <satellites><sat name=".." position="192">, tenths of a
//                   degree East positive, or where the name says, within
//                   half a degree
//   OMM CSV         CelesTrak's GP data, a header naming the columns
//   OMM JSON        the same, as an array of objects
//   three-line TLE  a name line, then lines 1 and 2 of the element set
// Orbital data give each object's station longitude at its elements' epoch
// (mean_elements.h); objects that are not near geostationary are skipped and
// counted.

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "calendar_date.h"
#include "finder.h"
#include "refusal.h"

namespace vantorel {

// What orbital data say about a satellite beyond its position: what a dish
// that is fixed on it will see (satellite_notes.h).
struct OrbitalState {
  double inclination = 0;  // degrees, 0 to 180
  double driftPerDay = 0;  // degrees of longitude a day, East positive
  UtcInstant epoch;        // when the elements, and so the position, hold
};

struct SatelliteEntry {
  std::string name;        // well-formed UTF-8, no control characters, not empty
  double longitudeEast = 0;  // degrees, East positive, (-180, 180]
  std::optional<OrbitalState> orbit;  // for orbital data only
  // The position the entry's name states where the list places it
  // elsewhere, degrees East positive (satellites.xml only).
  std::optional<double> namedLongitudeEast;
  // The satellite's transponders, in the file's order (satellites.xml only).
  std::vector<Transponder> transponders;
};

// The two built-in lists:
//   Today    the station-kept satellites of CelesTrak's GEO group on one
//            date, a slot to an entry (today_list.h); the default list
//   Nineties the described main window's 69 satellites of the 1990s
//            Americas arc, in its order, at their listed longitudes (61.5
//            West is -61.5, not rounded)
enum class BuiltInList { Today, Nineties };

struct SatelliteCatalog {
  std::string format;  // "plain list", "satellites.xml", "OMM CSV", "OMM JSON", "three-line TLE",
                       // "VDR sources.conf", "built-in list"
  std::vector<SatelliteEntry> entries;  // in the file's order; never empty once read
  // Entries left out: objects of orbital data not near geostationary, or
  // sources of a sources.conf that are no satellite's position.
  std::size_t skipped = 0;
  enum class Skipped { NotGeostationary, NotSatellite } skippedAre = Skipped::NotGeostationary;
  std::optional<BuiltInList> builtIn;  // which built-in list this is; nothing for a file
  // What messages call a built-in list: "the built-in list of 2026-08-22";
  // empty for a file, which messages call by its name.
  std::string builtInName;
};

// Why a list could not be read: one line, "FILE:LINE: what was found, what
// was expected" (or "FILE: ..." where no line is concerned), the found text
// quoted as quotedText shows it.
class SatelliteListError : public Refusal {
 public:
  explicit SatelliteListError(const std::string& why) : Refusal(Input::List, why) {}
};

// Reads a whole list from in, shownName standing for it in messages ("-" or
// "standard input" for standard input, a file's name otherwise). The first
// malformed line or element stops the read and throws SatelliteListError;
// so does a list with no satellite in it. Nothing is returned half read.
// Memory grows with the satellites kept, not with the file: the transponders
// of a satellites.xml and skipped objects cost nothing.
SatelliteCatalog readSatelliteList(std::istream& in, std::string_view shownName);

// The file fileName, or standard input if it is "-". Throws
// SatelliteListError also for a file that cannot be opened or read.
SatelliteCatalog loadSatelliteList(const std::string& fileName);

SatelliteCatalog builtInSatelliteList(BuiltInList which);

// The date of the built-in list of today's satellites, "YYYY-MM-DD": that of
// its newest elements.
std::string_view todayListDate();

// The list a name chooses: "today" or "1990s", in any case.
std::optional<BuiltInList> builtInListNamed(std::string_view name);

}  // namespace vantorel
