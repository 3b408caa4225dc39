#include "sys_info.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <stdexcept>
#include <utility>

#include "twips.h"

namespace vantorel {

SysInfo::SysInfo(AreaSource source) : m_source(std::move(source)) {}

SysInfo SysInfo::forWindow(const QWidget& window) {
  return SysInfo{[&window] {
    // A window that is not shown yet reports the screen it will open on.
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
      screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
      throw std::invalid_argument("the window system reports no screen");
    }
    return ScreenArea{screen->availableGeometry().size(), screen->logicalDotsPerInch()};
  }};
}

double SysInfo::value(SysInfoProperty property) const {
  const ScreenArea area = m_source();
  if (!(area.logicalDpi > 0)) {
    throw std::invalid_argument("the screen reports no dots per inch");
  }
  const TwipScale scale{area.logicalDpi};
  switch (property) {
    case SysInfoProperty::WorkAreaWidth:
      return scale.toTwips(area.availablePixels.width());
    case SysInfoProperty::WorkAreaHeight:
      return scale.toTwips(area.availablePixels.height());
  }
  throw std::invalid_argument("unknown system information property");
}

}  // namespace vantorel
