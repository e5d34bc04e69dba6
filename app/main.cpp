// The desktop program: the main form over the data folder, run until it is
// closed by the user or by SIGTERM, SIGINT or SIGHUP; both files are saved
// on every one of these paths.
#include <QApplication>
#include <QIcon>

#include "store/DataFolder.h"
#include "store/SafeFile.h"
#include "app/CommandLine.h"
#include "app/SignalBridge.h"
#include "forms/MainForm.h"
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
  trelvan::MainForm main(services, QString::fromLocal8Bit(folder.c_str()));
  main.Execute();
  return 0;
}
