#include "version_line.h"

namespace vantorel {

std::string versionLine(const ProgramVersion& version) {
  return "Version " + integerToText(version.major) + "." + integerToText(version.minor) + "." +
         integerToText(version.revision);
}

}  // namespace vantorel
