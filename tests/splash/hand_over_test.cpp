// Timer1's hand-over from the splash window to the main window: when it
// happens, that it happens once, that the splash window is gone before the
// main window shows, and what happens when the main window cannot open.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <stdexcept>

#include "module1.h"

using namespace std::chrono_literals;
using vantorel::SplashWindow;

namespace {

// Short enough to keep the tests quick; the real interval is tested once.
constexpr std::chrono::milliseconds kShortDelay = 50ms;
// Generous, so that a slow or busy machine does not fail the tests.
constexpr int kPatienceMs = 30000;

QWidget* visibleWindowNamed(const QString& name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == name && window->isVisible()) {
      return window;
    }
  }
  return nullptr;
}

// Notes, at the moment a window named name is first shown, whether the
// splash window was still visible and how many rows the window's List1 had.
class ShowWatcher : public QObject {
 public:
  explicit ShowWatcher(QString name) : m_name(std::move(name)) { qApp->installEventFilter(this); }
  ~ShowWatcher() override { qApp->removeEventFilter(this); }

  bool shown = false;
  bool splashVisibleThen = false;
  int listRowsThen = -1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!shown && event->type() == QEvent::Show && widget != nullptr && widget->isWindow() &&
        widget->objectName() == m_name) {
      shown = true;
      splashVisibleThen = visibleWindowNamed(QStringLiteral("frmSplash")) != nullptr;
      if (auto* list = widget->findChild<QAbstractItemView*>(QStringLiteral("List1"))) {
        listRowsThen = list->model()->rowCount();
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QString m_name;
};

}  // namespace

class HandOverTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanup();

  void handsOverOnceAfterTheInterval();
  void mainWindowListIsFilledBeforeItShows();
  void failureIsReportedAndNothingLingers_data();
  void failureIsReportedAndNothingLingers();
  void startFailureMessageDoesNotBlock();
  void realIntervalHandsOverToTheMainWindow();

 private:
  QList<QString> m_reports;
};

void HandOverTest::initTestCase() {
  QLocale::setDefault(QLocale::c());
  QApplication::setApplicationName(QStringLiteral("Vantorel"));
}

void HandOverTest::cleanup() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    delete window;
  }
  m_reports.clear();
}

void HandOverTest::handsOverOnceAfterTheInterval() {
  int opened = 0;
  vantorel::StartupSettings settings;
  settings.handOver.delay = kShortDelay;
  settings.handOver.openMainWindow = [&opened] {
    ++opened;
    auto* first = new QWidget;
    first->setObjectName(QStringLiteral("stand-in"));
    return first;
  };
  settings.handOver.reportFailure = [this](const QString& why) { m_reports << why; };
  ShowWatcher watcher{QStringLiteral("stand-in")};

  QPointer<SplashWindow> splash = vantorel::Module1::Main(std::move(settings));
  // Nothing happens before the event loop runs and the interval has passed.
  QCOMPARE(opened, 0);
  QVERIFY(splash->isVisible());

  QTRY_COMPARE_WITH_TIMEOUT(opened, 1, kPatienceMs);
  QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), kPatienceMs);
  QVERIFY(watcher.shown);
  QVERIFY2(!watcher.splashVisibleThen, "the splash window was still up when the main window showed");
  QVERIFY(visibleWindowNamed(QStringLiteral("stand-in")));

  // Many more intervals later, still one main window.
  QTest::qWait(static_cast<int>(kShortDelay.count()) * 10);
  QCOMPARE(opened, 1);
  QVERIFY(m_reports.isEmpty());
}

void HandOverTest::mainWindowListIsFilledBeforeItShows() {
  vantorel::StartupSettings settings;
  settings.handOver.delay = kShortDelay;
  settings.handOver.reportFailure = [this](const QString& why) { m_reports << why; };
  ShowWatcher watcher{QStringLiteral("FIRST")};

  vantorel::Module1::Main(std::move(settings));
  QTRY_VERIFY_WITH_TIMEOUT(watcher.shown, kPatienceMs);
  QVERIFY2(m_reports.isEmpty(), qPrintable(m_reports.value(0)));
  QVERIFY2(watcher.listRowsThen > 0, "the satellite list was empty when the main window showed");
  QVERIFY(!watcher.splashVisibleThen);
}

void HandOverTest::failureIsReportedAndNothingLingers_data() {
  QTest::addColumn<bool>("throws");
  QTest::addColumn<QString>("reason");
  QTest::newRow("creation throws") << true << "out of window handles";
  QTest::newRow("no window created") << false << "";
}

void HandOverTest::failureIsReportedAndNothingLingers() {
  QFETCH(bool, throws);
  QFETCH(QString, reason);
  vantorel::StartupSettings settings;
  settings.handOver.delay = kShortDelay;
  settings.handOver.openMainWindow = [throws, reason]() -> QWidget* {
    if (throws) {
      throw std::runtime_error(reason.toStdString());
    }
    return nullptr;
  };
  settings.handOver.reportFailure = [this](const QString& why) { m_reports << why; };

  QPointer<SplashWindow> splash = vantorel::Module1::Main(std::move(settings));
  QTRY_COMPARE_WITH_TIMEOUT(m_reports.size(), 1, kPatienceMs);
  QVERIFY(!m_reports.first().isEmpty());
  QVERIFY2(m_reports.first().contains(reason), qPrintable(m_reports.first()));
  // The splash window does not stay behind, and does not try again.
  QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), kPatienceMs);
  QTest::qWait(static_cast<int>(kShortDelay.count()) * 10);
  QCOMPARE(m_reports.size(), 1);
}

void HandOverTest::startFailureMessageDoesNotBlock() {
  const QString why = QStringLiteral("the catalogue could not be read");
  vantorel::reportStartFailure(why);  // returns at once

  auto* box = qobject_cast<QMessageBox*>(visibleWindowNamed(QStringLiteral("startFailure")));
  QVERIFY(box);
  QCOMPARE(box->icon(), QMessageBox::Critical);
  QVERIFY2((box->text() + box->informativeText()).contains(why), qPrintable(box->informativeText()));

  QPointer<QMessageBox> guard = box;
  QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), kPatienceMs);
}

void HandOverTest::realIntervalHandsOverToTheMainWindow() {
  // Everything real: the work area, the interval and the main window.
  QPointer<SplashWindow> splash = vantorel::Module1::Main();
  auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
  QVERIFY(timer);
  QCOMPARE(timer->interval(), 5000);

  // No machine is fast enough to make a five-second timer fire in one.
  QTest::qWait(1000);
  QVERIFY(!splash.isNull());
  QVERIFY(splash->isVisible());
  QVERIFY(!visibleWindowNamed(QStringLiteral("FIRST")));

  QTRY_VERIFY_WITH_TIMEOUT(visibleWindowNamed(QStringLiteral("FIRST")), kPatienceMs);
  QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), kPatienceMs);
}

QTEST_MAIN(HandOverTest)
#include "hand_over_test.moc"
