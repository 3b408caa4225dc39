// "END" and closing the window end the program with exit status 0, even with
// another window still open. Each gesture is made from inside the
// application's event loop, and the loop's return value is the status the
// program would exit with.

#include <QTimer>

#include "window_test_support.h"

using vantorel::test::WindowUnderTest;

class EndingTest : public QObject {
  Q_OBJECT

  WindowUnderTest m_ui;
  QWidget m_otherWindow;

 private slots:
  void initTestCase() { vantorel::test::fixLocaleAndTitle(); }
  void init() {
    m_otherWindow.show();
    m_ui.open();
  }
  void cleanup() {
    m_ui.close();
    m_otherWindow.hide();
  }

  void endEndsTheProgramNormally() {
    QTimer::singleShot(0, m_ui.window(), [this] { m_ui.click("Command1"); });
    QCOMPARE(QApplication::exec(), 0);
  }

  void closingTheWindowEndsTheProgramNormally() {
    QTimer::singleShot(0, m_ui.window(), [this] { m_ui.window()->close(); });
    QCOMPARE(QApplication::exec(), 0);
  }
};

QTEST_MAIN(EndingTest)
#include "ending_test.moc"
