#pragma once
// Positions written with hemisphere letters, as maps, satellite lists and
// receivers write them (33.87S, 151.21E, 19.2°E), and the program's own
// positions shown that way, so that a person can check at a glance what was
// understood.
//
// The program's conventions, which a letter is turned into:
//   latitude            North positive, South negative (N, S)
//   site longitude      degrees West, East negative (E, W)
//   satellite longitude degrees West, East negative (E, W)
// Maps and GPS receivers use decimal degrees with North and East positive;
// the "map" texts below follow them.

#include <string>
#include <string_view>

#include "angles.h"
#include "calc_error.h"
#include "deccalc.h"
#include "numeric_text.h"

namespace vantorel {

// A number with a hemisphere letter at the start of text, as lists, maps and
// receivers write positions: an optional sign, digits and points, then
// optional blanks, an optional degree sign and blanks, and a letter N, S, E
// or W in either case that ends a word ("19.2E", "19.2°E", "101 W",
// "33.87s"). "19.2 Eutelsat" is a number and a word, not 19.2E. What the
// letter may be, and whether a sign may go with it, is for the caller.
struct LetteredNumber {
  char sign = 0;            // '-', '+' or 0
  std::string_view number;  // digits and points, at least one digit; empty when text starts with none
  char letter = 0;          // upper case; 0 when no letter follows the number
  std::size_t length = 0;   // of the sign and number, and of the letter when there is one
};
LetteredNumber readLetteredNumber(std::string_view text);

// The text with its hemisphere letter turned into the sign the box of field
// takes: "33.87S" gives "-33.87" for Field::Latitude, "1511300E" gives
// "-1511300" and "0.8 w" gives "0.8" for Field::Longitude. The letter may be
// upper or lower case, with a degree sign and one blank before it. A text
// without a letter, or whose letter follows no number ("Astra 3N"), comes
// back unchanged. Throws CalcError(field,
// SignAndHemisphere) for a minus sign together with a letter, and
// CalcError(field, WrongHemisphere) for a letter the field does not take
// (E or W for a latitude, N or S for a longitude).
std::string withoutHemisphere(Field field, std::string_view text);

// The text of a latitude or longitude box with its hemisphere always a
// letter, an unlettered coordinate read as maps and GPS receivers write it:
// North and East positive, a minus sign South or West. "-0.1278" gives
// "0.1278W", "151.2093" gives "151.2093E", "51.5074" gives "51.5074N"; a
// text that already has its letter, or that starts with no number, comes
// back as it stands, for the box's own reading to accept or refuse.
std::string mapLettered(Field field, std::string_view text);

// Throws CalcError(field, LetteredBeyondHalfTurn) for a value typed with a
// hemisphere letter that lies beyond 180 either way: "192E" is a slip
// (position="192" is 19.2E), not 168 W.
void refuseLetteredBeyondHalfTurn(Field field, bool lettered, double value, std::string_view typed);

// A latitude or longitude box's text decoded as the job decodes it: a
// hemisphere letter made a sign, the DDMMSS digits or decimal degrees read,
// and a lettered longitude held to 180. Throws CalcError for field.
DeccalcState decodedCoordinate(Field field, const std::string& typed);

// For the window's message on such a text: "Type -151.21 (East is
// negative)." when withoutHemisphere reads it as a number, else "".
std::string hemisphereHint(Field field, std::string_view text);

// A longitude in degrees West, East negative, as a map gives it: East
// positive, within (-180, 180]. 200 West is 160 East.
double mapLongitude(double longitudeWest);

// Degrees, minutes and seconds to a tenth, then the hemisphere letter:
// 42°01'00.0" N, 91°01'00.0" W; no letter on the equator or on the 0 and
// 180 meridians, where neither applies.
std::string latitudeDms(Single latitude);
std::string longitudeDms(Single longitudeWest);

// Signed decimal degrees to 6 places, North and East positive: 42.016667,
// -91.016667.
std::string latitudeDecimal(Single latitude);
std::string longitudeDecimal(Single longitudeWest);

// A satellite's position as satellite lists print it: 101.2° W, 19.2° E;
// -200 (200 East) is 160° W.
std::string satellitePosition(Single longitudeWest);

}  // namespace vantorel
