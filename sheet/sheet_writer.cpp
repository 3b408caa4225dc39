#include "sheet_writer.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "calc_error.h"
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
  return {static_cast<int>(std::lround(page.width / kMillimetresPerInch * dpi)),
          static_cast<int>(std::lround(page.height / kMillimetresPerInch * dpi))};
}

// Paints on a device whose logical unit is one dot at `dpi`, in millimetres.
bool paint(QPaintDevice& device, double dpi, const Job& job, Paper paper) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.scale(dpi / kMillimetresPerInch, dpi / kMillimetresPerInch);
  sheet::paintSheet(painter, job, paper);
  return painter.end();
}

bool writeTo(QIODevice& file, SheetFormat format, const Job& job, Paper paper) {
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
      const QImage image = sheet::sheetImage(job, paper, kPngDpi);
      return !image.isNull() && image.save(&file, "PNG");
    }
  }
  return false;
}

// Writes bytes to path whole or not at all: to a file of its own beside it,
// then renamed into place, so that a failure leaves no partial file and an
// existing file untouched. The path is taken byte for byte, so a name that
// is not UTF-8 is written under its own bytes. Returns "" when written, else
// why not.
std::string writeWhole(const std::string& path, const QByteArray& bytes) {
  std::string beside = path + ".XXXXXX";
  const int fd = ::mkstemp(beside.data());
  if (fd < 0) return std::strerror(errno);
  // mkstemp makes a private file; the sheet gets a new file's usual mode.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  bool ok = ::fchmod(fd, 0666 & ~mask) == 0;
  for (qsizetype at = 0; ok && at < bytes.size();) {
    const ssize_t wrote = ::write(fd, bytes.constData() + at, static_cast<std::size_t>(bytes.size() - at));
    if (wrote < 0 && errno == EINTR) continue;
    ok = wrote > 0;
    at += wrote;
  }
  const int error = errno;
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(beside.c_str(), path.c_str()) == 0) return {};
  const int why = ok ? errno : error;
  ::unlink(beside.c_str());
  return std::strerror(why);
}

}  // namespace

SheetOutcome writeSheet(const Job& job, Paper paper, const std::string& path) {
  const std::string named = "the sheet \"" + quotedText(path) + "\"";
  const auto format = sheetFormatFor(path);
  if (!format) return SheetOutcome::refused(named + " is not named .pdf, .svg or .png");
  if (!job.chosen) return SheetOutcome::refused(named + " needs a satellite");
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool drawn = false;
  try {
    drawn = writeTo(buffer, *format, job, paper);
  } catch (const std::exception& e) {
    return SheetOutcome::refused(named + " was not written: " + e.what());
  }
  if (!drawn) return SheetOutcome::refused(named + " could not be drawn");
  const std::string failed = writeWhole(path, bytes);
  return failed.empty() ? SheetOutcome::done() : SheetOutcome::refused(named + " cannot be written: " + failed);
}

}  // namespace vantorel
