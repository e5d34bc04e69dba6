#include "plan/PlanView.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "measures/Units.h"

namespace trelvan {

namespace {

// Room between the markers and the picture's edges when the plan is
// fitted: the names stand to the right of their markers.
constexpr double kFitMargin = 60.0;

// What a plan of a single place shows around it, metres.
constexpr double kSinglePlaceSpan = 100.0;

double ClampScale(double pixelsPerMetre) {
  return std::clamp(pixelsPerMetre, kMinPixelsPerMetre, kMaxPixelsPerMetre);
}

}  // namespace

QPointF ToPicture(const PlanView& view, const QSizeF& size, const PlanOffset& at) {
  return QPointF(size.width() / 2 + (at.east - view.centre.east) * view.pixelsPerMetre,
                 size.height() / 2 - (at.north - view.centre.north) * view.pixelsPerMetre);
}

PlanOffset FromPicture(const PlanView& view, const QSizeF& size, const QPointF& point) {
  return PlanOffset{view.centre.east + (point.x() - size.width() / 2) / view.pixelsPerMetre,
                    view.centre.north - (point.y() - size.height() / 2) / view.pixelsPerMetre};
}

PlanView FitPlan(const Plan& plan, const QSizeF& size) {
  PlanOffset low{0, 0};
  PlanOffset high{0, 0};
  for (const PlanMarker& marker : plan.markers) {
    low = PlanOffset{std::min(low.east, marker.at.east), std::min(low.north, marker.at.north)};
    high = PlanOffset{std::max(high.east, marker.at.east), std::max(high.north, marker.at.north)};
  }
  const double width = std::max(size.width() - 2 * kFitMargin, 1.0);
  const double height = std::max(size.height() - 2 * kFitMargin, 1.0);
  // The scale at which each extent fills its side; a side without extent
  // takes any scale.
  const auto fill = [](double pixels, double metres) {
    return metres > 0 ? pixels / metres : std::numeric_limits<double>::infinity();
  };
  double scale = std::min(fill(width, high.east - low.east), fill(height, high.north - low.north));
  if (std::isinf(scale)) scale = std::min(width, height) / kSinglePlaceSpan;
  return PlanView{PlanOffset{(low.east + high.east) / 2, (low.north + high.north) / 2},
                  ClampScale(scale)};
}

PlanView Zoomed(const PlanView& view, const QSizeF& size, double factor, const QPointF& fixed) {
  const PlanOffset anchor = FromPicture(view, size, fixed);
  PlanView zoomed = view;
  zoomed.pixelsPerMetre = ClampScale(view.pixelsPerMetre * factor);
  // The anchor stays under `fixed`: the centre moves towards it by what the
  // scale took away.
  const double keep = view.pixelsPerMetre / zoomed.pixelsPerMetre;
  zoomed.centre = PlanOffset{anchor.east + (view.centre.east - anchor.east) * keep,
                             anchor.north + (view.centre.north - anchor.north) * keep};
  return zoomed;
}

PlanView Panned(const PlanView& view, const QPointF& pixels) {
  PlanView panned = view;
  panned.centre = PlanOffset{view.centre.east - pixels.x() / view.pixelsPerMetre,
                             view.centre.north + pixels.y() / view.pixelsPerMetre};
  return panned;
}

ScaleBar ChooseScaleBar(double pixelsPerMetre, std::int32_t distanceUnit, double maxPixels) {
  const double fromMetres = DistanceDisplayFactor(distanceUnit);
  const double longest = maxPixels / pixelsPerMetre * fromMetres;  // in the distance unit
  double length = std::pow(10.0, std::floor(std::log10(longest)));
  for (double step : {5.0, 2.0}) {
    if (length * step <= longest) {
      length *= step;
      break;
    }
  }
  const char* label = DistanceLabel(distanceUnit);
  return ScaleBar{length / fromMetres * pixelsPerMetre,
                  QString::number(length, 'g', 12) + u' ' + QString::fromUtf8(label ? label : "m")};
}

}  // namespace trelvan
