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

namespace {

// Far beyond any test's length, so Timer1 never fires here.
constexpr std::chrono::hours kNever{1};

}  // namespace

class SplashWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanup();

  void sysInfoReportsTheWorkAreaInTwips_data();
  void sysInfoReportsTheWorkAreaInTwips();
  void sysInfoAsksAfreshOnEveryRead();

  void versionLineOfAnyVersion_data();
  void versionLineOfAnyVersion();

  void splashAndFrameTakeTheWorkAreasSize_data();
  void splashAndFrameTakeTheWorkAreasSize();
  void splashCoversTheScreensWorkAreaByDefault();
  void splashIsShownWithoutTitleBarAndNotModal();

  void controlsStayAtTheirWindowPositions_data();
  void controlsStayAtTheirWindowPositions();
  void versionLineReadsTheProgramsVersionAndFits();
  void productNameShowsTheTitleNeverItsDesignCaption();
  void labelFonts_data();
  void labelFonts();
  void copyrightSignStandsBetweenTwoSpaces();
  void noticesAreShownWhole_data();
  void noticesAreShownWhole();
  void contactLinePointsAtTheIssueTracker();

  void clicksAndKeysDoNothing_data();
  void clicksAndKeysDoNothing();

 private:
  // Runs the start-up with a fixed work area and a main window that only
  // counts how often it is asked for.
  SplashWindow* start(ScreenArea area = {{800, 560}, 96});

  int m_mainWindowsOpened = 0;
};

void SplashWindowTest::initTestCase() {
  QLocale::setDefault(QLocale::c());
  QApplication::setApplicationDisplayName(QStringLiteral("Vantorel"));
}

void SplashWindowTest::cleanup() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    delete window;
  }
  m_mainWindowsOpened = 0;
}

SplashWindow* SplashWindowTest::start(ScreenArea area) {
  vantorel::StartupSettings settings;
  settings.workArea = [area] { return area; };
  settings.handOver.delay = kNever;
  settings.handOver.openMainWindow = [this] {
    ++m_mainWindowsOpened;
    return new QWidget;
  };
  settings.handOver.reportFailure = [](const QString& why) { QFAIL(qPrintable(why)); };
  return vantorel::Module1::Main(std::move(settings));
}

void SplashWindowTest::sysInfoReportsTheWorkAreaInTwips_data() {
  QTest::addColumn<QSize>("pixels");
  QTest::addColumn<double>("dpi");
  QTest::addColumn<double>("width");
  QTest::addColumn<double>("height");
  QTest::newRow("96 dpi, 15 twips a pixel") << QSize(1280, 760) << 96.0 << 19200.0 << 11400.0;
  QTest::newRow("120 dpi, 12 twips a pixel") << QSize(1280, 760) << 120.0 << 15360.0 << 9120.0;
  QTest::newRow("144 dpi, 10 twips a pixel") << QSize(1920, 1040) << 144.0 << 19200.0 << 10400.0;
  QTest::newRow("72 dpi, 20 twips a pixel") << QSize(1024, 740) << 72.0 << 20480.0 << 14800.0;
}

void SplashWindowTest::sysInfoReportsTheWorkAreaInTwips() {
  QFETCH(QSize, pixels);
  QFETCH(double, dpi);
  QFETCH(double, width);
  QFETCH(double, height);
  const SysInfo sysInfo{[=] { return ScreenArea{pixels, dpi}; }};
  QCOMPARE(sysInfo.value(SysInfoProperty::WorkAreaWidth), width);
  QCOMPARE(sysInfo.value(SysInfoProperty::WorkAreaHeight), height);
}

void SplashWindowTest::sysInfoAsksAfreshOnEveryRead() {
  int width = 640;
  const SysInfo sysInfo{[&width] { return ScreenArea{{width, 480}, 96}; }};
  QCOMPARE(sysInfo.value(SysInfoProperty::WorkAreaWidth), 9600.0);
  width = 800;  // a panel went away
  QCOMPARE(sysInfo.value(SysInfoProperty::WorkAreaWidth), 12000.0);
}

void SplashWindowTest::versionLineOfAnyVersion_data() {
  QTest::addColumn<int>("major");
  QTest::addColumn<int>("minor");
  QTest::addColumn<int>("revision");
  QTest::addColumn<QString>("line");
  QTest::newRow("this program") << 1 << 0 << 4 << "Version 1.0.4";
  QTest::newRow("two-digit numbers") << 2 << 10 << 15 << "Version 2.10.15";
  QTest::newRow("all zero") << 0 << 0 << 0 << "Version 0.0.0";
  QTest::newRow("largest numbers") << 32767 << 9 << 32767 << "Version 32767.9.32767";
}

void SplashWindowTest::versionLineOfAnyVersion() {
  QFETCH(int, major);
  QFETCH(int, minor);
  QFETCH(int, revision);
  QFETCH(QString, line);
  const vantorel::ProgramVersion version{static_cast<vantorel::Integer>(major),
                                         static_cast<vantorel::Integer>(minor),
                                         static_cast<vantorel::Integer>(revision)};
  QCOMPARE(QString::fromStdString(vantorel::versionLine(version)), line);
}

void SplashWindowTest::splashAndFrameTakeTheWorkAreasSize_data() {
  QTest::addColumn<QSize>("pixels");
  QTest::addColumn<double>("dpi");
  QTest::newRow("the whole screen") << QSize(800, 600) << 96.0;
  QTest::newRow("less a bottom panel") << QSize(800, 560) << 96.0;
  QTest::newRow("smaller than the design") << QSize(600, 420) << 96.0;
  QTest::newRow("reported at 120 dpi") << QSize(640, 480) << 120.0;
}

void SplashWindowTest::splashAndFrameTakeTheWorkAreasSize() {
  QFETCH(QSize, pixels);
  QFETCH(double, dpi);
  const SysInfo reported{[=] { return ScreenArea{pixels, dpi}; }};
  const double width = reported.value(SysInfoProperty::WorkAreaWidth);
  const double height = reported.value(SysInfoProperty::WorkAreaHeight);

  SplashWindow* splash = start({pixels, dpi});
  const TwipScale scale = TwipScale::of(splash->screen());
  const double halfPixel = scale.twipsPerPixel() / 2;
  QVERIFY(qAbs(scale.toTwips(splash->width()) - width) <= halfPixel);
  QVERIFY(qAbs(scale.toTwips(splash->height()) - height) <= halfPixel);

  auto* frame = splash->findChild<QFrame*>(QStringLiteral("fraMainFrame"));
  QVERIFY(frame);
  QCOMPARE(frame->parentWidget(), splash);
  QVERIFY(qAbs(scale.toTwips(frame->width()) - width) <= halfPixel);
  QVERIFY(qAbs(scale.toTwips(frame->height()) - height) <= halfPixel);
  // The frame keeps its place inside the client area while it grows.
  const QPoint offset = frame->pos() - splash->contentsRect().topLeft();
  QCOMPARE(scale.toTwips(offset.x()), 2400.0);
  QCOMPARE(scale.toTwips(offset.y()), 1920.0);
}

void SplashWindowTest::splashCoversTheScreensWorkAreaByDefault() {
  vantorel::StartupSettings settings;
  settings.handOver.delay = kNever;
  settings.handOver.openMainWindow = [] { return new QWidget; };
  SplashWindow* splash = vantorel::Module1::Main(std::move(settings));
  QVERIFY(splash->screen());
  QCOMPARE(splash->frameGeometry(), splash->screen()->availableGeometry());
}

void SplashWindowTest::splashIsShownWithoutTitleBarAndNotModal() {
  SplashWindow* splash = start();
  QCOMPARE(splash->objectName(), QStringLiteral("frmSplash"));
  QVERIFY(splash->isVisible());
  QVERIFY(splash->isWindow());
  QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
  QCOMPARE(splash->windowModality(), Qt::NonModal);
  QVERIFY(splash->windowTitle().isEmpty());
}

void SplashWindowTest::controlsStayAtTheirWindowPositions_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<double>("left");  // twips from the client area's top left corner
  QTest::addColumn<double>("top");
  QTest::newRow("licence notice") << "lblLicenseTo" << 2670.0 << 2220.0;
  QTest::newRow("logo") << "picLogo" << 2910.0 << 2775.0;
  QTest::newRow("title") << "lblproductname" << 4920.0 << 3000.0;
  QTest::newRow("copyright line") << "lblCopyright" << 6870.0 << 5040.0;
  QTest::newRow("contact line") << "Label1" << 3600.0 << 5760.0;
}

void SplashWindowTest::controlsStayAtTheirWindowPositions() {
  QFETCH(QString, name);
  QFETCH(double, left);
  QFETCH(double, top);
  SplashWindow* splash = start({{800, 600}, 96});
  auto* control = splash->findChild<QWidget*>(name);
  QVERIFY(control);
  QCOMPARE(control->parentWidget()->objectName(), QStringLiteral("fraMainFrame"));
  const TwipScale scale = TwipScale::of(splash->screen());
  const QPoint at = control->mapTo(splash, QPoint(0, 0)) - splash->contentsRect().topLeft();
  const double halfPixel = scale.twipsPerPixel() / 2;
  QVERIFY2(qAbs(scale.toTwips(at.x()) - left) <= halfPixel, qPrintable(QString::number(scale.toTwips(at.x()))));
  QVERIFY2(qAbs(scale.toTwips(at.y()) - top) <= halfPixel, qPrintable(QString::number(scale.toTwips(at.y()))));
}

void SplashWindowTest::versionLineReadsTheProgramsVersionAndFits() {
  SplashWindow* splash = start();
  auto* version = splash->findChild<QLabel*>(QStringLiteral("lblVersion"));
  QVERIFY(version);
  QCOMPARE(version->text(), QStringLiteral("Version 1.0.4"));
  // The label grows to its text rather than cutting it off.
  const QSize needed = version->fontMetrics().size(Qt::TextSingleLine, version->text());
  QVERIFY(version->contentsRect().width() >= needed.width());
  QVERIFY(version->contentsRect().height() >= needed.height());
  QVERIFY(version->alignment().testFlag(Qt::AlignRight));
  // and stays above the copyright line
  auto* copyright = splash->findChild<QLabel*>(QStringLiteral("lblCopyright"));
  QVERIFY(!version->geometry().intersects(copyright->geometry()));
}

void SplashWindowTest::productNameShowsTheTitleNeverItsDesignCaption() {
  QApplication::setApplicationDisplayName(QStringLiteral("Vantorel"));
  SplashWindow* splash = start();
  auto* title = splash->findChild<QLabel*>(QStringLiteral("lblproductname"));
  QVERIFY(title);
  QCOMPARE(title->text(), QStringLiteral("Vantorel"));
  QVERIFY(title->alignment().testFlag(Qt::AlignHCenter));

  // Whatever the title is, it is what the label shows.
  QApplication::setApplicationDisplayName(QStringLiteral("Dish Pointer Test"));
  SplashWindow* second = start();
  QCOMPARE(second->findChild<QLabel*>(QStringLiteral("lblproductname"))->text(),
           QStringLiteral("Dish Pointer Test"));
  QApplication::setApplicationDisplayName(QStringLiteral("Vantorel"));
}

void SplashWindowTest::labelFonts_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<double>("points");  // 0: the window's font
  QTest::addColumn<bool>("bold");
  QTest::newRow("title") << "lblproductname" << 18.0 << true;
  QTest::newRow("version") << "lblVersion" << 12.0 << true;
  QTest::newRow("contact line") << "Label1" << 12.0 << false;
  QTest::newRow("licence notice") << "lblLicenseTo" << 0.0 << false;
  QTest::newRow("copyright line") << "lblCopyright" << 0.0 << false;
}

void SplashWindowTest::labelFonts() {
  QFETCH(QString, name);
  QFETCH(double, points);
  QFETCH(bool, bold);
  SplashWindow* splash = start();
  auto* label = splash->findChild<QLabel*>(name);
  QVERIFY(label);
  const QFont font = label->font();
  if (points == 0) {
    QCOMPARE(font, splash->font());
    return;
  }
  QCOMPARE(font.pointSizeF(), points);
  QCOMPARE(font.bold(), bold);
  QVERIFY(!font.italic());
  QVERIFY(!font.underline());
  QVERIFY(!font.strikeOut());
  // whatever face stands in for the design's, it is a sans serif one
  QCOMPARE(QFontInfo(font).styleHint(), QFont::SansSerif);
}

void SplashWindowTest::copyrightSignStandsBetweenTwoSpaces() {
  SplashWindow* splash = start();
  auto* copyright = splash->findChild<QLabel*>(QStringLiteral("lblCopyright"));
  QVERIFY(copyright);
  const QString line = copyright->text();
  QCOMPARE(line, vantorel::copyrightLine());
  QCOMPARE(line.count(QChar(0xA9)), 1);
  const qsizetype sign = line.indexOf(QChar(0xA9));
  QVERIFY(sign > 0 && sign + 1 < line.size());
  QCOMPARE(line.at(sign - 1), QLatin1Char(' '));
  QCOMPARE(line.at(sign + 1), QLatin1Char(' '));
  QVERIFY(line.contains(QStringLiteral("The Vantorel authors")));
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
  SplashWindow* splash = start();
  auto* label = splash->findChild<QLabel*>(name);
  QVERIFY(label);
  QVERIFY(!label->text().isEmpty());
  QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
           qPrintable(QStringLiteral("%1 is cut off").arg(label->text())));
}

void SplashWindowTest::contactLinePointsAtTheIssueTracker() {
  SplashWindow* splash = start();
  const QString contact = splash->findChild<QLabel*>(QStringLiteral("Label1"))->text();
  const QString tracker = QString::fromLatin1(vantorel::kIssueTrackerUrl).remove(QStringLiteral("https://"));
  QVERIFY2(contact.contains(tracker), qPrintable(contact));
  QVERIFY2(!contact.contains(QLatin1Char('@')), "no e-mail address of ours exists");
}

void SplashWindowTest::clicksAndKeysDoNothing_data() {
  QTest::addColumn<QString>("name");
  QTest::newRow("window") << "frmSplash";
  QTest::newRow("frame") << "fraMainFrame";
  QTest::newRow("licence notice") << "lblLicenseTo";
  QTest::newRow("logo") << "picLogo";
  QTest::newRow("title") << "lblproductname";
  QTest::newRow("version") << "lblVersion";
  QTest::newRow("copyright line") << "lblCopyright";
  QTest::newRow("contact line") << "Label1";
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
  QTest::keyClick(target, Qt::Key_W, Qt::ControlModifier);
  QCoreApplication::processEvents();

  QVERIFY(!splash.isNull());
  QVERIFY(splash->isVisible());
  QCOMPARE(target->property("text").toString(), before);
  QCOMPARE(m_mainWindowsOpened, 0);
  auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
  QVERIFY(timer);
  QVERIFY(timer->isActive());
}

QTEST_MAIN(SplashWindowTest)
#include "splash_window_test.moc"
