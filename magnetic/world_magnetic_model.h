#pragma once
// The magnetic declination at a site from the World Magnetic Model 2025, so
// that the installer need not look it up. The model's coefficients are
// compiled in from the publisher's file (WMM2025.COF, this folder); nothing
// is read at run time.
//
// Notation:
//   latitude       geodetic, WGS84, degrees, North positive, -90 to 90
//   longitudeEast  degrees East positive, as the model's makers give sites
//   longitudeWest  degrees West positive, as the program's boxes take them
//   heightMetres   above the WGS84 ellipsoid
//   decimalYear    year + (day of year - 1) / days in that year
//   X, Y, Z        the field's north, east and down components, nT
//   H              horizontal intensity, sqrt(X^2 + Y^2), nT
//   D              declination: the angle from true north to the field's
//                  horizontal direction, degrees, East positive, -180 to 180
//
// The model serves dates from 2025-01-01 to 2029-12-31. It gives no
// declination at a geographic pole (every direction there is south, or
// north), and where H is weak a compass does not follow it: under 2000 nT
// (the blackout zone round each magnetic pole) the declination is refused,
// from 2000 to 6000 nT (the caution zone) it is given with a warning.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "calendar_date.h"

#include "refusal.h"

namespace vantorel {

struct MagneticField {
  double X = 0;  // north, nT
  double Y = 0;  // east, nT
  double Z = 0;  // down, nT
  double H = 0;  // horizontal intensity, nT
  double D = 0;  // declination, degrees East positive
};

// Why the model gives no declination.
enum class MagneticFault {
  NotADate,          // the date text is not YYYY-MM-DD, or names no day
  DateOutsideModel,  // a date before or after the model's life
  GeographicPole,    // latitude 90 or -90
  BlackoutZone,      // H under 2000 nT
};

// Thrown by declinationAt; what() says why in a sentence, and whoever shows
// it says how to type the declination instead.
class MagneticModelError : public Refusal {
 public:
  MagneticModelError(MagneticFault fault, const std::string& message) : Refusal(Input::Model, message), m_fault(fault) {}
  MagneticFault fault() const noexcept { return m_fault; }

 private:
  MagneticFault m_fault;
};

enum class CompassZone {
  Reliable,  // H of 6000 nT or more
  Caution,   // H from 2000 to 6000 nT: the declination stands, with a warning
};

struct DeclinationResult {
  // D rounded to 0.01 degree, halves away from zero: the double nearest to
  // declinationText's number, so the text typed into the declination box
  // reads back as exactly this value.
  double declination = 0;
  std::string declinationText;  // by doubleToText: at most two decimals, "-3.87", "12.5", "0"
  double H = 0;                 // nT, unrounded
  CompassZone zone = CompassZone::Reliable;
  std::string warning;  // one line for CompassZone::Caution, empty otherwise
};

// How a compass fares in a horizontal intensity H (nT): nothing in the
// blackout zone, under 2000 nT, where no declination is given; Caution from
// 2000 to under 6000 nT; Reliable from 6000 nT.
std::optional<CompassZone> compassZone(double H);

// The field at a point and time, without any check: the model's sum wherever
// it is asked, also outside its life. latitude within -90 to 90.
MagneticField fieldAt(double decimalYear, double latitude, double longitudeEast, double heightMetres);

// The declination at a site on the ground (height 0 on the ellipsoid) on a
// date. Checks in this order, throwing MagneticModelError: the date within
// the model's life, the site off the poles, H at least 2000 nT.
// std::invalid_argument for a latitude beyond 90 or a longitude that is not
// finite, which the boxes never give.
DeclinationResult declinationAt(CalendarDate date, double latitude, double longitudeWest);

// As above for a typed date; throws MagneticModelError(NotADate) for a text
// parseCalendarDate refuses.
DeclinationResult declinationAt(std::string_view dateText, double latitude, double longitudeWest);

}  // namespace vantorel
