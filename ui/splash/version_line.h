#pragma once
// The splash window's version line.

#include <string>

#include "program_version.h"

namespace vantorel {

// "Version " then major, minor and revision joined by ".", each written
// without leading zeros or blanks: 1.0.0.4 reads "Version 1.0.4", and
// 2.10.0.15 reads "Version 2.10.15".
std::string versionLine(const ProgramVersion& version);

}  // namespace vantorel
