#include "mount.h"

#include <cmath>

#include "angles.h"
#include "calc_error.h"
#include "input_ranges.h"

namespace vantorel {
namespace {

// The look angles' sphere, and their pi.
constexpr double kLookAngleRadiansPerDegree = constants::Pi / 180;

}  // namespace

Single offsetAngleFromText(std::string_view text) {
  Single angle = 0;
  try {
    angle = textToSingle(text);
  } catch (const CalcError& e) {
    throw e.forField(Field::OffsetAngle);
  }
  // Past 45 the beam would leave nearer the rim's plane than its axis, and
  // the number is taken for a slip.
  if (!kOffsetAngleDegrees.holds(angle)) throw CalcError(Field::OffsetAngle, Fault::OutOfRange, text);
  return angle;
}

DishFaceTiltResult dishFaceTilt(Single elevation, Single offsetAngle) {
  DishFaceTiltResult r;
  r.Tilt = static_cast<Single>(static_cast<double>(elevation) - static_cast<double>(offsetAngle));
  r.Text = singleToText(r.Tilt);
  return r;
}

PolarMountResult polarMount(const OnecalcInputs& in) {
  // Compared as stored: only the latitude that decodes to exactly 90 is a
  // pole; the next Single below it is under a metre away and has an axis.
  if (std::fabs(in.SiteLatitude) >= 90) {
    throw CalcError(Field::Latitude, Fault::AtPole, singleToText(in.SiteLatitude));
  }
  PolarMountResult r;
  r.PolarAxisElevation = std::fabs(in.SiteLatitude);
  if (in.SiteLatitude > 0) {
    r.Facing = MountFacing::TrueSouth;
    r.FacingText = "true south";
  } else if (in.SiteLatitude < 0) {
    r.Facing = MountFacing::TrueNorth;
    r.FacingText = "true north";
  } else {
    r.Facing = MountFacing::EitherWay;
    r.FacingText = "either way";
  }
  // On the equator the reading of true south stands first, as if north of it.
  r.MountAzimuthMagnetic = magneticAzimuth(r.Facing == MountFacing::TrueNorth ? 0 : 180, in.Declination);
  r.MountAzimuthMagneticText = singleToText(r.MountAzimuthMagnetic);
  if (r.Facing == MountFacing::EitherWay) {
    r.MountAzimuthMagneticOtherWay = magneticAzimuth(0, in.Declination);
    r.MountAzimuthMagneticText += " or " + singleToText(*r.MountAzimuthMagneticOtherWay);
  }

  // A beam square to the polar axis runs parallel to the equatorial plane
  // and passes the arc by the site's height above that plane, k sin|phi|.
  // The satellite on the site's meridian lies 1 - k cos phi out from the site
  // across the axis, so the dish dips toward the equator by the angle below.
  const double phi = static_cast<double>(in.SiteLatitude) * kLookAngleRadiansPerDegree;
  const double k = constants::EarthOverOrbit;
  r.DeclinationOffset = static_cast<Single>(
      std::atan(k * std::sin(std::fabs(phi)) / (1 - k * std::cos(phi))) / kLookAngleRadiansPerDegree);

  r.PolarAxisElevationText = singleToText(r.PolarAxisElevation);
  r.DeclinationOffsetText = singleToText(r.DeclinationOffset);
  return r;
}

MotorAngleResult motorAngle(const OnecalcInputs& in) {
  // The satellite seen from the site, projected on the equatorial plane: x
  // toward the site's meridian, y East, lengths in orbit radii. The site
  // lies k cos phi out along x. lambda is East of the site (the inputs are
  // West positive), exact before the conversion: two Singles' difference.
  const double lambda =
      (static_cast<double>(in.SiteLongitude) - static_cast<double>(in.SatelliteLongitude)) * kLookAngleRadiansPerDegree;
  const double phi = static_cast<double>(in.SiteLatitude) * kLookAngleRadiansPerDegree;
  MotorAngleResult r;
  r.Unrounded = std::atan2(std::sin(lambda), std::cos(lambda) - constants::EarthOverOrbit * std::cos(phi)) /
                kLookAngleRadiansPerDegree;
  r.MotorAngle = static_cast<Single>(r.Unrounded);

  // The letter, not a sign: E and W are what the installer reads on the
  // motor's scale, north of the equator or south of it.
  r.Text = letteredDegrees(static_cast<double>(r.MotorAngle));
  return r;
}

}  // namespace vantorel
