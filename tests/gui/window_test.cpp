// The main window through real clicks and key presses: what it shows when it
// opens, the keyboard, the list, refused inputs and the ways it ends.

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "calc_error.h"
#include "first_actions.h"
#include "first_window.h"

class WindowTest : public QObject {
  Q_OBJECT

  QPointer<vantorel::FirstWindow> m_window;
  QStringList m_messages;

  QWidget* find(const QString& name) const { return m_window->findChild<QWidget*>(name); }
  QLineEdit* box(const QString& name) const { return m_window->findChild<QLineEdit*>(name); }
  QListWidget* list() const { return m_window->findChild<QListWidget*>(QStringLiteral("List1")); }
  QStringList results() const { return {box("Text1")->text(), box("Text2")->text(), box("Text3")->text()}; }
  void click(const QString& name) const { QTest::mouseClick(find(name), Qt::LeftButton); }
  // Clicks into the box and replaces its text with keys.
  void enter(const QString& name, const QString& text) const {
    click(name);
    QTest::keyClick(box(name), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box(name), Qt::Key_Delete);
    QTest::keyClicks(box(name), text);
  }
  QStringList calculatedFor(const QString& satellite) const {
    enter(QStringLiteral("Text6"), satellite);
    click(QStringLiteral("Command2"));
    return results();
  }
  void clickRow(int row) const {
    list()->scrollToItem(list()->item(row));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(row)).center());
  }

 private slots:
  void initTestCase() {
    // A dark desktop theme, whose light captions the buttons' light faces
    // must not take.
    QApplication::setPalette(QPalette(QColor(40, 40, 40)));
  }
  void init() {
    m_messages.clear();
    m_window = new vantorel::FirstWindow;
    m_window->setMessageHandler([this](QWidget*, const vantorel::Message& m) { m_messages << m.text; });
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
  }
  void cleanup() { delete m_window; }

  void controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("accessibleName");  // empty: the text itself
    QTest::addColumn<qreal>("points");
    const auto row = [](const char* name, QRect twips, const char* text, const char* accessibleName = "",
                        qreal points = 8) { QTest::newRow(name) << name << twips << text << accessibleName << points; };
    row("List1", {2520, 960, 2415, 2595}, "", "Satellites");
    row("Label1", {2760, 3840, 2415, 735},
        "Click on satellite above or enter satellite longitude  below then hit 'Calculate'.");
    row("Text6", {3360, 4560, 375, 285}, "000", "Satellite longitude");
    row("Command2", {3120, 5040, 855, 375}, "Calculate");
    row("Label5", {6960, 1440, 975, 495}, "Enter Latitude", "", 9.75);
    row("Text4", {6960, 1920, 735, 285}, "420100", "Enter Latitude");
    row("Label6", {8640, 1440, 1095, 495}, "Enter Longitude", "", 9.75);
    row("Text5", {8640, 1920, 735, 285}, "0910100", "Enter Longitude");
    row("Label7", {6480, 2400, 1695, 855}, "DECLINATION IF WEST, ENTER -# (MINUS NUMBER) IF EAST ENTER #");
    row("Text7", {8160, 2640, 615, 285}, "-8", "Declination");
    row("Label2", {7080, 3480, 975, 375}, "AZIMUTH TRUE");
    row("Text1", {8160, 3480, 735, 375}, "", "AZIMUTH TRUE");
    row("Label3", {7080, 4200, 975, 375}, "AZIMUTH MAGNETIC");
    row("Text2", {8160, 4200, 735, 375}, "", "AZIMUTH MAGNETIC");
    row("Label4", {7080, 5040, 975, 375}, "ELEVATION");
    row("Text3", {8160, 4920, 735, 375}, "", "ELEVATION");
    row("Command1", {6960, 6120, 975, 495}, "END");
  }
  // Each control at its place (15 twips to a pixel), in view when the window
  // opens, with its text shown whole in its size of type (the boxes in a
  // narrow face rather than a smaller size) and a name for screen readers.
  void controls() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(QString, text);
    QFETCH(QString, accessibleName);
    QFETCH(qreal, points);
    QWidget* control = find(name);
    QCOMPARE(control->geometry(), QRect(twips.topLeft() / 15, twips.size() / 15));
    QVERIFY(m_window->rect().contains(control->geometry()));
    QCOMPARE(control->property("text").toString(), text);
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name),
             accessibleName.isEmpty() ? text : accessibleName);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      QCOMPARE_LT(button->palette().color(QPalette::ButtonText).lightness(), 80);
    }
    // Every line of a caption fits; the descent under the last line may be
    // cut, as an all-capitals line has nothing there.
    if (auto* label = qobject_cast<QLabel*>(control)) {
      QCOMPARE_LE(label->heightForWidth(label->width()) - label->fontMetrics().descent(), label->height());
    }
    // A box shows its default text, or the widest result, whole: with the
    // cursor at either end it looks the same, as it does only if nothing
    // scrolls.
    if (auto* shown = qobject_cast<QLineEdit*>(control)) {
      shown->clearFocus();
      shown->setText(text.isEmpty() ? QStringLiteral("-12.94364") : text);
      shown->home(false);
      const QImage home = shown->grab().toImage();
      shown->end(false);
      QCOMPARE(shown->grab().toImage(), home);
    }
  }

  // The focus starts in the elevation box and Tab cycles in a fixed order;
  // Enter and Escape in a box or on a button press no button. A row computes with its
  // longitude in whole degrees and sets Text6 to "0"; results show from
  // their start.
  void keyboardAndList() {
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Open"));
    QCOMPARE(m_window->size(), QSize(661, 453));  // 12 pixels beyond Label6 and END
    QCOMPARE(qobject_cast<QLabel*>(find("Label7"))->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    QCOMPARE(list()->count(), 69);
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 10; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"Text3", "Text2", "Text1", "List1", "Command1", "Text4", "Text5", "Text6",
                                   "Command2", "Text7", "Text3"}));
    for (const char* name : {"Text1", "Text4", "Text6", "Text7", "Command2"}) {
      find(name)->setFocus();
      for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) QTest::keyClick(find(name), key);
    }
    QCOMPARE(results(), QStringList({"", "", ""}));
    QVERIFY(m_messages.isEmpty() && list()->selectedItems().isEmpty());

    clickRow(28);  // GE 4-----101
    QCOMPARE(results(), QStringList({"194.7342", "202.7342", "40.41615"}));
    enter("Text6", "123");
    clickRow(39);  // MSAT 1-----106.5
    QCOMPARE(box("Text6")->text(), QStringLiteral("0"));
    for (const char* name : {"Text1", "Text2", "Text3"}) QCOMPARE(box(name)->cursorPosition(), 0);
    const QStringList chosen = results();
    QCOMPARE(calculatedFor("106"), chosen);
  }

  // One computation per choice: with a latitude the calculation refuses,
  // each computation shows one message, so the messages count them.
  void eachChoiceComputesOnce() {
    enter("Text4", "4x0100");
    const auto computations = [this](auto gesture) { m_messages.clear(); gesture(); return m_messages.size(); };
    QCOMPARE(computations([this] { clickRow(0); }), 1);
    QCOMPARE(computations([this] { clickRow(0); }), 1);  // the row already selected
    QCOMPARE(computations([this] { QTest::keyClick(list(), Qt::Key_Down); }), 1);
    QCOMPARE(computations([this] { QTest::keyClick(list(), Qt::Key_Up); }), 1);  // back to the first row
    QCOMPARE(computations([this] { QTest::keyClick(list(), Qt::Key_End); }), 1);
    QCOMPARE(computations([this] { QTest::keyClick(list(), Qt::Key_Down); }), 0);  // at the last row
    // A click into Text6 clears the selection and keeps what is typed there.
    QCOMPARE(computations([this] { enter("Text6", "101"); }), 0);
    QVERIFY(list()->selectedItems().isEmpty());
    QCOMPARE(box("Text6")->text(), QStringLiteral("101"));
    // Tabbing into the list chooses nothing.
    click("Text1");
    QCOMPARE(computations([this] { QTest::keyClick(box("Text1"), Qt::Key_Tab); }), 0);
    QCOMPARE(QApplication::focusWidget(), list());
  }

  // A refused input is reported naming its box, with a hint for the usual
  // slips, and the box then has the focus with its text selected; no other
  // box changes, and the window goes on.
  void refusedInput_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("byRow");
    QTest::addColumn<QString>("opening");
    QTest::newRow("latitude") << "Text4" << "4x0100" << false << "Latitude \"4x0100\" is not a number";
    QTest::newRow("longitude") << "Text5" << "" << false << "Longitude \"\" is not a number";
    QTest::newRow("declination") << "Text7" << "west" << false << "Declination \"west\" is not a number";
    QTest::newRow("satellite") << "Text6" << "" << false << "Satellite longitude \"\" is not a number";
    QTest::newRow("latitude, row, hint") << "Text4" << "51\u00b030'26\"" << true
                                         << "Latitude \"51\u00b030'26\"\" is not a number. Type the packed digits 513026 "
                                            "or decimal degrees 51.507. Enter DDMMSS";
    QTest::newRow("declination, row") << "Text7" << "west" << true << "Declination \"west\" is not a number";
    QTest::newRow("four digits") << "Text4" << "4201" << false << "Latitude \"4201\" has four digits";
    QTest::newRow("latitude beyond") << "Text4" << "90.0001" << false << "Latitude \"90.0001\" lies beyond 90 degrees";
    QTest::newRow("longitude beyond") << "Text5" << "360.0001" << false << "Longitude \"360.0001\" lies beyond 360";
    QTest::newRow("declination beyond") << "Text7" << "-180.01" << false << "Declination \"-180.01\" lies beyond 180";
    QTest::newRow("satellite beyond") << "Text6" << "180.01" << false << "Satellite longitude \"180.01\" is more than 180";
    QTest::newRow("satellite far East") << "Text6" << "-32769" << false
                                        << "Satellite longitude \"-32769\" lies outside the accepted range";
  }

  // No typed input makes the look angles' arithmetic fail, but if it did
  // the window would say so, as for any refusal, and keep its results.
  void calculationsOwnRefusal() {
    const QStringList before = calculatedFor("75");
    m_window->setCalculation([](const vantorel::BoxTexts&) -> vantorel::OnecalcResult {
      throw vantorel::CalcError(vantorel::Field::Calculation, vantorel::Fault::DivisionByZero, {});
    });
    click("Command2");
    QCOMPARE(m_messages, QStringList{"The look angles could not be computed: the calculation led to a division by zero. "
                                     "Check the four inputs."});
    QCOMPARE(results(), before);
    QCOMPARE(QApplication::focusWidget(), box("Text4"));
  }
  void refusedInput() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(bool, byRow);
    QFETCH(QString, opening);
    const QStringList before = calculatedFor("75");
    enter(name, text);
    byRow ? clickRow(1) : click("Command2");
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.front().startsWith(opening), qPrintable(m_messages.front()));
    QCOMPARE(results(), before);
    // A row sets Text6 to "0" after it reads the declination, before the site.
    const QString text6 = byRow && name == "Text4" ? QStringLiteral("0") : name == "Text6" ? text : QStringLiteral("75");
    QCOMPARE(box("Text6")->text(), text6);
    QCOMPARE(QApplication::focusWidget(), box(name));
    QCOMPARE(box(name)->selectedText(), text);
    QVERIFY(m_window->isVisible());
  }

  // END and closing the window end the program with status 0, even with
  // another window open; the event loop's result is the exit status.
  void endAndClosingEndTheProgramNormally() {
    QWidget other;
    other.show();
    QTimer::singleShot(0, m_window, [this] { click("Command1"); });
    QCOMPARE(QApplication::exec(), 0);
    QTimer::singleShot(0, m_window, [this] { m_window->close(); });
    QCOMPARE(QApplication::exec(), 0);
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
