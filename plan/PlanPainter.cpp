#include "plan/PlanPainter.h"

#include <QColor>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <cmath>

namespace trelvan {

namespace {

const QColor kBackground(255, 255, 255);
const QColor kInk(40, 40, 40);
const QColor kBase(200, 0, 0);
const QColor kTask(0, 80, 200);
const QColor kGridNorth(0, 122, 61);
const QColor kMagneticNorth(176, 48, 0);

// The length of the longest north arrow in lines of text, its head and the
// scale bar's room, and the reach of a click, pixels.
constexpr double kArrowLines = 4.0;
constexpr double kArrowHead = 7.0;
constexpr double kEdge = 12.0;
constexpr double kClickReach = 8.0;

// An arrow `length` long from `from` towards `angle` (radians clockwise
// from up) with `label` to the left of its head, clear of the names.
void PaintArrow(QPainter& painter, const QPointF& from, double angle, double length,
                const QColor& colour, const QString& label) {
  const QPointF tip = from + QPointF(std::sin(angle), -std::cos(angle)) * length;
  painter.setPen(QPen(colour, 1.5));
  painter.drawLine(QLineF(from, tip));
  for (double side : {-0.4, 0.4}) {
    const QPointF back(std::sin(angle + side), -std::cos(angle + side));
    painter.drawLine(QLineF(tip, tip - back * kArrowHead));
  }
  const QFontMetricsF metrics(painter.font());
  painter.drawText(
      tip + QPointF(-kArrowHead - metrics.horizontalAdvance(label), metrics.ascent() / 2), label);
}

// True, grid and magnetic north at the base, each a line of text shorter
// than the one before, so that their labels stand apart however close the
// norths are.
void PaintNorths(QPainter& painter, const QPointF& base, const Declinations& norths) {
  const double line = QFontMetricsF(painter.font()).height();
  PaintArrow(painter, base, 0.0, kArrowLines * line, kInk, QStringLiteral("TN"));
  if (std::isfinite(norths.gridConvergence)) {
    PaintArrow(painter, base, norths.gridConvergence, (kArrowLines - 1) * line, kGridNorth,
               QStringLiteral("GN"));
  }
  if (std::isfinite(norths.magneticVariance)) {
    PaintArrow(painter, base, norths.magneticVariance, (kArrowLines - 2) * line, kMagneticNorth,
               QStringLiteral("MN"));
  }
}

void PaintTask(QPainter& painter, const QSizeF& size, const PlanTask& task, const PlanView& view) {
  painter.setPen(QPen(kTask, 2.0));
  painter.setBrush(Qt::NoBrush);
  const QPointF station = ToPicture(view, size, task.station);
  if (task.task == Task::kResection3D) {
    // Each circle with the radius to the station, labelled at its middle.
    for (int i = 0; i < 2; ++i) {
      const QPointF centre = ToPicture(view, size, task.waypoints[i]);
      const double radius = task.radii[i] * view.pixelsPerMetre;
      painter.setPen(QPen(kTask, 1.5, Qt::DashLine));
      painter.drawEllipse(centre, radius, radius);
      painter.setPen(QPen(kTask, 1.0, Qt::DotLine));
      painter.drawLine(QLineF(centre, station));
      painter.setPen(kTask);
      painter.drawText((centre + station) / 2 + QPointF(6, -4), task.radiusLabels[i]);
    }
    painter.setPen(QPen(kTask, 2.0));
    painter.drawEllipse(station, kBaseRadius + 3, kBaseRadius + 3);
    painter.drawLine(station - QPointF(kBaseRadius + 6, 0), station + QPointF(kBaseRadius + 6, 0));
    painter.drawLine(station - QPointF(0, kBaseRadius + 6), station + QPointF(0, kBaseRadius + 6));
    return;
  }
  const QPointF target = ToPicture(view, size, task.target);
  painter.drawLine(QLineF(station, target));
  painter.drawEllipse(target, kMarkerRadius + 3, kMarkerRadius + 3);
  const QFontMetricsF metrics(painter.font());
  painter.setPen(kTask);
  painter.drawText((station + target) / 2 + QPointF(6, metrics.ascent() + 4), task.label);
}

void PaintMarkers(QPainter& painter, const QSizeF& size, const Plan& plan, const PlanView& view) {
  for (const PlanMarker& marker : plan.markers) {
    const QPointF at = ToPicture(view, size, marker.at);
    const bool base = marker.record == plan.baseRecord;
    painter.setPen(Qt::NoPen);
    painter.setBrush(base ? kBase : kInk);
    const double radius = base ? kBaseRadius : kMarkerRadius;
    painter.drawEllipse(at, radius, radius);
    painter.setPen(base ? kBase : kInk);
    painter.drawText(at + QPointF(kNameOffsetX, kNameOffsetY), marker.name);
  }
  painter.setBrush(Qt::NoBrush);
}

void PaintScaleBar(QPainter& painter, const QSizeF& size, const Plan& plan, const PlanView& view) {
  const ScaleBar bar =
      ChooseScaleBar(view.pixelsPerMetre, plan.distanceUnit, size.width() / 3 - kEdge);
  const double y = size.height() - kEdge;
  const QPointF left(kEdge, y);
  const QPointF right(kEdge + bar.pixels, y);
  painter.setPen(QPen(kInk, 2.0));
  painter.drawLine(left, right);
  for (const QPointF& end : {left, right}) painter.drawLine(end, end - QPointF(0, 6));
  painter.setPen(kInk);
  painter.drawText(left + QPointF(0, -9), bar.label);
}

void PaintOffPlan(QPainter& painter, const QSizeF& size, const QStringList& names) {
  if (names.isEmpty()) return;
  const QRectF room(kEdge, kEdge, size.width() - 2 * kEdge, size.height() / 3);
  const QString text = QStringLiteral("off the plan: ") + names.join(QStringLiteral(", "));
  const QRectF used = painter.boundingRect(room, Qt::TextWordWrap, text);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 220));
  painter.drawRect(used.adjusted(-4, -2, 4, 2));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(kInk);
  painter.drawText(room, Qt::TextWordWrap, text);
}

}  // namespace

void PaintPlan(QPainter& painter, const QSizeF& size, const Plan& plan, const PlanView& view) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(QRectF(QPointF(0, 0), size), kBackground);
  if (!plan.hasBase) {
    painter.setPen(kInk);
    painter.drawText(QRectF(QPointF(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("The base waypoint holds no valid position."));
    painter.restore();
    return;
  }
  if (plan.task.task != Task::kNone) PaintTask(painter, size, plan.task, view);
  PaintNorths(painter, ToPicture(view, size, PlanOffset{0, 0}), plan.norths);
  PaintMarkers(painter, size, plan, view);
  PaintScaleBar(painter, size, plan, view);
  PaintOffPlan(painter, size, plan.offPlan);
  painter.restore();
}

int MarkerAt(const Plan& plan, const PlanView& view, const QSizeF& size, const QPointF& point) {
  int nearest = -1;
  double best = kClickReach;
  for (const PlanMarker& marker : plan.markers) {
    const double distance = QLineF(ToPicture(view, size, marker.at), point).length();
    if (distance <= best) {
      best = distance;
      nearest = marker.record;
    }
  }
  return nearest;
}

}  // namespace trelvan
