#pragma once
// What the installation sheet shows: the texts the command line prints for
// one satellite, handed over as they are printed. The sheet never recomputes
// or reformats a figure; the angles its drawings need are read back from
// these texts, so a drawing always shows the printed value.
//
// Conventions are the command line's: latitude North positive, longitudes
// degrees West (East negative), declination East positive, azimuths
// clockwise from north, LNB skew positive clockwise as seen from behind the
// dish looking at the satellite. No Qt.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "onecalc.h"

namespace vantorel {

// One labelled line as printed: {"AZIMUTH MAGNETIC", "202.7342"}.
struct SheetFigure {
  std::string label;
  std::string value;
};

// A satellite of the list in effect, marked on the sky view's arc.
struct SheetSatellite {
  std::string name;         // may be empty: the mark then goes unlabelled
  Single longitudeWest = 0;  // degrees West, East negative, as computed
};

struct SheetJob {
  std::string latitude;          // degrees, minutes, seconds: 42°01'00.0" N
  std::string latitudeDecimal;   // signed decimal degrees, North positive: 42.016667
  std::string longitude;         // 91°01'00.0" W
  std::string longitudeDecimal;  // signed decimal degrees, East positive: -91.016667
  std::string satellite;         // its name and position: "Galaxy 3C, 95° W", or "101° W"
  std::string date;              // YYYY-MM-DD
  std::string declination;       // as printed or typed: "-8", "-1.67"
  std::string declinationSource; // "typed", or "World Magnetic Model 2025 on 2026-12-07"
  std::string version;           // "Vantorel 1.0.4"
  // In print order. AZIMUTH TRUE, AZIMUTH MAGNETIC, ELEVATION and LNB SKEW
  // must be among them (the drawings read their angles from these); any
  // further setting the run prints follows them.
  std::vector<SheetFigure> figures;
  // The site and satellite the figures were computed for, as onecalc took
  // them: the sky view computes the arc and the list's marks from it.
  OnecalcInputs site;
  std::vector<SheetSatellite> satellites;  // may be empty
};

enum class Paper { A4, Letter };

enum class SheetFormat { Pdf, Svg, Png };

// The format a file name asks for by its extension, in any case: .pdf, .svg
// or .png; nothing for any other name.
std::optional<SheetFormat> sheetFormatFor(std::string_view fileName);

// "a4" or "letter", in any case; nothing for any other name.
std::optional<Paper> paperNamed(std::string_view name);

}  // namespace vantorel
