#include "calc_error.h"

#include <algorithm>

#include "input_ranges.h"
#include "typing_hint.h"

namespace vantorel {
namespace {

// What each box accepts, in the words of the window's own labels.
std::string acceptedForm(Field field) {
  switch (field) {
    case Field::Latitude:
      return "Enter DDMMSS digits such as 420100, or decimal degrees such as 42.0167, "
             "from -90 (South) to 90 (North).";
    case Field::Longitude:
      return "Enter DDDMMSS digits such as 0910100, or decimal degrees such as 91.0167, "
             "in degrees West (East as negative numbers), at most 360.";
    case Field::Declination:
      return "Enter the declination in degrees, from -180 to 180: negative if West, such as -8, "
             "positive if East.";
    case Field::SatelliteLongitude:
      // The far East end is the 16-bit Integer the longitude is rounded to.
      return "Enter the satellite longitude in degrees West, 180 or less "
             "(East as negative numbers, down to -32768), such as 101.";
    case Field::SatelliteList:
      return "Choose a satellite from the list.";
    case Field::OffsetAngle:
      return "Enter the dish's offset angle in degrees, from " + limitText(kOffsetAngleDegrees.low) +
             " (a prime-focus dish) to " + limitText(kOffsetAngleDegrees.high) + ", such as 22.3.";
    case Field::Calculation:
      return "Check the four inputs.";
    case Field::MinimumElevation:
      return "Give the lowest elevation to list in degrees, from " + rangeText(kRightAngleEitherWay) +
             ", such as 5 (0 lists every satellite "
             "above the horizon).";
    case Field::MinimumClearance:
      return "Give the least clearance to list in degrees, from " + rangeText(kRightAngleEitherWay) +
             ", such as 2 (0 lists every satellite that "
             "clears the obstacles).";
    case Field::DishSize:
      return "Give the dish's diameter in centimetres, from " + rangeText(kDishCentimetres) + ", such as 60.";
    case Field::Frequency:
      return "Give the frequency in GHz, from " + rangeText(kFrequencyGigahertz) + ", such as 11.7 (Ku band) or 4 (C band).";
    case Field::OutageAngle:
      return "Give the outage angle in degrees, over " + limitText(kOutageAngleDegrees.low) + " and at most " +
             limitText(kOutageAngleDegrees.high) + ", such as 1.5.";
    case Field::FocalLength:
      return "Give the dish's focal length in millimetres as its maker states it, from " +
             rangeText(kFocalMillimetres) + ", such as 480.";
    case Field::None:
      break;
  }
  return "Enter a number such as 42 or -8.5.";
}

// A number too large for its type is, for a box with limits, simply beyond
// them, whichever its sign: a negative number is never "too large".
std::string problem(Field field, Fault fault) {
  switch (fault) {
    case Fault::NotANumber:
      return "is not a number";
    case Fault::AmbiguousDigits:
      return "has four digits, which could be degrees and minutes (DDMM) or whole degrees";
    case Fault::Overflow:
    case Fault::OutOfRange:
      switch (field) {
        case Field::Latitude:
          return "lies beyond 90 degrees";
        case Field::Longitude:
          return "lies beyond 360 degrees";
        case Field::SatelliteLongitude:
          return fault == Fault::OutOfRange ? "is more than 180" : "lies outside the accepted range";
        case Field::Declination:
          return "lies beyond 180 degrees";
        case Field::MinimumElevation:
        case Field::MinimumClearance:
          return "lies beyond 90 degrees";
        case Field::OffsetAngle:
          return "lies outside " + rangeText(kOffsetAngleDegrees) + " degrees";
        case Field::DishSize:
        case Field::Frequency:
        case Field::OutageAngle:
        case Field::FocalLength:
          return "lies outside the range taken";
        case Field::Calculation:
          return fault == Fault::Overflow ? "overflowed" : "is out of range";
        default:
          return fault == Fault::Overflow ? "is too far from zero" : "is out of range";
      }
    case Fault::DivisionByZero:
      return "led to a division by zero";
    case Fault::InvalidOperation:
      return "led to an invalid floating-point operation";
    case Fault::SubscriptOutOfRange:
      return "is not a row of the list";
    case Fault::SignAndHemisphere:
      return "has both a minus sign and a hemisphere letter; give one or the other";
    case Fault::WrongHemisphere:
      return field == Field::Latitude ? "ends in a letter a latitude does not take; a latitude takes N or S"
                                      : "ends in a letter a longitude does not take; a longitude takes E or W";
    case Fault::LetteredBeyondHalfTurn:
      return "lies beyond 180 degrees East or West";
    case Fault::AtPole:
      return "is a pole, where the geostationary arc is not visible and a polar mount cannot be set";
  }
  return "is not accepted";
}

// A box holds up to 32767 characters, and a pasted page would make a message
// wider than the screen: quote the beginning, up to this many bytes shown.
constexpr std::size_t kQuotedBytes = 40;

// The length of the well-formed UTF-8 sequence text starts with, or 0 for a
// byte that begins none: a stray continuation byte, an overlong form, a
// surrogate, a code point past U+10FFFF, or a sequence cut short.
std::size_t utf8Length(std::string_view text) {
  const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;  // the second byte's bounds, narrower after some leads
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong below U+0800
    if (lead == 0xED) high = 0x9F;  // the surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong below U+10000
    if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// The code point of a well-formed sequence.
char32_t codePoint(std::string_view sequence) {
  const auto byte = [sequence](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(sequence[i])); };
  if (sequence.size() == 1) return byte(0);
  char32_t c = byte(0) & (0x7F >> sequence.size());
  for (std::size_t i = 1; i < sequence.size(); ++i) c = (c << 6) | (byte(i) & 0x3F);
  return c;
}

// The format characters (Unicode's category Cf), first and last of each
// run. They draw nothing, but some reorder or hide what follows: U+202E
// turns the rest of a line right to left.
constexpr std::pair<char32_t, char32_t> kFormatCharacters[] = {
    {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
    {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x202A, 0x202E},
    {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
    {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
    {0xE0020, 0xE007F}};

// C0 controls and DEL, the C1 controls U+0080 to U+009F, and the format
// characters, given a well-formed sequence.
bool isControl(std::string_view sequence) {
  const char32_t c = codePoint(sequence);
  if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return true;
  return std::any_of(std::begin(kFormatCharacters), std::end(kFormatCharacters),
                     [c](const auto& run) { return c >= run.first && c <= run.second; });
}

// A control character written into a terminal moves the cursor, clears the
// line or starts an escape sequence; in a message box it garbles the line.
std::string escaped(std::string_view sequence) {
  switch (sequence.front()) {
    case '\r':
      return "\\r";
    case '\n':
      return "\\n";
    case '\t':
      return "\\t";
    default:
      break;
  }
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string shown;
  for (const char c : sequence) {
    const auto b = static_cast<unsigned char>(c);
    shown += {'\\', 'x', kHex[b >> 4], kHex[b & 0xF]};
  }
  return shown;
}

// Why a text was refused: "The latitude "x" is not a number."
std::string whyRefused(Field field, Fault fault, std::string_view text) {
  if (field == Field::Calculation) {
    return "The look angles could not be computed: the calculation " + problem(field, fault) + ".";
  }
  std::string m = field == Field::None ? std::string("The number") : std::string(fieldName(field));
  m += " \"";
  m += quotedText(text);
  m += "\" ";
  m += problem(field, fault);
  m += ".";
  return m;
}

// What to type instead: the slip's correction where one is recognised, then
// the form the input takes.
std::string hintFor(Field field, Fault fault, std::string_view text) {
  std::string m;
  if (field != Field::Calculation && fault == Fault::NotANumber) {
    const std::string slip = typingHint(field, text);
    if (!slip.empty()) m += slip + " ";
  }
  // Every latitude box accepts 90 either way; only the mount needs less.
  if (fault == Fault::AtPole) {
    m += "Enter a latitude short of the poles, above -90 (South) and below 90 (North).";
  } else if (fault == Fault::LetteredBeyondHalfTurn) {
    m += "A position with E or W is 0 to 180 degrees East or West, such as 19.2E or 168W.";
  } else {
    m += acceptedForm(field);
  }
  return m;
}

// The input a box's refusal concerns.
Refusal::Input inputOf(Field field) {
  switch (field) {
    case Field::Latitude:
    case Field::Longitude:
      return Refusal::Input::Site;
    case Field::Declination:
      return Refusal::Input::Declination;
    case Field::SatelliteLongitude:
    case Field::SatelliteList:
      return Refusal::Input::Satellite;
    case Field::OffsetAngle:
    case Field::DishSize:
    case Field::Frequency:
    case Field::OutageAngle:
    case Field::FocalLength:
      return Refusal::Input::Dish;
    case Field::MinimumElevation:
    case Field::MinimumClearance:
      return Refusal::Input::Table;
    case Field::Calculation:
    case Field::None:
      break;
  }
  return Refusal::Input::Calculation;
}

}  // namespace

CalcError::CalcError(Field field, Fault fault, std::string_view text)
    : Refusal(inputOf(field), whyRefused(field, fault, text), hintFor(field, fault, text)), m_field(field), m_fault(fault), m_text(text) {}

CalcError CalcError::forField(Field field) const { return CalcError(field, m_fault, m_text); }

std::string quotedText(std::string_view typed) {
  std::string shown;
  for (std::size_t at = 0; at < typed.size();) {
    const std::size_t length = utf8Length(typed.substr(at));
    const std::string_view sequence = typed.substr(at, std::max<std::size_t>(length, 1));
    const std::string piece = length == 0 || isControl(sequence) ? escaped(sequence) : std::string(sequence);
    if (shown.size() + piece.size() > kQuotedBytes) return shown + "\u2026";
    shown += piece;
    at += sequence.size();
  }
  return shown;
}

bool isPrintableText(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = utf8Length(text.substr(at));
    if (length == 0 || isControl(text.substr(at, length))) return false;
    at += length;
  }
  return true;
}

std::string_view fieldName(Field field) {
  switch (field) {
    case Field::Latitude:
      return "Latitude";
    case Field::Longitude:
      return "Longitude";
    case Field::Declination:
      return "Declination";
    case Field::SatelliteLongitude:
      return "Satellite longitude";
    case Field::SatelliteList:
      return "Satellite list row";
    case Field::OffsetAngle:
      return "Offset angle";
    case Field::Calculation:
      return "Calculation";
    case Field::MinimumElevation:
      return "Minimum elevation";
    case Field::MinimumClearance:
      return "Minimum clearance";
    case Field::DishSize:
      return "Dish size";
    case Field::Frequency:
      return "Frequency";
    case Field::OutageAngle:
      return "Outage angle";
    case Field::FocalLength:
      return "Focal length";
    case Field::None:
      break;
  }
  return "Number";
}

}  // namespace vantorel
