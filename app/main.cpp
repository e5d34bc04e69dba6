// The desktop program: the main form over the data folder, run until it is
// closed by the user or by SIGTERM, SIGINT or SIGHUP; both files are saved
// on every one of these paths.
#include <QApplication>
#include <QIcon>

#include "store/DataFolder.h"
#include "store/SafeFile.h"
#include "app/SignalBridge.h"
#include "forms/MainForm.h"
#include "ui/Services.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TRELVAN"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/trelvan.svg")));

  trelvan::SignalBridge bridge;
  const std::string folder = trelvan::DataFolderPath();
  trelvan::EnsureFolder(folder.c_str());

  trelvan::Services services = trelvan::Services::Desktop();
  trelvan::MainForm main(services, QString::fromLocal8Bit(folder.c_str()));
  main.Execute();
  return 0;
}
