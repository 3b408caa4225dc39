#pragma once
// Paints the installation sheet with one QPainter, whatever the device: the
// painter arrives with its logical unit set to one millimetre of the page,
// origin at the page's top-left corner, so every line has its printed size.

#include <QImage>
#include <QPainter>

#include "sheet_geometry.h"


namespace vantorel::sheet {

// The face of every text on the sheet: DejaVu Sans, which the package
// depends on (fonts-dejavu-core), so an installed program draws what the
// tests saw; its outlines are TrueType, which PDF writers embed as they are.
inline constexpr const char* kFace = "DejaVu Sans";

// What the installer sets, in one colour: the dish's arrow, the line of
// sight, the turned LNB, the chosen satellite.
inline constexpr QRgb kDishColour = 0xff1565c0;

// The job must have a chosen satellite.
void paintSheet(QPainter& painter, const Job& job, Paper paper);

// The page as an image of dotsPerInch, white under the drawing: what a PNG
// sheet holds, and what a preview shows.
QImage sheetImage(const Job& job, Paper paper, double dotsPerInch);

}  // namespace vantorel::sheet
