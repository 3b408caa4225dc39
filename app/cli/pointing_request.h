#pragma once
// What a command line asks for when it asks for look angles: the job's
// request and what the run does with the job, each as typed. The parser
// makes one (command_line.h); commandLineFor (command_line_for.h) writes
// the command line that makes it back.

#include <optional>
#include <string>
#include <vector>

#include "job_builder.h"
#include "satellite_list.h"
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

  friend bool operator==(const PointingRequest&, const PointingRequest&) = default;
};

}  // namespace vantorel
