// The installation sheet as written: each format read back by Qt with the
// printed figures in it, the dish's arrow where the geometry puts it, and the
// files it cannot write refused without a trace.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include "sheet_geometry.h"
#include "sheet_jobs.h"
#include "scale_bar.h"
#include "sheet_painter.h"
#include "sheet_writer.h"

using namespace vantorel;

namespace {

QPoint pixelAt(sheet::Point mm) {
  return {static_cast<int>(std::lround(mm.x / 25.4 * 150)), static_cast<int>(std::lround(mm.y / 25.4 * 150))};
}

bool isDishColour(QRgb pixel) {
  const QColor want = QColor::fromRgb(sheet::kDishColour), got = QColor::fromRgb(pixel);
  return std::abs(want.red() - got.red()) + std::abs(want.green() - got.green()) + std::abs(want.blue() - got.blue()) <
         60;
}

}  // namespace

class SheetDrawingTest : public QObject {
  Q_OBJECT

 private slots:
  void writesOnePageWithThePrintedFigures_data() {
    QTest::addColumn<int>("site");
    QTest::addColumn<bool>("letter");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSizeF>("size");  // points, SVG units (0.1 mm) or pixels at 150 dpi
    for (int site = 0; site < 3; ++site) {
      const bool letter = site == 1;
      const char* name = sheet_testing::kSites[site].name;
      QTest::addRow("%s pdf", name) << site << letter << "job.pdf"
                                    << (letter ? QSizeF(612, 792) : QSizeF(595.28, 841.89));
      QTest::addRow("%s svg", name) << site << letter << "job.SVG"
                                    << (letter ? QSizeF(2159, 2794) : QSizeF(2100, 2970));
      QTest::addRow("%s png", name) << site << letter << "job.png"
                                    << (letter ? QSizeF(1275, 1650) : QSizeF(1240, 1754));
    }
  }

  void writesOnePageWithThePrintedFigures() {
    QFETCH(int, site);
    QFETCH(bool, letter);
    const Paper paper = letter ? Paper::Letter : Paper::A4;
    QFETCH(QString, file);
    QFETCH(QSizeF, size);
    const Job job = sheet_testing::jobFor(sheet_testing::kSites[site]);
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    QVERIFY(writeSheet(job, paper, path.toStdString()).written);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{file});  // nothing left beside it

    QString text;
    if (file.endsWith(QLatin1String("pdf"))) {
      QPdfDocument pdf;
      QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
      QCOMPARE(pdf.pageCount(), 1);
      QVERIFY(std::abs(pdf.pagePointSize(0).width() - size.width()) < 0.5);
      QVERIFY(std::abs(pdf.pagePointSize(0).height() - size.height()) < 0.5);
      text = pdf.getAllText(0).text();
      // The file says what it is and what made it.
      QVERIFY(pdf.metaData(QPdfDocument::MetaDataField::Title).toString().startsWith(QStringLiteral("Installation sheet: ")));
      QVERIFY(pdf.metaData(QPdfDocument::MetaDataField::Creator).toString().startsWith(QStringLiteral("Vantorel ")));
    } else if (file.endsWith(QLatin1String("SVG"))) {
      QSvgRenderer svg(path);
      QVERIFY(svg.isValid());
      QCOMPARE(svg.viewBoxF().size(), size);
      QFile bytes(path);
      QVERIFY(bytes.open(QIODevice::ReadOnly));
      text = QString::fromUtf8(bytes.readAll());
      QVERIFY(text.contains(QStringLiteral("<title>Installation sheet: ")));
      QVERIFY(text.contains(QStringLiteral("<desc>Vantorel ")));
    } else {
      const QImage image(path);
      QCOMPARE(QSizeF(image.size()), size);
      return;
    }
    for (const Figure& figure : chosenFigures(job, false)) {
      QVERIFY2(text.contains(QString::fromStdString(figure.text)), figure.text.c_str());
    }
    for (const std::string& s : {job.site.latitudeDecimal, job.site.longitudeDecimal, satelliteText(*job.chosen),
                                 calendarDateText(job.site.date)}) {
      QVERIFY2(text.contains(QString::fromStdString(s)), s.c_str());
    }
    // What the terminal says, the page says; below the horizon it sets no
    // direction and no turn.
    QCOMPARE(job.notices.size(), std::size_t{site == 2 ? 1u : 0u});
    for (const Notice& notice : job.notices) QVERIFY(text.contains(QString::fromStdString(notice.text.substr(1))));
    QCOMPARE(text.contains(QStringLiteral("direction to point")), site == 2);
    QCOMPARE(text.contains(QStringLiteral("no LNB turn to set")), site == 2);
    QCOMPARE(text.contains(QStringLiteral("Turn ")), site != 2);
  }

  // Each file the page is written to holds the footer's bar at 50 mm: the
  // PDF at its points, the SVG at its tenths of a millimetre and the PNG at
  // its 150 dots per inch.
  void theScaleBarIsFiftyMillimetresInEveryFile() {
    const Job job = sheet_testing::jobFor(sheet_testing::kSites[0]);
    QTemporaryDir dir;
    constexpr double kDpi = 150, kPixelsPerMm = kDpi / kMillimetresPerInch;
    for (const QString& name : {QStringLiteral("bar.pdf"), QStringLiteral("bar.svg"), QStringLiteral("bar.png")}) {
      const QString path = dir.filePath(name);
      QVERIFY(writeSheet(job, Paper::A4, path.toStdString()).written);
      QImage page;
      if (name.endsWith(QLatin1String("pdf"))) {
        QPdfDocument pdf;
        QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
        page = pdf.render(0, (pdf.pagePointSize(0) * kDpi / 72).toSize());
      } else if (name.endsWith(QLatin1String("svg"))) {
        QSvgRenderer svg(path);
        page = QImage(QSize(1240, 1754), QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        svg.render(&painter);
      } else {
        page = QImage(path);
      }
      QVERIFY(!page.isNull());
      const double bar = sheet_testing::measuredBarMillimetres(page, job, Paper::A4, kPixelsPerMm);
      QVERIFY2(std::abs(bar - 50) < 0.6, qPrintable(name + QStringLiteral(": %1 mm").arg(bar)));
    }
  }

  // A satellite on the site's meridian needs no turn of the LNB, not a turn
  // of 0 degrees one way or the other.
  void saysNoTurnUnderHalfADegree() {
    const Job job = sheet_testing::jobFor({"meridian", "420100", "0910100", "91", "-8"});
    QVERIFY(std::abs(static_cast<double>(job.chosen->skew.Skew)) < 0.5);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("job.pdf"));
    QVERIFY(writeSheet(job, Paper::A4, path.toStdString()).written);
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    const QString text = pdf.getAllText(0).text();
    QVERIFY(text.contains(QStringLiteral("No turn")));
    QVERIFY(!text.contains(QStringLiteral("Turn 0")));
  }

  // The arrow's head is dish-coloured where the geometry puts it, and not
  // where a mirrored or turned dial would have drawn it.
  void arrowPointsAtTheMagneticAzimuth() {
    for (int site : {0, 1}) {
      const Job job = sheet_testing::jobFor(sheet_testing::kSites[site]);
      QTemporaryDir dir;
      const QString path = dir.filePath(QStringLiteral("dial.png"));
      QVERIFY(writeSheet(job, Paper::A4, path.toStdString()).written);
      const QImage image(path);
      const sheet::Dial d = sheet::dialGeometry(sheet::layoutPage(Paper::A4, sheet::contentOf(job)).dial,
                                                sheet::anglesOf(job));
      const sheet::Point head = d.arrowHeadCentre, c = d.centre;
      QVERIFY(isDishColour(image.pixel(pixelAt(head))));
      QVERIFY(!isDishColour(image.pixel(pixelAt({2 * c.x - head.x, head.y}))));            // mirrored
      QVERIFY(!isDishColour(image.pixel(pixelAt({2 * c.x - head.x, 2 * c.y - head.y}))));  // turned half round
      QVERIFY(!isDishColour(image.pixel(pixelAt({c.x - (head.y - c.y), c.y + (head.x - c.x)}))));  // a quarter
    }
  }

  void refusesWhatItCannotWrite_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("withFigures");
    QTest::addRow("not a sheet's name") << "job.txt" << true;
    QTest::addRow("no such folder") << "missing/job.pdf" << true;
    QTest::addRow("no satellite") << "job.png" << false;
  }

  void refusesWhatItCannotWrite() {
    QFETCH(QString, file);
    QFETCH(bool, withFigures);
    Job job = sheet_testing::jobFor(sheet_testing::kSites[0]);
    if (!withFigures) job.chosen.reset();
    QTemporaryDir dir;
    QVERIFY(!writeSheet(job, Paper::A4, dir.filePath(file).toStdString()).written);
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
  }
};

QTEST_MAIN(SheetDrawingTest)
#include "sheet_drawing_test.moc"
