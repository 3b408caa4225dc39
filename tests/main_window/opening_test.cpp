// The main window as it opens: texts, list, focus and tab cycle, every
// control in view, captions and box texts that fit, readable buttons.

#include <QAccessible>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionFrame>

#include "window_test_support.h"

using vantorel::test::WindowUnderTest;

namespace {

// QLineEdit leaves this many pixels between its contents rectangle and the
// text on either side, and scrolls unless the text plus one pixel fits.
constexpr int kLineEditSideGap = 2;

int textRoom(const QLineEdit* box) {
  QStyleOptionFrame option;
  option.initFrom(box);
  option.rect = box->rect();
  option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
  const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
  return contents.marginsRemoved(box->textMargins()).width() - 2 * kLineEditSideGap;
}

}  // namespace

class OpeningTest : public QObject {
  Q_OBJECT

  WindowUnderTest m_ui;
  QPalette m_startPalette;

 private slots:
  void initTestCase() {
    vantorel::test::fixLocaleAndTitle();
    m_startPalette = QApplication::palette();
  }
  void init() { m_ui.open(); }
  void cleanup() {
    m_ui.close();
    QApplication::setPalette(m_startPalette);
  }

  void opensWithDefaultsAndTheWholeCatalogueListed() {
    QCOMPARE(m_ui.window()->windowTitle(), QStringLiteral("Open"));
    QCOMPARE(m_ui.text("Text4"), QStringLiteral("420100"));
    QCOMPARE(m_ui.text("Text5"), QStringLiteral("0910100"));
    QCOMPARE(m_ui.text("Text7"), QStringLiteral("-8"));
    QCOMPARE(m_ui.text("Text6"), QStringLiteral("000"));
    QCOMPARE(m_ui.results(), QStringList({"", "", ""}));
    QCOMPARE(m_ui.list()->count(), 69);
    QCOMPARE(m_ui.list()->item(0)->text(), QStringLiteral("EchoStar 3-----61.5"));
    QCOMPARE(m_ui.list()->item(3)->text(), QStringLiteral("Brasilsat B2-----65"));
    QCOMPARE(m_ui.list()->item(68)->text(), QStringLiteral("PAS 5-----155.5"));
    QCOMPARE(m_ui.selectedRow(), -1);
    QVERIFY(m_ui.messages().isEmpty());
  }

  void tabCyclesFromElevation_data() {
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("focused");
    QTest::newRow("opening") << 0 << "Text3";
    QTest::newRow("once") << 1 << "Text2";
    QTest::newRow("three times") << 3 << "List1";
    QTest::newRow("four times") << 4 << "Command1";
    QTest::newRow("five times") << 5 << "Text4";
    QTest::newRow("seven times") << 7 << "Text6";
    QTest::newRow("eight times") << 8 << "Command2";
    QTest::newRow("nine times") << 9 << "Text7";
    QTest::newRow("ten times, round again") << 10 << "Text3";
  }
  void tabCyclesFromElevation() {
    QFETCH(int, presses);
    QFETCH(QString, focused);
    for (int i = 0; i < presses; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
  }

  void everyControlShowsAndStaysPutOnResize() {
    const QList<QWidget*> controls = m_ui.window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(controls.size(), 17);
    QList<QRect> opened;
    for (const QWidget* control : controls) {
      QVERIFY2(m_ui.window()->rect().contains(control->geometry()), qPrintable(control->objectName()));
      opened.append(control->geometry());
    }
    for (const QSize size : {QSize(300, 200), QSize(1000, 700)}) {
      m_ui.window()->resize(size);
      for (int i = 0; i < controls.size(); ++i) QCOMPARE(controls[i]->geometry(), opened[i]);
    }
  }

  void captionFitsItsLabel_data() {
    QTest::addColumn<QString>("name");
    for (int i = 1; i <= 7; ++i) QTest::newRow(qPrintable(QString::number(i))) << QStringLiteral("Label%1").arg(i);
  }
  // The caption is drawn as the label draws it, wrapped to the label's width
  // but with room below; no ink may fall below the label's bottom edge. Ink,
  // not line boxes: the descent under an all-capitals last line is empty.
  void captionFitsItsLabel() {
    QFETCH(QString, name);
    const auto* label = m_ui.find<QLabel>(name);
    const int flags = static_cast<int>(label->alignment()) | Qt::TextWordWrap;
    const QRect room(0, 0, label->width(), 4 * label->height());
    QCOMPARE_LE(QFontMetrics(label->font()).boundingRect(room, flags, label->text()).width(), label->width());
    QPixmap canvas(room.size());
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setFont(label->font());
    painter.setPen(Qt::black);
    painter.drawText(room, flags, label->text());
    painter.end();
    const QImage image = canvas.toImage();
    int lastInkRow = -1;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, y) != qRgb(255, 255, 255)) lastInkRow = y;
      }
    }
    QVERIFY(lastInkRow >= 0);
    QCOMPARE_LT(lastInkRow, label->height());
  }

  void boxShowsTheWholeText_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("azimuth true") << "Text1" << "345.2658";
    QTest::newRow("negative magnetic azimuth") << "Text2" << "-12.94364";
    QTest::newRow("elevation below the horizon") << "Text3" << "-7.862228";
    QTest::newRow("latitude") << "Text4" << "420100";
    QTest::newRow("longitude") << "Text5" << "0910100";
    QTest::newRow("satellite longitude") << "Text6" << "000";
    QTest::newRow("declination") << "Text7" << "-8";
  }
  void boxShowsTheWholeText() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    const QLineEdit* box = m_ui.box(name);
    const int width = qCeil(QFontMetricsF(box->font()).horizontalAdvance(text));
    QCOMPARE_LE(width + 1, textRoom(box));
  }

  void everyBoxHasItsOwnAccessibleName() {
    QSet<QString> names;
    const QList<QWidget*> controls = {m_ui.list(), m_ui.box("Text1"), m_ui.box("Text2"), m_ui.box("Text3"),
                                      m_ui.box("Text4"), m_ui.box("Text5"), m_ui.box("Text6"), m_ui.box("Text7")};
    for (QWidget* control : controls) {
      const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
      QVERIFY2(!name.isEmpty(), qPrintable(control->objectName()));
      names.insert(name);
    }
    QCOMPARE(names.size(), controls.size());
  }

  void buttonsKeepDarkCaptionsOnLightFacesUnderADarkTheme() {
    QPalette dark;
    dark.setColor(QPalette::Button, QColor(40, 40, 40));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    m_ui.close();
    m_ui.open();
    QCOMPARE(m_ui.window()->palette().color(QPalette::ButtonText), dark.color(QPalette::ButtonText));
    for (const char* name : {"Command1", "Command2"}) {
      const QPalette palette = m_ui.find<QPushButton>(name)->palette();
      QCOMPARE_GT(palette.color(QPalette::Button).lightness(), 180);
      QCOMPARE_LT(palette.color(QPalette::ButtonText).lightness(), 80);
    }
  }

  void enterAndEscapeInABoxPressNoButton_data() {
    QTest::addColumn<QString>("name");
    for (int i = 1; i <= 7; ++i) QTest::newRow(qPrintable(QString::number(i))) << QStringLiteral("Text%1").arg(i);
  }
  void enterAndEscapeInABoxPressNoButton() {
    QFETCH(QString, name);
    m_ui.click(name);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) QTest::keyClick(m_ui.box(name), key);
    QCOMPARE(m_ui.results(), QStringList({"", "", ""}));
    QVERIFY(m_ui.messages().isEmpty());
    QVERIFY(m_ui.window()->isVisible());
  }
};

QTEST_MAIN(OpeningTest)
#include "opening_test.moc"
