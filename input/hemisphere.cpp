#include "hemisphere.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

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

// Degrees, minutes and seconds as GPS units and maps print them, with a
// hemisphere letter before or after: 51°30'26"N, 51°30'26.4" N,
// 51°30.44'N, N51°30.44', 51 30.44 N, 51 30 26 N, N51.5074, W0.1278. The
// pieces are separated by degree, minute and second signs (ASCII or
// typographic) or blanks; only the last may have a fraction, and minutes
// and seconds are under 60. One piece is passed on as typed, so that
// N513026 is the packed 513026, as 513026N is.
struct MapForm {
  std::string degrees;  // a decimal text, or the one piece as typed
  char letter = 0;      // upper case
};

bool isSeparator(std::string_view rest, std::size_t& length) {
  for (const std::string_view sign : {"\u00b0", "\u00ba", "\u2032", "\u2033", "'", "\"", " ", "\t"}) {
    if (rest.starts_with(sign)) {
      length = sign.size();
      return true;
    }
  }
  return false;
}

bool isLetter(char c) { return std::string_view("NSEWnsew").find(c) != std::string_view::npos; }

std::optional<MapForm> mapForm(std::string_view text) {
  std::string_view rest = trimmed(text);
  if (rest.empty()) return std::nullopt;
  MapForm form;
  if (isLetter(rest.front()) && rest.size() > 1 && !isLetter(rest[1])) {
    form.letter = upper(rest.front());
    rest = trimmed(rest.substr(1));
  } else if (isLetter(rest.back()) && rest.size() > 1 && !isLetter(rest[rest.size() - 2])) {
    form.letter = upper(rest.back());
    rest = trimmed(rest.substr(0, rest.size() - 1));
  } else {
    return std::nullopt;
  }
  std::vector<std::string> pieces;
  while (!rest.empty()) {
    std::size_t end = 0;
    while (end < rest.size() && (isDigit(rest[end]) || rest[end] == '.')) ++end;
    if (end == 0) return std::nullopt;
    pieces.emplace_back(rest.substr(0, end));
    rest.remove_prefix(end);
    std::size_t length = 0;
    while (!rest.empty() && isSeparator(rest, length)) rest.remove_prefix(length);
  }
  constexpr std::size_t kMostPieces = 3;
  if (pieces.empty() || pieces.size() > kMostPieces) return std::nullopt;
  for (const std::string& piece : pieces) {
    if (!readsAsNumber(piece)) return std::nullopt;
  }
  if (pieces.size() == 1) {
    form.degrees = pieces.front();
    return form;
  }
  constexpr double kSixty = 60;
  double degrees = 0, scale = 1;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const bool last = i + 1 == pieces.size();
    if (!last && pieces[i].find('.') != std::string::npos) return std::nullopt;
    const double value = textToDouble(pieces[i]);
    if (i > 0 && !(value < kSixty)) return std::nullopt;
    degrees += value / scale;
    scale *= kSixty;
  }
  char decimal[48];
  std::snprintf(decimal, sizeof decimal, "%.9f", degrees);
  form.degrees = decimal;
  while (form.degrees.back() == '0') form.degrees.pop_back();
  if (form.degrees.back() == '.') form.degrees.pop_back();
  return form;
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
  const Letters letters = lettersOf(field);
  if (!lettered) {
    // A site's coordinate may also come as a GPS unit or a map prints it.
    const bool site = field == Field::Latitude || field == Field::Longitude;
    const std::optional<MapForm> form = site ? mapForm(text) : std::nullopt;
    if (!form) return std::string(text);
    if (form->letter != letters.positive && form->letter != letters.negative) {
      throw CalcError(field, Fault::WrongHemisphere, text);
    }
    return (form->letter == letters.negative ? "-" : "") + form->degrees;
  }
  if (lettered->letter != letters.positive && lettered->letter != letters.negative) {
    throw CalcError(field, Fault::WrongHemisphere, text);
  }
  if (lettered->sign == '-') throw CalcError(field, Fault::SignAndHemisphere, text);
  return signedText(*lettered, letters);
}

std::string mapLettered(Field field, std::string_view text) {
  const std::string_view t = trimmed(text);
  try {
    if (withoutHemisphere(field, t) != t) return std::string(t);
  } catch (const CalcError&) {
    return std::string(t);
  }
  std::string_view magnitude = t;
  const bool negative = !t.empty() && t.front() == '-';
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) magnitude.remove_prefix(1);
  if (magnitude.empty() || !(isDigit(magnitude.front()) || magnitude.front() == '.')) return std::string(t);
  const Letters letters = lettersOf(field);
  // The program's own longitudes are West positive: maps' East is its
  // negative letter.
  const bool east = field == Field::Longitude;
  const char letter = negative != east ? letters.negative : letters.positive;
  std::string lettered = std::string(magnitude) + letter;
  // A text that reads as no coordinate either way keeps its own refusal,
  // with the hint on what to type.
  try {
    decodedCoordinate(field, lettered);
  } catch (const CalcError&) {
    return std::string(t);
  }
  return lettered;
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
