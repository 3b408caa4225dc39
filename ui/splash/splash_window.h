#pragma once
// frmSplash, the window the program opens with. It fills the desktop's work
// area and shows the program's title, its version, the logo, the licence
// notice, the copyright line and where to report problems. It takes no input:
// clicks and keys on it start nothing, and the window system's close request
// is refused, because closing it early would leave the program running with
// no window at all. Timer1 hands over to the main window, once.
//
// Positions and sizes of the controls are in twips (see twips.h); those of
// the controls inside fraMainFrame are measured from the frame's top left
// corner, and the frame's from the top left corner of the window's client
// area, that is inside the window's own raised border.

#include <QFrame>
#include <QPixmap>
#include <QString>
#include <chrono>
#include <functional>

#include "twips.h"

class QLabel;
class QTimer;

namespace vantorel {

// How long the splash window stays, counted from the moment it is created.
inline constexpr std::chrono::milliseconds kHandOverDelay{5000};

// What Timer1 does when its interval has passed.
struct HandOver {
  std::chrono::milliseconds delay = kHandOverDelay;
  // Creates the main window, filled and ready, but not shown yet. May throw,
  // or return null when it cannot open.
  std::function<QWidget*()> openMainWindow;
  // Tells the user why the main window could not open, and ends the program.
  std::function<void(const QString& why)> reportFailure;
};

// A picture shown at its own size from the box's top left corner, cut off at
// the inside of the box's border and never scaled.
class PictureBox : public QFrame {
  Q_OBJECT

 public:
  explicit PictureBox(QPixmap picture, QWidget* parent = nullptr);

  const QPixmap& picture() const { return m_picture; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap m_picture;
};

class SplashWindow : public QFrame {
  Q_OBJECT

 public:
  // Creates the window and its controls, fills the captions and starts
  // Timer1. The window deletes itself when it closes.
  explicit SplashWindow(HandOver handOver, QWidget* parent = nullptr);

  // The frame that holds every other control; the start-up sizes it.
  QFrame* fraMainFrame() const { return m_fraMainFrame; }

  // Twips per pixel on the screen the window opens on.
  const TwipScale& twipScale() const { return m_scale; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void Form_Load();
  void Timer1_Timer();

  QLabel* addLabel(const char* name, const QString& caption, double left, double top, double width,
                   double height);

  HandOver m_handOver;
  TwipScale m_scale;
  bool m_handingOver = false;

  QFrame* m_fraMainFrame = nullptr;
  QLabel* m_lblLicenseTo = nullptr;
  PictureBox* m_picLogo = nullptr;
  QLabel* m_lblCopyright = nullptr;
  QLabel* m_lblVersion = nullptr;
  QLabel* m_lblproductname = nullptr;
  QLabel* m_Label1 = nullptr;
  QTimer* m_Timer1 = nullptr;
};

// A PNG image among the program's resources, read by Qt's own PNG reader
// without asking the image plugins first. Left to guess the format, and even
// when told it, Qt's first image read loads every image plugin (GIF, ICO,
// JPEG, and SVG with the SVG library) to ask each whether it reads the file,
// which costs the start-up more than decoding the picture does. A null
// pixmap if the image cannot be read.
QPixmap pngResource(const QString& path);

// The copyright line: a leading text ending in a space, the copyright sign,
// and a trailing text beginning with a space.
QString copyrightLine();

}  // namespace vantorel
