#pragma once
// The sun as a compass: the moment of a day when the sun's centre stands on
// a given true azimuth, seen from a site. A vertical stick's shadow then
// points directly away from that azimuth, which marks the dish's direction
// on a roof where steel and the dish itself pull a compass's needle.

#include <vector>

#include "calendar_date.h"

namespace vantorel {

struct SunOnBearing {
  UtcInstant when;          // the instant, in UTC
  double elevation = 0;     // the sun's, degrees, above the horizon
};

// The moments of the site's solar day around the date's local noon (from
// one local solar midnight to the next) when the sun's centre stands on
// azimuth in daylight, to a tenth of a second; none where the sun never
// reaches it above the horizon that day (a polar night, or an azimuth the
// sun does not pass). Latitude geodetic, longitude East positive, degrees.
std::vector<SunOnBearing> sunOnBearing(CalendarDate date, double latitude, double longitudeEast, double azimuth);

}  // namespace vantorel
