#pragma once
// One run of the command line, from what was typed to what is printed: the
// list in effect loaded, the job built from the request (job/job.h), then
// the job printed as lines or a table and, where asked for, drawn as the
// installation sheet. Free of any window; the command line only parses into
// a request and prints what comes back.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "job_builder.h"
#include "sheet_format.h"

namespace vantorel {

struct PointingRequest {
  // Every satellite of the list in effect as a table, rather than the
  // satellite typed.
  bool table = false;
  // What was typed; the run decides which satellites the job computes.
  JobRequest job;
  bool csv = false;  // the table as CSV
  // As typed: the table's lowest elevation.
  std::optional<std::string> minimumElevation;
  // The built-in list in effect, and the list file that replaces it, "-"
  // for standard input.
  BuiltInList builtInList = BuiltInList::Today;
  std::optional<std::string> satellitesFile;
  // The sun outage seasons of the satellite typed, and as typed, the dish's
  // diameter in centimetres, the frequency in GHz or the outage angle given
  // instead, and the IANA time zone for local times.
  bool sunOutage = false;
  std::optional<std::string> dishSize, frequency, outageAngle, timeZone;
  // Extra satellites on the typed satellite's dish, as typed, and the
  // dish's focal length in millimetres as typed; the dish's size and
  // frequency are those above.
  std::vector<std::string> multifeed;
  std::optional<std::string> focalLength;
  // What stands between the dish and the sky: obstacles as typed, and the
  // horizon profile's file; the table's least clearance, as typed; and the
  // sun on the satellite's azimuth over a week.
  std::vector<std::string> obstacles;
  std::optional<std::string> horizonFile, minimumClearance;
  bool sunBearing = false;
  // The installation sheet of the satellite typed, and its paper.
  std::optional<std::string> sheet;
  Paper paper = Paper::A4;
};

// Draws the installation sheet of a job to a file (sheet/sheet_writer.h);
// returns "" when written, else why not. The program hands it in, so that
// the run itself needs neither a GUI nor Qt's SVG module.
using SheetWriter = std::function<std::string(const Job&, Paper, const std::string&)>;

struct PointingOutput {
  std::string printed;                // for standard output
  std::vector<std::string> warnings;  // one sentence each, for standard error
};

// Carries out the request. Throws CalcError for a refused input,
// MagneticModelError where the model does not serve, SatelliteListError for
// a list that cannot be read, and std::exception with a sentence for a name
// that finds no single satellite, a date that names no day or a sheet that
// cannot be written (or without writeSheet, cannot be drawn). Nothing is
// returned half done.
PointingOutput runPointing(const PointingRequest& request, const SheetWriter& writeSheet);

}  // namespace vantorel
