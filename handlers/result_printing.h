#pragma once
// What the command line prints: the site and satellite as understood and
// the figures of one satellite as labelled lines, or of a list of satellites
// as a table, aligned or as CSV. Everything is computed before anything is
// returned, so a refused input leaves nothing half printed.

#include <optional>
#include <string>
#include <vector>

#include "pointing_run.h"
#include "satellite_list.h"

namespace vantorel {

// A satellite of the list a table is made of, at its own longitude.
struct ListedSatellite {
  std::string name;
  Single longitudeWest = 0;  // degrees West, East negative
  // What orbital data say a fixed dish should know, "; " between notes.
  std::string note;
};

// A list's satellites as the command line computes them, their notes as of
// runDate.
std::vector<ListedSatellite> listedSatellites(const SatelliteList& list, CalendarDate runDate);

// What the SATELLITE line says: the name, if any, and the position.
std::string satelliteText(const std::string& name, const Pointing& pointing);

// The figures of one satellite in the order they are printed: the look
// angles, the skew, the dish face tilt, the polar mount's site settings,
// then the motor angle.
std::vector<Figure> printedFigures(const SiteReading& site, const Pointing& pointing);

// LATITUDE and LONGITUDE (degrees, minutes and seconds with the hemisphere
// letter, then decimal degrees as maps give them), SATELLITE (the name, if
// any, and the position), DECLINATION where the magnetic model gave it, then
// the figures, the values in one column.
std::string satelliteLines(const SiteReading& site, const Pointing& pointing, const std::string& name);

struct TableOptions {
  bool csv = false;
  bool notes = false;  // a last NOTE column, for a list from orbital data
  // Only the satellites at least this many degrees above the horizon.
  std::optional<double> minimumElevation;
};

// One row per satellite, in the list's order, under a header: SATELLITE,
// POSITION, the figures, DECLINATION where the model gave it, and NOTE
// where asked for. Aligned,
// the LATITUDE and LONGITUDE lines come first, then the columns two blanks
// apart, names left and numbers right. As RFC 4180 CSV (CRLF records, the
// header and texts quoted) each row starts with the site in decimal degrees
// as maps give them, so that a spreadsheet can read any row alone. Throws
// CalcError if a satellite's look angles cannot be computed.
std::string satelliteTable(const SiteReading& site, const std::vector<ListedSatellite>& satellites,
                           const TableOptions& options);

}  // namespace vantorel
