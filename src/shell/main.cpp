#include <QApplication>
#include <QGuiApplication>
#include <QLockFile>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>

#include <memory>

#include "catalogues/CoreServices.h"
#include "frame/WindowMessages.h"
#include "shell/MainFrame.h"
#include "shell/MainFrameAccess.h"
#include "shell/Shell.h"
#include "shell/StartReport.h"
#include "shell/StartupChecks.h"
#include "ui/AppMessageBox.h"
#include "ui/DialogUtils.h"
#include "ui/Options.h"
#include "ui/SettingsStore.h"

namespace {

QString product() { return QString::fromLatin1(noctavo::productName); }

// The start-up checks speak through plain system message boxes captioned
// with the product name: the program's own message box needs the frame.
bool showRefusal(const noctavo::StartupCheck& check, QMessageBox::Icon icon) {
  for (const QString& message : check.messages) {
    QMessageBox box(icon, product(), message, QMessageBox::Ok);
    box.exec();
  }
  return check.refused;
}

QSize primaryScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size() : QSize(0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(product());
  QApplication::setApplicationVersion(QString::fromLatin1(noctavo::productVersion));
  // The desktop entry an installed program is started from: its name and
  // icon stand for the program's windows in the desktop's task bar.
  QGuiApplication::setDesktopFileName(QStringLiteral("noctavo"));
  // Until the frame exists the program's messages have no owner.
  noctavo::installCoreMessageHandlers(nullptr);
  const bool startReport = noctavo::startReportRequested();
  if (startReport) noctavo::watchForMessagesAtStart();

  // Operating system: no family of this platform is turned away.
  if (showRefusal(noctavo::checkOperatingSystem(), QMessageBox::Critical)) return 0;

  // One instance: a second start ends here, without a window or a word.
  std::unique_ptr<QLockFile> instanceLock = noctavo::acquireSingleInstanceLock();
  if (!instanceLock) return 0;

  const QSize screen = primaryScreenSize();
  if (showRefusal(noctavo::checkDisplay(screen.width(), screen.height()), QMessageBox::NoIcon)) return 0;

  noctavo::FileSettingsStore settings(noctavo::FileSettingsStore::defaultFilePath());
  noctavo::setSettingsStore(&settings);
  noctavo::registerWindowMessages();

  noctavo::MainFrame frame;
  noctavo::installCoreMessageHandlers(&frame);

  // The Qt runtime must be as recent as the one the program was built with.
  if (showRefusal(noctavo::checkRuntimeVersion(qVersion()), QMessageBox::NoIcon)) {
    noctavo::setSettingsStore(nullptr);
    return 0;
  }

  noctavo::ShellInit(frame, noctavo::ProgramFolder());
  noctavo::StatusLineUpdate(noctavo::observer());
  noctavo::sendLayout(&frame);

  if (noctavo::shellSettings().maximized) {
    // Without a window manager (a bare X server) maximizing is only a hint
    // nobody acts on; covering the screen's work area first gives the same
    // picture there and changes nothing where a manager maximizes.
    if (const QScreen* screen = frame.screen()) frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
  } else {
    frame.showNormal();
  }
  if (startReport) {
    noctavo::reportAndCloseOnceRunning(frame);
  } else {
    noctavo::ShowWelcomeOnFirstRun(frame);
  }

  // The program ends when the frame has closed for good, not when some
  // other window happens to be the last one open.
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(&frame, &noctavo::MainFrame::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  const int exitCode = QApplication::exec();

  noctavo::setSettingsStore(nullptr);
  instanceLock.reset();
  return exitCode;
}
