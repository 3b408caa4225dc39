#include "numeric_text.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <system_error>

#include "calc_error.h"

static_assert(FLT_EVAL_METHOD == 0, "every double operation must round to double on its own");
static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559);

namespace vantorel {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct NumberText {
  bool negative = false;
  std::string_view unsignedPart;  // digits with at most one "."
};

// Splits a whole text into sign and digits, or reports that it is no number.
bool parseNumberText(std::string_view text, NumberText& out) {
  text = trimmed(text);
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    out.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int digits = 0;
  int points = 0;
  for (char c : text) {
    if (isDigit(c)) {
      ++digits;
    } else if (c == '.') {
      ++points;
    } else {
      return false;
    }
  }
  if (digits == 0 || points > 1) return false;
  out.unsignedPart = text;
  return true;
}

// from_chars reads a correctly rounded value from the digits; it does not
// take a sign we have already removed, nor a leading ".".
struct Digits {
  bool negative = false;
  std::string digits;  // as from_chars takes them
};

Digits digitsOf(std::string_view text) {
  NumberText number;
  if (!parseNumberText(text, number)) throw CalcError(Field::None, Fault::NotANumber, text);
  Digits d{number.negative, number.unsignedPart.front() == '.' ? "0" : ""};
  d.digits += number.unsignedPart;
  return d;
}

template <typename T>
T convert(const Digits& number, std::string_view text) {
  const std::string& digits = number.digits;
  T value{};
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Too small rounds to zero; too large overflows the type.
    bool allZeroOrTiny = false;
    for (char c : digits) {
      if (c >= '1' && c <= '9') break;
      if (c == '.') {
        allZeroOrTiny = true;
        break;
      }
    }
    if (!allZeroOrTiny) throw CalcError(Field::None, Fault::Overflow, text);
    value = T{0};
  } else if (ec != std::errc() || end != digits.data() + digits.size()) {
    throw CalcError(Field::None, Fault::NotANumber, text);
  }
  if (!std::isfinite(value)) throw CalcError(Field::None, Fault::Overflow, text);
  return number.negative ? -value : value;
}

template <typename T>
T convert(std::string_view text) {
  return convert<T>(digitsOf(text), text);
}

// "2e+11" as "200000000000", "-3.4e-05" as "-0.000034". A result box must
// hold a text that the boxes themselves read as a number, and their number
// syntax has no exponent. The digits are those already rounded, so the value
// written is unchanged.
std::string withoutExponent(const std::string& text) {
  const std::size_t e = text.find('e');
  if (e == std::string::npos) return text;
  int exponent = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), exponent);
  const bool negative = text.front() == '-';
  std::string digits;
  for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
    if (text[i] != '.') digits.push_back(text[i]);
  }
  // The value is 0.<digits> times ten to the power pointAt.
  const long pointAt = exponent + 1L;
  const auto count = static_cast<long>(digits.size());
  std::string plain;
  if (pointAt <= 0) {
    plain = "0." + std::string(static_cast<std::size_t>(-pointAt), '0') + digits;
  } else if (pointAt >= count) {
    plain = digits + std::string(static_cast<std::size_t>(pointAt - count), '0');
  } else {
    plain = digits.substr(0, static_cast<std::size_t>(pointAt)) + "." + digits.substr(static_cast<std::size_t>(pointAt));
  }
  return negative ? "-" + plain : plain;
}

// Shortest form of a value with at most `precision` significant digits.
template <typename T>
std::string toText(T value, int precision) {
  char buffer[64];
  // Widening a Single to double is exact, so rounding the double to 7 digits
  // rounds the stored Single itself.
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::general, precision);
  std::string text(buffer, ec == std::errc() ? end : buffer);
  if (text == "-0") text = "0";
  return withoutExponent(text);
}

}  // namespace

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

Single textToSingle(std::string_view text) { return convert<float>(text); }

double textToDouble(std::string_view text) { return convert<double>(text); }

TextNumber textToNumber(std::string_view text) {
  const Digits digits = digitsOf(text);
  const double value = convert<double>(digits, text);
  return {value, convert<float>(digits, text)};
}

Integer roundToInteger(double value) {
  // nearbyint rounds in the current mode, which is to nearest, ties to even.
  const double whole = std::nearbyint(value);
  if (!(whole >= -32768.0 && whole <= 32767.0)) {
    throw CalcError(Field::None, Fault::Overflow, doubleToText(value));
  }
  return static_cast<Integer>(whole);
}

bool readsAsNumber(std::string_view text) {
  NumberText number;
  return parseNumberText(text, number);
}

Integer textToInteger(std::string_view text) {
  const double value = textToDouble(text);
  try {
    return roundToInteger(value);
  } catch (const CalcError&) {
    throw CalcError(Field::None, Fault::Overflow, text);
  }
}

double leadingNumber(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  std::size_t n = 0;
  if (n < text.size() && (text[n] == '-' || text[n] == '+')) ++n;
  bool seenDigit = false;
  bool seenPoint = false;
  std::size_t lastGood = 0;
  for (; n < text.size(); ++n) {
    if (isDigit(text[n])) {
      seenDigit = true;
      lastGood = n + 1;
    } else if (text[n] == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!seenDigit) return 0.0;
  try {
    return textToDouble(text.substr(0, lastGood));
  } catch (const CalcError&) {
    // Hundreds of digits: the leading number exists but has no double.
    return text.front() == '-' ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
  }
}

std::string singleToText(Single value) { return toText(value, 7); }

std::string doubleToText(double value) { return toText(value, 15); }

std::string integerToText(Integer value) { return std::to_string(value); }

std::string fixedText(double value, int decimals) {
  char text[400];  // the widest double printed in full, with its point and sign
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace vantorel
