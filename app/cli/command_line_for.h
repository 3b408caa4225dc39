#pragma once
// The command line that asks for a request: what the planner's Copy Command
// Line gives, so that a job planned in the window can be run again, or kept
// in a script, with every input it had.

#include <string>
#include <vector>

#include "pointing_request.h"

namespace vantorel {

// "vantorel" and the options that parse back (parseCommandLine) to request,
// values as typed. An input left at its opening text and not given stays
// out, as does an option at its default; the declination is given unless
// the model's is asked for.
std::vector<std::string> commandLineFor(const PointingRequest& request);

// The words for a POSIX shell, each quoted only where it must be.
std::string shellLine(const std::vector<std::string>& words);

}  // namespace vantorel
