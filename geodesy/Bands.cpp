#include "geodesy/Bands.h"

#include "geodesy/Utm.h"

namespace trelvan {
namespace {

constexpr char kBandLetters[] = "CDEFGHJKLMNPQRSTUVWX";
static_assert(sizeof kBandLetters == kBandCount + 1);

constexpr double kBandHeightDeg = 8.0;

}  // namespace

char BandLetterAt(int band) { return kBandLetters[band]; }

int BandIndex(char letter) {
  for (int band = 0; band < kBandCount; ++band) {
    if (kBandLetters[band] == letter) return band;
  }
  return -1;
}

bool IsBandLetter(char letter) { return BandIndex(letter) >= 0; }

double BandSouthDeg(int band) { return kGridSouthDeg + kBandHeightDeg * band; }

double BandNorthDeg(int band) {
  return band == kBandCount - 1 ? kGridNorthDeg : BandSouthDeg(band) + kBandHeightDeg;
}

}  // namespace trelvan
