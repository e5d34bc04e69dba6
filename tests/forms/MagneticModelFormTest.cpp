// The main form's variance comes from IGRF-14, which covers 1900 to 2030.
#include <gtest/gtest.h>

#include "forms/Messages.h"
#include "tests/forms/MainFormFixture.h"

namespace trelvan {
namespace {

using test::PointDeg;
using test::SetAngleUnit;
using test::Texts;
using MainFormMagneticModel = test::MainFormFixture;

TEST_F(MainFormMagneticModel, GreenwichTodayAndOneWarningAtStartOutsideTheModelsYears) {
  for (const QDate& day : {QDate(2026, 12, 7), QDate(1899, 12, 31), QDate(1900, 1, 1),
                           QDate(2030, 12, 31), QDate(2031, 1, 1)}) {
    h.messages.clear();
    h.clock = QDateTime(day, QTime(23, 59));
    Run([&](MainForm& m) {
      SetAngleUnit(*workspace, 1);
      m.ShowBase(PointDeg(51.0 + 28.0 / 60 + 40.0 / 3600, -5.0 / 3600));  // Greenwich
      const QStringList shown =
          Texts(m, {MainForm::kVarianceSign, MainForm::kVarianceWhole, MainForm::kVarianceHun});
      // IGRF-14 at Greenwich on 7 December 2026: 1.27 degrees east.
      if (day.year() == 2026) {
        EXPECT_EQ(shown, (QStringList{"+", "001", "27"}));
      }
    });
    const bool outside = day.year() < 1900 || day.year() > 2030;
    EXPECT_EQ(h.messages, outside ? QStringList{QString::fromUtf8(messages::kOutsideMagneticModel)}
                                  : QStringList{})
        << day.year();
  }
}

}  // namespace
}  // namespace trelvan
