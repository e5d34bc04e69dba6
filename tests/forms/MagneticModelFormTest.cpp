// The main form's magnetic variance comes from IGRF-14, which covers 1900 to
// 2030: the variance shown today, and the one warning at start outside those
// years.
#include <gtest/gtest.h>

#include "forms/Messages.h"
#include "tests/forms/MainFormFixture.h"

namespace trelvan {
namespace {

using testing::MainFormFixture;
using testing::PointDeg;
using testing::Texts;

using MainFormMagneticModel = MainFormFixture;

TEST_F(MainFormMagneticModel, GreenwichOnTheSeventhOfDecember2026) {
  // 51 28'40"N 0 00'05"W: IGRF-14 gives +1.27 degrees; the epoch-2000 model
  // carried on to this day said +0.55.
  h.clock = QDateTime(QDate(2026, 12, 7), QTime(12, 0));
  Run([](MainForm& m) {
    m.settings.angleUnit = 1;
    m.ShowBase(PointDeg(51.0 + 28.0 / 60 + 40.0 / 3600, -5.0 / 3600));
    EXPECT_EQ(Texts(m, {MainForm::kVarianceSign, MainForm::kVarianceWhole, MainForm::kVarianceHun}),
              (QStringList{"+", "001", "27"}));
  });
  EXPECT_TRUE(h.messages.isEmpty());
}

TEST_F(MainFormMagneticModel, WarnsOnceAtStartOutsideTheModelsYears) {
  const QString warning = QString::fromUtf8(messages::kOutsideMagneticModel);
  for (const QDate& day : {QDate(1899, 12, 31), QDate(1900, 1, 1), QDate(2030, 12, 31),
                           QDate(2031, 1, 1), QDate(2126, 6, 1)}) {
    h.messages.clear();
    h.clock = QDateTime(day, QTime(23, 59));
    const bool outside = day.year() < 1900 || day.year() > 2030;
    Run([&](MainForm& m) {
      m.ShowBase(PointDeg(10, 10));  // the variance is still computed and shown
      EXPECT_EQ(m.Text(MainForm::kVarianceWhole).size(), 3);
      EXPECT_FALSE(m.Ended());
    });
    EXPECT_EQ(h.messages, outside ? QStringList{warning} : QStringList{}) << day.year();
  }
}

}  // namespace
}  // namespace trelvan
