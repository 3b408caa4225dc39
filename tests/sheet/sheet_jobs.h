#pragma once
// Sheets for the tests, each from a job the program itself builds for what
// a user types, with the built-in list in effect.
#include "job_builder.h"

namespace vantorel::sheet_testing {

struct Site {
  const char* name;
  const char* latitude;
  const char* longitude;
  const char* satellite;
  const char* declination;
};

// North of the equator, the README's example; Sydney and a satellite 156 E;
// Sydney and a satellite 101 W, 36 degrees below its horizon.
inline constexpr Site kSites[] = {
    {"north", "420100", "0910100", "101", "-8"},
    {"south", "33.87S", "151.21E", "156E", "12.5"},
    {"below", "33.87S", "151.21E", "101", "12.5"},
};

inline Job jobFor(const Site& site) {
  JobRequest request;
  request.inputs = {site.latitude, site.longitude, site.satellite, site.declination};
  request.date = "2026-12-07";
  request.typedSatellite = true;
  request.everySatellite = true;
  return buildJob(request, builtInSatelliteList(BuiltInList::Nineties), "the built-in list");
}

}  // namespace vantorel::sheet_testing
