#include "module1.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <utility>

#include "calc_error.h"
#include "first_window.h"
#include "numeric_text.h"
#include "program_version.h"

namespace vantorel {
namespace {

// With no display, Qt warns that it could not connect and that its platform
// plugin, though found, did not load, and then ends the program with qFatal,
// an abort (status 134) whose message suggests reinstalling the program.
// These are the warnings on that way; the fatal message replaces them.
struct QtWarning {
  const char* category;
  const char* opening;
};
constexpr QtWarning kNoDisplayWarnings[] = {{"qt.qpa.xcb", "could not connect to display"},
                                            {"qt.qpa.wayland", "Failed to create wl_display"},
                                            {"qt.qpa.plugin", ""}};

// One line that says what failed and what to do, then status 1, as for any
// window that cannot open. The application object is half made, so nothing
// is torn down: _Exit, after stderr is flushed.
[[noreturn]] void endForNoDisplay() {
  std::string displays;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const QByteArray value = qgetenv(name);
    if (value.isEmpty()) continue;
    displays += (displays.empty() ? "" : " or ") + std::string(name) + '=' + quotedText(value.toStdString());
  }
  const std::string what = displays.empty() ? "no display is set (neither DISPLAY nor WAYLAND_DISPLAY)"
                                            : "no display can be reached at " + displays;
  std::fprintf(stderr,
               "vantorel: cannot open the windows: %s. Without a display, use the command line "
               "(vantorel --satellite T, --all or --help); for the windows, set DISPLAY or WAYLAND_DISPLAY.\n",
               what.c_str());
  std::fflush(stderr);
  std::_Exit(1);
}

// Qt's message handler while the application object is made. A fatal message
// there means that no platform could start; every other message but those
// above is written as Qt's own handler would.
void whileOpeningDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) endForNoDisplay();
  for (const QtWarning& warning : kNoDisplayWarnings) {
    if (qstrcmp(context.category, warning.category) == 0 && text.startsWith(QLatin1String(warning.opening))) return;
  }
  std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, text)));
}

}  // namespace

namespace Module1 {

SplashWindow* Main(StartupSettings settings) {
  if (!settings.handOver.openMainWindow) {
    settings.handOver.openMainWindow = [] { return new FirstWindow; };
  }
  if (!settings.handOver.reportFailure) {
    settings.handOver.reportFailure = reportStartFailure;
  }
  // Held here until it is shown, so that a failure below leaves no window.
  auto frmSplash = std::make_unique<SplashWindow>(std::move(settings.handOver));
  const SysInfo SysInfo1 =
      settings.workArea ? SysInfo{std::move(settings.workArea)} : SysInfo::forWindow(*frmSplash);
  QFrame* fraMainFrame = frmSplash->fraMainFrame();
  const TwipScale& scale = frmSplash->twipScale();

  // Each size is read afresh and stored as a Single, in this order.
  auto twips = [&SysInfo1](SysInfoProperty property) {
    return static_cast<Single>(SysInfo1.value(property));
  };
  frmSplash->resize(scale.toPixels(twips(SysInfoProperty::WorkAreaWidth)), frmSplash->height());
  fraMainFrame->resize(scale.toPixels(twips(SysInfoProperty::WorkAreaWidth)), fraMainFrame->height());
  fraMainFrame->resize(fraMainFrame->width(), scale.toPixels(twips(SysInfoProperty::WorkAreaHeight)));
  frmSplash->resize(frmSplash->width(), scale.toPixels(twips(SysInfoProperty::WorkAreaHeight)));

  // Centred on the work area rather than on the whole screen: a window as big
  // as the work area then covers exactly it, not half of a panel.
  if (const QScreen* screen = frmSplash->screen()) {
    frmSplash->move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frmSplash->size(),
                                        screen->availableGeometry())
                        .topLeft());
  }

  frmSplash->show();
  frmSplash->repaint();
  return frmSplash.release();
}

}  // namespace Module1

std::unique_ptr<QApplication> makeApplication(int& argc, char** argv) {
  const QtMessageHandler qtHandler = qInstallMessageHandler(whileOpeningDisplay);
  auto app = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(qtHandler);
  // The application's title. Only the name is set: an explicit display name
  // would be appended to every window's caption ("Open — Vantorel"), and the
  // display name falls back to the name anyway.
  QApplication::setApplicationName(QString::fromLatin1(kProgramName));
  QApplication::setApplicationVersion(QString::fromLatin1(kShownVersion));
  QApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
  QApplication::setWindowIcon(QIcon(pngResource(QStringLiteral(":/vantorel/splash/icon.png"))));
  return app;
}

int startWindows(StartupSettings settings) {
  try {
    Module1::Main(std::move(settings));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vantorel: cannot start: %s\n", error.what());
    return 1;
  }
  return QApplication::exec();
}

int runWithWindows(int& argc, char** argv) {
  const std::unique_ptr<QApplication> app = makeApplication(argc, argv);
  return startWindows();
}

void reportStartFailure(const QString& why) {
  std::fprintf(stderr, "vantorel: the main window could not open: %s\n", qUtf8Printable(why));
  auto* box = new QMessageBox(QMessageBox::Critical, QGuiApplication::applicationDisplayName(),
                              QStringLiteral("The main window could not open, so the program ends."),
                              QMessageBox::Ok);
  box->setObjectName(QStringLiteral("startFailure"));
  box->setInformativeText(why);
  box->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(box, &QMessageBox::finished, box, [] { QCoreApplication::exit(1); });
  box->open();
}

}  // namespace vantorel
