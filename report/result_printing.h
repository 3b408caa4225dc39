#pragma once
// What the command line prints of a job: the site and satellite as
// understood and the figures of one satellite as labelled lines, or the
// list's satellites as a table, aligned or as CSV. Only formatting: every
// value and text comes from the job.

#include <optional>
#include <string>

#include "job.h"

namespace vantorel {

// LATITUDE and LONGITUDE (degrees, minutes and seconds with the hemisphere
// letter, then decimal degrees as maps give them), SATELLITE, DECLINATION
// where the magnetic model gave it, then the chosen satellite's figures, the
// values in one column.
std::string satelliteLines(const Job& job);

struct TableOptions {
  bool csv = false;
  // Only the satellites at least this many degrees above the horizon.
  std::optional<double> minimumElevation;
  // Only those that clear the job's skyline by this many degrees or more.
  std::optional<double> minimumClearance;
};

// One row per listed satellite, in the list's order, under a header:
// SATELLITE, POSITION, the figures, CLEARANCE where the job has a skyline,
// DECLINATION where the model gave it, and NOTE for a list from orbital
// data. Aligned, the LATITUDE and LONGITUDE
// lines (and the mount's settings) come first, then the columns two blanks
// apart, names left and numbers right. As RFC 4180 CSV (CRLF records, the
// header and texts quoted) each row starts with the site in decimal degrees
// as maps give them, so that a spreadsheet can read any row alone.
std::string satelliteTable(const Job& job, const TableOptions& options);

// SUN ON BEARING: the chosen satellite's true azimuth and how to use the
// moments, then a row a moment (or a day without one): the date, the time
// in UTC, in the zone where there is one, and the sun's elevation.
std::string sunBearingLines(const Job& job);

// The multifeed dish: FOCAL LENGTH, then a block for each extra LNB:
// MULTIFEED (its satellite), SEPARATION, LNB OFFSET, LNB SKEW, COMA LOSS,
// MONOBLOCK where one is sold for the pair, and a NOTE for each note.
std::string multifeedLines(const Job& job);

// The main LNB and each extra LNB as CSV records under a header, every
// figure a number: the offsets in millimetres, right and up positive as
// seen from behind the dish.
std::string multifeedCsv(const Job& job);

// The chosen satellite's sun outage: SUN OUTAGE with the angle taken and the
// times' zone, one line a day (its date, START, END and CLOSEST in UTC and,
// with a zone, local time, and the SEPARATION at the closest), then one
// SEASON line for each season with its first and last day and its longest
// outage. Below the horizon, or with no day in the twelve months, it says
// so.
std::string sunOutageLines(const Job& job);

// The same days as CSV records, under a header, the separation a number.
std::string sunOutageCsv(const Job& job);

}  // namespace vantorel
