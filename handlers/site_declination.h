#pragma once
// The declination box filled in from the World Magnetic Model instead of by
// hand: the site is decoded from its boxes exactly as a calculation decodes
// it, and the model's declination there, rounded to 0.01 degree, comes back
// as the text the user would have typed. A calculation with that text is a
// calculation with a typed declination, digit for digit.

#include <optional>
#include <string_view>

#include "first_actions.h"
#include "world_magnetic_model.h"

namespace vantorel {

// The model's declination at the site of Text4 and Text5 on dateText
// (YYYY-MM-DD), or today in UTC if there is none. Throws CalcError for a
// site box that is refused, then MagneticModelError where the model does not
// serve (a date outside its life or no date at all, a pole, the blackout
// zone). Text6 and Text7 are not read.
DeclinationResult siteDeclination(const BoxTexts& boxes, std::optional<std::string_view> dateText);

}  // namespace vantorel
