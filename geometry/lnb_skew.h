#pragma once
// The LNB skew: how far to turn the LNB in its holder so that its probe lies
// along the satellite's linear polarisation.
//
// Notation (degrees):
//   SiteLatitude        phi, North positive, as for the look angles
//   SiteLongitude       degrees West, East negative
//   SatelliteLongitude  degrees West, East negative
//   u                   the line of sight, from the site toward the satellite
//   Up                  the site's vertical
//   Axis                the Earth's axis, toward the north pole; the satellite
//                       sends its polarisation parallel to it
//   dish reference      Up with its part along u removed
//   wave's field        Axis with its part along u removed
//   Skew                the angle from the dish reference to the wave's field,
//                       positive clockwise as seen from behind the dish
//                       looking at the satellite (looking along u)
// The geometry is the look angles' own: the Earth a sphere, the satellite in
// the equatorial plane, the Earth's radius 0.15126 of the orbit's. The skew is
// exact on that sphere, not the usual atan(sin Delta / tan phi) (Delta the
// longitude difference), which is off by up to a few tenths of a degree.
//
// A linear polarisation has no direction, so Skew is folded into (-90, 90]:
// an angle beyond 90 either way is taken 180 degrees round. At a northern site
// a satellite west of the site has a positive skew and one east of it a
// negative skew; a southern site has the opposite signs. Skew is 0 with the
// satellite on the site's meridian, at a pole, and 90 on the equator.
// Straight overhead (on the equator at the satellite's longitude) or straight
// below (on the equator 180 degrees away) the line of sight is the vertical,
// the dish reference vanishes and the angle has no meaning: Skew is 0 there.
// A satellite below the horizon gets its skew like its other angles.

#include <string>

#include "numeric_text.h"
#include "onecalc.h"

namespace vantorel {

struct LnbSkewResult {
  Single Skew = 0;  // degrees, in (-90, 90]
  std::string Text;  // Skew as the window shows results: 7 significant digits
};

// The skew for the site and satellite of `in`; the declination is not used.
// Computed in doubles and stored once as a Single. Never throws.
LnbSkewResult lnbSkew(const OnecalcInputs& in);

}  // namespace vantorel
