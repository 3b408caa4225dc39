#include "twips.h"

#include <QScreen>

namespace vantorel {

TwipScale TwipScale::of(const QScreen* screen) {
  if (screen == nullptr || !(screen->logicalDotsPerInch() > 0)) {
    return TwipScale{};
  }
  return TwipScale{screen->logicalDotsPerInch()};
}

}  // namespace vantorel
