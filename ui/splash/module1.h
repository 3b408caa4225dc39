#pragma once
// The program's start: Main opens the splash window, sized to the desktop's
// work area, and returns; the event loop does the rest (the splash window's
// Timer1 opens the main window).

#include <QApplication>
#include <QString>
#include <memory>

#include "splash_window.h"
#include "sys_info.h"

namespace vantorel {

// What the start-up uses from outside. Every empty member means the real
// thing: the work area of the screen the window opens on, a new FirstWindow,
// and a message box that ends the program.
struct StartupSettings {
  SysInfo::AreaSource workArea;
  HandOver handOver;
};

namespace Module1 {

// Creates frmSplash (which fills its captions and starts Timer1), gives the
// window and fraMainFrame the work area's width and height, places the window
// over the work area, shows it and paints it at once. The window owns itself
// and is deleted when it closes. If the work area cannot be read, throws
// before any window is shown.
SplashWindow* Main(StartupSettings settings = {});

}  // namespace Module1

// The application as the program runs it: Qt's own options (such as
// -platform or -style) taken out of argc and argv, and the program's name,
// version, desktop entry and window icon set. argc must outlive it.
std::unique_ptr<QApplication> makeApplication(int& argc, char** argv);

// Runs Main and then the event loop under the application already made, and
// returns the exit status: 1, with the reason on standard error, when Main
// throws.
int startWindows(StartupSettings settings = {});

// The program with its windows: makeApplication, then startWindows.
int runWithWindows(int& argc, char** argv);

// Tells the user, on standard error and in a message box, that the main
// window could not open and why; when the box is dismissed the program ends
// with exit code 1. Does not wait for the box.
void reportStartFailure(const QString& why);

}  // namespace vantorel
