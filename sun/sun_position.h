#pragma once
// Where the sun stands in a site's sky, from ERFA, the IAU's astronomy
// library: the Earth's position from eraEpv00, then ERFA's own chain from
// the ICRS to the observed place (eraApco13 for the day, eraAper13 for the
// instant, the steps of eraAtciq but the light's deflection, then
// eraAtioq), and the sun's parallax, which that chain leaves to the caller
// for a body so near.
//
// Notation:
//   UTC        civil time; an instant is a calendar date and seconds since
//              its midnight (calendar_date.h)
//   TT         Terrestrial Time, TAI + 32.184 s, TAI from UTC by ERFA's
//              leap-second table; the Earth's orbit is computed in TT (TDB
//              differs by under 2 ms, nothing here)
//   UT1        the time of the Earth's rotation, taken as UTC
//   latitude   geodetic (WGS84), degrees, North positive
//   longitude  degrees East positive, as ERFA takes it
//   azimuth    degrees clockwise from true north, 0 to 360
//   elevation  degrees above the horizon; the geometric direction, with no
//              refraction, as the satellite's look angles are
//
// Left out, and what each is worth at most:
//   UT1 - UTC, under 0.9 s of the Earth's turn     0.0038 degree
//   polar motion, under 0.5" of the site's place   0.0001 degree
//   the sun's direction taken along a straight
//   line through the day from its noon             0.00002 degree
//   the Earth's velocity and the site's, for the
//   aberration, held at the day's noon             0.0002 degree
//   the light's deflection by the sun: nothing for the sun's own centre
// in all under 0.004 degree of a full reduction, against a sun a quarter of
// a degree across.

#include <erfa.h>
#include <erfam.h>

#include "calendar_date.h"

namespace vantorel {

struct SunPlace {
  double azimuth = 0;    // degrees
  double elevation = 0;  // degrees
  double radius = 0;     // the disc's apparent radius, degrees
};

// The sun's apparent radius at noon UTC of the day, degrees: 0.262 in July
// to 0.271 in January.
double sunRadius(CalendarDate day);

// The sun over one site through one UTC day. Built once a day, because the
// Earth's orbit and the precession and nutation change little within it,
// and then asked cheaply for any second of the day.
class SunDay {
 public:
  SunDay(CalendarDate day, double latitude, double longitudeEast);

  // At second seconds after the day's midnight UTC; seconds outside the day
  // are taken from the same noon, for an outage that straddles midnight.
  SunPlace at(double second) const;

 private:
  double m_midnight = 0;      // the day's 0h UTC as a Julian date
  double m_earth[2][3] = {};  // the Earth's heliocentric position (au) and velocity (au a day) at noon
  eraASTROM m_astrom{};       // the day's star-independent astrometry parameters, at noon
  double m_siteDistance = 0;  // the site's distance from the geocentre, au
};

}  // namespace vantorel
