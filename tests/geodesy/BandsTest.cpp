// The latitude bands (geodesy/Bands.h): the letters, their indices and
// edges, and the projection's letter inside each band's edges.

#include <gtest/gtest.h>

#include <string>

#include "geodesy/Angles.h"
#include "geodesy/Bands.h"
#include "geodesy/Utm.h"

namespace trelvan {
namespace {

TEST(IsBandLetter, CoversCToXWithoutIAndO) {
  std::string bands;
  for (int c = 0; c < 256; ++c) {
    if (IsBandLetter(static_cast<char>(c))) bands += static_cast<char>(c);
  }
  EXPECT_EQ(bands, "CDEFGHJKLMNPQRSTUVWX");
}

// Each band follows the one south of it without a gap, from the grid's
// south to its north, and GeoToUtm names it just inside both its edges.
TEST(Bands, LettersIndicesEdgesAndTheProjectionAgree) {
  EXPECT_EQ(BandSouthDeg(0), kGridSouthDeg);
  EXPECT_EQ(BandNorthDeg(kBandCount - 1), kGridNorthDeg);
  for (int band = 0; band < kBandCount; ++band) {
    const char letter = BandLetterAt(band);
    EXPECT_EQ(BandIndex(letter), band) << letter;
    if (band > 0) {
      EXPECT_EQ(BandSouthDeg(band), BandNorthDeg(band - 1)) << letter;
    }
    for (const double latDeg : {BandSouthDeg(band) + 1e-6, BandNorthDeg(band) - 1e-6}) {
      UtmPoint u{};
      GeoToUtm(GeoPoint{latDeg * kDegToRad, 0.2, 0.0, 0}, u);
      EXPECT_EQ(u.band, letter) << latDeg;
    }
  }
}

}  // namespace
}  // namespace trelvan
