// The floor for the start-up figures: the smallest Qt Widgets program that
// shows what Vantorel shows first, one frameless window covering the
// desktop's work area, and then waits in the event loop as Vantorel does.
// bench/startup.sh times both programs in exactly the same way.

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window(nullptr, Qt::FramelessWindowHint);
  window.setGeometry(QApplication::primaryScreen()->availableGeometry());
  window.show();
  return QApplication::exec();
}
