#include "forms/AboutForm.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QSvgWidget>
#include <QVBoxLayout>

#include "trelvan/Version.h"

namespace trelvan {

namespace {

// The picture is drawn at 200 by 140 units; shown one and a half times that.
constexpr QSize kPictureSize(300, 210);

}  // namespace

AboutForm::AboutForm(Services& services, QWidget* parent)
    : Form(services, QStringLiteral("About"), parent) {
  using K = ControlKind;
  const int body = AddGroup(QString());
  auto* picture = new QSvgWidget(QStringLiteral(":/about.svg"), this);
  picture->setObjectName(QStringLiteral("picture"));
  picture->setFixedSize(kPictureSize);
  GroupGrid(body)->addWidget(picture, 0, 0, Qt::AlignHCenter);
  AddControls({
      {kName, K::kLabel, "TRELVAN", body, 1, 0},
      {kProgramVersion, K::kLabel, "", body, 2, 0},
      {kModel, K::kLabel, "Magnetic model: IGRF-14, 1900-2030", body, 3, 0},
      {kOk, K::kDefaultButton, "OK", body, 4, 0},
  });
  SetText(kProgramVersion, QStringLiteral("Version ") + QString::fromUtf8(kVersion));
  static_cast<QLabel*>(Control(kProgramVersion))->setAlignment(Qt::AlignCenter);
  auto* name = static_cast<QLabel*>(Control(kName));
  QFont font = name->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.5);
  name->setFont(font);
  name->setAlignment(Qt::AlignCenter);
  static_cast<QLabel*>(Control(kModel))->setAlignment(Qt::AlignCenter);
  GroupGrid(body)->setAlignment(Control(kOk), Qt::AlignHCenter);
  // Stretched to the size of the main window, the picture stays in the middle.
  FormLayout()->insertStretch(0, 1);
  FormLayout()->addStretch(1);
}

void AboutForm::OnPressed(int id) {
  if (id == kOk) End(Accepted);
}

}  // namespace trelvan
