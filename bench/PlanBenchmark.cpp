// One redraw of the plan window: the plan made from a full table of 50
// waypoints around the base with a resection's geometry, then painted into
// an image of a window's size, as the window does after every change of the
// workspace. The goal is under 5 ms a redraw.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <string>

#include "geodesy/Angles.h"
#include "geometry/Polar.h"
#include "plan/Plan.h"
#include "plan/PlanPainter.h"
#include "plan/PlanView.h"

namespace trelvan {
namespace {

const GeoPoint kBase{47.27 * kDegToRad, 11.4 * kDegToRad, 574.0, 0};

// 50 waypoints on a spiral out to 5 km from the base, the base first, and
// a resection from the second and third.
struct Survey {
  Survey() {
    for (int i = 0; i < kWaypointCapacity; ++i) {
      Waypoint& w = table[static_cast<std::size_t>(i)];
      w.used = 1;
      SetName(w, "STATION " + std::to_string(i));
      w.point = ForwardPolar({100.0 * i, 0.7 * i, 0.01 * (i % 7)}, kBase);
    }
    settings.baseWaypoint = 0;
    settings.angleUnit = 1;
    // The circles meet at the station, as a resection's do.
    const GeoPoint station = ForwardPolar({1200, 2.0, 0}, kBase);
    result = TaskResult{.task = Task::kResection3D,
                        .station = station,
                        .waypoints = {table[1].point, table[2].point}};
    for (int i = 0; i < 2; ++i) {
      const PolarVector v = InversePolar(station, result.waypoints[i]);
      result.horizontalRanges[i] = v.range * std::cos(v.elevation);
    }
  }

  WaypointTable table{};
  AppSettings settings{};
  TaskResult result;
};

// Fitted (0), or at the closest zoom on the station (1), where the circles
// are millions of pixels across.
void PlanRedraw(benchmark::State& state) {
  const Survey survey;
  const QDateTime clock(QDate(2026, 12, 7), QTime(12, 0));
  QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
  const QSizeF size(image.size());
  const Plan first = MakePlan(survey.settings, survey.table, survey.result, clock);
  PlanView view = FitPlan(first, size);
  if (state.range(0) == 1) view = PlanView{first.task.station, kMaxPixelsPerMetre};
  for (auto _ : state) {
    const Plan plan = MakePlan(survey.settings, survey.table, survey.result, clock);
    QPainter painter(&image);
    PaintPlan(painter, size, plan, view);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(PlanRedraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trelvan

// Painting text needs a GUI application; no display is needed.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
