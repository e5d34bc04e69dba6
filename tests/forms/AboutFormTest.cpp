// The About form: our picture, the program's name and the magnetic model;
// it changes nothing.
#include <gtest/gtest.h>

#include <QSvgRenderer>
#include <QSvgWidget>

#include "forms/AboutForm.h"
#include "tests/forms/MainFormFixture.h"
#include "trelvan/Version.h"

namespace trelvan {
namespace {

using test::BaseTexts;
using test::MainFormFixture;
using test::PointDeg;
using test::SameTable;
using test::TableOf;

using AboutFormTest = MainFormFixture;

TEST_F(AboutFormTest, ShowsThePictureAndTheName) {
  h.Script<AboutForm>([](AboutForm& f) {
    EXPECT_EQ(f.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(f.Text(AboutForm::kName), QStringLiteral("TRELVAN"));
    EXPECT_EQ(f.Text(AboutForm::kModel), QStringLiteral("Magnetic model: IGRF-14, 1900-2030"));
    EXPECT_EQ(f.Text(AboutForm::kProgramVersion), QStringLiteral("Version ") + kVersion);
    auto* picture = f.findChild<QSvgWidget*>(QStringLiteral("picture"));
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->renderer()->isValid());
    // Drawn at its own proportions.
    const QSize drawn = picture->renderer()->defaultSize();
    EXPECT_EQ(picture->width() * drawn.height(), picture->height() * drawn.width());
    EXPECT_GE(picture->width(), drawn.width());
    EXPECT_TRUE(f.Press(AboutForm::kOk));
    EXPECT_TRUE(f.Ended());
    EXPECT_EQ(f.result(), QDialog::Accepted);
  });
  Run([](MainForm& m) { m.RunCommand(MainForm::kCommandAbout); });
  EXPECT_EQ(h.RunCount<AboutForm>(), 1);
}

TEST_F(AboutFormTest, ChangesNothingHoweverItIsClosed) {
  WriteTable(TableOf({PointDeg(48.2, 11.6, 520.3)}));
  WriteSettings({1, 1, 2, 17, 0, 0});
  Run([&](MainForm& m) {
    const AppSettings settings = workspace->Settings();
    const WaypointTable table = workspace->Waypoints();
    const QStringList shown = BaseTexts(m);
    h.Script<AboutForm>([](AboutForm& f) { f.Press(AboutForm::kOk); });
    m.RunCommand(MainForm::kToolAbout);
    h.Script<AboutForm>([](AboutForm&) {});  // closed by the window's close button
    m.RunCommand(MainForm::kCommandAbout);
    EXPECT_EQ(workspace->Settings(), settings);
    EXPECT_TRUE(SameTable(workspace->Waypoints(), table));
    EXPECT_EQ(BaseTexts(m), shown);
    EXPECT_FALSE(m.Ended());
  });
  EXPECT_EQ(h.RunCount<AboutForm>(), 2);
  EXPECT_EQ(ReadText("conf.txt"), "1 1 2 17 0 0\n");
}

}  // namespace
}  // namespace trelvan
