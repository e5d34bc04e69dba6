#pragma once

#include <QPointF>
#include <QSizeF>

#include "plan/Plan.h"
#include "plan/PlanView.h"

class QPainter;

// The plan drawn with a QPainter onto any paint device: the window, an
// image, an SVG or PDF generator. Every size is in the device's logical
// pixels, so the picture looks the same on each.

namespace trelvan {

// Where a waypoint's name starts (the left end of its baseline) from the
// centre of its marker, pixels right and down.
inline constexpr double kNameOffsetX = 8.0;
inline constexpr double kNameOffsetY = -6.0;

// The radius of a waypoint's marker, and of the base's, pixels.
inline constexpr double kMarkerRadius = 4.0;
inline constexpr double kBaseRadius = 6.0;

// Paints `plan` as `view` lays it on a picture of `size` whose top left
// corner is the painter's origin: the background, the last task's geometry,
// the norths at the base, the markers with their names over them, the
// scale bar and the waypoints off the plan.
void PaintPlan(QPainter& painter, const QSizeF& size, const Plan& plan, const PlanView& view);

// The record of the marker nearest `point` within reach of a click, or -1.
int MarkerAt(const Plan& plan, const PlanView& view, const QSizeF& size, const QPointF& point);

}  // namespace trelvan
