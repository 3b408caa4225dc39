#pragma once
// Sun outage: for a few days around each equinox the sun passes behind a
// geostationary satellite as seen from a site, and for some minutes its
// noise drowns the satellite's signal. The days, the minutes and how close
// the sun comes, for one dish pointed as the look angles say.
//
// Notation:
//   UTC, azimuth, elevation   as in sun_position.h
//   separation     the angle between the sun's centre and the dish's line of
//                  sight (the satellite's printed azimuth and elevation), degrees
//   beamwidth      the dish's half-power beamwidth, 70 lambda / D degrees,
//                  lambda the wavelength and D the dish's diameter
//   outage angle   half the beamwidth plus the sun's apparent radius on the
//                  day: the sun disturbs the signal while its centre is this
//                  close to the line of sight. Operators who use their own
//                  criterion give the angle instead.
//   hour angle     degrees West of the site's meridian; the satellite's and
//                  the sun's from their azimuth and elevation, at the site's
//                  latitude

#include <optional>
#include <vector>

#include "calendar_date.h"

namespace vantorel {

namespace outage {
inline constexpr double kDefaultDishCentimetres = 60;
inline constexpr double kDefaultFrequencyGigahertz = 11.7;  // Ku band; C band is about 4
// Half-power beamwidth in degrees of a dish of diameter D, 70 lambda / D:
// an illuminated parabolic reflector's usual figure.
inline constexpr double kBeamwidthFactor = 70;
inline constexpr double kDays = 365;  // the twelve months from the first day
}  // namespace outage

struct OutageCriterion {
  double dishCentimetres = outage::kDefaultDishCentimetres;
  double frequencyGigahertz = outage::kDefaultFrequencyGigahertz;
  std::optional<double> angle;  // degrees, replacing half the beamwidth plus the sun's radius

  friend bool operator==(const OutageCriterion&, const OutageCriterion&) = default;
};

// Half the dish's half-power beamwidth, degrees.
double halfBeamwidth(const OutageCriterion& criterion);

struct OutageDay {
  CalendarDate date;   // the UTC date of the closest approach
  double start = 0;    // seconds after the date's midnight UTC; may be under 0
  double end = 0;      // or past 86400 for an outage that straddles midnight
  double closest = 0;
  double separation = 0;  // at the closest approach, degrees
  double angle = 0;       // the outage angle on the day, degrees
};

struct OutageSeason {
  CalendarDate first, last;
  std::size_t longestDay = 0;  // index into the days
};

struct SunOutage {
  std::vector<OutageDay> days;  // in date order
  std::vector<OutageSeason> seasons;
};

// The outage days of the kDays days from `from`, for a dish at the site
// (geodetic latitude, longitude East) looking along azimuth and elevation. A
// day on which the sun comes close but stays outside the angle is left out;
// consecutive days make a season. A satellite below the horizon has none.
SunOutage sunOutage(CalendarDate from, double latitude, double longitudeEast, double azimuth, double elevation,
                    const OutageCriterion& criterion);

}  // namespace vantorel
