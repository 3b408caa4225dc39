#pragma once
// Decoding a typed site coordinate into decimal degrees.
//
// Latitudes are degrees North (South negative), longitudes degrees West (East
// negative). The form is decided by the digits typed before any decimal
// point, leading zeros included:
//   five or more   packed [D]DDMMSS[.ss]: "420100" is 42 deg 01 min 00 sec,
//                  "0910100" is 91 deg 01 min 00 sec, "050000" is 5 deg;
//   three or fewer decimal degrees: "42", "-33.87", "5.5";
//   exactly four   refused: "4201" could be 42 deg 01 min or 4201 degrees.
// A sign applies to the whole coordinate. Minutes and seconds of 60 or more are
// accepted and simply added, as installers sometimes type them.

#include <string>
#include <string_view>

#include "calc_error.h"
#include "numeric_text.h"

namespace vantorel {

// The decoder's values. DmsValue is the typed text read as a Single, so the
// arithmetic starts from exactly the number the user sees in the box.
struct DeccalcState {
  std::string DmsText;        // the typed text the form was decided from
  Single DmsValue = 0;        // the packed coordinate as a number, e.g. 420100
  Single MinutesPart = 0;     // minutes / 60, stored as a Single
  Single SecondsPart = 0;     // seconds / 3600, stored as a Single
  Single DecimalDegrees = 0;  // the result, decimal degrees
  // The packed form's minutes and seconds as typed, before any carrying:
  // 429999 has 99 and 99. Both 0 for decimal degrees.
  double Minutes = 0;
  double Seconds = 0;
};

// Decodes typedText, which came from the box of `field` (Field::Latitude or
// Field::Longitude). Throws CalcError for that field: NotANumber,
// AmbiguousDigits, or OutOfRange for a latitude beyond 90 degrees either way
// or a longitude beyond 360.
DeccalcState deccalc(std::string_view typedText, Field field);

}  // namespace vantorel
