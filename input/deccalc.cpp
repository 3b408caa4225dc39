#include "deccalc.h"

#include <cmath>

#include "input_ranges.h"

namespace vantorel {
namespace {

// Digits before the decimal point, leading zeros included: the typed form
// tells packed DMS from decimal degrees, which the number alone cannot.
int wholeDigits(std::string_view text) {
  int count = 0;
  for (char c : text) {
    if (c == '.') break;
    if (c >= '0' && c <= '9') ++count;
  }
  return count;
}

}  // namespace

DeccalcState deccalc(std::string_view typedText, Field field) {
  DeccalcState s;
  s.DmsText = std::string(typedText);
  try {
    s.DmsValue = textToSingle(typedText);
  } catch (const CalcError& e) {
    throw e.forField(field);
  }

  const int digits = wholeDigits(typedText);
  if (digits == 4) throw CalcError(field, Fault::AmbiguousDigits, typedText);

  if (digits <= 3) {
    s.DecimalDegrees = s.DmsValue;
  } else {
    // Split |DmsValue| as DDDMMSS.ss in double; the pieces are whole numbers
    // (the seconds keep any fraction), so the split itself is exact.
    const double a = std::fabs(static_cast<double>(s.DmsValue));
    const double degrees = std::floor(a / 10000.0);
    const double minutes = std::floor(a / 100.0) - 100.0 * degrees;
    const double seconds = a - 10000.0 * degrees - 100.0 * minutes;
    // Each part is stored as a Single before the sum, and the sum is rounded
    // once: this order decides the last digit (420100 gives 42.016666).
    s.Minutes = minutes;
    s.Seconds = seconds;
    s.MinutesPart = static_cast<Single>(minutes / 60.0);
    s.SecondsPart = static_cast<Single>(seconds / 3600.0);
    const auto magnitude = static_cast<Single>(degrees + static_cast<double>(s.MinutesPart) +
                                               static_cast<double>(s.SecondsPart));
    s.DecimalDegrees = std::signbit(s.DmsValue) ? -magnitude : magnitude;
  }

  const double limit = field == Field::Latitude ? kLatitudeLimit : kLongitudeLimit;
  if (std::fabs(static_cast<double>(s.DecimalDegrees)) > limit) {
    throw CalcError(field, Fault::OutOfRange, typedText);
  }
  return s;
}

}  // namespace vantorel
