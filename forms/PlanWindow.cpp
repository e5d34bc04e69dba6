#include "forms/PlanWindow.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "exchange/ExchangeFile.h"
#include "forms/Messages.h"
#include "plan/PlanPainter.h"
#include "plan/PlanPicture.h"

namespace trelvan {

namespace {

// The desktop's settings of the program, never its data folder.
constexpr char kOrganization[] = "trelvan";
constexpr char kApplication[] = "trelvan";
constexpr char kSizeKey[] = "plan/size";
constexpr char kZoomKey[] = "plan/pixelsPerMetre";

const QSize kFirstSize(720, 540);

// One step of the wheel or of + and -, and one press of an arrow key as a
// share of the canvas.
constexpr double kZoomStep = 1.25;
constexpr double kPanShare = 0.125;

// The filters of the picture dialog, in the order of their formats.
const QStringList kPictureFilters = {QStringLiteral("SVG (*.svg)"), QStringLiteral("PNG (*.png)"),
                                     QStringLiteral("PDF (*.pdf)")};
constexpr PictureFormat kFilterFormats[] = {PictureFormat::kSvg, PictureFormat::kPng,
                                            PictureFormat::kPdf};

QSettings DesktopSettings() {
  return QSettings(QString::fromUtf8(kOrganization), QString::fromUtf8(kApplication));
}

}  // namespace

// The widget the plan is painted on; what the user does on it goes to the
// window.
class PlanCanvas : public QWidget {
 public:
  explicit PlanCanvas(PlanWindow& window) : QWidget(&window), window_(window) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(240, 180);
    setCursor(Qt::OpenHandCursor);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    PaintPlan(painter, QSizeF(size()), window_.plan_, window_.view_);
  }

  void resizeEvent(QResizeEvent*) override {
    if (!window_.placed_) window_.PlaceFirstView();
  }

  void wheelEvent(QWheelEvent* event) override {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) return;
    window_.SetView(
        Zoomed(window_.view_, QSizeF(size()), std::pow(kZoomStep, steps), event->position()));
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = event->position();
    last_ = pressed_;
    dragging_ = false;
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPointF at = event->position();
    if (!dragging_ && (at - pressed_).manhattanLength() < QApplication::startDragDistance()) {
      return;
    }
    dragging_ = true;
    setCursor(Qt::ClosedHandCursor);
    window_.SetView(Panned(window_.view_, at - last_));
    last_ = at;
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    setCursor(Qt::OpenHandCursor);
    if (dragging_) return;
    const int record = MarkerAt(window_.plan_, window_.view_, QSizeF(size()), event->position());
    if (record >= 0 && record != window_.plan_.baseRecord) window_.workspace_.SetBase(record);
  }

  void keyPressEvent(QKeyEvent* event) override {
    const QSizeF area(size());
    const QPointF centre(area.width() / 2, area.height() / 2);
    const double across = area.width() * kPanShare;
    const double down = area.height() * kPanShare;
    switch (event->key()) {
      case Qt::Key_Plus:
      case Qt::Key_Equal:
        window_.SetView(Zoomed(window_.view_, area, kZoomStep, centre));
        break;
      case Qt::Key_Minus:
        window_.SetView(Zoomed(window_.view_, area, 1 / kZoomStep, centre));
        break;
      // An arrow shows more of the plan on its side.
      case Qt::Key_Left:
        window_.SetView(Panned(window_.view_, QPointF(across, 0)));
        break;
      case Qt::Key_Right:
        window_.SetView(Panned(window_.view_, QPointF(-across, 0)));
        break;
      case Qt::Key_Up:
        window_.SetView(Panned(window_.view_, QPointF(0, down)));
        break;
      case Qt::Key_Down:
        window_.SetView(Panned(window_.view_, QPointF(0, -down)));
        break;
      case Qt::Key_Home:
        window_.Fit();
        break;
      default:
        QWidget::keyPressEvent(event);
        break;
    }
  }

 private:
  PlanWindow& window_;
  QPointF pressed_;
  QPointF last_;
  bool dragging_ = false;
};

PlanWindow::PlanWindow(Services& services, Workspace& workspace, QWidget* parent)
    : Form(services, QStringLiteral("Plan"), parent),
      workspace_(workspace),
      canvas_(new PlanCanvas(*this)) {
  setModal(false);
  setWindowFlags(Qt::Window);
  FormLayout()->addWidget(canvas_, 1);
  using K = ControlKind;
  const int commands = AddGroup(QString());
  AddControls({
      {kExportPicture, K::kButton, "Export Picture...", commands, 0, 0},
      {0, K::kCaption, "Wheel or +/- zoom, drag or arrows pan, Home fits, a click sets the base",
       commands, 0, 1},
  });
  GroupGrid(commands)->setColumnStretch(1, 1);
  resize(DesktopSettings().value(QString::fromUtf8(kSizeKey), kFirstSize).toSize());
  plan_ = MakePlan(workspace_.Settings(), workspace_.Waypoints(), workspace_.LastResult(), Now());
  connect(&workspace_, &Workspace::Changed, this, &PlanWindow::Follow);
}

PlanWindow::~PlanWindow() {
  QSettings settings = DesktopSettings();
  settings.setValue(QString::fromUtf8(kSizeKey), size());
  if (placed_) settings.setValue(QString::fromUtf8(kZoomKey), view_.pixelsPerMetre);
}

QWidget* PlanWindow::Canvas() const { return canvas_; }

void PlanWindow::Open() {
  show();
  raise();
  activateWindow();
  canvas_->setFocus();
}

void PlanWindow::OnPressed(int id) {
  if (id == kExportPicture) ExportPicture();
}

void PlanWindow::Follow(Workspace::Parts parts) {
  const int base = RecordIndex(workspace_.Settings().baseWaypoint);
  bool kept = !(parts & Workspace::kBase) || base == plan_.baseRecord;
  for (const PlanMarker& marker : plan_.markers) {
    if (kept || marker.record != base) continue;
    view_.centre =
        PlanOffset{view_.centre.east - marker.at.east, view_.centre.north - marker.at.north};
    kept = true;
  }
  plan_ = MakePlan(workspace_.Settings(), workspace_.Waypoints(), workspace_.LastResult(), Now());
  if (!kept && placed_) view_ = FitPlan(plan_, QSizeF(canvas_->size()));
  canvas_->update();
}

void PlanWindow::PlaceFirstView() {
  placed_ = true;
  view_ = FitPlan(plan_, QSizeF(canvas_->size()));
  const double kept = DesktopSettings().value(QString::fromUtf8(kZoomKey), 0.0).toDouble();
  if (kept > 0)
    view_ = Zoomed(view_, QSizeF(canvas_->size()), kept / view_.pixelsPerMetre,
                   QPointF(canvas_->width() / 2.0, canvas_->height() / 2.0));
}

void PlanWindow::SetView(const PlanView& view) {
  view_ = view;
  canvas_->update();
}

void PlanWindow::Fit() { SetView(FitPlan(plan_, QSizeF(canvas_->size()))); }

void PlanWindow::ExportPicture() {
  const FileChoice choice = ChooseFile(
      FileRequest{true, QString::fromUtf8(messages::kExportPictureTitle), kPictureFilters});
  if (choice.path.isEmpty()) return;
  const std::string path = QFile::encodeName(choice.path).toStdString();
  const int filter = std::clamp(choice.filter, 0, static_cast<int>(std::size(kFilterFormats)) - 1);
  const PictureFormat format = PictureFormatOfName(path).value_or(kFilterFormats[filter]);
  const QByteArray data = RenderPlanPicture(plan_, view_, canvas_->size(), format);
  std::string problem;
  if (!exchange::WriteExchangeFile(path, data, problem)) {
    ShowMessage(QString::fromUtf8(messages::kCannotWriteFile) + u'\n' +
                QString::fromStdString(problem));
  }
}

}  // namespace trelvan
