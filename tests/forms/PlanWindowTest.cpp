// The plan window: opened beside the main form, drawn again after every
// change of the workspace, navigated with the keys and the mouse, its zoom
// and size kept, and its picture exported.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTest>

#include "forms/Messages.h"
#include "forms/PlanWindow.h"
#include "geometry/Polar.h"
#include "tests/forms/FormTestSupport.h"

namespace trelvan {
namespace {

using test::AddWaypoint;
using test::PointDeg;

const GeoPoint kBase = PointDeg(47.27, 11.4, 574);

class PlanWindowTest : public test::MainFormSession {
 protected:
  PlanWindowTest() { QSettings(QStringLiteral("trelvan"), QStringLiteral("trelvan")).clear(); }

  // The base in record 1 and a waypoint 400 m east of it in record 2;
  // record 0 lies far off the plan.
  void PlaceTwo() {
    AddWaypoint(workspace, "BASE", kBase);
    AddWaypoint(workspace, "EAST", ForwardPolar({400, 90 * kDegToRad, 0}, kBase));
    workspace.SetBase(1);
  }

  // Where a place is drawn on the window's canvas.
  static QPointF Drawn(const PlanWindow& plan, const PlanOffset& at) {
    return ToPicture(plan.View(), QSizeF(plan.Canvas()->size()), at);
  }
};

TEST_F(PlanWindowTest, OpensBesideTheFormsByCtrlPAndByTheMenu) {
  Session([](MainForm& m) {
    m.show();
    m.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m));
    QTest::keySequence(&m, QKeySequence(Qt::CTRL | Qt::Key_P));
    auto* plan = m.findChild<PlanWindow*>();
    ASSERT_NE(plan, nullptr);
    EXPECT_TRUE(plan->isVisible());
    EXPECT_FALSE(plan->isModal());
    EXPECT_EQ(plan->windowTitle(), "Plan");
    plan->close();
    m.findChild<QAction*>(QString::number(MainForm::kCommandPlanView))->trigger();
    EXPECT_TRUE(plan->isVisible());
    EXPECT_EQ(m.findChildren<PlanWindow*>().size(), 1);
  });
}

TEST_F(PlanWindowTest, DrawsAgainAfterEveryChangeAndAClickMakesTheBase) {
  Session([this](MainForm& m) {
    PlaceTwo();
    m.RunCommand(MainForm::kCommandPlanView);
    const PlanWindow& plan = *m.findChild<PlanWindow*>();
    ASSERT_EQ(plan.Shown().markers.size(), 2);
    EXPECT_EQ(plan.Shown().offPlan, QStringList{"DEFAULT WP"});
    AddWaypoint(workspace, "NORTH", ForwardPolar({300, 0, 0}, kBase));
    EXPECT_EQ(plan.Shown().markers.size(), 3);
    test::SetDistanceUnit(workspace, kFeet);
    EXPECT_EQ(plan.Shown().distanceUnit, kFeet);
    workspace.SetLastResult(TaskResult{.task = Task::kForward3D,
                                       .station = kBase,
                                       .target = workspace.Waypoints()[2].point,
                                       .polar = {400, 90 * kDegToRad, 0}});
    EXPECT_EQ(plan.Shown().task.task, Task::kForward3D);

    // EAST becomes the base where it is drawn, and stays there.
    const QPointF east = Drawn(plan, plan.Shown().markers[1].at);
    QTest::mouseClick(plan.Canvas(), Qt::LeftButton, {}, east.toPoint());
    EXPECT_EQ(workspace.Settings().baseWaypoint, 2);
    ASSERT_EQ(plan.Shown().baseRecord, 2);
    EXPECT_EQ(plan.Shown().markers[1].at.east, 0.0);
    EXPECT_NEAR(Drawn(plan, {0, 0}).x(), east.x(), 0.1);
    EXPECT_NEAR(Drawn(plan, {0, 0}).y(), east.y(), 0.1);
  });
}

TEST_F(PlanWindowTest, KeysAndTheMouseNavigateAndTheZoomAndSizeAreKept) {
  test::EditTable(workspace, [](WaypointTable& table) {
    test::Put(table, 0, "BASE", kBase);
    test::Put(table, 1, "FAR", ForwardPolar({5000, 1, 0}, kBase));
  });
  double zoom = 0;
  {
    PlanWindow plan(h.services, workspace);
    plan.Open();
    QWidget* canvas = plan.Canvas();
    const PlanView fitted = plan.View();
    QTest::keyClick(canvas, Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(plan.View().pixelsPerMetre, fitted.pixelsPerMetre * 1.25);
    QTest::keyClick(canvas, Qt::Key_Right);
    EXPECT_GT(plan.View().centre.east, fitted.centre.east);
    QTest::keyClick(canvas, Qt::Key_Home);
    EXPECT_EQ(plan.View().pixelsPerMetre, fitted.pixelsPerMetre);
    // A drag carries the plan with the pointer and sets no base.
    const QPointF from = Drawn(plan, {0, 0});
    QTest::mousePress(canvas, Qt::LeftButton, {}, from.toPoint());
    QTest::mouseMove(canvas, (from + QPointF(30, -20)).toPoint());
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, (from + QPointF(30, -20)).toPoint());
    EXPECT_NEAR(Drawn(plan, {0, 0}).x(), from.x() + 30, 1e-9);
    EXPECT_NEAR(Drawn(plan, {0, 0}).y(), from.y() - 20, 1e-9);
    EXPECT_EQ(workspace.Settings().baseWaypoint, 0);
    QTest::keyClick(canvas, Qt::Key_Minus);
    plan.resize(700, 460);
    zoom = plan.View().pixelsPerMetre;
  }
  PlanWindow again(h.services, workspace);
  again.Open();
  EXPECT_EQ(again.size(), QSize(700, 460));
  EXPECT_DOUBLE_EQ(again.View().pixelsPerMetre, zoom);
}

TEST_F(PlanWindowTest, ExportsWhatItShowsByTheSuffixOrTheFilter) {
  PlanWindow plan(h.services, workspace);
  plan.Open();
  h.chosenFile = FileChoice{QString::fromStdString(folder.File("plan.png")), 0};
  ASSERT_TRUE(plan.Press(PlanWindow::kExportPicture));
  EXPECT_EQ(QImage(QString::fromStdString(folder.File("plan.png"))).size(), plan.Canvas()->size());
  h.chosenFile = FileChoice{QString::fromStdString(folder.File("plan")), 2};
  plan.Press(PlanWindow::kExportPicture);
  QFile pdf(QString::fromStdString(folder.File("plan")));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
  EXPECT_EQ(h.fileRequests.last(), "Export Picture");
  EXPECT_TRUE(h.messages.isEmpty());
  h.chosenFile = FileChoice{QString::fromStdString(folder.File("none/plan.svg")), 0};
  plan.Press(PlanWindow::kExportPicture);
  ASSERT_EQ(h.messages.size(), 1);
  EXPECT_TRUE(h.messages[0].startsWith(QString::fromUtf8(messages::kCannotWriteFile)));
}

}  // namespace
}  // namespace trelvan
