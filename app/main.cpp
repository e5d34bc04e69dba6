// The desktop program: the main form over the workspace of the data folder,
// run until it is closed by the user or by SIGTERM, SIGINT or SIGHUP; both
// files are saved on every one of these paths. One program holds a data
// folder at a time.
#include <QApplication>
#include <QFile>
#include <QSessionManager>
#include <cstdio>
#include <cstring>

#include "app/CommandLine.h"
#include "app/SignalBridge.h"
#include "forms/MainForm.h"
#include "forms/Messages.h"
#include "store/DataFolder.h"
#include "store/FolderLock.h"
#include "trelvan/Version.h"
#include "ui/Services.h"
#include "ui/SvgIcon.h"
#include "workspace/Workspace.h"

namespace {

// Why the workspace's data folder could not be taken, as the user is told.
QString Refusal(trelvan::FolderLock::Outcome outcome, const trelvan::Workspace& workspace) {
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
      .arg(QFile::decodeName(QByteArray::fromStdString(workspace.DataFolder())),
           QString::fromLocal8Bit(std::strerror(workspace.LockError())));
}

}  // namespace

int main(int argc, char** argv) {
  if (const int status = trelvan::AnswerHelpOrVersion(argc, argv); status >= 0) return status;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TRELVAN"));
  QApplication::setApplicationVersion(QString::fromUtf8(trelvan::kVersion));
  // The desktop matches the window to its entry and icon by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.trelvan.Trelvan"));
  QApplication::setWindowIcon(trelvan::SvgIcon(QStringLiteral(":/icons/trelvan.svg")));

  trelvan::SignalBridge bridge;
  trelvan::Workspace workspace(trelvan::DataFolderPath());

  trelvan::Services services = trelvan::Services::Desktop();
  // Held for the whole run. Nothing runs unlocked: a folder held by another
  // program, or one that cannot be locked (it cannot be made, or a file
  // stands in its place), is said so and the program ends.
  const trelvan::FolderLock::Outcome outcome = workspace.Lock();
  if (outcome != trelvan::FolderLock::Outcome::kTaken) {
    const QString refusal = Refusal(outcome, workspace);
    std::fprintf(stderr, "%s\n", refusal.toLocal8Bit().constData());
    trelvan::Form owner(services, QStringLiteral("TRELVAN"));
    owner.ShowMessage(refusal);
    return 1;
  }

  // The files are read, and on a first start made and flushed to disk, while
  // the main form is built; the form takes them when it opens.
  workspace.StartLoading();
  trelvan::MainForm main(services, workspace);
  // Every change is saved as it is made; these catch what Qt still reports
  // before a logout or a quit.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &workspace,
                   [&workspace](QSessionManager&) { workspace.SaveChanges(); });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &workspace,
                   [&workspace] { workspace.SaveChanges(); });
  main.Execute();
  // Scripts and session managers learn that the close save failed.
  return workspace.ClosedSaved() ? 0 : 1;
}
