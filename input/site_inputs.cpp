#include "site_inputs.h"

#include <cmath>
#include <string>

#include "calc_error.h"
#include "input_ranges.h"

namespace vantorel {

// A declination is an angle between two directions; beyond half a turn either
// way it is a typing slip, and it would carry into the magnetic azimuth.
Single readDeclination(std::string_view text) {
  const std::string typed(text);
  Single declination = 0;
  try {
    declination = textToSingle(typed);
  } catch (const CalcError& e) {
    throw e.field() == Field::None ? e.forField(Field::Declination) : e;
  }
  if (std::fabs(static_cast<double>(declination)) > kDeclinationLimit) {
    throw CalcError(Field::Declination, Fault::OutOfRange, typed);
  }
  return declination;
}

}  // namespace vantorel
