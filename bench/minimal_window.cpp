// The floor for the start-up figures: the smallest Qt Widgets program that
// shows what Vantorel shows first, one frameless window covering the
// desktop's work area, and then waits in the event loop as Vantorel does.
// bench/startup.sh times both programs in exactly the same way.
//
// With --label the window also shows one line of text. That is not part of
// the floor; it measures what the first text costs (the font configuration
// and the first font), which every window with a caption pays.

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <cstring>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window(nullptr, Qt::FramelessWindowHint);
  window.setGeometry(QApplication::primaryScreen()->availableGeometry());
  if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
    auto* label = new QLabel(QStringLiteral("Vantorel"), &window);
    label->move(160, 200);
  }
  window.show();
  return QApplication::exec();
}
