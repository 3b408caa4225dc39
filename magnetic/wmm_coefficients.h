#pragma once
// The World Magnetic Model as the build compiles it in: the coefficient
// file's lines and header, and what magnetic/CMakeLists.txt says beside the
// file. The definition is generated from the file at build time.
//
// Units: g, h in nT; gDot, hDot in nT a year; years as decimal years
// (year + (day of year - 1) / days in that year); the radius in metres.

#include <span>
#include <string_view>

namespace vantorel::wmm {

// One line of the file: the Schmidt semi-normalised Gauss coefficients of
// degree n and order m at the epoch, and their yearly changes.
struct CoefficientRow {
  int n;
  int m;
  double g;
  double h;
  double gDot;
  double hDot;
};

struct ModelData {
  std::string_view title;                // the model's name as people say it
  std::string_view name;                 // the file header's name, "WMM-2025"
  std::string_view releaseDate;          // as the file header writes it
  double epoch;                          // decimal year of the coefficients; the model serves from here
  double validUntil;                     // first decimal year the model no longer serves
  int degree;                            // highest n; every m = 0 to n is present for n = 1 to degree
  double referenceRadius;                // metres, the sphere the coefficients refer to
  double blackoutBelow;                  // nT of horizontal intensity under which a compass is unreliable
  double cautionBelow;                   // nT under which a compass needs care
  std::span<const CoefficientRow> rows;  // in the file's order: n = 1, 2, ..., m = 0 to n
};

extern const ModelData kModel;

}  // namespace vantorel::wmm
