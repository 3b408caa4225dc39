#include "sheet_writer.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>
#include <exception>

#include "program_version.h"
#include "sheet_painter.h"

namespace vantorel {
namespace {

// The PDF's own resolution: positions are written to 1/1200 inch.
constexpr int kPdfDpi = 1200;
// The SVG's: at 254 dots per inch a dot is a tenth of a millimetre, so the
// page's size is written in whole millimetres (210mm, not 209.97mm).
constexpr int kSvgDpi = 254;
constexpr int kPngDpi = 150;

QSize pixels(const sheet::PageSize& page, int dpi) {
  return {static_cast<int>(std::lround(page.width / 25.4 * dpi)),
          static_cast<int>(std::lround(page.height / 25.4 * dpi))};
}

// Paints on a device whose logical unit is one dot at `dpi`, in millimetres.
bool paint(QPaintDevice& device, double dpi, const Job& job, Paper paper) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.scale(dpi / 25.4, dpi / 25.4);
  sheet::paintSheet(painter, job, paper);
  return painter.end();
}

bool writeTo(QSaveFile& file, SheetFormat format, const Job& job, Paper paper) {
  const sheet::PageSize page = sheet::pageSize(paper);
  const QString title = QStringLiteral("Installation sheet: %1").arg(QString::fromStdString(satelliteText(*job.chosen)));
  const QString version = QString::fromLatin1(kProgramName) + QLatin1Char(' ') + QString::fromLatin1(kShownVersion);
  switch (format) {
    case SheetFormat::Pdf: {
      QPdfWriter writer(&file);
      writer.setPageSize(QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4));
      writer.setPageMargins(QMarginsF(0, 0, 0, 0));
      writer.setResolution(kPdfDpi);
      writer.setTitle(title);
      writer.setCreator(version);
      return paint(writer, kPdfDpi, job, paper);
    }
    case SheetFormat::Svg: {
      QSvgGenerator generator;
      generator.setOutputDevice(&file);
      generator.setResolution(kSvgDpi);
      generator.setSize(pixels(page, kSvgDpi));
      generator.setViewBox(QRect(QPoint(0, 0), pixels(page, kSvgDpi)));
      generator.setTitle(title);
      generator.setDescription(version);
      return paint(generator, kSvgDpi, job, paper);
    }
    case SheetFormat::Png: {
      QImage image(pixels(page, kPngDpi), QImage::Format_RGB32);
      const int dotsPerMetre = static_cast<int>(std::lround(kPngDpi / 0.0254));
      image.setDotsPerMeterX(dotsPerMetre);
      image.setDotsPerMeterY(dotsPerMetre);
      image.fill(Qt::white);
      return paint(image, kPngDpi, job, paper) && image.save(&file, "PNG");
    }
  }
  return false;
}

}  // namespace

std::string writeSheet(const Job& job, Paper paper, const std::string& path) {
  const std::string named = "the sheet '" + path + "'";
  const auto format = sheetFormatFor(path);
  if (!format) return named + " is not named .pdf, .svg or .png";
  if (!job.chosen) return named + " needs a satellite";
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) {
    return named + " cannot be written: " + file.errorString().toStdString();
  }
  bool drawn = false;
  try {
    drawn = writeTo(file, *format, job, paper);
  } catch (const std::exception& e) {
    file.cancelWriting();
    return named + " was not written: " + e.what();
  }
  if (!drawn) {
    file.cancelWriting();
    return named + " could not be drawn";
  }
  if (!file.commit()) return named + " cannot be written: " + file.errorString().toStdString();
  return {};
}

}  // namespace vantorel
