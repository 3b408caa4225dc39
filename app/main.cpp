// Vantorel: where to point a satellite dish. The command line decides, before
// anything touches a display, whether the program opens its windows or prints
// the look angles.

#include <QStringList>
#include <csignal>
#include <iostream>

#include "command_line.h"
#include "module1.h"

int main(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLatin1(argv[i]);  // bytes, as parseCommandLine reads them
  const vantorel::CommandLine command = vantorel::parseCommandLine(arguments);
  if (command.mode == vantorel::CommandLine::Mode::Windows) return vantorel::runWithWindows(argc, argv);
  // Like any filter, the command line ends quietly when whatever reads its
  // output has gone (vantorel --all | head -3), even if its parent ignores
  // the signal that says so.
  std::signal(SIGPIPE, SIG_DFL);
  return vantorel::runCommandLine(command, std::cout, std::cerr);
}
