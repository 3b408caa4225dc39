#pragma once
// Angles in degrees as the program writes them, shared by the calculations,
// the satellite lists and the sheet.
//
//   radians per degree  from the true pi. The look angles alone keep the
//                       program's own 3.141592654 (constants::Pi in
//                       onecalc.h), so that their digits never move; the
//                       polar mount shares their sphere and their pi.
//   half turn           an angle brought into (-180, 180], as longitudes
//                       are given: 200 is -160, -180 is 180.
//   lettered degrees    a signed angle East positive written as its size and
//                       a letter, "19.2° E", "11.25° W", as satellite lists
//                       and motor scales write them; 0 and 180 take no
//                       letter, being on both sides at once.

#include <numbers>
#include <string>

namespace vantorel {

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180;

// degrees brought into (-180, 180].
double halfTurns(double degrees);

// "19.2° E", "101.2° W", "0°", "180°": the size of east as a Single's seven
// digits (singleToText), the degree sign, and E for positive or W for
// negative unless east is 0 or 180 either way. east must lie within
// [-180, 180].
std::string letteredDegrees(double east);

}  // namespace vantorel
