#pragma once
// The range each typed number keeps to, named once: the command line's
// reading, the planner's boxes, the refusals' words and --help all take them
// from here.

#include <string>

namespace vantorel {

struct Range {
  double low = 0;
  double high = 0;
  bool lowIncluded = true;  // else the range is (low, high]

  constexpr bool holds(double value) const { return value <= high && (lowIncluded ? value >= low : value > low); }
};

// The site's latitude either way of the equator, a longitude's whole turn,
// and the declination's half turn either way.
inline constexpr double kLatitudeLimit = 90;
inline constexpr double kLongitudeLimit = 360;
inline constexpr double kDeclinationLimit = 180;
// The satellite can be typed no further west than this; East is negative,
// and no further east than the whole degrees of an Integer.
inline constexpr double kSatelliteLongitudeLimit = 180;

inline constexpr Range kDishCentimetres{30, 500};
inline constexpr Range kFrequencyGigahertz{1, 50};
// Over 0: an outage angle of nothing would find no outage at all.
inline constexpr Range kOutageAngleDegrees{0, 10, false};
// Offset dishes are made with offsets of some 20 to 30 degrees; 0 is a
// prime-focus dish.
inline constexpr Range kOffsetAngleDegrees{0, 45};
inline constexpr Range kFocalMillimetres{50, 5000};
// A table's least elevation or clearance, within a right angle either way.
inline constexpr Range kRightAngleEitherWay{-90, 90};

inline constexpr double kMillimetresPerCentimetre = 10;

// A limit as the messages write it: 30, 11.7, 5000.
std::string limitText(double limit);

// "30 to 500", as --help and the refusals write a range.
std::string rangeText(const Range& range);

}  // namespace vantorel
