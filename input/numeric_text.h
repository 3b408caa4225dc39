#pragma once
// Conversions between texts and numbers.
//
// Single is an IEEE 754 binary32 (float); every stored coordinate, angle and
// result of the program is one. Integer is a signed 16-bit integer. Numbers
// are written with "." as the decimal separator whatever the locale, since
// that is how installers type them. A number text is: optional blanks, an
// optional sign, digits with at most one ".", at least one digit, optional
// blanks. Nothing else reads as a number (no exponent, no grouping, no "nan").
//
// The converters throw CalcError with Field::None; callers that know which
// box the text came from re-attribute it with CalcError::forField.

#include <cstdint>
#include <string>
#include <string_view>

namespace vantorel {

using Single = float;
using Integer = std::int16_t;

// The Single nearest to the decimal number written, ties to even.
// Throws NotANumber for a text that is not a number, Overflow beyond the
// Single range.
Single textToSingle(std::string_view text);

// The double nearest to the decimal number written; errors as textToSingle.
double textToDouble(std::string_view text);

// The double and the Single nearest to the decimal number written, from one
// reading of the text, for a value checked against its limits as a double
// and computed with as a Single; errors as textToSingle.
struct TextNumber {
  double value = 0;
  Single single = 0;
};
TextNumber textToNumber(std::string_view text);

// value rounded to a whole number, halves to the even neighbour (61.5 gives
// 62, 106.5 gives 106). Throws Overflow outside -32768 to 32767 and for a
// value that is not finite.
Integer roundToInteger(double value);

// Whether text is a number text as above; its value may still overflow.
bool readsAsNumber(std::string_view text);

// textToDouble, then roundToInteger.
Integer textToInteger(std::string_view text);

// The longest leading part of text that reads as a number, leading blanks
// skipped; 0 if there is none. Never throws.
double leadingNumber(std::string_view text);

// Rounded to 7 significant digits, trailing zeros and a trailing "." dropped,
// "-" for negatives, no leading blank: 194.734207 gives "194.7342". Never an
// exponent, so the text reads back as a number: 2e11 gives "200000000000",
// 0.000034 gives "0.000034".
std::string singleToText(Single value);

// As singleToText with 15 significant digits: 71.8 gives "71.8".
std::string doubleToText(double value);

// value with exactly decimals digits after the point, as printf's %.*f:
// fixedText(0.26723, 2) gives "0.27", fixedText(-0.04, 1) gives "-0.0".
std::string fixedText(double value, int decimals);

// text without blanks (spaces and tabs) at either end.
std::string_view trimmed(std::string_view text);

// Decimal digits, "-" for negatives: 0 gives "0".
std::string integerToText(Integer value);

}  // namespace vantorel
