#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>
#include <cstdint>

#include "plan/Plan.h"

// How the plan lies on a picture: which place is at the picture's centre
// and how many pixels a metre takes, the same east and north, so that the
// picture keeps the plan's shape. Picture coordinates run right and down
// from the top left corner, in the device's logical pixels.

namespace trelvan {

struct PlanView {
  PlanOffset centre{};
  double pixelsPerMetre = 1.0;
};

// The scales a view may take: from a picture a few hundred pixels across
// showing twice the reach to millimetres a pixel.
inline constexpr double kMinPixelsPerMetre = 1e-5;
inline constexpr double kMaxPixelsPerMetre = 1e3;

// The point of a picture of `size` where `at` lies, and back.
QPointF ToPicture(const PlanView& view, const QSizeF& size, const PlanOffset& at);
PlanOffset FromPicture(const PlanView& view, const QSizeF& size, const QPointF& point);

// The view in which every marker of `plan` lies on a picture of `size`,
// clear of its edges by room for the names; a single marker, or none, at a
// scale that shows 100 m around it.
PlanView FitPlan(const Plan& plan, const QSizeF& size);

// `view` zoomed by `factor` about the picture point `fixed`, which keeps its
// place; the scale stays within its limits.
PlanView Zoomed(const PlanView& view, const QSizeF& size, double factor, const QPointF& fixed);

// `view` with the plan moved by `pixels` on the picture.
PlanView Panned(const PlanView& view, const QPointF& pixels);

// A scale bar: a round length (1, 2 or 5 times a power of ten of the
// distance unit) no longer than `maxPixels`, its pixels and its label.
struct ScaleBar {
  double pixels;
  QString label;
};
ScaleBar ChooseScaleBar(double pixelsPerMetre, std::int32_t distanceUnit, double maxPixels);

}  // namespace trelvan
