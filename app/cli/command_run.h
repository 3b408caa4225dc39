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

#include "pointing_request.h"

namespace vantorel {

// Draws the installation sheet of a job to a file (sheet/sheet_writer.h)
// and says whether it was written. The program hands it in, so that
// the run itself needs neither a GUI nor Qt's SVG module.
using SheetWriter = std::function<SheetOutcome(const Job&, Paper, const std::string&)>;

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
