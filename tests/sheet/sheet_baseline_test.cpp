// The installation sheet as it looks, against committed baseline images, as
// matplotlib tests its figures: each job's page is drawn anew and compared
// by root-mean-square difference, a tolerance that lets anti-aliasing pass
// but not a moved label or a missing stroke. On a failure the new image and
// a difference image are written beside the build and named. The planner's
// preview is held to the same baselines.
//
// Regenerate the baselines, when a drawing changes on purpose, with
// scripts/regenerate-sheet-baselines; the commit says why.

#include <QDir>
#include <QImage>
#include <QtTest>
#include <cmath>

#include "job_builder.h"
#include "sheet_painter.h"
#include "sheet_preview.h"

using namespace vantorel;

namespace {

// Dots per inch of the baselines: a label moved by a millimetre moves four
// pixels.
constexpr double kDpi = 100;
// Root-mean-square difference over every channel, 0 to 255. The same build
// draws the same pixels; the dev and sanitizer builds drew the six pages
// alike to the pixel. A label 1 mm out of place gives about 3, a missing
// arc 4.
constexpr double kTolerance = 0.8;

struct Baseline {
  const char* name;
  InputTexts boxes;
  const char* list;  // a fixture, or nullptr for the built-in list
  Paper paper;
  bool motor;
  const char* zone;
  std::vector<std::string> multifeed = {};  // extra LNBs, on an 80 cm dish
  bool longTexts = false;  // a customer, address and notes that wrap
  // Obstacles as typed, with a horizon profile beside them, and the sun on
  // the dish's bearing.
  std::vector<std::string> obstacles = {};
};

const Baseline kBaselines[] = {
    {"north", {"420100", "0910100", "101", "-8"}, nullptr, Paper::A4, false, nullptr},
    {"south", {"33.87S", "151.21E", "156E", "12.5"}, nullptr, Paper::A4, false, "Australia/Sydney"},
    {"below_horizon", {"33.87S", "151.21E", "101", "12.5"}, nullptr, Paper::A4, false, nullptr},
    {"motor", {"420100", "0910100", "101", "-1.68"}, nullptr, Paper::A4, true, "America/Chicago"},
    {"crowded", {"30.0444N", "31.2357E", "hotbird 13g", "4.4"}, "receiver_europe.xml", Paper::A4, false, "Africa/Cairo"},
    {"letter", {"51.5074N", "0.1278W", "28.2E", "1.2"}, "satellites_bands.xml", Paper::Letter, false, "Europe/London"},
    {"multifeed", {"51.5074N", "0.1278W", "19.2E", "1.2"}, "satellites_bands.xml", Paper::A4, false, "Europe/London",
     {"hotbird 13g", "28.2E"}},
    {"long_notes", {"51.5074N", "0.1278W", "28.2E", "1.2"}, nullptr, Paper::A4, false, nullptr, {}, true},
    {"obstacles", {"51.5074N", "0.1278W", "astra 2e", "1.2"}, "satellites_transponders.xml", Paper::A4, false,
     "Europe/London", {}, false, {"140-150:8m@15m", "195-215M:12"}},
};

Job jobFor(const Baseline& b) {
  JobRequest request;
  request.inputs = b.boxes;
  request.date = std::string("2027-01-01");
  request.typedSatellite = true;
  request.everySatellite = true;
  request.motor = b.motor;
  if (b.motor) {
    request.offsetAngle = std::string("22.3");
    request.customer = "J. Smith";
    request.address = "1 Main Street, Dubuque, Iowa";
    request.notes = "Roof access from the back yard";
  }
  request.sunOutage = OutageCriterion{};
  if (b.zone) request.timeZone = std::string(b.zone);
  request.multifeed = b.multifeed;
  if (b.longTexts) {
    request.customer = "The Residents' Association of Harbour View Mansions, care of the caretaker on the ground floor";
    request.address = "Flat 12, Harbour View Mansions, 45 Long Street, Upper Westbury, London SW19 8AB";
    request.notes =
        "Roof access by the north stairwell only; the caretaker has the key. A young plane tree stands 12 m south-east "
        "of the chimney and reaches 9 m above the roof line: check that it clears the line of sight to 28.2E before "
        "drilling. The old dish on the east wall comes down.";
  }
  request.dish = dishOptics(800, std::nullopt, 11.7);
  if (!b.obstacles.empty()) {
    request.obstacles = b.obstacles;
    request.horizon = HorizonProfile{{{90, 4}, {180, 8}, {240, 2}, {300, 6}}, "roofline.csv"};
    request.sunBearing = true;
  }
  const SatelliteCatalog list = b.list ? loadSatelliteList(std::string(VANTOREL_LIST_FIXTURES "/") + b.list)
                                    : builtInSatelliteList(BuiltInList::Nineties);
  return buildJob(request, list, "the list");
}

// The root-mean-square difference of two images of one size, and an image
// of where they differ, the differences made bright.
double difference(const QImage& a, const QImage& b, QImage& shown) {
  shown = QImage(a.size(), QImage::Format_RGB32);
  double sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(shown.scanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      const int dr = qRed(pa[x]) - qRed(pb[x]), dg = qGreen(pa[x]) - qGreen(pb[x]), db = qBlue(pa[x]) - qBlue(pb[x]);
      sum += dr * dr + dg * dg + db * db;
      out[x] = qRgb(std::min(255, 4 * std::abs(dr)), std::min(255, 4 * std::abs(dg)), std::min(255, 4 * std::abs(db)));
    }
  }
  return std::sqrt(sum / (3.0 * a.width() * a.height()));
}

}  // namespace

class SheetBaselineTest : public QObject {
  Q_OBJECT

  // Compares a page with its baseline; on failure writes the new image and
  // the difference beside the build.
  void compare(const QImage& drawn, const QString& name) {
    const QString baseline = QStringLiteral(VANTOREL_BASELINES "/%1.png").arg(name);
    if (qEnvironmentVariableIsSet("VANTOREL_WRITE_BASELINES")) {
      QVERIFY(drawn.save(baseline));
      return;
    }
    const QImage expected = QImage(baseline).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!expected.isNull(), qPrintable(baseline + QStringLiteral(" is missing")));
    const QImage actual = drawn.convertToFormat(QImage::Format_RGB32);
    QCOMPARE(actual.size(), expected.size());
    QImage shown;
    const double rms = difference(actual, expected, shown);
    if (rms > kTolerance) {
      QDir().mkpath(QStringLiteral(VANTOREL_FAILED_IMAGES));
      const QString stem = QStringLiteral(VANTOREL_FAILED_IMAGES "/%1").arg(name);
      actual.save(stem + QStringLiteral("-actual.png"));
      shown.save(stem + QStringLiteral("-difference.png"));
      QFAIL(qPrintable(QStringLiteral("%1 differs from its baseline by %2 RMS (tolerance %3): see %4-actual.png and "
                                      "%4-difference.png")
                           .arg(name)
                           .arg(rms, 0, 'f', 2)
                           .arg(kTolerance)
                           .arg(stem)));
    }
  }

 private slots:
  void pageMatchesItsBaseline_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(std::size(kBaselines)); ++i) QTest::newRow(kBaselines[i].name) << i;
  }

  void pageMatchesItsBaseline() {
    QFETCH(int, index);
    const Baseline& b = kBaselines[index];
    compare(sheet::sheetImage(jobFor(b), b.paper, kDpi), QString::fromLatin1(b.name));
  }

  // The planner's preview draws the same page.
  void plannerPreviewMatchesTheBaseline() {
    SheetPreview preview;
    preview.setJob(std::make_shared<const Job>(jobFor(kBaselines[3])), kBaselines[3].paper);
    compare(preview.imageAt(kDpi), QString::fromLatin1(kBaselines[3].name));
  }
};

QTEST_MAIN(SheetBaselineTest)
#include "sheet_baseline_test.moc"
