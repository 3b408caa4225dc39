#pragma once
// One run of the command line, from what was typed to what is printed: the
// site decoded once, the satellite typed or named in the list in effect, the
// figures of one satellite or a table of the list, the warnings, and the
// installation sheet drawn from the very texts printed. Free of any window;
// the command line only parses into a request and prints what comes back.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "first_actions.h"
#include "sheet_job.h"

namespace vantorel {

struct PointingRequest {
  // Every satellite of the list in effect, rather than Text6's.
  bool table = false;
  // The inputs as typed; those not given keep the texts the boxes open with.
  // Text6 is the satellite, a longitude or a name. A latitude, longitude or
  // satellite may end in a hemisphere letter, which the run turns into the
  // box's sign.
  BoxTexts boxes = kOpeningBoxTexts;
  bool csv = false;  // the table as CSV
  // Text7 taken from the magnetic model on the run's date instead.
  bool automaticDeclination = false;
  // The run's date, YYYY-MM-DD as typed; today in UTC without one.
  std::optional<std::string> date;
  // As typed: the table's lowest elevation, the dish's offset angle.
  std::optional<std::string> minimumElevation;
  std::optional<std::string> offsetAngle;
  bool motor = false;  // a polar mount's settings and motor angles
  // The list that replaces the built-in one, "-" for standard input.
  std::optional<std::string> satellitesFile;
  // The installation sheet of one satellite, and its paper.
  std::optional<std::string> sheet;
  Paper paper = Paper::A4;
};

// Draws the installation sheet of a job to a file (sheet/sheet_writer.h);
// returns "" when written, else why not. The program hands it in, so that
// the run itself needs neither a GUI nor Qt's SVG module.
using SheetWriter = std::function<std::string(const SheetJob&, Paper, const std::string&)>;

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
