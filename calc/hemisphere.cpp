#include "hemisphere.h"

#include <cmath>
#include <cstdio>
#include <optional>

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
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The whole of a box's text as a lettered number, or nothing when the text
// is not one: "Astra 3N" and "7W x" stay texts.
std::optional<LetteredNumber> wholeLettered(std::string_view text) {
  const std::string_view content = trimmed(text);
  const LetteredNumber lettered = readLetteredNumber(content);
  if (lettered.letter == 0 || lettered.length != content.size() || !readsAsNumber(lettered.number)) {
    return std::nullopt;
  }
  return lettered;
}

// The text a lettered number stands for in the field's convention.
std::string signedText(const LetteredNumber& lettered, const Letters& letters) {
  return (lettered.letter == letters.negative ? "-" : "") + std::string(lettered.number);
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

LetteredNumber readLetteredNumber(std::string_view text) {
  LetteredNumber n;
  std::size_t at = 0;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) n.sign = text[at++];
  const std::size_t from = at;
  bool digit = false;
  for (; at < text.size() && (isDigit(text[at]) || text[at] == '.'); ++at) digit = digit || isDigit(text[at]);
  if (!digit) return n;
  n.number = text.substr(from, at - from);
  n.length = at;

  std::size_t letter = at;
  while (letter < text.size() && isBlank(text[letter])) ++letter;
  if (text.substr(letter).starts_with(kDegreeSign)) letter += kDegreeSign.size();
  while (letter < text.size() && isBlank(text[letter])) ++letter;
  if (letter == text.size() || (letter + 1 < text.size() && !isBlank(text[letter + 1]))) return n;
  const char c = upper(text[letter]);
  if (c != 'N' && c != 'S' && c != 'E' && c != 'W') return n;
  n.letter = c;
  n.length = letter + 1;
  return n;
}

std::string withoutHemisphere(Field field, std::string_view text) {
  const std::optional<LetteredNumber> lettered = wholeLettered(text);
  if (!lettered) return std::string(text);
  const Letters letters = lettersOf(field);
  if (lettered->letter != letters.positive && lettered->letter != letters.negative) {
    throw CalcError(field, Fault::WrongHemisphere, text);
  }
  if (lettered->sign == '-') throw CalcError(field, Fault::SignAndHemisphere, text);
  return signedText(*lettered, letters);
}

void refuseLetteredBeyondHalfTurn(Field field, bool lettered, double value, std::string_view typed) {
  constexpr double kHalfTurn = 180;
  if (lettered && std::fabs(value) > kHalfTurn) throw CalcError(field, Fault::LetteredBeyondHalfTurn, typed);
}

DeccalcState decodedCoordinate(Field field, const std::string& typed) {
  const std::string signedText = withoutHemisphere(field, typed);
  const DeccalcState decoded = deccalc(signedText, field);
  refuseLetteredBeyondHalfTurn(field, signedText != typed, static_cast<double>(decoded.DecimalDegrees), typed);
  return decoded;
}

std::string hemisphereHint(Field field, std::string_view text) {
  if (field != Field::Latitude && field != Field::Longitude && field != Field::SatelliteLongitude) return {};
  const std::optional<LetteredNumber> lettered = wholeLettered(text);
  const Letters letters = lettersOf(field);
  if (!lettered || lettered->sign == '-') return {};
  if (lettered->letter != letters.positive && lettered->letter != letters.negative) return {};
  const std::string instead = signedText(*lettered, letters);
  const bool negative = lettered->letter == letters.negative;
  return "Type " + instead + " (" + std::string(negative ? letters.negativeName : letters.positiveName) + " is " +
         (negative ? "negative" : "positive") + ").";
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
  return letteredDegrees(mapLongitude(static_cast<double>(longitudeWest)));
}

}  // namespace vantorel
