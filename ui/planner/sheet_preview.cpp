#include "sheet_preview.h"

#include <QPainter>
#include <QResizeEvent>

#include "sheet_geometry.h"
#include "sheet_painter.h"

namespace vantorel {
namespace {

constexpr int kShadow = 3;  // pixels of the page's shadow
constexpr int kMargin = 8;  // pixels round the page

}  // namespace

SheetPreview::SheetPreview(QWidget* parent) : QWidget(parent) {
  setMinimumSize(160, 220);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize SheetPreview::sizeHint() const { return {420, 580}; }

void SheetPreview::setJob(std::shared_ptr<const Job> job, Paper paper, const QString& whyNone) {
  m_job = std::move(job);
  m_paper = paper;
  m_whyNone = whyNone;
  redraw();
}

void SheetPreview::redraw() {
  render();
  update();
}

QImage SheetPreview::imageAt(double dotsPerInch) const {
  return m_job ? sheet::sheetImage(*m_job, m_paper, dotsPerInch) : QImage();
}

void SheetPreview::render() {
  if (!m_job) {
    m_image = QImage();
    return;
  }
  // The resolution at which the page fills the room, in the screen's own
  // pixels, so that a scaled desktop shows it sharp.
  const sheet::PageSize page = sheet::pageSize(m_paper);
  const double room = std::min((width() - 2 * kMargin) / page.width, (height() - 2 * kMargin) / page.height);
  const double ratio = devicePixelRatioF();
  m_image = imageAt(std::max(1.0, room * kMillimetresPerInch * ratio));
  m_image.setDevicePixelRatio(ratio);
}

void SheetPreview::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  render();
}

void SheetPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (m_image.isNull()) {
    painter.drawText(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin), Qt::AlignCenter | Qt::TextWordWrap,
                     m_whyNone.isEmpty() ? tr("The sheet shows here once the site and a satellite are set.")
                                         : tr("No sheet: %1").arg(m_whyNone));
    return;
  }
  const QSizeF size = m_image.deviceIndependentSize();
  const QPointF corner((width() - size.width()) / 2, (height() - size.height()) / 2);
  painter.fillRect(QRectF(corner + QPointF(kShadow, kShadow), size), palette().shadow());
  painter.drawImage(corner, m_image);
}

}  // namespace vantorel
