#pragma once
// Hints for the usual ways of writing a number that the boxes do not read.
//
// People paste coordinates from web pages and type them as maps print them:
// with degree, minute and second signs or colons (51°30'26", 51:30:26), with
// a comma for the decimal point (51,5), or with the typographic minus sign
// U+2212 (−33.8), or with a hemisphere letter (151.21E). A box refuses each as not a number; the hint says what to
// type instead, worked out from the text itself, in the form the box takes:
// packed DDMMSS or DDDMMSS digits and decimal degrees for the site's latitude
// and longitude, decimal degrees for the declination, the satellite and the
// offset angle.

#include <string>
#include <string_view>

#include "calc_error.h"

namespace vantorel {

// A sentence such as "Type the packed digits 513026 or decimal degrees
// 51.507." for a text that the box of field refused as not a number, or ""
// when the text is none of the slips above or no hint can be worked out
// from it (minutes or seconds of 60 or more, a piece that is not a number,
// degrees too many for the packed form).
std::string typingHint(Field field, std::string_view text);

}  // namespace vantorel
