// "Calculate": the typed satellite longitude, rounded to whole degrees, and
// every refused input reported with nothing lost.

#include "first_actions.h"
#include "window_test_support.h"

using vantorel::test::WindowUnderTest;

class CalculateTest : public QObject {
  Q_OBJECT

  WindowUnderTest m_ui;

 private slots:
  void initTestCase() { vantorel::test::fixLocaleAndTitle(); }
  void init() { m_ui.open(); }
  void cleanup() { m_ui.close(); }

  // Each default text reaches its own input of the calculation.
  void defaultsComputeAsTheirTexts() {
    m_ui.calculate();
    const vantorel::OnecalcResult expected = vantorel::calculateFromBoxes({"420100", "0910100", "000", "-8"});
    QCOMPARE(m_ui.results(), QStringList({QString::fromStdString(expected.Text1), QString::fromStdString(expected.Text2),
                                          QString::fromStdString(expected.Text3)}));
  }

  void satelliteLongitudeGivesTheWorkedLookAngles_data() {
    QTest::addColumn<QString>("satellite");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("101") << "101" << QStringList({"194.7342", "186.7342", "40.41615"});
    QTest::newRow("180 is accepted") << "180" << QStringList({"269.3195", "261.3195", "-7.862228"});
  }
  void satelliteLongitudeGivesTheWorkedLookAngles() {
    QFETCH(QString, satellite);
    QFETCH(QStringList, expected);
    QCOMPARE(m_ui.calculatedFor(satellite), expected);
    // A result wider than its box would otherwise show its end, sign lost.
    for (const char* name : {"Text1", "Text2", "Text3"}) QCOMPARE(m_ui.box(name)->cursorPosition(), 0);
  }

  void satelliteLongitudeRoundsToWholeDegrees_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("whole");
    QTest::newRow("2.5 to even 2") << "2.5" << "2";
    QTest::newRow("61.5 to even 62") << "61.5" << "62";
    QTest::newRow("east of Greenwich") << "-5.2" << "-5";
  }
  void satelliteLongitudeRoundsToWholeDegrees() {
    QFETCH(QString, typed);
    QFETCH(QString, whole);
    const QStringList rounded = m_ui.calculatedFor(typed);
    QVERIFY(m_ui.messages().isEmpty());
    QCOMPARE(m_ui.calculatedFor(whole), rounded);
    QVERIFY(m_ui.calculatedFor(QString::number(whole.toInt() + 1)) != rounded);
  }

  void refusedInputIsReportedAndNothingIsLost_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("mended");
    QTest::newRow("latitude not a number") << "Text4" << "4x0100" << "Latitude \"4x0100\" is not a number" << "420100";
    QTest::newRow("latitude of four digits") << "Text4" << "4201" << "Latitude \"4201\"" << "420100";
    QTest::newRow("empty longitude") << "Text5" << "" << "Longitude \"\" is not a number" << "0910100";
    QTest::newRow("declination not a number") << "Text7" << "west" << "Declination \"west\" is not a number" << "-8";
    QTest::newRow("empty satellite longitude") << "Text6" << "" << "Satellite longitude \"\" is not a number" << "101";
    QTest::newRow("satellite beyond 180") << "Text6" << "180.5" << "Satellite longitude \"180.5\" is more than 180"
                                          << "101";
    QTest::newRow("satellite beyond an Integer") << "Text6" << "-40000" << "Satellite longitude \"-40000\"" << "101";
  }
  void refusedInputIsReportedAndNothingIsLost() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, opening);
    QFETCH(QString, mended);
    const QStringList before = m_ui.calculatedFor("101");
    m_ui.enter(name, text);
    QStringList inputs;
    for (const char* box : {"Text4", "Text5", "Text6", "Text7"}) inputs.append(m_ui.text(box));
    m_ui.calculate();
    QCOMPARE(m_ui.messages().size(), 1);
    QCOMPARE(m_ui.messages().front().title, QGuiApplication::applicationDisplayName());
    QVERIFY2(m_ui.messages().front().text.startsWith(opening), qPrintable(m_ui.messages().front().text));
    QCOMPARE(m_ui.results(), before);
    QStringList inputsAfter;
    for (const char* box : {"Text4", "Text5", "Text6", "Text7"}) inputsAfter.append(m_ui.text(box));
    QCOMPARE(inputsAfter, inputs);
    QCOMPARE(QApplication::focusWidget(), m_ui.box(name));
    QCOMPARE(m_ui.box(name)->selectedText(), text);
    // The window carries on: mending the box computes again.
    m_ui.typeInto(name, mended);
    m_ui.calculate();
    QCOMPARE(m_ui.results(), before);
    QCOMPARE(m_ui.messages().size(), 1);
  }
};

QTEST_MAIN(CalculateTest)
#include "calculate_test.moc"
