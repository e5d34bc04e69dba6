// The smallest Qt Widgets program with a dialog: the yardstick for the
// start-up time and memory of `trelvan`, built with the same compiler, flags
// and Qt. One label and one button, shown modally until it is closed.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Bare dialog"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QStringLiteral("A bare dialog"), &dialog));
  auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  layout->addWidget(ok);
  return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
