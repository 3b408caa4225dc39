#pragma once
// The footer's 50 mm bar measured on a picture of the page, for every path
// the page takes to paper or a file: the bar's dark run on its line, in
// millimetres at the picture's pixels per millimetre.
#include <QImage>
#include <algorithm>
#include <cmath>

#include "sheet_geometry.h"

namespace vantorel::sheet_testing {

inline double measuredBarMillimetres(const QImage& page, const Job& job, Paper paper, double pixelsPerMm) {
  const sheet::Layout l = sheet::layoutPage(paper, sheet::contentOf(job));
  const int row = static_cast<int>(std::lround(l.barY * pixelsPerMm));
  const int from = std::max(0, static_cast<int>((l.barLeft - 10) * pixelsPerMm));
  const int to = std::min(page.width() - 1, static_cast<int>((l.barRight + 10) * pixelsPerMm));
  int longest = 0;
  // The line is thin and drawn smooth: the darkest of the rows about it.
  for (int y = std::max(0, row - 3); y <= std::min(page.height() - 1, row + 3); ++y) {
    int first = -1, last = -1;
    for (int x = from; x <= to; ++x) {
      const QRgb pixel = page.pixel(x, y);  // a PDF renders on a transparent page
      if (qAlpha(pixel) > 128 && qGray(pixel) < 128) {
        if (first < 0) first = x;
        last = x;
      }
    }
    if (first >= 0) longest = std::max(longest, last - first + 1);
  }
  return longest / pixelsPerMm;
}

}  // namespace vantorel::sheet_testing
