// The start-up routine and the splash window: its size, its controls and
// their captions, and that it takes no input. The hand-over is long off in
// every test here; hand_over_test.cpp covers it.

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <chrono>

#include "module1.h"
#include "version_line.h"

using vantorel::ScreenArea;
using vantorel::SplashWindow;
using vantorel::SysInfo;
using vantorel::SysInfoProperty;
using vantorel::TwipScale;

Q_DECLARE_METATYPE(vantorel::ProgramVersion)
Q_DECLARE_METATYPE(vantorel::ScreenArea)

class SplashWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanup();
  void sysInfoReportsTheWorkAreaInTwips_data();
  void sysInfoReportsTheWorkAreaInTwips();
  void versionLineOfAnyVersion_data();
  void versionLineOfAnyVersion();
  void splashAndFrameTakeTheWorkAreasSize_data();
  void splashAndFrameTakeTheWorkAreasSize();
  void splashCoversTheScreensWorkAreaByDefault();
  void controlsStayAtTheirWindowPositions_data();
  void controlsStayAtTheirWindowPositions();
  void captionsFilledAtLoad();
  void labelFonts_data();
  void labelFonts();
  void noticesAreShownWhole_data();
  void noticesAreShownWhole();
  void clicksAndKeysDoNothing_data();
  void clicksAndKeysDoNothing();

 private:
  // Runs the start-up with a fixed work area, Timer1 far beyond the test's
  // length, and a main window that only counts how often it is asked for.
  SplashWindow* start(ScreenArea area = {{800, 560}, 96});

  int m_mainWindowsOpened = 0;
};

void SplashWindowTest::initTestCase() {
  QLocale::setDefault(QLocale::c());
  QApplication::setApplicationName(QStringLiteral("Vantorel"));
}

void SplashWindowTest::cleanup() {
  qDeleteAll(QApplication::topLevelWidgets());
  m_mainWindowsOpened = 0;
}

SplashWindow* SplashWindowTest::start(ScreenArea area) {
  vantorel::StartupSettings settings;
  settings.workArea = [area] { return area; };
  settings.handOver.delay = std::chrono::hours{1};
  settings.handOver.openMainWindow = [this] {
    ++m_mainWindowsOpened;
    return new QWidget;
  };
  return vantorel::Module1::Main(std::move(settings));
}

void SplashWindowTest::sysInfoReportsTheWorkAreaInTwips_data() {
  QTest::addColumn<double>("dpi");
  QTest::addColumn<double>("width");
  QTest::addColumn<double>("height");
  QTest::newRow("96 dpi, 15 twips a pixel") << 96.0 << 19200.0 << 11400.0;
  QTest::newRow("120 dpi, 12 twips a pixel") << 120.0 << 15360.0 << 9120.0;
  QTest::newRow("144 dpi, 10 twips a pixel") << 144.0 << 12800.0 << 7600.0;
}

void SplashWindowTest::sysInfoReportsTheWorkAreaInTwips() {
  QFETCH(double, dpi);
  QFETCH(double, width);
  QFETCH(double, height);
  const SysInfo sysInfo{[=] { return ScreenArea{{1280, 760}, dpi}; }};
  QCOMPARE(sysInfo.value(SysInfoProperty::WorkAreaWidth), width);
  QCOMPARE(sysInfo.value(SysInfoProperty::WorkAreaHeight), height);
}

void SplashWindowTest::versionLineOfAnyVersion_data() {
  QTest::addColumn<vantorel::ProgramVersion>("version");
  QTest::addColumn<QString>("line");
  QTest::newRow("this program") << vantorel::kProgramVersion << "Version 1.0.4";
  QTest::newRow("two-digit numbers") << vantorel::ProgramVersion{2, 10, 15} << "Version 2.10.15";
  QTest::newRow("zeros") << vantorel::ProgramVersion{0, 0, 0} << "Version 0.0.0";
}

void SplashWindowTest::versionLineOfAnyVersion() {
  QFETCH(vantorel::ProgramVersion, version);
  QFETCH(QString, line);
  QCOMPARE(QString::fromStdString(vantorel::versionLine(version)), line);
}

void SplashWindowTest::splashAndFrameTakeTheWorkAreasSize_data() {
  QTest::addColumn<ScreenArea>("area");
  QTest::newRow("the whole screen") << ScreenArea{{800, 600}, 96};
  QTest::newRow("smaller than the design") << ScreenArea{{600, 420}, 96};
  QTest::newRow("reported at 120 dpi") << ScreenArea{{640, 480}, 120};
}

void SplashWindowTest::splashAndFrameTakeTheWorkAreasSize() {
  QFETCH(ScreenArea, area);
  const SysInfo reported{[=] { return area; }};
  const double width = reported.value(SysInfoProperty::WorkAreaWidth);
  const double height = reported.value(SysInfoProperty::WorkAreaHeight);

  SplashWindow* splash = start(area);
  auto* frame = splash->findChild<QFrame*>(QStringLiteral("fraMainFrame"));
  QVERIFY(frame);
  const TwipScale scale = TwipScale::of(splash->screen());
  const double halfPixel = scale.twipsPerPixel() / 2;
  for (const QWidget* sized : {static_cast<QWidget*>(splash), static_cast<QWidget*>(frame)}) {
    QVERIFY(qAbs(scale.toTwips(sized->width()) - width) <= halfPixel);
    QVERIFY(qAbs(scale.toTwips(sized->height()) - height) <= halfPixel);
  }
  // The frame keeps its place inside the client area while it grows.
  const QPoint offset = frame->pos() - splash->contentsRect().topLeft();
  QCOMPARE(scale.toTwips(offset.x()), 2400.0);
  QCOMPARE(scale.toTwips(offset.y()), 1920.0);
}

void SplashWindowTest::splashCoversTheScreensWorkAreaByDefault() {
  vantorel::StartupSettings settings;
  settings.handOver.delay = std::chrono::hours{1};
  SplashWindow* splash = vantorel::Module1::Main(std::move(settings));
  QVERIFY(splash->isVisible());
  QCOMPARE(splash->frameGeometry(), splash->screen()->availableGeometry());
  QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
  QCOMPARE(splash->windowModality(), Qt::NonModal);
}

void SplashWindowTest::controlsStayAtTheirWindowPositions_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QPointF>("position");  // twips from the client area's top left
  QTest::newRow("licence notice") << "lblLicenseTo" << QPointF(2670, 2220);
  QTest::newRow("logo") << "picLogo" << QPointF(2910, 2775);
  QTest::newRow("title") << "lblproductname" << QPointF(4920, 3000);
  QTest::newRow("copyright line") << "lblCopyright" << QPointF(6870, 5040);
  QTest::newRow("contact line") << "Label1" << QPointF(3600, 5760);
}

void SplashWindowTest::controlsStayAtTheirWindowPositions() {
  QFETCH(QString, name);
  QFETCH(QPointF, position);
  SplashWindow* splash = start({{800, 600}, 96});
  auto* control = splash->findChild<QWidget*>(name);
  QVERIFY(control);
  const TwipScale scale = TwipScale::of(splash->screen());
  const QPoint at = control->mapTo(splash, QPoint(0, 0)) - splash->contentsRect().topLeft();
  QVERIFY(qAbs(scale.toTwips(at.x()) - position.x()) <= scale.twipsPerPixel() / 2);
  QVERIFY(qAbs(scale.toTwips(at.y()) - position.y()) <= scale.twipsPerPixel() / 2);
}

void SplashWindowTest::captionsFilledAtLoad() {
  QApplication::setApplicationName(QStringLiteral("Dish Test Title"));
  SplashWindow* splash = start();
  QApplication::setApplicationName(QStringLiteral("Vantorel"));

  auto* title = splash->findChild<QLabel*>(QStringLiteral("lblproductname"));
  QCOMPARE(title->text(), QStringLiteral("Dish Test Title"));
  QVERIFY(title->alignment().testFlag(Qt::AlignHCenter));

  auto* version = splash->findChild<QLabel*>(QStringLiteral("lblVersion"));
  QCOMPARE(version->text(), QStringLiteral("Version 1.0.4"));
  // The label grows to its text rather than cutting it off.
  QVERIFY(version->width() >= version->fontMetrics().horizontalAdvance(version->text()));
  QVERIFY(!version->geometry().intersects(splash->findChild<QLabel*>(QStringLiteral("lblCopyright"))->geometry()));

  const QString copyright = splash->findChild<QLabel*>(QStringLiteral("lblCopyright"))->text();
  QVERIFY2(copyright.contains(QStringLiteral(" \u00A9 ")), qPrintable(copyright));
  QVERIFY(copyright.contains(QStringLiteral("The Vantorel authors")));
}

void SplashWindowTest::labelFonts_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<double>("points");
  QTest::addColumn<bool>("bold");
  QTest::newRow("title") << "lblproductname" << 18.0 << true;
  QTest::newRow("version") << "lblVersion" << 12.0 << true;
  QTest::newRow("contact line") << "Label1" << 12.0 << false;
}

void SplashWindowTest::labelFonts() {
  QFETCH(QString, name);
  QFETCH(double, points);
  QFETCH(bool, bold);
  const QFont font = start()->findChild<QLabel*>(name)->font();
  QCOMPARE(font.pointSizeF(), points);
  QCOMPARE(font.bold(), bold);
  QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
}

void SplashWindowTest::noticesAreShownWhole_data() {
  QTest::addColumn<QString>("name");
  QTest::newRow("licence notice") << "lblLicenseTo";
  QTest::newRow("copyright line") << "lblCopyright";
  QTest::newRow("contact line") << "Label1";
  QTest::newRow("title") << "lblproductname";
}

void SplashWindowTest::noticesAreShownWhole() {
  QFETCH(QString, name);
  auto* label = start()->findChild<QLabel*>(name);
  QVERIFY(!label->text().isEmpty());
  QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->text()));
}

void SplashWindowTest::clicksAndKeysDoNothing_data() {
  QTest::addColumn<QString>("name");
  for (const char* name : {"frmSplash", "fraMainFrame", "lblLicenseTo", "picLogo", "lblproductname",
                           "lblVersion", "lblCopyright", "Label1"}) {
    QTest::newRow(name) << QString::fromLatin1(name);
  }
}

void SplashWindowTest::clicksAndKeysDoNothing() {
  QFETCH(QString, name);
  QPointer<SplashWindow> splash = start();
  QWidget* target = name == splash->objectName() ? splash.data() : splash->findChild<QWidget*>(name);
  QVERIFY(target);
  const QString before = target->property("text").toString();

  QTest::mouseClick(target, Qt::LeftButton);
  QTest::mouseClick(target, Qt::RightButton);
  QTest::mouseDClick(target, Qt::LeftButton);
  for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Tab}) {
    QTest::keyClick(target, key);
  }
  QTest::keyClick(target, Qt::Key_F4, Qt::AltModifier);
  QCoreApplication::processEvents();

  QVERIFY(!splash.isNull() && splash->isVisible());
  QCOMPARE(target->property("text").toString(), before);
  QCOMPARE(m_mainWindowsOpened, 0);
  QVERIFY(splash->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
}

QTEST_MAIN(SplashWindowTest)
#include "splash_window_test.moc"
