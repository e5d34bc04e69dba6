// The plan: waypoints placed by their horizontal vector from the base, one
// scale east and north, labels in the units in force, and pixels where the
// places are.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "geodesy/DatumShift.h"
#include "geometry/Polar.h"
#include "plan/Plan.h"
#include "plan/PlanPainter.h"
#include "plan/PlanView.h"
#include "tests/support/GeoPoints.h"

namespace trelvan {
namespace {

using test::PointDeg;

const QDateTime kClock(QDate(2026, 12, 7), QTime(12, 0, 0));

void Put(WaypointTable& table, int index, const char* name, const GeoPoint& p) {
  table[static_cast<std::size_t>(index)].used = 1;
  SetName(table[static_cast<std::size_t>(index)], name);
  table[static_cast<std::size_t>(index)].point = p;
}

// Horizontal vectors from bases in both hemispheres, by the date line and
// beyond the grid, up to nearly the reach: the plan shows r cos(el) (sin az,
// cos az) of the vector that placed the point, to a millimetre.
TEST(PlanOffsets, AreTheHorizontalPartOfThePolarVector) {
  for (const GeoPoint& base :
       {PointDeg(0, 0), PointDeg(47.27, 11.4, 574), PointDeg(-60.5, -70.25, 1200, 1),
        PointDeg(12, 179.99), PointDeg(85.5, 30)}) {
    for (double range : {1.0, 250.0, 5000.0, 120000.0, 990000.0}) {
      for (double azimuthDeg : {0.0, 37.0, 90.0, 181.0, 359.9}) {
        for (double elevationDeg : {-10.0, 0.0, 3.0, 45.0}) {
          // Far off, only places near the ground: the geodetic position of
          // a point hundreds of kilometres up is not kept to a millimetre.
          if (range > 200000.0 && elevationDeg > 10.0) continue;
          const PolarVector v{range, azimuthDeg * kDegToRad, elevationDeg * kDegToRad};
          PlanOffset at{};
          ASSERT_TRUE(PlaceOnPlan(base, ForwardPolar(v, base), at));
          const double horizontal = range * std::cos(v.elevation);
          EXPECT_NEAR(at.east, horizontal * std::sin(v.azimuth), 1e-3)
              << base.lat << " " << range << " " << azimuthDeg << " " << elevationDeg;
          EXPECT_NEAR(at.north, horizontal * std::cos(v.azimuth), 1e-3)
              << base.lat << " " << range << " " << azimuthDeg << " " << elevationDeg;
        }
      }
    }
  }
  // A point on another datum is the same place, and beyond the reach none.
  const GeoPoint base = PointDeg(47.27, 11.4);
  const GeoPoint near = ForwardPolar({800, 1, 0}, base);
  PlanOffset same{}, other{};
  ASSERT_TRUE(PlaceOnPlan(base, near, same));
  ASSERT_TRUE(PlaceOnPlan(base, ConvertDatum(1, near), other));
  EXPECT_NEAR(other.east, same.east, 1e-3);
  EXPECT_FALSE(PlaceOnPlan(base, ForwardPolar({kPlanReach + 1, 1, 0}, base), same));
}

class PlanOfATable : public ::testing::Test {
 protected:
  PlanOfATable() {
    Put(table, 0, "FAR", PointDeg(-33.87, 151.21));
    Put(table, 1, "BASE", base);
    Put(table, 2, "EAST", ForwardPolar({300, 90 * kDegToRad, 0}, base));
    Put(table, 3, "BROKEN", GeoPoint{std::nan(""), 0, 0, 0});
    Put(table, 4, "NORTH\x01", ForwardPolar({500, 0, 0}, base));
    settings.baseWaypoint = 1;
  }

  GeoPoint base = PointDeg(47.27, 11.4, 574);
  WaypointTable table{};
  AppSettings settings{};
};

TEST_F(PlanOfATable, HoldsTheWaypointsWithinReachAndNamesTheRest) {
  const Plan plan = MakePlan(settings, table, TaskResult{}, kClock);
  ASSERT_TRUE(plan.hasBase);
  ASSERT_EQ(plan.markers.size(), 3);
  EXPECT_EQ(plan.markers[0].name, "BASE");
  EXPECT_EQ(plan.markers[0].at.east, 0.0);
  EXPECT_EQ(plan.markers[2].name, "NORTH\\x01");
  EXPECT_EQ(plan.offPlan, QStringList{"FAR"});
  // The norths the main form shows: at the base in the map datum.
  settings.datumIndex = 1;
  const Plan onDatum = MakePlan(settings, table, TaskResult{}, kClock);
  const Declinations shown = DeclinationsAt(kClock, ConvertDatum(1, base));
  EXPECT_EQ(onDatum.norths.gridConvergence, shown.gridConvergence);
  EXPECT_EQ(onDatum.norths.magneticVariance, shown.magneticVariance);
  // A base that holds no position places nothing.
  settings.baseWaypoint = 3;
  EXPECT_FALSE(MakePlan(settings, table, TaskResult{}, kClock).hasBase);
}

TEST_F(PlanOfATable, LabelsTheTaskInTheUnitsAndNorthInForce) {
  TaskResult inverse{.task = Task::kInverse3D,
                     .station = base,
                     .target = table[2].point,
                     .polar = {1234.5678, 45 * kDegToRad, 0},
                     .backAzimuth = 225 * kDegToRad,
                     .reference = kMagneticNorth,
                     .declinations = {5 * kDegToRad, 1 * kDegToRad}};
  settings.distanceUnit = kKilometers;
  settings.angleUnit = kDegrees;
  Plan plan = MakePlan(settings, table, inverse, kClock);
  EXPECT_EQ(plan.task.task, Task::kInverse3D);
  EXPECT_NEAR(plan.task.target.east, 300, 1e-3);
  EXPECT_EQ(plan.task.label, "1.23 km  Az 40.00 Deg  Back Az 220.00 Deg MAG");
  // Grid north beyond the grid reads no azimuth; a point beyond reach
  // draws no task.
  inverse.reference = kGridNorth;
  inverse.declinations.gridConvergence = std::nan("");
  settings.angleUnit = kMils;
  EXPECT_EQ(MakePlan(settings, table, inverse, kClock).task.label, "1.23 km");
  inverse.target = table[0].point;
  EXPECT_EQ(MakePlan(settings, table, inverse, kClock).task.task, Task::kNone);

  const TaskResult resection{.task = Task::kResection3D,
                             .station = base,
                             .waypoints = {table[2].point, table[4].point},
                             .horizontalRanges = {300, 500}};
  settings.distanceUnit = kFeet;
  plan = MakePlan(settings, table, resection, kClock);
  EXPECT_EQ(plan.task.radiusLabels[1], "1640.42 ft");
  EXPECT_NEAR(plan.task.waypoints[1].north, 500, 1e-3);
}

// One scale east and north, places and pixels both ways, zoom about the
// point under the wheel, and round scale bars.
TEST(PlanViews, MapPlacesToPixelsAndBack) {
  const QSizeF size(640, 480);
  Plan plan;
  for (const PlanOffset& at : {PlanOffset{-900, 40}, PlanOffset{1500, -300}, PlanOffset{20, 700}}) {
    plan.markers.append(PlanMarker{0, QString(), at});
  }
  const PlanView fitted = FitPlan(plan, size);
  for (const PlanMarker& marker : plan.markers) {
    const QPointF p = ToPicture(fitted, size, marker.at);
    EXPECT_TRUE(QRectF(QPointF(59, 59), size - QSizeF(118, 118)).contains(p)) << p.x() << p.y();
    const PlanOffset back = FromPicture(fitted, size, p);
    EXPECT_NEAR(back.east, marker.at.east, 1e-9);
    EXPECT_NEAR(back.north, marker.at.north, 1e-9);
  }
  const QPointF fixed(100, 50);
  const PlanView zoomed = Zoomed(fitted, size, 2.5, fixed);
  EXPECT_DOUBLE_EQ(zoomed.pixelsPerMetre, fitted.pixelsPerMetre * 2.5);
  const PlanOffset under = FromPicture(fitted, size, fixed);
  EXPECT_NEAR(ToPicture(zoomed, size, under).x(), fixed.x(), 1e-9);
  EXPECT_NEAR(ToPicture(zoomed, size, under).y(), fixed.y(), 1e-9);
  EXPECT_EQ(Zoomed(fitted, size, 1e12, fixed).pixelsPerMetre, kMaxPixelsPerMetre);

  const ScaleBar metres = ChooseScaleBar(0.1, kMeters, 300);
  EXPECT_EQ(metres.label, "2000 m");
  EXPECT_DOUBLE_EQ(metres.pixels, 200);
  EXPECT_EQ(ChooseScaleBar(0.1, kKilometers, 300).label, "2 km");
  const ScaleBar feet = ChooseScaleBar(0.1, kFeet, 300);
  EXPECT_EQ(feet.label, "5000 ft");
  EXPECT_NEAR(feet.pixels, 152.4, 1e-9);
}

// A marker 100 m east and 50 m north of the base at a metre a pixel: right
// and up of the base's red marker, nothing at the mirrored place.
TEST(PlanPainting, PutsEachMarkerWhereItsPlaceIs) {
  Plan plan;
  plan.hasBase = true;
  plan.baseRecord = 0;
  plan.norths = Declinations{std::nan(""), std::nan("")};
  plan.markers = {PlanMarker{0, QStringLiteral("B"), {0, 0}},
                  PlanMarker{1, QStringLiteral("P"), {100, 50}}};
  const PlanView view{{0, 0}, 1.0};
  QImage image(400, 300, QImage::Format_RGB32);
  QPainter painter(&image);
  PaintPlan(painter, QSizeF(image.size()), plan, view);
  painter.end();
  EXPECT_EQ(image.pixelColor(200, 150), QColor(200, 0, 0));
  EXPECT_EQ(image.pixelColor(300, 100), QColor(40, 40, 40));
  EXPECT_EQ(image.pixelColor(100, 200), QColor(255, 255, 255));
  EXPECT_EQ(image.pixelColor(300 + kMarkerRadius + 2, 100 + kMarkerRadius + 2),
            QColor(255, 255, 255));
  EXPECT_EQ(MarkerAt(plan, view, QSizeF(image.size()), QPointF(303, 98)), 1);
  EXPECT_EQ(MarkerAt(plan, view, QSizeF(image.size()), QPointF(320, 100)), -1);
}

// At the closest zoom a circle of a kilometre still runs through the place
// it passes (here the base, between the points where QPainter's Bezier
// quadrants meet the circle), not a fraction of a metre beside it.
TEST(PlanPainting, CirclesKeepTheirRadiusAtTheClosestZoom) {
  const double a = 20 * kDegToRad;
  Plan plan;
  plan.hasBase = true;
  plan.task.task = Task::kResection3D;
  plan.task.station = {0, 1};
  for (int i = 0; i < 2; ++i) {
    plan.task.waypoints[i] = {-1000 * std::cos(a), -1000 * std::sin(a)};
    plan.task.radii[i] = 1000;
  }
  QImage image(200, 200, QImage::Format_RGB32);
  QPainter painter(&image);
  PaintPlan(painter, QSizeF(image.size()), plan, PlanView{{0, -0.05}, kMaxPixelsPerMetre});
  painter.end();
  // The base is drawn at (100, 50); the circle leaves it across the radius.
  int onTheCircle = 0;
  for (int y = 60; y < 140; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (image.pixelColor(x, y) == Qt::white) continue;
      EXPECT_LE(std::abs((x - 100) * std::cos(a) - (y - 50) * std::sin(a)), 2.5) << x << "," << y;
      ++onTheCircle;
    }
  }
  EXPECT_GT(onTheCircle, 50);
}

}  // namespace
}  // namespace trelvan
