#include "angles.h"

#include <cmath>

#include "numeric_text.h"

namespace vantorel {

double halfTurns(double degrees) {
  double a = std::fmod(degrees, 360.0);
  if (a > 180) a -= 360;
  if (a <= -180) a += 360;
  return a;
}

std::string letteredDegrees(double east) {
  const double size = std::fabs(east);
  std::string text = singleToText(static_cast<Single>(size)) + "\u00b0";
  if (size != 0 && size != 180) text += east > 0 ? " E" : " W";
  return text;
}

}  // namespace vantorel
