// Vantorel: where to point a satellite dish.

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <exception>

#include "module1.h"
#include "program_version.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantorel"));
  QApplication::setApplicationDisplayName(QStringLiteral("Vantorel"));
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
