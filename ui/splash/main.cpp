// Vantorel: where to point a satellite dish.

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <exception>

#include "module1.h"
#include "program_version.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The application's title. Only the name is set: an explicit display name
  // would be appended to every window's caption ("Open — Vantorel"), and the
  // display name falls back to the name anyway.
  QApplication::setApplicationName(QStringLiteral("Vantorel"));
  QApplication::setApplicationVersion(QString::fromLatin1(vantorel::kShownVersion));
  QApplication::setDesktopFileName(QString::fromLatin1(vantorel::kDesktopId));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/vantorel/splash/icon.png")));

  try {
    vantorel::Module1::Main();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vantorel: cannot start: %s\n", error.what());
    return 1;
  }
  return QApplication::exec();
}
