#pragma once
// The dish on its mount: the tilt of an offset dish's face, the three site
// settings of a polar mount, and the motor angle that turns a polar mount
// from the site's meridian to a satellite.
//
// Notation (degrees):
//   SiteLatitude        phi, North positive, as for the look angles
//   SiteLongitude       degrees West, East negative
//   SatelliteLongitude  degrees West, East negative
//   Declination         the magnetic declination, East positive; used only
//                       to turn the mount's true direction into a compass
//                       reading, as AzimuthMagnetic is made from AzimuthTrue
//   lambda              the satellite's longitude EAST of the site's:
//                       SiteLongitude - SatelliteLongitude (the inputs are
//                       West positive, so the order is turned)
//   k                   the Earth's radius over the orbit's, 0.15126, the
//                       look angles' own sphere
//   OffsetAngle         the dish maker's offset angle, 0 to 45: how far the
//                       beam leaves the reflector above the rim's face; 0 is
//                       a prime-focus dish
//   DishFaceTilt        Elevation - OffsetAngle: how far the plane of the
//                       rim leans back from vertical, as an inclinometer held
//                       against the rim reads it; negative when the face
//                       leans forward, below the horizon
//   PolarAxisElevation  |phi|: the polar axis lies parallel to the Earth's
//                       axis, so it rises above the horizon by the latitude
//   DeclinationOffset   atan(k sin|phi| / (1 - k cos phi)): how far the dish
//                       is tilted toward the equator from the perpendicular
//                       to the polar axis, so that its beam meets the arc
//                       rather than the celestial equator. Not the magnetic
//                       declination: the two share a word and nothing else
//   MotorAngle          atan2(sin lambda, cos lambda - k cos phi): the turn
//                       about the polar axis from the site's meridian to the
//                       satellite, positive (E) toward a satellite East of
//                       the site, negative (W) toward one West of it,
//                       -180 to 180. It is minus the hour angle of the
//                       satellite's direction as seen from the site.
//
// Sign rules and edge cases:
//   - The mount faces true south north of the equator and true north south of
//     it. On the equator the polar axis is horizontal along the meridian and
//     the mount faces either way: the facing says so and the compass reading
//     gives both ends, south's first ("188 or 8").
//   - At a pole the polar axis is vertical, every direction is south (or
//     north) and no geostationary satellite is visible: polarMount refuses.
//     The motor angle is still given there (the formula holds at any
//     latitude), but the arc lies below the horizon. It does so everywhere
//     beyond about 81.3 degrees, where the settings are still given, as
//     a satellite below the horizon gets its look angles.
//   - Printed, the motor angle carries its hemisphere letter, never a sign:
//     "11.25° W", "3.5° E"; E means the satellite lies East of the site in
//     both hemispheres. Exactly 0 (the satellite on the site's meridian) is
//     "0°", and exactly 180 (the opposite meridian, far below the horizon)
//     is "180°", which is either way.
//   - A satellite below the horizon gets its motor angle like its other
//     angles.

#include <optional>
#include <string>
#include <string_view>

#include "numeric_text.h"
#include "onecalc.h"

namespace vantorel {

// The offset angle typed as decimal degrees, 0 to 45 inclusive (the Single
// it reads as is what is compared). Throws CalcError(Field::OffsetAngle):
// NotANumber for a text that is no number, OutOfRange or Overflow outside the
// range.
Single offsetAngleFromText(std::string_view text);

struct DishFaceTiltResult {
  Single Tilt = 0;   // degrees, elevation - offset angle, rounded once
  std::string Text;  // Tilt, 7 significant digits
};

// The face tilt for the look angles' elevation and the dish's offset angle.
// Never throws.
DishFaceTiltResult dishFaceTilt(Single elevation, Single offsetAngle);

enum class MountFacing { TrueSouth, TrueNorth, EitherWay };

struct PolarMountResult {
  Single PolarAxisElevation = 0;  // degrees, |SiteLatitude|, 0 to below 90
  MountFacing Facing = MountFacing::EitherWay;
  // The compass reading of the direction faced; on the equator, of true south.
  Single MountAzimuthMagnetic = 0;
  // On the equator only: the compass reading of true north, the other end.
  std::optional<Single> MountAzimuthMagneticOtherWay;
  Single DeclinationOffset = 0;  // degrees toward the equator, 0 to below atan k = 8.601

  std::string PolarAxisElevationText;    // "42.01667"
  std::string FacingText;                // "true south", "true north" or "either way"
  std::string MountAzimuthMagneticText;  // "188", on the equator "188 or 8"
  std::string DeclinationOffsetText;     // "7.222668"
};

// The site's settings from SiteLatitude and Declination; the longitudes are
// not used. Throws CalcError(Field::Latitude, Fault::AtPole) at a latitude of
// 90 either way (or beyond), quoting the latitude as singleToText writes it.
PolarMountResult polarMount(const OnecalcInputs& in);

struct MotorAngleResult {
  double Unrounded = 0;  // degrees, East positive, -180 to 180, before the store
  Single MotorAngle = 0;  // Unrounded stored as a Single
  std::string Text;      // "11.25° W", "3.5° E", "0°" (UTF-8 degree sign)
};

// The motor angle for the site and satellite of `in`; the declination is not
// used. Computed in doubles and stored once as a Single. Never throws.
MotorAngleResult motorAngle(const OnecalcInputs& in);

}  // namespace vantorel
