#include "first_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <array>
#include <cmath>
#include <exception>
#include <string_view>

#include "calc_error.h"
#include "first_actions.h"
#include "satellite_list.h"

namespace vantorel {
namespace {

constexpr int kTwipsPerPixel = 15;

// The size the layout was drawn for; captions are measured to fit at it.
constexpr qreal kWindowPointSize = 8;
// The two headings over the site boxes are drawn larger, in "MS Sans Serif"
// or the nearest face there is.
constexpr qreal kHeadingPointSize = 9.75;
// Space left right of and below the outermost controls when the window opens.
constexpr int kOpeningMargin = 12;

// QLineEdit keeps this many pixels clear on either side of its text, inside
// the style's contents rectangle, and scrolls unless the text plus one pixel
// fits between them.
constexpr int kLineEditSideGap = 2;
// Faces narrower than the usual desktop faces, tried in turn when the
// window's face is too wide for the boxes. The boxes are narrow because they
// were drawn for an 8 pt face with 6-pixel digits.
constexpr std::array kNarrowFaces = {"Nimbus Sans Narrow", "Liberation Sans Narrow", "Arial Narrow",
                                     "DejaVu Sans Condensed"};
// If no face fits, the window's face shrinks in these steps, down to the
// smallest size still readable.
constexpr qreal kBoxPointStep = 0.5;
constexpr qreal kSmallestBoxPointSize = 6;

// A place in twips from the top left of the window's client area.
struct Twips {
  int left;
  int top;
  int width;
  int height;
};

QRect toPixels(Twips place) {
  return {place.left / kTwipsPerPixel, place.top / kTwipsPerPixel, place.width / kTwipsPerPixel,
          place.height / kTwipsPerPixel};
}

QFont windowFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPointSizeF(kWindowPointSize);
  return font;
}

QFont headingFont(const QFont& windowFont) {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), windowFont.family()});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(kHeadingPointSize);
  font.setWeight(QFont::Normal);
  return font;
}

// Pixels available to the text of box, whatever its font.
int textRoom(const QLineEdit& box) {
  QStyleOptionFrame option;
  option.initFrom(&box);
  option.rect = box.rect();
  option.lineWidth = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
  const QRect contents =
      box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box).marginsRemoved(box.textMargins());
  return contents.width() - 2 * kLineEditSideGap;
}

bool showsWhole(const QLineEdit& box, const QFontMetricsF& metrics, const QString& text) {
  return static_cast<int>(std::ceil(metrics.horizontalAdvance(text))) + 1 <= textRoom(box);
}

// The widest text a result box receives: a sign, seven significant digits and
// a point, such as "-12.94364".
QString widestResult(const QFontMetricsF& metrics) {
  QChar widest = u'0';
  for (char16_t digit = u'1'; digit <= u'9'; ++digit) {
    if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest)) widest = QChar(digit);
  }
  return QStringLiteral("-") + QString(7, widest) + QStringLiteral(".");
}

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QLabel* addLabel(QWidget* window, const char* name, std::string_view caption, Twips place,
                 Qt::Alignment alignment = Qt::AlignLeft) {
  auto* label = new QLabel(fromUtf8(caption), window);
  label->setObjectName(QString::fromUtf8(name));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(alignment | Qt::AlignTop);
  label->setGeometry(toPixels(place));
  return label;
}

QLineEdit* addBox(QWidget* window, const char* name, std::string_view text, Twips place,
                  std::string_view accessibleName) {
  auto* box = new QLineEdit(window);
  box->setObjectName(QString::fromUtf8(name));
  box->setText(fromUtf8(text));
  box->setCursorPosition(0);
  box->setGeometry(toPixels(place));
  box->setAccessibleName(fromUtf8(accessibleName));
  return box;
}

QPushButton* addButton(QWidget* window, const char* name, const char* caption, Twips place, QColor face) {
  auto* button = new QPushButton(QString::fromUtf8(caption), window);
  button->setObjectName(QString::fromUtf8(name));
  button->setGeometry(toPixels(place));
  // Enter and Escape press no button of this window.
  button->setAutoDefault(false);
  button->setDefault(false);
  // The caption stays dark on the light face under a dark desktop theme too.
  QPalette palette = button->palette();
  palette.setColor(QPalette::Button, face);
  palette.setColor(QPalette::ButtonText, Qt::black);
  button->setPalette(palette);
  return button;
}

// A text the program writes shows from its start, so that the sign and the
// whole degrees are never scrolled out of a narrow box.
void writeBox(QLineEdit* box, const std::string& text) {
  box->setText(QString::fromStdString(text));
  box->setCursorPosition(0);
}

}  // namespace

FirstWindow::FirstWindow(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FIRST"));
  setWindowTitle(QStringLiteral("Open"));
  setFont(windowFont());
  buildControls();
  fitBoxFont();
  setTabOrderAndFocus();
  connectHandlers();
  Form_Load();
  openShowingEveryControl();
}

void FirstWindow::setMessageHandler(MessageHandler handler) { m_showMessage = std::move(handler); }

void FirstWindow::setCalculation(Calculation calculation) { m_calculate = std::move(calculation); }

void FirstWindow::buildControls() {
  // Labels first: four of them reach a pixel under a box, and the box is
  // drawn over them.
  addLabel(this, "Label1", "Click on satellite above or enter satellite longitude  below then hit 'Calculate'.",
           {2760, 3840, 2415, 735});
  addLabel(this, "Label5", "Enter Latitude", {6960, 1440, 975, 495})->setFont(headingFont(font()));
  addLabel(this, "Label6", "Enter Longitude", {8640, 1440, 1095, 495})->setFont(headingFont(font()));
  addLabel(this, "Label7", "DECLINATION IF WEST, ENTER -# (MINUS NUMBER) IF EAST ENTER #",
           {6480, 2400, 1695, 855}, Qt::AlignHCenter);
  addLabel(this, "Label2", kResultLabels[0], {7080, 3480, 975, 375});
  addLabel(this, "Label3", kResultLabels[1], {7080, 4200, 975, 375});
  addLabel(this, "Label4", kResultLabels[2], {7080, 5040, 975, 375});

  m_ui.List1 = new SatelliteList(this);
  m_ui.List1->setObjectName(QStringLiteral("List1"));
  m_ui.List1->setGeometry(toPixels({2520, 960, 2415, 2595}));
  m_ui.List1->setAccessibleName(QStringLiteral("Satellites"));

  m_ui.Text6 = addBox(this, "Text6", kOpeningBoxTexts.Text6, {3360, 4560, 375, 285}, "Satellite longitude");
  m_ui.Text4 = addBox(this, "Text4", kOpeningBoxTexts.Text4, {6960, 1920, 735, 285}, "Enter Latitude");
  m_ui.Text5 = addBox(this, "Text5", kOpeningBoxTexts.Text5, {8640, 1920, 735, 285}, "Enter Longitude");
  m_ui.Text7 = addBox(this, "Text7", kOpeningBoxTexts.Text7, {8160, 2640, 615, 285}, "Declination");
  m_ui.Text1 = addBox(this, "Text1", "", {8160, 3480, 735, 375}, kResultLabels[0]);
  m_ui.Text2 = addBox(this, "Text2", "", {8160, 4200, 735, 375}, kResultLabels[1]);
  m_ui.Text3 = addBox(this, "Text3", "", {8160, 4920, 735, 375}, kResultLabels[2]);

  m_ui.Command2 = addButton(this, "Command2", "Calculate", {3120, 5040, 855, 375}, QColor(255, 255, 128));
  m_ui.Command1 = addButton(this, "Command1", "END", {6960, 6120, 975, 495}, QColor(255, 128, 128));
}

// Desktop faces are wider than the face the boxes were drawn for. Every box
// gets the first font that shows the results and the default inputs whole:
// the window's font, else a narrow face at the same size, else the window's
// face made smaller. The boxes keep their places and sizes.
void FirstWindow::fitBoxFont() {
  const std::array results = {m_ui.Text1, m_ui.Text2, m_ui.Text3};
  const std::array inputs = {m_ui.Text4, m_ui.Text5, m_ui.Text6, m_ui.Text7};
  const auto fits = [&](const QFont& candidate) {
    const QFontMetricsF metrics(candidate);
    const QString widest = widestResult(metrics);
    for (const QLineEdit* box : results) {
      if (!showsWhole(*box, metrics, widest)) return false;
    }
    for (const QLineEdit* box : inputs) {
      if (!showsWhole(*box, metrics, box->text())) return false;
    }
    return true;
  };

  QFont chosen = font();
  if (!fits(chosen)) {
    bool found = false;
    for (const char* face : kNarrowFaces) {
      QFont narrow = font();
      narrow.setFamilies({QString::fromUtf8(face)});
      if (fits(narrow)) {
        chosen = narrow;
        found = true;
        break;
      }
    }
    for (qreal size = kWindowPointSize - kBoxPointStep; !found && size >= kSmallestBoxPointSize;
         size -= kBoxPointStep) {
      chosen.setPointSizeF(size);
      found = fits(chosen);
    }
  }
  for (QLineEdit* box : results) box->setFont(chosen);
  for (QLineEdit* box : inputs) box->setFont(chosen);
}

void FirstWindow::setTabOrderAndFocus() {
  const std::array<QWidget*, 10> order = {m_ui.Text3, m_ui.Text2, m_ui.Text1, m_ui.List1, m_ui.Command1,
                                          m_ui.Text4, m_ui.Text5, m_ui.Text6, m_ui.Command2, m_ui.Text7};
  for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
  m_ui.Text3->setFocus();
}

void FirstWindow::connectHandlers() {
  connect(m_ui.Command2, &QPushButton::clicked, this, &FirstWindow::Command2_Click);
  connect(m_ui.Command1, &QPushButton::clicked, this, &FirstWindow::Command1_Click);
  connect(m_ui.List1, &SatelliteList::rowChosen, this, &FirstWindow::List1_Click);
  // A click into Text6 is seen as its mouse press; see eventFilter.
  m_ui.Text6->installEventFilter(this);
}

// The layout needs more room than the window's stored size of 4680 x 3195
// twips, which would hide most controls; the window opens large enough to
// show all of them, and the user may still make it smaller.
void FirstWindow::openShowingEveryControl() {
  QRect used;
  for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) used |= child->geometry();
  resize(used.right() + 1 + kOpeningMargin, used.bottom() + 1 + kOpeningMargin);
}

void FirstWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  // Closing this window ends the program, even if another window is still
  // open.
  if (event->isAccepted()) QCoreApplication::exit(0);
}

bool FirstWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_ui.Text6 && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Text6_Click();
  }
  return QWidget::eventFilter(watched, event);
}

void FirstWindow::Form_Load() {
  listmod(m_catalogue);
  // Rows follow the catalogue's slots with slot 4 left out; slotForRow is the
  // same mapping the list click uses to find a row's slot.
  for (int row = 0; row < rowCount(m_catalogue); ++row) {
    m_ui.List1->addItem(QString::fromStdString(rowText(m_catalogue, slotForRow(row))));
  }
}

void FirstWindow::Command2_Click() {
  try {
    showResults(m_calculate ? m_calculate(readBoxes()) : calculateFromBoxes(readBoxes()));
  } catch (const CalcError& error) {
    refuse(error.field(), QString::fromStdString(error.what()));
  } catch (const std::exception& error) {
    refuse(Field::Calculation, QString::fromStdString(error.what()));
  }
}

void FirstWindow::List1_Click() {
  // The handler reads the declination, then sets Text6 to "0", then decodes
  // the site: a failure after the declination finds Text6 already set.
  const std::string zero = integerToText(0);
  try {
    const std::optional<OnecalcResult> result = calculateForListRow(readBoxes(), m_catalogue, m_ui.List1->selectedRow());
    writeBox(m_ui.Text6, zero);
    if (result) showResults(*result);
  } catch (const CalcError& error) {
    if (error.field() != Field::Declination) writeBox(m_ui.Text6, zero);
    refuse(error.field(), QString::fromStdString(error.what()));
  } catch (const std::exception& error) {
    refuse(Field::Calculation, QString::fromStdString(error.what()));
  }
}

// Clears the selection without a choice: the list reports only the user's
// choices, so the longitude the user is about to type into Text6 stays.
void FirstWindow::Text6_Click() {
  m_ui.List1->setCurrentRow(-1);
  m_ui.List1->clearSelection();
}

void FirstWindow::Command1_Click() { QCoreApplication::exit(0); }

BoxTexts FirstWindow::readBoxes() const {
  BoxTexts boxes;
  boxes.Text4 = m_ui.Text4->text().toStdString();
  boxes.Text5 = m_ui.Text5->text().toStdString();
  boxes.Text6 = m_ui.Text6->text().toStdString();
  boxes.Text7 = m_ui.Text7->text().toStdString();
  return boxes;
}

// The three texts arrive together, so no box shows a result of another
// calculation than its neighbours.
void FirstWindow::showResults(const OnecalcResult& result) {
  const ResultTexts texts = resultTexts(result);
  writeBox(m_ui.Text1, texts.Text1);
  writeBox(m_ui.Text2, texts.Text2);
  writeBox(m_ui.Text3, texts.Text3);
}

void FirstWindow::refuse(Field field, const QString& message) {
  m_showMessage(this, Message{QGuiApplication::applicationDisplayName(), message});
  QLineEdit* box = boxFor(field);
  box->setFocus(Qt::OtherFocusReason);
  // Selected from the end back to the start, so the start stays in view.
  const auto length = static_cast<int>(box->text().size());
  box->setSelection(length, -length);
}

QLineEdit* FirstWindow::boxFor(Field field) const {
  switch (field) {
    case Field::Longitude:
      return m_ui.Text5;
    case Field::Declination:
      return m_ui.Text7;
    case Field::SatelliteLongitude:
      return m_ui.Text6;
    default:
      return m_ui.Text4;
  }
}

}  // namespace vantorel
