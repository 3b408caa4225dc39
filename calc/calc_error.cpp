#include "calc_error.h"

namespace vantorel {
namespace {

// What each box accepts, in the words of the window's own labels.
std::string_view acceptedForm(Field field) {
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
      return "Enter the satellite longitude in degrees West, 180 or less "
             "(East as negative numbers), such as 101.";
    case Field::SatelliteList:
      return "Choose a satellite from the list.";
    case Field::Calculation:
      return "Check the four inputs.";
    case Field::None:
      break;
  }
  return "Enter a number such as 42 or -8.5.";
}

std::string problem(Field field, Fault fault) {
  switch (fault) {
    case Fault::NotANumber:
      return "is not a number";
    case Fault::Overflow:
      return "is too large";
    case Fault::AmbiguousDigits:
      return "has four digits, which could be degrees and minutes (DDMM) or whole degrees";
    case Fault::OutOfRange:
      switch (field) {
        case Field::Latitude:
          return "lies beyond 90 degrees";
        case Field::Longitude:
          return "lies beyond 360 degrees";
        case Field::SatelliteLongitude:
          return "is more than 180";
        case Field::Declination:
          return "lies beyond 180 degrees";
        default:
          return "is out of range";
      }
    case Fault::DivisionByZero:
      return "led to a division by zero";
    case Fault::InvalidOperation:
      return "led to an invalid floating-point operation";
    case Fault::SubscriptOutOfRange:
      return "is not a row of the list";
  }
  return "is not accepted";
}

// A box holds up to 32767 characters, and a pasted page would make a message
// wider than the screen: quote the beginning, cut at a character boundary.
constexpr std::size_t kQuotedBytes = 40;

std::string quoted(std::string_view text) {
  if (text.size() <= kQuotedBytes) return std::string(text);
  std::size_t end = kQuotedBytes;
  // Step back over UTF-8 continuation bytes (10xxxxxx).
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end)) + "\u2026";
}

std::string message(Field field, Fault fault, std::string_view text) {
  std::string m;
  if (field == Field::Calculation) {
    m = "The look angles could not be computed: the calculation ";
    m += problem(field, fault);
    m += ". ";
  } else {
    m = field == Field::None ? std::string("The number") : std::string(fieldName(field));
    m += " \"";
    m += quoted(text);
    m += "\" ";
    m += problem(field, fault);
    m += ". ";
  }
  m += acceptedForm(field);
  return m;
}

}  // namespace

CalcError::CalcError(Field field, Fault fault, std::string_view text)
    : std::runtime_error(message(field, fault, text)), m_field(field), m_fault(fault), m_text(text) {}

CalcError CalcError::forField(Field field) const { return CalcError(field, m_fault, m_text); }

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
    case Field::Calculation:
      return "Calculation";
    case Field::None:
      break;
  }
  return "Number";
}

}  // namespace vantorel
