// The desktop program: the main form over the data folder, run until it is
// closed by the user or by SIGTERM, SIGINT or SIGHUP; both files are saved
// on every one of these paths. One program holds a data folder at a time.
#include <QApplication>
#include <QIcon>
#include <QSessionManager>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/SignalBridge.h"
#include "forms/MainForm.h"
#include "forms/Messages.h"
#include "store/DataFolder.h"
#include "store/FolderLock.h"
#include "store/SafeFile.h"
#include "trelvan/Version.h"
#include "ui/Services.h"

int main(int argc, char** argv) {
  if (const int status = trelvan::AnswerHelpOrVersion(argc, argv); status >= 0) return status;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TRELVAN"));
  QApplication::setApplicationVersion(QString::fromUtf8(trelvan::kVersion));
  // The desktop matches the window to its entry and icon by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.trelvan.Trelvan"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/trelvan.svg")));

  trelvan::SignalBridge bridge;
  const std::string folder = trelvan::DataFolderPath();
  trelvan::EnsureFolder(folder.c_str());

  trelvan::Services services = trelvan::Services::Desktop();
  // Held for the whole run. A folder where no lock can be made (one that may
  // not be written, or cannot be made) is still opened: the main form then
  // says what it cannot read or write, and the user is not kept out of it.
  trelvan::FolderLock lock;
  if (lock.Take(folder.c_str()) == trelvan::FolderLock::Outcome::kHeld) {
    std::fprintf(stderr, "%s\n", trelvan::messages::kAlreadyRunning);
    trelvan::Form owner(services, QStringLiteral("TRELVAN"));
    owner.ShowMessage(QString::fromUtf8(trelvan::messages::kAlreadyRunning));
    return 1;
  }

  trelvan::MainForm main(services, folder);
  // Every change is saved as it is made; these catch what Qt still reports
  // before a logout or a quit.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &main,
                   [&main](QSessionManager&) { main.SaveChanges(); });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &main, [&main] { main.SaveChanges(); });
  main.Execute();
  // Scripts and session managers learn that the close save failed.
  return main.ClosedSaved() ? 0 : 1;
}
