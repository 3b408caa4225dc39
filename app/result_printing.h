#pragma once
// What the command line prints: the look angles and the LNB skew of one
// satellite as labelled lines, or of every satellite of the built-in list as
// a table, aligned or as CSV. Everything is computed before anything is
// returned, so a refused input leaves nothing half printed.

#include <string>

#include "first_actions.h"

namespace vantorel {

// The labelled lines for the satellite of Text6: DECLINATION first if
// showDeclination (a declination the program looked up rather than one the
// user typed), then AZIMUTH TRUE, AZIMUTH MAGNETIC, ELEVATION and LNB SKEW,
// the values in one column. Throws CalcError as "Calculate" would.
std::string satelliteLines(const BoxTexts& boxes, bool showDeclination);

// One row per row of the satellite list, in its order, under a header:
// SATELLITE, LONGITUDE (as the list shows it), WHOLE DEGREES (what the
// calculation uses), the three look angles, LNB SKEW and, if showDeclination,
// DECLINATION last. Aligned columns two blanks apart, names left and numbers
// right; or RFC 4180 CSV with CRLF records and the header and names quoted.
// Throws CalcError as a list click would.
std::string satelliteTable(const BoxTexts& boxes, bool csv, bool showDeclination);

}  // namespace vantorel
