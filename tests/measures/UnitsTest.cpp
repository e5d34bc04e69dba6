#include "measures/Units.h"

#include <gtest/gtest.h>

#include "geodesy/Rounding.h"

namespace trelvan {
namespace {

TEST(DistanceUnits, DisplayFactorsAreTheQuotientsOfTheEntryFactors) {
  for (int code = 0; code < kDistanceUnitCount; ++code) {
    SCOPED_TRACE(kDistanceUnits[code].caption);
    EXPECT_EQ(DistanceDisplayFactor(code), 1.0 / DistanceEntryFactor(code));
  }
}

TEST(DistanceUnits, NauticalMileIs1852Metres) {
  EXPECT_EQ(1.0 * DistanceEntryFactor(kNauticalMiles), 1852.0);
  EXPECT_EQ(1852.0 * DistanceDisplayFactor(kNauticalMiles), 1.0);
}

TEST(DistanceUnits, CodesOutsideTheTableLeaveValuesInMetresAndLabelsAlone) {
  for (int code : {-1, 6, 7, 1000}) {
    EXPECT_EQ(DistanceDisplayFactor(code), 1.0);
    EXPECT_EQ(DistanceEntryFactor(code), 1.0);
    EXPECT_EQ(DistanceLabel(code), nullptr);
    EXPECT_EQ(AltitudeLabel(code), nullptr);
  }
}

TEST(DistanceUnits, CaptionsAndLabels) {
  const char* captions[] = {"meters", "kilometers", "feet", "nautical miles", "statute miles",
                            "yards"};
  const char* labels[] = {"m", "km", "ft", "nmi", "smi", "yd"};
  for (int code = 0; code < kDistanceUnitCount; ++code) {
    EXPECT_STREQ(kDistanceUnits[code].caption, captions[code]);
    EXPECT_STREQ(DistanceLabel(code), labels[code]);
  }
}

// Altitudes know only feet and metres: feet for feet, statute miles and
// yards, metres for the rest; a code outside the table counts as metres.
TEST(AltitudeUnits, FeetOrMetresForEveryCode) {
  struct Row {
    int code;
    double display;
    double entry;
    const char* label;
  };
  const Row rows[] = {
      {kMeters, 1.0, 1.0, "m"},         {kKilometers, 1.0, 1.0, "m"},
      {kFeet, 3.280839895013123, 0.3048, "ft"}, {kNauticalMiles, 1.0, 1.0, "m"},
      {kStatuteMiles, 3.280839895013123, 0.3048, "ft"},
      {kYards, 3.280839895013123, 0.3048, "ft"}, {9, 1.0, 1.0, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    EXPECT_EQ(AltitudeDisplayFactor(row.code), row.display);
    EXPECT_EQ(AltitudeEntryFactor(row.code), row.entry);
    if (row.label == nullptr) {
      EXPECT_EQ(AltitudeLabel(row.code), nullptr);
    } else {
      EXPECT_STREQ(AltitudeLabel(row.code), row.label);
    }
  }
}

TEST(AltitudeUnits, HundredFeetTypedAreShownAgainAsHundred) {
  const double metres = 100.0 * AltitudeEntryFactor(kFeet);
  EXPECT_EQ(metres, 100.0 * 0.3048);
  EXPECT_EQ(RoundHalfAway(metres * AltitudeDisplayFactor(kStatuteMiles)), 100);
}

TEST(AngleUnits, OnlyZeroIsMils) {
  EXPECT_STREQ(AngleUnitLabel(kMils), "mils");
  for (int code : {1, 7, -1}) {
    EXPECT_STREQ(AngleUnitLabel(code), "Deg");
    EXPECT_EQ(RadiansToAngleUnit(code), 57.2957795130823);
    EXPECT_EQ(AngleUnitToRadians(code), 0.0174532925199433);
  }
  EXPECT_EQ(RadiansToAngleUnit(kMils), 1018.59163578813);
  EXPECT_EQ(AngleUnitToRadians(kMils), 0.00098174770424681);
}

}  // namespace
}  // namespace trelvan
