#include "sun_position.h"

#include <cmath>

#include "angles.h"

namespace vantorel {
namespace {

constexpr double kNoon = 43200;  // seconds
// The sun's radius, the IAU's nominal value, in au.
constexpr double kSunRadius = 695700e3 / ERFA_DAU;
// Light of 0.55 micrometres; with no air pressure it refracts nothing.
constexpr double kWavelength = 0.55;

}  // namespace

SunDay::SunDay(CalendarDate day, double latitude, double longitudeEast) {
  double jd0 = 0, mjd = 0;
  eraCal2jd(day.year, day.month, day.day, &jd0, &mjd);
  m_midnight = jd0 + mjd;
  double tai1 = 0, tai2 = 0, tt1 = 0, tt2 = 0;
  eraUtctai(m_midnight, 0.5, &tai1, &tai2);
  eraTaitt(tai1, tai2, &tt1, &tt2);
  double barycentric[2][3];
  eraEpv00(tt1, tt2, m_earth, barycentric);

  const double elong = longitudeEast * kRadiansPerDegree, phi = latitude * kRadiansPerDegree;
  double equationOfOrigins = 0;
  eraApco13(m_midnight, 0.5, 0, elong, phi, 0, 0, 0, 0, 0, 0, kWavelength, &m_astrom, &equationOfOrigins);
  double site[3];
  eraGd2gc(ERFA_WGS84, elong, phi, 0, site);
  m_siteDistance = std::sqrt(site[0] * site[0] + site[1] * site[1] + site[2] * site[2]) / ERFA_DAU;
}

SunPlace SunDay::at(double second) const {
  // The sun seen from the geocentre, in the ICRS's axes: the Earth's
  // heliocentric position turned round, along its velocity from noon.
  const double days = (second - kNoon) / ERFA_DAYSEC;
  double sun[3];
  for (int i = 0; i < 3; ++i) sun[i] = -(m_earth[0][i] + m_earth[1][i] * days);
  const double distance = std::sqrt(sun[0] * sun[0] + sun[1] * sun[1] + sun[2] * sun[2]);
  double ra = 0, dec = 0;
  eraC2s(sun, &ra, &dec);

  // ICRS to CIRS as eraAtciq takes a star there, but for the light's
  // deflection by the sun, which is nothing for the sun's own centre and
  // where ERFA's formula for it turns singular: the aberration, then the
  // bias, precession and nutation.
  double natural[3], proper[3], intermediate[3];
  eraS2c(ra, dec, natural);
  eraAb(natural, const_cast<double*>(m_astrom.v), m_astrom.em, m_astrom.bm1, proper);
  eraRxp(const_cast<double(*)[3]>(m_astrom.bpn), proper, intermediate);
  double ri = 0, di = 0;
  eraC2s(intermediate, &ri, &di);

  // The Earth turned to the instant, then the observed place.
  eraASTROM astrom = m_astrom;
  eraAper13(m_midnight, second / ERFA_DAYSEC, &astrom);
  double azimuth = 0, zenith = 0, ha = 0, hd = 0, hr = 0;
  eraAtioq(eraAnp(ri), di, &astrom, &azimuth, &zenith, &ha, &hd, &hr);

  // The sun is near enough to stand lower from a site on the surface than
  // from the geocentre: by up to 8.8", its parallax, along the vertical.
  double direction[3];
  eraS2c(-azimuth, ERFA_DPI / 2 - zenith, direction);  // x north, y west, z up
  for (double& c : direction) c *= distance;
  direction[2] -= m_siteDistance;
  double west = 0, altitude = 0;
  eraC2s(direction, &west, &altitude);

  SunPlace place;
  place.azimuth = eraAnp(-west) / kRadiansPerDegree;
  place.elevation = altitude / kRadiansPerDegree;
  place.radius = std::asin(kSunRadius / distance) / kRadiansPerDegree;
  return place;
}

// The Earth's place at noon is the one the day's sun is reckoned from, and
// the site plays no part in the radius.
double sunRadius(CalendarDate day) { return SunDay(day, 0, 0).at(kNoon).radius; }

}  // namespace vantorel
