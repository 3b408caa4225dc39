#include "splash_window.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <exception>
#include <utility>

#include "program_version.h"
#include "version_line.h"

namespace vantorel {

namespace {

// The window's size before the start-up gives it the work area's.
constexpr double kDesignWidth = 10080;
constexpr double kDesignHeight = 7485;

// Where the logo lives among the program's resources.
constexpr const char* kLogoResource = ":/vantorel/splash/logo.png";

// A complete font description: the face, falling back to the nearest sans
// serif the system has, at a size in points and a weight.
QFont sansSerif(double points, QFont::Weight weight) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setWeight(weight);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

// The issue tracker's address as people type it, without the scheme.
QString trackerAddress() {
  QString address = QString::fromUtf8(kIssueTrackerUrl);
  address.remove(QStringLiteral("https://"));
  return address;
}

// The notices' boxes were laid out for a narrow 8-point face; with the wider
// default fonts of today a notice may need one more line than its box has.
// Rather than cut the notice off, its box grows downwards, keeping its place
// and width; with the usual fonts only the copyright line ever needs to.
void showWholly(QLabel& label) {
  const int needed = label.heightForWidth(label.width());
  if (needed > label.height()) {
    label.resize(label.width(), needed);
  }
}

}  // namespace

QString copyrightLine() {
  const QString leading = QStringLiteral("Copyright ");
  const QString trailing = QStringLiteral(" The Vantorel authors");
  return leading + QChar(0xA9) + trailing;
}

QPixmap pngResource(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

PictureBox::PictureBox(QPixmap picture, QWidget* parent) : QFrame(parent), m_picture(std::move(picture)) {
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect inside = contentsRect();
  painter.setClipRect(inside);
  painter.drawPixmap(inside.topLeft(), m_picture);
}

SplashWindow::SplashWindow(HandOver handOver, QWidget* parent)
    : QFrame(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_handOver(std::move(handOver)),
      m_scale(TwipScale::of(screen())) {
  setObjectName(QStringLiteral("frmSplash"));
  setAttribute(Qt::WA_DeleteOnClose);
  // Closing the splash window hands over to the main window; it must never
  // be what ends the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  setFrameStyle(QFrame::WinPanel | QFrame::Raised);
  setFocusPolicy(Qt::NoFocus);
  resize(m_scale.toPixels(kDesignWidth), m_scale.toPixels(kDesignHeight));

  buildControls();
  Form_Load();
}

QLabel* SplashWindow::addLabel(const char* name, const QString& caption, double left, double top,
                               double width, double height) {
  auto* label = new QLabel(caption, m_fraMainFrame);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setGeometry(m_scale.toPixels(left, top, width, height));
  return label;
}

void SplashWindow::buildControls() {
  // Created in tab order, which is also the order they stack in.
  m_fraMainFrame = new QFrame(this);
  m_fraMainFrame->setObjectName(QStringLiteral("fraMainFrame"));
  m_fraMainFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
  const QRect frame = m_scale.toPixels(2400, 1920, 7380, 4710);
  m_fraMainFrame->setGeometry(frame.translated(contentsRect().topLeft()));

  m_lblLicenseTo = addLabel("lblLicenseTo",
                            QStringLiteral("Vantorel is free software under the MIT License: you may use, "
                                           "copy, change and share it. It comes with no warranty."),
                            270, 300, 6855, 495);
  showWholly(*m_lblLicenseTo);

  m_picLogo = new PictureBox(pngResource(QString::fromLatin1(kLogoResource)), m_fraMainFrame);
  m_picLogo->setObjectName(QStringLiteral("picLogo"));
  m_picLogo->setGeometry(m_scale.toPixels(510, 855, 1815, 2385));

  m_lblCopyright = addLabel("lblCopyright", QStringLiteral("Copyright"), 4470, 3120, 2655, 255);

  m_lblVersion = addLabel("lblVersion", QStringLiteral("Version"), 6075, 2760, 930, 300);
  m_lblVersion->setWordWrap(false);
  m_lblVersion->setAlignment(Qt::AlignRight | Qt::AlignTop);
  m_lblVersion->setFont(sansSerif(12, QFont::Bold));

  m_lblproductname = addLabel("lblproductname", QStringLiteral("Label1"), 2520, 1080, 2535, 1335);
  m_lblproductname->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  m_lblproductname->setFont(sansSerif(18, QFont::Bold));

  m_Label1 = addLabel("Label1", QStringLiteral("Report problems and send comments at ") + trackerAddress(),
                      1200, 3840, 5535, 735);
  m_Label1->setFont(sansSerif(12, QFont::Normal));
  showWholly(*m_Label1);

  m_Timer1 = new QTimer(this);
  m_Timer1->setObjectName(QStringLiteral("Timer1"));
  // A coarse timer may fire up to 5% early or late: a quarter second either
  // side of five seconds. The hand-over is meant to come at five seconds.
  m_Timer1->setTimerType(Qt::PreciseTimer);
  connect(m_Timer1, &QTimer::timeout, this, &SplashWindow::Timer1_Timer);
}

void SplashWindow::Form_Load() {
  m_lblCopyright->setText(copyrightLine());
  showWholly(*m_lblCopyright);

  // The version label grows to its text and keeps its right edge, so that the
  // version stays right-aligned above the copyright line however long it is.
  const QRect designed = m_lblVersion->geometry();
  m_lblVersion->setText(QString::fromStdString(versionLine(kProgramVersion)));
  const QSize fitted = m_lblVersion->sizeHint();
  m_lblVersion->setGeometry(designed.right() + 1 - fitted.width(), designed.top(), fitted.width(),
                            fitted.height());

  m_lblproductname->setText(QGuiApplication::applicationDisplayName());

  m_Timer1->start(m_handOver.delay);
}

void SplashWindow::Timer1_Timer() {
  // Stopped first: creating the main window may run events, and the hand-over
  // must happen once only.
  m_Timer1->stop();
  m_handingOver = true;
  close();  // deleted once control is back in the event loop

  QWidget* first = nullptr;
  QString why;
  try {
    if (m_handOver.openMainWindow) {
      first = m_handOver.openMainWindow();
    }
    if (first == nullptr) {
      why = QStringLiteral("The main window could not be created.");
    }
  } catch (const std::exception& error) {
    why = QString::fromLocal8Bit(error.what());
  } catch (...) {
    why = QStringLiteral("An unknown error occurred while creating the main window.");
  }
  if (first == nullptr) {
    if (m_handOver.reportFailure) {
      m_handOver.reportFailure(why);
    }
    return;
  }
  first->setAttribute(Qt::WA_DeleteOnClose);
  first->show();
  first->raise();
  first->activateWindow();
}

void SplashWindow::closeEvent(QCloseEvent* event) {
  // The window system's close request (Alt+F4, a pager, a taskbar menu) is
  // refused: the splash window has no close button and takes no input, and
  // closing it before the hand-over would leave no window at all.
  if (event->spontaneous() && !m_handingOver) {
    event->ignore();
    return;
  }
  QFrame::closeEvent(event);
}

}  // namespace vantorel
