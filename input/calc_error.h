#pragma once
// The one exception type of the calculation side. Every failure that a typed
// text or a calculation can cause (a text that is not a number, a value out of
// range, a floating-point fault, an index outside the catalogue) is reported
// as a CalcError that names the input it concerns and carries a sentence a
// person can act on. Nothing in calc/ or catalogue/ ends the process.

#include <stdexcept>
#include <string>
#include <string_view>

#include "refusal.h"

namespace vantorel {

// The input a failure concerns. Calculation stands for the four inputs taken
// together, when the arithmetic itself fails.
enum class Field {
  None,
  Latitude,
  Longitude,
  Declination,
  SatelliteLongitude,
  SatelliteList,
  OffsetAngle,  // the dish maker's offset angle, for the dish face tilt
  Calculation,
  MinimumElevation,  // --min-elevation on the command line
  DishSize,          // the dish's diameter, for the sun outage's beamwidth
  Frequency,         // the frequency received, likewise
  OutageAngle,       // an outage angle given instead
  FocalLength,       // a multifeed dish's focal length
  MinimumClearance,  // --min-clearance on the command line
};

enum class Fault {
  NotANumber,        // the text does not read as a decimal number
  Overflow,          // the number does not fit the type it is stored in
  AmbiguousDigits,   // four digits: DDMM or decimal degrees cannot be told apart
  OutOfRange,        // a number that reads fine but lies outside the field's range
  DivisionByZero,
  InvalidOperation,
  SubscriptOutOfRange,
  SignAndHemisphere,  // a minus sign and a hemisphere letter: which one is meant?
  WrongHemisphere,    // a letter the field does not take, such as E for a latitude
  AtPole,            // a latitude of 90 either way, where a polar mount has no setting
  LetteredBeyondHalfTurn,  // a longitude with E or W beyond 180: 192E is a slip, not 168 W
};

class CalcError : public Refusal {
 public:
  // text is the input as the user typed it; it is quoted in the message.
  CalcError(Field field, Fault fault, std::string_view text);

  Field field() const noexcept { return m_field; }
  Fault fault() const noexcept { return m_fault; }
  const std::string& text() const noexcept { return m_text; }

  // The same failure attributed to another input, for conversions that do
  // not know which box their text came from.
  CalcError forField(Field field) const;

 private:
  Field m_field;
  Fault m_fault;
  std::string m_text;
};

// The name of a field as the window shows it to the user ("Latitude").
std::string_view fieldName(Field field);

// What the user typed, as a message may quote it to a window or a terminal:
// control characters escaped (\r, \n, \t, and \x1b for the others, C1
// controls and format characters such as U+202E byte by byte), each byte that is not part of well-formed UTF-8
// escaped as \xHH, and a text of more than 40 bytes so shown cut before the
// first character or escape that would pass them, never inside one, with an
// ellipsis.
std::string quotedText(std::string_view typed);

// Whether text is well-formed UTF-8 holding no control or format character:
// a text quotedText would show unchanged, however long.
bool isPrintableText(std::string_view text);

}  // namespace vantorel
