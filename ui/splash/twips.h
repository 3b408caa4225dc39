#pragma once
// Twips: the unit of every window position and size in the program's window
// layouts. A twip is 1/1440 inch, so a twip measures
// 1440 / (logical dots per inch) pixels: 15 twips make one pixel at 96 dpi,
// 12 at 120 dpi. Pixels here are Qt's device-independent pixels, and the
// dots per inch are the screen's logical ones, the same that Qt uses to turn
// font point sizes into pixels, so text and layout grow together.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

class QScreen;

namespace vantorel {

inline constexpr double kTwipsPerInch = 1440.0;
// What a screen reports when nothing else is known; the usual desktop value.
inline constexpr double kDefaultLogicalDpi = 96.0;

class TwipScale {
 public:
  explicit constexpr TwipScale(double logicalDpi = kDefaultLogicalDpi)
      : m_twipsPerPixel(kTwipsPerInch / logicalDpi) {}

  // The scale of screen; the default scale for a null screen.
  static TwipScale of(const QScreen* screen);

  constexpr double twipsPerPixel() const { return m_twipsPerPixel; }

  // Rounded to the nearest whole pixel.
  int toPixels(double twips) const { return static_cast<int>(std::lround(twips / m_twipsPerPixel)); }
  QPoint toPixels(double left, double top) const { return {toPixels(left), toPixels(top)}; }
  QRect toPixels(double left, double top, double width, double height) const {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
  }

  double toTwips(int pixels) const { return pixels * m_twipsPerPixel; }

 private:
  double m_twipsPerPixel;
};

}  // namespace vantorel
