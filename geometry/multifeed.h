#pragma once
// A second (or third) LNB on one dish: the dish aims at the main satellite,
// whose LNB sits at the focus; an extra satellite a few degrees away is
// received by an LNB beside it, where the reflector brings that satellite's
// image.
//
// The geometry is the look angles' and the skew's: the Earth a sphere, the
// satellites in the equatorial plane, the Earth's radius 0.15126 of the
// orbit's. The lines of sight u (main) and v (extra) from the site:
//   Separation   the angle between u and v, not the difference of the
//                satellites' longitudes
//   the view     from behind the dish looking along u: "up" is the site's
//                vertical with its part along u removed, "right" is u x up
//   the offset   focal length x tan(Separation) / BDF, on the side opposite
//                v's direction in the view: the reflector turns the image
//                round, so a satellite right of the main one takes an LNB
//                left of the main LNB, one higher an LNB lower
//   BDF          the beam deviation factor of a paraboloid for its f/D,
//                Y. T. Lo, "On the beam deviation factor of a parabolic
//                reflector", IRE Trans. Antennas Propag. AP-8 (1960):
//                (1 + 0.36 (D/4f)^2) / (1 + (D/4f)^2)
//   coma loss    the gain lost by the displaced feed, estimated from J. Ruze,
//                "Lateral-feed displacement in a paraboloid", IEEE Trans.
//                Antennas Propag. AP-13 (1965): 1 dB after 0.44 + 22 (f/D)^2
//                half-power beamwidths of scan, growing as its square
// For an offset dish f is the focal length of the parent paraboloid and D
// the dish's own size, as makers state them.

#include <optional>
#include <string>

#include "numeric_text.h"

namespace vantorel {

// The dish's optics.
struct DishOptics {
  double diameterMm = 600;
  double focalMm = 360;
  bool focalAssumed = true;  // from an f/D of kAssumedFocalRatio, not the maker's figure
  double frequencyGigahertz = 11.7;

  friend bool operator==(const DishOptics&, const DishOptics&) = default;
};

inline constexpr double kAssumedFocalRatio = 0.6;

// A dish of diameterMm with the maker's focal length, or one assumed from
// kAssumedFocalRatio.
DishOptics dishOptics(double diameterMm, std::optional<double> focalMm, double frequencyGigahertz);

// (1 + 0.36 (D/4f)^2) / (1 + (D/4f)^2): near 1 for a shallow dish, toward
// 0.36 for a deep one.
double beamDeviationFactor(const DishOptics& dish);

struct MultifeedOffset {
  double separation = 0;  // degrees between the two lines of sight
  double offsetMm = 0;    // the extra LNB's distance from the main LNB
  double acrossMm = 0;    // right positive, seen from behind the dish
  double upMm = 0;        // up positive, seen from behind the dish
  double lossDb = 0;      // estimated coma loss
};

// The extra LNB for the satellite at extraLongitudeWest from a site at
// latitude (North positive) and longitudeWest, the dish aiming at
// mainLongitudeWest; every longitude in degrees West.
MultifeedOffset multifeedOffset(double latitude, double longitudeWest, double mainLongitudeWest,
                                double extraLongitudeWest, const DishOptics& dish);

// What a bracket on a dish can hold: LNBs with the usual 40 mm collars stand
// at least kClosestLnbsMm apart, and a bracket reaches at most
// kBracketReach of the dish's diameter from the focus.
inline constexpr double kClosestLnbsMm = 50;
inline constexpr double kBracketReach = 0.2;
// A coma loss from this many dB on is worth a second thought.
inline constexpr double kLargeLossDb = 1;

// A monoblock LNB: two feeds in one body a fixed distance apart, sold by the
// difference of the orbital positions it serves.
struct Monoblock {
  double difference = 0;  // degrees of orbital position, as sold
  const char* pair = "";  // the satellites it is sold for
  std::optional<double> spacingMm;  // its feeds' spacing, where its maker states it
};

// The monoblock sold for a pair whose orbital positions differ by
// difference degrees, within kMonoblockMatch, if there is one.
std::optional<Monoblock> monoblockFor(double difference);
inline constexpr double kMonoblockMatch = 0.3;  // degrees
// A bracket's play: how far an LNB can be moved on it.
inline constexpr double kBracketPlayMm = 5;

}  // namespace vantorel
