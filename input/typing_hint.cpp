#include "typing_hint.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <span>

#include "hemisphere.h"
#include "numeric_text.h"

namespace vantorel {
namespace {

constexpr std::string_view kTypographicMinus = "\u2212";

// The signs that may follow each piece of an angle, degrees first: the
// degree sign or the masculine ordinal that keyboards offer in its place;
// the apostrophe, the prime or the right single quotation mark; the double
// quotation mark, the double prime, the right double quotation mark or two
// apostrophes. A colon separates pieces but ends no angle.
constexpr std::string_view kDegreeSigns[] = {"\u00b0", "\u00ba", ":"};
constexpr std::string_view kMinuteSigns[] = {"'", "\u2032", "\u2019", ":"};
constexpr std::string_view kSecondSigns[] = {"\"", "\u2033", "\u201d", "''"};
constexpr std::array<std::span<const std::string_view>, 3> kPieceSigns = {kDegreeSigns, kMinuteSigns, kSecondSigns};

// Minutes and seconds of a written angle are below this; a hint that turned
// 51°75' into packed digits would endorse a slip rather than mend one.
constexpr double kSixty = 60;
// Decimal degrees to three places, about 100 m on the ground, as map pages
// print them; the packed digits beside them are exact.
constexpr int kDecimalPlaces = 3;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// An angle written in pieces: degrees, then minutes and seconds if given,
// each digits with at most one "." and a digit first.
struct Angle {
  bool negative = false;
  std::array<std::string_view, 3> pieces;
  std::size_t count = 0;
};

std::optional<Angle> readAngle(std::string_view text) {
  Angle angle;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    angle.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool marked = false;  // a sign or a colon was written, so this is no plain number
  bool open = false;    // the last piece ended in a colon, so another must follow
  for (const std::span<const std::string_view> signs : kPieceSigns) {
    text = trimmed(text);
    if (text.empty()) break;
    const std::string_view piece = text.substr(0, text.find_first_not_of("0123456789."));
    if (piece.empty() || !isDigit(piece.front()) || !readsAsNumber(piece)) return std::nullopt;
    angle.pieces[angle.count++] = piece;
    text = trimmed(text.substr(piece.size()));
    const auto sign = std::find_if(signs.begin(), signs.end(), [text](std::string_view s) { return text.starts_with(s); });
    open = false;
    if (sign == signs.end()) break;
    text.remove_prefix(sign->size());
    marked = true;
    open = *sign == ":";
  }
  if (!marked || open || !text.empty()) return std::nullopt;
  return angle;
}

std::string zeroPadded(double whole, std::size_t width) {
  std::string digits = std::to_string(static_cast<long long>(whole));
  return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
}

// "Type the packed digits 513026 or decimal degrees 51.507." for 51°30'26".
std::string angleHint(Field field, const Angle& angle) {
  std::array<double, 3> values{};
  for (std::size_t i = 0; i < angle.count; ++i) {
    const std::string_view piece = angle.pieces[i];
    const auto [end, ec] = std::from_chars(piece.data(), piece.data() + piece.size(), values[i]);
    if (ec != std::errc() || end != piece.data() + piece.size()) return {};
    // Only the last piece may carry a fraction.
    if (i + 1 < angle.count && piece.find('.') != std::string_view::npos) return {};
    if (i > 0 && values[i] >= kSixty) return {};
  }
  // Two digits of degrees for a latitude, three for a longitude, as the
  // packed forms hold them; three for the declination and the satellite,
  // whose limits are 180.
  const std::size_t degreeDigits = field == Field::Latitude ? 2 : 3;
  if (values[0] >= (degreeDigits == 2 ? 100 : 1000)) return {};

  const double degrees = values[0] + values[1] / kSixty + values[2] / (kSixty * kSixty);
  std::array<char, 16> buffer{};
  const auto printed =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), degrees, std::chars_format::fixed, kDecimalPlaces);
  if (printed.ec != std::errc()) return {};
  std::string decimal(buffer.data(), printed.ptr);
  while (decimal.back() == '0') decimal.pop_back();
  if (decimal.back() == '.') decimal.pop_back();
  if (angle.negative && decimal != "0") decimal.insert(0, "-");

  const bool packable = field == Field::Latitude || field == Field::Longitude;
  const bool wholeDegreesAndMinutes = angle.count == 1 ? angle.pieces[0].find('.') == std::string_view::npos
                                                       : angle.pieces[1].find('.') == std::string_view::npos;
  if (!packable || !wholeDegreesAndMinutes) return "Type decimal degrees " + decimal + ".";
  std::string packed = angle.negative ? "-" : "";
  packed += zeroPadded(values[0], degreeDigits) + zeroPadded(values[1], 2) + zeroPadded(values[2], 2);
  if (angle.count == 3) {
    const std::string_view seconds = angle.pieces[2];
    if (const auto point = seconds.find('.'); point != std::string_view::npos) packed += seconds.substr(point);
  }
  return "Type the packed digits " + packed + " or decimal degrees " + decimal + ".";
}

}  // namespace

std::string typingHint(Field field, std::string_view text) {
  if (field != Field::Latitude && field != Field::Longitude && field != Field::Declination &&
      field != Field::SatelliteLongitude && field != Field::OffsetAngle) {
    return {};
  }
  if (std::string hint = hemisphereHint(field, text); !hint.empty()) return hint;
  std::string typed(trimmed(text));
  std::string instead;  // what the hint asks for in place of the slip
  if (typed.find(kTypographicMinus) != std::string::npos) {
    for (std::size_t at; (at = typed.find(kTypographicMinus)) != std::string::npos;) {
      typed.replace(at, kTypographicMinus.size(), "-");
    }
    instead = "the keyboard's minus sign";
  }
  if (std::count(typed.begin(), typed.end(), ',') == 1 && typed.find('.') == std::string::npos) {
    typed[typed.find(',')] = '.';
    instead += instead.empty() ? "" : " and ";
    instead += "a full stop for the decimal point";
  }
  if (readsAsNumber(typed)) return instead.empty() ? "" : "Type " + typed + ", with " + instead + ".";
  if (const std::optional<Angle> angle = readAngle(typed)) return angleHint(field, *angle);
  return {};
}

}  // namespace vantorel
