#include "ui/Services.h"

#include <QMessageBox>

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

}  // namespace

Services Services::Desktop() {
  Services services;
  services.runModal = [](Form& form) {
    PlaceOverOpener(form);
    return form.exec();
  };
  services.showMessage = [](Form& owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("TRELVAN"), text, QMessageBox::Ok, &owner);
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
  return services;
}

}  // namespace trelvan
