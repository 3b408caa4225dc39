#pragma once
// What the command line prints: the site and satellite as understood and
// the figures of one satellite as labelled lines, or of a list of satellites
// as a table, aligned or as CSV. Everything is computed before anything is
// returned, so a refused input leaves nothing half printed.

#include <optional>
#include <string>
#include <vector>

#include "pointing_run.h"

namespace vantorel {

// A satellite of the list a table is made of, at its own longitude.
struct ListedSatellite {
  std::string name;
  Single longitudeWest = 0;  // degrees West, East negative
};

// LATITUDE and LONGITUDE (degrees, minutes and seconds with the hemisphere
// letter, then decimal degrees as maps give them), SATELLITE (the name, if
// any, and the position), DECLINATION where the magnetic model gave it, then
// the figures, the values in one column.
std::string satelliteLines(const SiteReading& site, const Pointing& pointing, const std::string& name);

struct TableOptions {
  bool csv = false;
  // Only the satellites at least this many degrees above the horizon.
  std::optional<double> minimumElevation;
};

// One row per satellite, in the list's order, under a header: SATELLITE,
// POSITION, the figures, and DECLINATION where the model gave it. Aligned,
// the LATITUDE and LONGITUDE lines come first, then the columns two blanks
// apart, names left and numbers right. As RFC 4180 CSV (CRLF records, the
// header and texts quoted) each row starts with the site in decimal degrees
// as maps give them, so that a spreadsheet can read any row alone. Throws
// CalcError if a satellite's look angles cannot be computed.
std::string satelliteTable(const SiteReading& site, const std::vector<ListedSatellite>& satellites,
                           const TableOptions& options);

// The 69 satellites of the built-in list, in its order, at their listed
// longitudes: 61.5, not the window's rounded 62.
std::vector<ListedSatellite> builtInSatellites();

}  // namespace vantorel
