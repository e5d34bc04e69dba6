#include "plan/PlanPainter.h"

#include <QColor>
#include <QFontMetricsF>
#include <QLineF>
#include <QList>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <algorithm>
#include <cmath>

#include "geodesy/Angles.h"

namespace trelvan {

namespace {

const QColor kBackground(255, 255, 255);
const QColor kInk(40, 40, 40);
const QColor kBase(200, 0, 0);
const QColor kTask(0, 80, 200);
const QColor kGridNorth(0, 122, 61);
const QColor kMagneticNorth(176, 48, 0);
const QColor kLabelGround(255, 255, 255, 220);

// The longest north arrow, in lines of text; its head, the room between the
// scale bar and the edges, and the reach of a click, in pixels.
constexpr double kArrowLines = 4.0;
constexpr double kArrowHead = 7.0;
constexpr double kEdge = 12.0;
constexpr double kClickReach = 8.0;

// How far beyond the picture a point may lie and its label still reach
// into it, and how far a circle's chords may stray from it, pixels.
constexpr double kLabelReach = 240.0;
constexpr double kArcTolerance = 0.25;

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

// QPainter keeps coordinates in fixed point and draws a circle as four
// Bezier curves, which stray from it by 2.7e-4 of its radius: far beyond
// the picture the one overflows and the other shows, and a circle of a
// kilometre at the closest zoom misses its station by a third of a metre.
// So the geometry is cut to the picture and the room about it that a label
// may reach into, and circles are drawn as polylines of their visible arcs.

// The part of `line` inside `room` (Liang and Barsky's clipping); false when
// none is.
bool ClipLine(QLineF& line, const QRectF& room) {
  const QPointF d = line.p2() - line.p1();
  const double p[4] = {-d.x(), d.x(), -d.y(), d.y()};
  const double q[4] = {line.x1() - room.left(), room.right() - line.x1(), line.y1() - room.top(),
                       room.bottom() - line.y1()};
  double enter = 0;
  double leave = 1;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
  }
  if (enter > leave) return false;
  line = QLineF(line.pointAt(enter), line.pointAt(leave));
  return true;
}

// The arc of the circle of `radius` pixels about `centre` that lies in
// `room`, as a polyline whose chords stray at most a quarter pixel from it;
// empty when the circle passes outside `room`.
QPolygonF VisibleArc(const QPointF& centre, double radius, const QRectF& room) {
  const QPointF nearest(std::clamp(centre.x(), room.left(), room.right()),
                        std::clamp(centre.y(), room.top(), room.bottom()));
  double farthest = 0;
  for (const QPointF& corner :
       {room.topLeft(), room.topRight(), room.bottomLeft(), room.bottomRight()}) {
    farthest = std::max(farthest, QLineF(centre, corner).length());
  }
  if (!(QLineF(centre, nearest).length() <= radius && radius <= farthest)) return {};
  // Outside the room its corners bound the angles under which it is seen.
  double from = 0;
  double span = 2 * kHalfTurn;
  if (!room.contains(centre)) {
    const QPointF middle = room.center() - centre;
    const double towards = std::atan2(middle.y(), middle.x());
    double low = 0;
    double high = 0;
    for (const QPointF& corner :
         {room.topLeft(), room.topRight(), room.bottomLeft(), room.bottomRight()}) {
      const QPointF d = corner - centre;
      const double angle = std::remainder(std::atan2(d.y(), d.x()) - towards, 2 * kHalfTurn);
      low = std::min(low, angle);
      high = std::max(high, angle);
    }
    from = towards + low;
    span = high - low;
  }
  const double step = radius > kArcTolerance ? 2 * std::acos(1 - kArcTolerance / radius) : span;
  const int count = std::max(1, static_cast<int>(std::ceil(span / step)));
  QPolygonF arc;
  arc.reserve(count + 1);
  for (int i = 0; i <= count; ++i) {
    const double angle = from + span * i / count;
    arc << centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
  }
  return arc;
}

// The task's lines: from each known waypoint to the station for a
// resection, else from the station to the target; each with its label and
// the pen it is drawn with.
struct TaskLine {
  QLineF line;
  QString label;
  QPen pen;
  QPointF labelOffset;
};

QList<TaskLine> TaskLines(const QSizeF& size, const PlanTask& task, const PlanView& view,
                          double ascent) {
  const QPointF station = ToPicture(view, size, task.station);
  if (task.task != Task::kResection3D) {
    return {TaskLine{QLineF(station, ToPicture(view, size, task.target)), task.label,
                     QPen(kTask, 2.0), QPointF(6, ascent + 4)}};
  }
  QList<TaskLine> radii;
  for (int i = 0; i < 2; ++i) {
    radii.append(TaskLine{QLineF(ToPicture(view, size, task.waypoints[i]), station),
                          task.radiusLabels[i], QPen(kTask, 1.0, Qt::DotLine), QPointF(6, -4)});
  }
  return radii;
}

void PaintTask(QPainter& painter, const QSizeF& size, const QRectF& room, const PlanTask& task,
               const PlanView& view) {
  painter.setBrush(Qt::NoBrush);
  for (const TaskLine& each : TaskLines(size, task, view, 0)) {
    QLineF drawn = each.line;
    if (!ClipLine(drawn, room)) continue;
    painter.setPen(each.pen);
    painter.drawLine(drawn);
  }
  painter.setPen(QPen(kTask, 2.0));
  if (task.task == Task::kResection3D) {
    for (int i = 0; i < 2; ++i) {
      painter.setPen(QPen(kTask, 1.5, Qt::DashLine));
      painter.drawPolyline(VisibleArc(ToPicture(view, size, task.waypoints[i]),
                                      task.radii[i] * view.pixelsPerMetre, room));
    }
    const QPointF station = ToPicture(view, size, task.station);
    if (!room.contains(station)) return;
    painter.setPen(QPen(kTask, 2.0));
    painter.drawEllipse(station, kBaseRadius + 3, kBaseRadius + 3);
    painter.drawLine(station - QPointF(kBaseRadius + 6, 0), station + QPointF(kBaseRadius + 6, 0));
    painter.drawLine(station - QPointF(0, kBaseRadius + 6), station + QPointF(0, kBaseRadius + 6));
    return;
  }
  const QPointF target = ToPicture(view, size, task.target);
  if (room.contains(target)) painter.drawEllipse(target, kMarkerRadius + 3, kMarkerRadius + 3);
}

// The labels of the task's lines, over everything else: beside the middle
// of each line's part in the picture, on a pale ground so that they read
// over the lines and markers they cross.
void PaintTaskLabels(QPainter& painter, const QSizeF& size, const PlanTask& task,
                     const PlanView& view) {
  const QFontMetricsF metrics(painter.font());
  for (const TaskLine& each : TaskLines(size, task, view, metrics.ascent())) {
    QLineF shown = each.line;
    if (!ClipLine(shown, QRectF(QPointF(0, 0), size))) continue;
    const QPointF at = shown.center() + each.labelOffset;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLabelGround);
    painter.drawRect(QRectF(at.x() - 2, at.y() - metrics.ascent() - 1,
                            metrics.horizontalAdvance(each.label) + 4, metrics.height() + 2));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(kTask);
    painter.drawText(at, each.label);
  }
}

void PaintMarkers(QPainter& painter, const QSizeF& size, const QRectF& room, const Plan& plan,
                  const PlanView& view) {
  for (const PlanMarker& marker : plan.markers) {
    const QPointF at = ToPicture(view, size, marker.at);
    if (!room.contains(at)) continue;
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
  painter.setBrush(kLabelGround);
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
  const QRectF room =
      QRectF(QPointF(0, 0), size).adjusted(-kLabelReach, -kLabelReach, kLabelReach, kLabelReach);
  if (plan.task.task != Task::kNone) PaintTask(painter, size, room, plan.task, view);
  const QPointF base = ToPicture(view, size, PlanOffset{0, 0});
  if (room.contains(base)) PaintNorths(painter, base, plan.norths);
  PaintMarkers(painter, size, room, plan, view);
  if (plan.task.task != Task::kNone) PaintTaskLabels(painter, size, plan.task, view);
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
