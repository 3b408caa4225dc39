#pragma once
// Sheets for the tests: a site, a satellite and a declination, with the
// figures computed as the command line computes them and the site's texts as
// it prints them, and the built-in list as the list in effect.
#include <string>

#include "listmod.h"
#include "lnb_skew.h"
#include "onecalc.h"
#include "sheet_job.h"

namespace vantorel::sheet_testing {

struct Site {
  const char* name;
  const char* latitude;  // as printed, then as decimal degrees
  const char* latitudeDecimal;
  const char* longitude;
  const char* longitudeDecimal;
  Single latitudeNorth;
  Single longitudeWest;
  Single satelliteWest;
  const char* satellite;
  const char* declination;
};

// North of the equator, the README's example; Sydney and a satellite 156 E;
// Sydney and a satellite 101 W, 36 degrees below its horizon.
inline constexpr Site kSites[] = {
    {"north", "42°01'00.0\" N", "42.016667", "91°01'00.0\" W", "-91.016667", 42.016667f, 91.016667f, 101, "101° W",
     "-8"},
    {"south", "33°52'12.0\" S", "-33.87", "151°12'36.0\" E", "151.21", -33.87f, -151.21f, -156, "156° E", "12.5"},
    {"below", "33°52'12.0\" S", "-33.87", "151°12'36.0\" E", "151.21", -33.87f, -151.21f, 101, "Galaxy 3C, 101° W",
     "12.5"},
};

inline SheetJob jobFor(const Site& site) {
  SheetJob job;
  job.latitude = site.latitude;
  job.latitudeDecimal = site.latitudeDecimal;
  job.longitude = site.longitude;
  job.longitudeDecimal = site.longitudeDecimal;
  job.satellite = site.satellite;
  job.date = "2026-12-07";
  job.declination = site.declination;
  job.declinationSource = "typed";
  job.version = "Vantorel 1.0.4";
  job.site = {site.latitudeNorth, site.longitudeWest, site.satelliteWest, textToSingle(site.declination)};
  const OnecalcResult r = onecalc(job.site);
  job.figures = {{"AZIMUTH TRUE", r.Text1},
                 {"AZIMUTH MAGNETIC", r.Text2},
                 {"ELEVATION", r.Text3},
                 {"LNB SKEW", lnbSkew(job.site).Text}};
  Catalogue catalogue;
  listmod(catalogue);
  for (int row = 0; row < rowCount(catalogue); ++row) {
    const int slot = slotForRow(row);
    job.satellites.push_back({catalogue.SatelliteNames[slot], textToSingle(catalogue.longitudeOf(slot))});
  }
  return job;
}

}  // namespace vantorel::sheet_testing
