#pragma once
// The system information the start-up reads: the size of the desktop's work
// area, that is the screen less the taskbar and docked panels, in twips.
// Two properties exist, known by number as the start-up asks for them:
// 9 is the work area's width, 8 its height. Each read asks the window system
// afresh, so a panel that appears or a screen that changes is seen at once.

#include <QSize>
#include <functional>

class QWidget;

namespace vantorel {

enum class SysInfoProperty : int {
  WorkAreaHeight = 8,
  WorkAreaWidth = 9,
};

// A screen's work area in device-independent pixels, with the logical dots
// per inch that turn those pixels into twips.
struct ScreenArea {
  QSize availablePixels;
  double logicalDpi = 0;
};

class SysInfo {
 public:
  using AreaSource = std::function<ScreenArea()>;

  // Reports the area that source gives; tests pass a fixed one.
  explicit SysInfo(AreaSource source);

  // Reports the work area of the screen that window opens on.
  static SysInfo forWindow(const QWidget& window);

  // The property's value in twips. Throws std::invalid_argument for a screen
  // without a positive dots-per-inch value, which has no size in twips.
  double value(SysInfoProperty property) const;

 private:
  AreaSource m_source;
};

}  // namespace vantorel
