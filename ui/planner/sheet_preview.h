#pragma once
// The installation sheet as it will print, scaled to fit: the very image the
// PNG writer makes, drawn at the resolution that fills the widget, and at the
// screen's own pixel density so that it stays sharp when the desktop is
// scaled.

#include <QImage>
#include <QWidget>
#include <memory>

#include "job.h"
#include "sheet_format.h"

namespace vantorel {

class SheetPreview : public QWidget {
  Q_OBJECT

 public:
  explicit SheetPreview(QWidget* parent = nullptr);

  // The job to show, or none (a job the inputs do not make yet) and why.
  // The job is the window's, shared; redraw() draws it again after the
  // window changed its texts.
  void setJob(std::shared_ptr<const Job> job, Paper paper, const QString& whyNone = {});
  void redraw();
  // The image last drawn; null when there is no job.
  const QImage& image() const { return m_image; }
  // The image for a page of dotsPerInch, drawn anew.
  QImage imageAt(double dotsPerInch) const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void render();

  std::shared_ptr<const Job> m_job;
  Paper m_paper = Paper::A4;
  QString m_whyNone;
  QImage m_image;
};

}  // namespace vantorel
