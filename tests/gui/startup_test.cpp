// The start-up: the application as the program makes it, the splash window
// over the work area with its captions and logo, and Timer1's hand-over to
// the main window, or the report when the main window cannot open. Intervals
// are injected; nothing waits five seconds.

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <stdexcept>

#include "module1.h"

using namespace std::chrono_literals;
using vantorel::ScreenArea;
using vantorel::SplashWindow;

class StartupTest : public QObject {
  Q_OBJECT

  // The start-up with a hand-over after delay to a main window that
  // openMainWindow makes.
  SplashWindow* start(std::chrono::milliseconds delay, std::function<QWidget*()> openMainWindow,
                      vantorel::SysInfo::AreaSource workArea = {}) {
    vantorel::StartupSettings settings;
    settings.workArea = std::move(workArea);
    settings.handOver.delay = delay;
    settings.handOver.openMainWindow = std::move(openMainWindow);
    return vantorel::Module1::Main(std::move(settings));
  }

 private slots:
  void cleanup() { qDeleteAll(QApplication::topLevelWidgets()); }

  // The window and its frame take the work area's size in twips; the frame
  // and the controls keep their places, in twips from the client area.
  void splashTakesTheWorkArea() {
    const ScreenArea area{{640, 480}, 120};  // reported in twips of 12 to a pixel
    SplashWindow* splash = start(1h, {}, [=] { return area; });
    const auto scale = vantorel::TwipScale::of(splash->screen());
    const auto near = [&](int pixels, double twips) {
      return qAbs(scale.toTwips(pixels) - twips) <= scale.twipsPerPixel() / 2;
    };
    const QSizeF workArea = QSizeF(area.availablePixels) * (1440 / area.logicalDpi);
    for (const QWidget* sized : {static_cast<QWidget*>(splash), static_cast<QWidget*>(splash->fraMainFrame())}) {
      QVERIFY(near(sized->width(), workArea.width()) && near(sized->height(), workArea.height()));
    }
    const QPoint frame = splash->fraMainFrame()->pos() - splash->contentsRect().topLeft();
    QVERIFY(near(frame.x(), 2400) && near(frame.y(), 1920));
    // Window positions; the sizes are those inside the frame, where the
    // notices may grow downwards to show their text whole.
    const std::pair<const char*, QRect> places[] = {
        {"lblLicenseTo", {2670, 2220, 6855, 495}}, {"picLogo", {2910, 2775, 1815, 2385}},
        {"lblproductname", {4920, 3000, 2535, 1335}}, {"lblCopyright", {6870, 5040, 2655, 255}},
        {"Label1", {3600, 5760, 5535, 735}}};
    for (const auto& [name, twips] : places) {
      const QWidget* control = splash->findChild<QWidget*>(name);
      const QPoint at = control->mapTo(splash, QPoint()) - splash->contentsRect().topLeft();
      QVERIFY2(near(at.x(), twips.x()) && near(at.y(), twips.y()) && near(control->width(), twips.width()), name);
      QVERIFY2(near(control->height(), twips.height()) || control->height() == control->heightForWidth(control->width()),
               name);
    }
    // A screen that reports no dots per inch has no size in twips: the start
    // fails with status 1 before any window opens.
    const auto noDpi = [=] { return ScreenArea{area.availablePixels, 0}; };
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, start(1h, {}, noDpi));
    QCOMPARE(vantorel::startWindows({noDpi, {}}), 1);
  }

  void splashShowsTitleVersionNoticesAndLogo() {
    int opened = 0;
    SplashWindow* splash = start(vantorel::kHandOverDelay, [&] { return ++opened, new QWidget; });
    QCOMPARE(splash->frameGeometry(), splash->screen()->availableGeometry());
    QCOMPARE(splash->frameStyle(), QFrame::WinPanel | QFrame::Raised);  // its raised border
    auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
    QCOMPARE(timer->interval(), 5000);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);

    // The title is the application's name; the desktop finds the program's
    // entry, and with it the icon and the name it lists, by the file name.
    const QLabel* title = splash->findChild<QLabel*>("lblproductname");
    QCOMPARE(title->text(), QStringLiteral("Vantorel"));
    QVERIFY(title->alignment() & Qt::AlignHCenter && title->font().bold() && title->font().pointSize() == 18);
    for (const char* name : {"lblVersion", "Label1"}) QCOMPARE(splash->findChild<QLabel*>(name)->font().pointSize(), 12);
    QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.0.4"));
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("io.github.vantorel.vantorel"));
    QVERIFY(!QApplication::windowIcon().isNull());
    const QLabel* version = splash->findChild<QLabel*>("lblVersion");
    QCOMPARE(version->text(), QStringLiteral("Version 1.0.4"));
    QCOMPARE(version->geometry().right() + 1, (6075 + 930) / 15);  // its box's right edge, in twips
    QVERIFY(splash->findChild<QLabel*>("lblCopyright")->text().contains(QStringLiteral(" \u00A9 ")));
    for (const QLabel* label : splash->findChildren<QLabel*>()) {
      // Wrapped within its width, and every line within its height.
      QVERIFY2(label->minimumSizeHint().width() <= label->width(), qPrintable(label->text()));
      QVERIFY2(label->heightForWidth(label->width()) <= label->height() || !label->wordWrap(), qPrintable(label->text()));
    }
    // Clicks and keys on it start nothing.
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_Tab}) {
      QTest::mouseClick(splash->windowHandle(), Qt::LeftButton, {}, QPoint(100 * key % 600, 300));
      QTest::keyClick(splash, key);
    }
    QVERIFY(splash->isVisible() && timer->isActive() && opened == 0);
    // The logo is shown at its own size from the box's top left corner.
    const QImage logo(QStringLiteral(":/vantorel/splash/logo.png"));
    QCOMPARE(logo.size(), QSize(141, 166));
    auto* box = splash->findChild<QFrame*>(QStringLiteral("picLogo"));
    const QPoint green(46, 24);
    QCOMPARE(box->grab().toImage().pixelColor(box->contentsRect().topLeft() + green), logo.pixelColor(green));
  }

  void handsOverOnceAfterTheInterval() {
    int opened = 0;
    bool splashVisibleThen = true;
    QPointer<SplashWindow> splash;
    QPointer<QWidget> first;
    splash = start(50ms, [&] { return ++opened, splashVisibleThen = splash->isVisible(), first = new QWidget; });
    QCOMPARE(opened, 0);
    QVERIFY(splash->isVisible());
    QTRY_COMPARE(opened, 1);
    QVERIFY2(!splashVisibleThen, "the splash window was still up when the main window opened");
    QTRY_VERIFY(first->isVisible());
    QTRY_VERIFY(splash.isNull());
    QTest::qWait(500);
    QCOMPARE(opened, 1);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

  // A main window that cannot open is reported in a box that does not wait;
  // dismissing it ends the program with status 1, the splash window gone.
  void failureIsReportedAndEndsTheProgram() {
    QPointer<SplashWindow> splash = start(50ms, []() -> QWidget* { throw std::runtime_error("out of handles"); });
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&splash] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box != nullptr && box->informativeText() == "out of handles" && splash.isNull()) {
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
      }
    });
    poll.start(20);
    QCOMPARE(QApplication::exec(), 1);
  }
};

// The application is made as the program makes it, so that the tests see the
// name, version and desktop entry the program gives it.
int main(int argc, char* argv[]) {
  const std::unique_ptr<QApplication> app = vantorel::makeApplication(argc, argv);
  StartupTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "startup_test.moc"
