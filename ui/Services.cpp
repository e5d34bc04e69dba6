#include "ui/Services.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

#include "ui/Form.h"

namespace trelvan {

namespace {

// A form opened over another takes that window's size and is centred over
// it: the desktop's version of a form that fills the screen.
void PlaceOverOpener(Form& form) {
  QWidget* opener = form.parentWidget() ? form.parentWidget()->window() : nullptr;
  form.adjustSize();
  if (!opener) return;
  const QSize size = form.size().expandedTo(opener->size());
  form.resize(size);
  const QPoint centre = opener->frameGeometry().center();
  form.move(centre - QPoint(size.width() / 2, size.height() / 2));
}

// The suffix a name filter "GPX (*.gpx)" gives a file name: "gpx".
QString FilterSuffix(const QString& filter) {
  const qsizetype dot = filter.indexOf(QStringLiteral("*."));
  if (dot < 0) return QString();
  const qsizetype end = filter.indexOf(QRegularExpression(QStringLiteral("[ )]")), dot);
  return filter.mid(dot + 2, end < 0 ? -1 : end - dot - 2);
}

FileChoice ChooseFileByDialog(Form& owner, const FileRequest& request) {
  QFileDialog dialog(&owner, request.caption);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilters(request.filters);
  if (!request.filters.isEmpty()) dialog.setDefaultSuffix(FilterSuffix(request.filters.front()));
  QObject::connect(
      &dialog, &QFileDialog::filterSelected, &dialog,
      [&dialog](const QString& filter) { dialog.setDefaultSuffix(FilterSuffix(filter)); });
  FileChoice choice;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return choice;
  choice.path = dialog.selectedFiles().front();
  choice.filter = static_cast<int>(qMax(0, request.filters.indexOf(dialog.selectedNameFilter())));
  return choice;
}

}  // namespace

Services Services::Desktop() {
  Services services;
  services.runModal = [](Form& form) {
    PlaceOverOpener(form);
    return form.exec();
  };
  services.showMessage = [](Form& owner, const QString& text, const QString& details) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("TRELVAN"), text, QMessageBox::Ok, &owner);
    if (!details.isEmpty()) box.setDetailedText(details);
    box.exec();
  };
  services.askYesNo = [](Form& owner, const QString& question) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("TRELVAN"), question,
                    QMessageBox::Yes | QMessageBox::No, &owner);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
  };
  services.now = [] { return QDateTime::currentDateTime(); };
  services.chooseFile = ChooseFileByDialog;
  return services;
}

}  // namespace trelvan
