// The satellite list: rows chosen by mouse and keyboard compute once each,
// with the row's longitude rounded to whole degrees; Text6 becomes "0"; a
// click into Text6 clears the selection and keeps what the user types.

#include "window_test_support.h"

using vantorel::test::WindowUnderTest;

class ListTest : public QObject {
  Q_OBJECT

  WindowUnderTest m_ui;

 private slots:
  void initTestCase() { vantorel::test::fixLocaleAndTitle(); }
  void init() { m_ui.open(); }
  void cleanup() { m_ui.close(); }

  void rowComputesWithItsLongitudeInWholeDegrees_data() {
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("wholeDegrees");
    QTest::newRow("whole") << "Brasilsat B2-----65" << "65";
    QTest::newRow("first row, half up to even") << "EchoStar 3-----61.5" << "62";
    QTest::newRow("half down to even") << "MSAT 1-----106.5" << "106";
    QTest::newRow("138.5") << "Raduga 21-----138.5" << "138";
    QTest::newRow("last row") << "PAS 5-----155.5" << "156";
    QTest::newRow("71.8") << "Nahuel 1A-----71.8" << "72";
    QTest::newRow("101.2") << "DirecTV 1R-----101.2" << "101";
  }
  void rowComputesWithItsLongitudeInWholeDegrees() {
    QFETCH(QString, row);
    QFETCH(QString, wholeDegrees);
    m_ui.enter("Text6", "123");
    m_ui.clickRow(row);
    QCOMPARE(m_ui.text("Text6"), QStringLiteral("0"));
    const QStringList chosen = m_ui.results();
    QVERIFY(!chosen.contains(QString()));
    QCOMPARE(m_ui.calculatedFor(wholeDegrees), chosen);
  }

  void rowGivesTheWorkedLookAngles() {
    m_ui.clickRow("GE 4-----101");
    QCOMPARE(m_ui.results(), QStringList({"194.7342", "186.7342", "40.41615"}));
    for (const char* name : {"Text1", "Text2", "Text3", "Text6"}) QCOMPARE(m_ui.box(name)->cursorPosition(), 0);
  }

  void arrowKeysChooseAndCompute() {
    m_ui.clickRow(3);
    const QStringList first = m_ui.results();
    QTest::keyClick(m_ui.list(), Qt::Key_Down);
    QCOMPARE(m_ui.selectedRow(), 4);
    QCOMPARE(m_ui.results(), m_ui.calculatedFor("70"));
    m_ui.clickRow(4);
    QTest::keyClick(m_ui.list(), Qt::Key_Up);
    QCOMPARE(m_ui.results(), first);
  }

  // With a latitude the calculation refuses, each computation shows exactly
  // one message, which counts the computations a gesture starts.
  void eachChoiceComputesOnce_data() {
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<int>("computations");
    QTest::newRow("click on a row") << "click" << 1;
    QTest::newRow("click on the selected row") << "click again" << 1;
    QTest::newRow("arrow key") << "down" << 1;
    QTest::newRow("arrow key at the last row") << "down at end" << 0;
    QTest::newRow("tab into the list") << "tab" << 0;
    QTest::newRow("click into Text6") << "text6" << 0;
  }
  void eachChoiceComputesOnce() {
    QFETCH(QString, gesture);
    QFETCH(int, computations);
    m_ui.enter("Text4", "4x0100");
    if (gesture == "click again" || gesture == "down" || gesture == "text6") m_ui.clickRow(10);
    if (gesture == "down at end") m_ui.clickRow(68);
    m_ui.forgetMessages();
    if (gesture.startsWith("click")) m_ui.clickRow(10);
    if (gesture.startsWith("down")) QTest::keyClick(m_ui.list(), Qt::Key_Down);
    if (gesture == "tab") {
      m_ui.click("Text1");
      QTest::keyClick(m_ui.box("Text1"), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), m_ui.list());
    }
    if (gesture == "text6") m_ui.click("Text6");
    QCOMPARE(m_ui.messages().size(), computations);
  }

  void clickIntoText6ClearsTheSelectionAndKeepsTheTypedLongitude() {
    m_ui.clickRow(5);
    m_ui.typeInto("Text6", "101");
    m_ui.click("Text6");
    QCOMPARE(m_ui.selectedRow(), -1);
    QCOMPARE(m_ui.text("Text6"), QStringLiteral("101"));
    m_ui.calculate();
    QCOMPARE(m_ui.results(), QStringList({"194.7342", "186.7342", "40.41615"}));
  }

  // A refused site box is reported after Text6 was set to "0"; a refused
  // declination before it.
  void refusedInputOnAChoice_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("text6After");
    QTest::newRow("latitude") << "Text4" << "4x0100" << "0";
    QTest::newRow("longitude") << "Text5" << "" << "0";
    QTest::newRow("declination") << "Text7" << "west" << "75";
  }
  void refusedInputOnAChoice() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, text6After);
    m_ui.clickRow(0);
    const QStringList before = m_ui.results();
    m_ui.enter("Text6", "75");
    m_ui.enter(name, text);
    m_ui.clickRow(1);
    QCOMPARE(m_ui.messages().size(), 1);
    QVERIFY(m_ui.messages().front().text.contains(QStringLiteral("\"%1\"").arg(text)));
    QCOMPARE(m_ui.results(), before);
    QCOMPARE(m_ui.text("Text6"), text6After);
    QCOMPARE(m_ui.window()->focusWidget(), m_ui.box(name));
    QCOMPARE(m_ui.box(name)->selectedText(), text);
  }
};

QTEST_MAIN(ListTest)
#include "list_test.moc"
