#include "module1.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <cstdio>
#include <exception>
#include <memory>
#include <utility>

#include "first_window.h"
#include "numeric_text.h"
#include "program_version.h"

namespace vantorel {

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

int runWithWindows(int& argc, char** argv) {
  QApplication app(argc, argv);
  // The application's title. Only the name is set: an explicit display name
  // would be appended to every window's caption ("Open — Vantorel"), and the
  // display name falls back to the name anyway.
  QApplication::setApplicationName(QString::fromLatin1(kProgramName));
  QApplication::setApplicationVersion(QString::fromLatin1(kShownVersion));
  QApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/vantorel/splash/icon.png")));

  try {
    Module1::Main();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vantorel: cannot start: %s\n", error.what());
    return 1;
  }
  return QApplication::exec();
}

void reportStartFailure(const QString& why) {
  std::fprintf(stderr, "%s: the main window could not open: %s\n",
               qUtf8Printable(QCoreApplication::applicationName()), qUtf8Printable(why));
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
