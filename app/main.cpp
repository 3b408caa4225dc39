// Vantorel: where to point a satellite dish. The command line decides, before
// anything touches a display, whether the program opens its windows or prints
// the look angles.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibrary>
#include <QStringList>
#include <QApplication>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>

#include "command_line.h"
#include "module1.h"
#include "planner_services.h"
#include "sheet_module.h"

namespace {

// The planner, from its module, under the application the windows use; the
// program hands it the job's building and the lists' reading.
int runPlanner(int& argc, char** argv) {
  const std::unique_ptr<QApplication> app = vantorel::makeApplication(argc, argv);
  QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/" VANTOREL_PLANNER_MODULE));
  const auto entry = reinterpret_cast<vantorel::PlannerEntry (*)()>(module.resolve(vantorel::kPlannerSymbol));
  if (!entry) {
    std::fprintf(stderr, "vantorel: the planner cannot open: %s\n", qUtf8Printable(module.errorString()));
    return 1;
  }
  const vantorel::PlannerServices services{vantorel::buildJob, vantorel::loadSatelliteList,
                                           vantorel::builtInSatelliteList};
  return entry()(services);
}

}  // namespace

int main(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLatin1(argv[i]);  // bytes, as parseCommandLine reads them
  const vantorel::CommandLine command = vantorel::parseCommandLine(arguments);
  if (command.mode == vantorel::CommandLine::Mode::Windows) return vantorel::runWithWindows(argc, argv);
  if (command.mode == vantorel::CommandLine::Mode::Planner) return runPlanner(argc, argv);
  // Like any filter, the command line ends quietly when whatever reads its
  // output has gone (vantorel --all | head -3), even if its parent ignores
  // the signal that says so.
  std::signal(SIGPIPE, SIG_DFL);
  // The sheet's fonts and painting need a GUI application; the offscreen
  // platform gives one without a display.
  std::unique_ptr<QGuiApplication> painting;
  vantorel::SheetWriter writeSheet;
  if (command.request.sheet) {
    // Qt's own notes (a runtime folder it had to guess) are not the
    // program's messages; what goes wrong with the sheet is reported by it.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    qputenv("QT_QPA_PLATFORM", "offscreen");
    painting = std::make_unique<QGuiApplication>(argc, argv);
    QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/" VANTOREL_SHEET_MODULE));
    const auto writer = reinterpret_cast<vantorel::WriteSheetFunction (*)()>(module.resolve(vantorel::kSheetWriterSymbol));
    const QString why = module.errorString();
    writeSheet = [writer, why](const vantorel::Job& job, vantorel::Paper paper, const std::string& path) {
      return writer ? writer()(job, paper, path)
                    : vantorel::SheetOutcome::refused("the sheet cannot be drawn: " + why.toStdString());
    };
  }
  return vantorel::runCommandLine(command, std::cout, std::cerr, writeSheet);
}
