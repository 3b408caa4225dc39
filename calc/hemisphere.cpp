#include "hemisphere.h"

#include <cmath>
#include <cstdio>

namespace vantorel {
namespace {

constexpr std::string_view kDegreeSign = "\u00b0";

// Tenths of an arc second in a degree: the DMS texts' last digit.
constexpr double kTenthsPerDegree = 36000;

struct Letters {
  char positive, negative;  // upper case; the letter of each sign in the field's convention
  std::string_view positiveName, negativeName;
};

// Which letters a field takes; latitudes are North positive, longitudes West.
Letters lettersOf(Field field) {
  if (field == Field::Latitude) return {'N', 'S', "North", "South"};
  return {'W', 'E', "West", "East"};
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmedBack(std::string_view text) {
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

struct Lettered {
  std::string_view number;  // what stands before the letter, trimmed at the back
  char letter = 0;          // upper case, 0 if the text ends in none
};

Lettered split(std::string_view text) {
  std::string_view rest = trimmedBack(text);
  if (rest.empty()) return {text, 0};
  const char letter = upper(rest.back());
  if (letter != 'N' && letter != 'S' && letter != 'E' && letter != 'W') return {text, 0};
  rest.remove_suffix(1);
  if (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  if (rest.ends_with(kDegreeSign)) rest.remove_suffix(kDegreeSign.size());
  // A letter with nothing before it is a word, not a position.
  if (trimmedBack(rest).empty()) return {text, 0};
  return {trimmedBack(rest), letter};
}

// The text a lettered number stands for in the field's convention.
std::string signedText(std::string_view number, char letter, const Letters& letters) {
  std::size_t start = number.find_first_not_of(" \t");
  std::string_view digits = number.substr(start == std::string_view::npos ? number.size() : start);
  if (digits.starts_with('+')) digits.remove_prefix(1);
  return (letter == letters.negative ? "-" : "") + std::string(digits);
}

bool startsWithMinus(std::string_view number) {
  const std::size_t start = number.find_first_not_of(" \t");
  return start != std::string_view::npos && number[start] == '-';
}

// degrees°minutes'seconds.tenths", rounded once to the tenth of a second so
// that 59.96 seconds carry into the minute rather than show as 60.0.
std::string dms(double magnitude) {
  const auto tenths = static_cast<long long>(std::llround(magnitude * kTenthsPerDegree));
  char text[48];
  std::snprintf(text, sizeof text, "%lld\u00b0%02lld'%02lld.%lld\"", tenths / 36000, tenths / 600 % 60, tenths / 10 % 60,
                tenths % 10);
  return text;
}

std::string lettered(double value, char positive, char negative, bool letterless) {
  std::string text = dms(std::fabs(value));
  if (!letterless) text += std::string(" ") + (value > 0 ? positive : negative);
  return text;
}

bool roundsTo(double magnitude, double degrees) {
  return std::llround(magnitude * kTenthsPerDegree) == std::llround(degrees * kTenthsPerDegree);
}

std::string sixPlaces(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", value);
  return std::string_view(text) == "-0.000000" ? std::string("0.000000") : std::string(text);
}

}  // namespace

std::string withoutHemisphere(Field field, std::string_view text) {
  const Lettered lettered = split(text);
  // "Astra 3N" or "7W x" is no position: the text stays as typed.
  if (lettered.letter == 0 || !readsAsNumber(lettered.number)) return std::string(text);
  const Letters letters = lettersOf(field);
  if (lettered.letter != letters.positive && lettered.letter != letters.negative) {
    throw CalcError(field, Fault::WrongHemisphere, text);
  }
  if (startsWithMinus(lettered.number)) throw CalcError(field, Fault::SignAndHemisphere, text);
  return signedText(lettered.number, lettered.letter, letters);
}

std::string hemisphereHint(Field field, std::string_view text) {
  if (field != Field::Latitude && field != Field::Longitude && field != Field::SatelliteLongitude) return {};
  const Lettered lettered = split(text);
  const Letters letters = lettersOf(field);
  if (lettered.letter == 0 || startsWithMinus(lettered.number)) return {};
  if (lettered.letter != letters.positive && lettered.letter != letters.negative) return {};
  const std::string instead = signedText(lettered.number, lettered.letter, letters);
  if (!readsAsNumber(instead)) return {};
  const bool negative = lettered.letter == letters.negative;
  return "Type " + instead + " (" + std::string(negative ? letters.negativeName : letters.positiveName) + " is " +
         (negative ? "negative" : "positive") + ").";
}

double halfTurns(double degrees) {
  double a = std::fmod(degrees, 360.0);
  if (a > 180) a -= 360;
  if (a <= -180) a += 360;
  return a;
}

double mapLongitude(double longitudeWest) { return halfTurns(-longitudeWest); }

std::string latitudeDms(Single latitude) {
  const auto value = static_cast<double>(latitude);
  return lettered(value, 'N', 'S', roundsTo(std::fabs(value), 0));
}

std::string longitudeDms(Single longitudeWest) {
  const double east = mapLongitude(static_cast<double>(longitudeWest));
  const double magnitude = std::fabs(east);
  return lettered(east, 'E', 'W', roundsTo(magnitude, 0) || roundsTo(magnitude, 180));
}

std::string latitudeDecimal(Single latitude) { return sixPlaces(static_cast<double>(latitude)); }

std::string longitudeDecimal(Single longitudeWest) {
  return sixPlaces(mapLongitude(static_cast<double>(longitudeWest)));
}

std::string satellitePosition(Single longitudeWest) {
  const double east = mapLongitude(static_cast<double>(longitudeWest));
  const std::string degrees = singleToText(static_cast<Single>(std::fabs(east))) + "\u00b0";
  if (east == 0 || std::fabs(east) == 180) return degrees;
  return degrees + (east > 0 ? " E" : " W");
}

}  // namespace vantorel
