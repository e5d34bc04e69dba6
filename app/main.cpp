// The desktop program: the main form over the data folder, run until it is
// closed by the user or by SIGTERM, SIGINT or SIGHUP; both files are saved
// on every one of these paths. One program holds a data folder at a time.
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QSessionManager>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/CommandLine.h"
#include "app/SignalBridge.h"
#include "forms/MainForm.h"
#include "forms/Messages.h"
#include "store/DataFolder.h"
#include "store/FolderLock.h"
#include "store/SafeFile.h"
#include "trelvan/Version.h"
#include "ui/Services.h"

namespace {

// Why the data folder `folder` could not be taken, as the user is told.
QString Refusal(trelvan::FolderLock::Outcome outcome, const trelvan::FolderLock& lock,
                const std::string& folder) {
  namespace messages = trelvan::messages;
  switch (outcome) {
    case trelvan::FolderLock::Outcome::kHeldByProgram:
      return QString::fromUtf8(messages::kAlreadyRunning);
    case trelvan::FolderLock::Outcome::kHeldByTool:
      return QString::fromUtf8(messages::kToolRunning);
    case trelvan::FolderLock::Outcome::kHeldByOther:
      return QString::fromUtf8(messages::kFolderHeld);
    case trelvan::FolderLock::Outcome::kTaken:
    case trelvan::FolderLock::Outcome::kFailed:
      break;
  }
  return QString::fromUtf8(messages::kCannotLockFolder)
      .arg(QFile::decodeName(QByteArray::fromStdString(folder)),
           QString::fromLocal8Bit(std::strerror(lock.Error())));
}

}  // namespace

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
  // Held for the whole run. Nothing runs unlocked: a folder held by another
  // program, or one that cannot be locked (it cannot be made, or a file
  // stands in its place), is said so and the program ends.
  trelvan::FolderLock lock;
  const trelvan::FolderLock::Outcome outcome =
      lock.Take(folder.c_str(), trelvan::LockHolder::kProgram);
  if (outcome != trelvan::FolderLock::Outcome::kTaken) {
    const QString refusal = Refusal(outcome, lock, folder);
    std::fprintf(stderr, "%s\n", refusal.toLocal8Bit().constData());
    trelvan::Form owner(services, QStringLiteral("TRELVAN"));
    owner.ShowMessage(refusal);
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
