#include "magnetic/Coefficients.h"

#include <iterator>

namespace trelvan {

// One coefficient row per line, kept as laid out.
// clang-format off
// IGRF epoch 2000.0 main field, nT.
const double kMainFieldCoefficients[] = {
    0.0,              // unused
    -29615.0,         // n =  1, m =  0: g
    -1728.0, 5186.0,  // n =  1, m =  1: g, h
    -2267.0,          // n =  2, m =  0: g
    3072.0, -2478.0,  // n =  2, m =  1: g, h
    1672.0, -458.0,   // n =  2, m =  2: g, h
    1341.0,           // n =  3, m =  0: g
    -2290.0, -227.0,  // n =  3, m =  1: g, h
    1253.0, 296.0,    // n =  3, m =  2: g, h
    715.0, -492.0,    // n =  3, m =  3: g, h
    935.0,            // n =  4, m =  0: g
    787.0, 272.0,     // n =  4, m =  1: g, h
    251.0, -232.0,    // n =  4, m =  2: g, h
    -405.0, 119.0,    // n =  4, m =  3: g, h
    110.0, -304.0,    // n =  4, m =  4: g, h
    -217.0,           // n =  5, m =  0: g
    351.0, 44.0,      // n =  5, m =  1: g, h
    222.0, 172.0,     // n =  5, m =  2: g, h
    -131.0, -134.0,   // n =  5, m =  3: g, h
    -169.0, -40.0,    // n =  5, m =  4: g, h
    -12.0, 107.0,     // n =  5, m =  5: g, h
    72.0,             // n =  6, m =  0: g
    68.0, -17.0,      // n =  6, m =  1: g, h
    74.0, 64.0,       // n =  6, m =  2: g, h
    -161.0, 65.0,     // n =  6, m =  3: g, h
    -5.0, -61.0,      // n =  6, m =  4: g, h
    17.0, 1.0,        // n =  6, m =  5: g, h
    -91.0, 44.0,      // n =  6, m =  6: g, h
    79.0,             // n =  7, m =  0: g
    -74.0, -65.0,     // n =  7, m =  1: g, h
    0.0, -24.0,       // n =  7, m =  2: g, h
    33.0, 6.0,        // n =  7, m =  3: g, h
    9.0, 24.0,        // n =  7, m =  4: g, h
    7.0, 15.0,        // n =  7, m =  5: g, h
    8.0, -25.0,       // n =  7, m =  6: g, h
    -2.0, -6.0,       // n =  7, m =  7: g, h
    25.0,             // n =  8, m =  0: g
    6.0, 12.0,        // n =  8, m =  1: g, h
    -9.0, -22.0,      // n =  8, m =  2: g, h
    -8.0, 8.0,        // n =  8, m =  3: g, h
    -17.0, -21.0,     // n =  8, m =  4: g, h
    9.0, 15.0,        // n =  8, m =  5: g, h
    7.0, 9.0,         // n =  8, m =  6: g, h
    -8.0, -16.0,      // n =  8, m =  7: g, h
    -7.0, -3.0,       // n =  8, m =  8: g, h
    5.0,              // n =  9, m =  0: g
    9.0, -20.0,       // n =  9, m =  1: g, h
    3.0, 13.0,        // n =  9, m =  2: g, h
    -8.0, 12.0,       // n =  9, m =  3: g, h
    6.0, -6.0,        // n =  9, m =  4: g, h
    -9.0, -8.0,       // n =  9, m =  5: g, h
    -2.0, 9.0,        // n =  9, m =  6: g, h
    9.0, 4.0,         // n =  9, m =  7: g, h
    -4.0, -8.0,       // n =  9, m =  8: g, h
    -8.0, 5.0,        // n =  9, m =  9: g, h
    -2.0,             // n = 10, m =  0: g
    -6.0, 1.0,        // n = 10, m =  1: g, h
    2.0, 0.0,         // n = 10, m =  2: g, h
    -3.0, 4.0,        // n = 10, m =  3: g, h
    0.0, 5.0,         // n = 10, m =  4: g, h
    4.0, -6.0,        // n = 10, m =  5: g, h
    1.0, -1.0,        // n = 10, m =  6: g, h
    2.0, -3.0,        // n = 10, m =  7: g, h
    4.0, 0.0,         // n = 10, m =  8: g, h
    0.0, -2.0,        // n = 10, m =  9: g, h
    -1.0, -8.0,       // n = 10, m = 10: g, h
};
static_assert(std::size(kMainFieldCoefficients) == kFieldCoefficientCount);
static_assert(kFieldCoefficientCount == kMainFieldDegree * (kMainFieldDegree + 2) + 1);

// IGRF 2000-2005 secular variation, nT per year.
const double kSecularVariationCoefficients[] = {
    0.0,          // unused
    14.6,         // n = 1, m = 0: g
    10.7, -22.5,  // n = 1, m = 1: g, h
    -12.4,        // n = 2, m = 0: g
    1.1, -20.6,   // n = 2, m = 1: g, h
    -1.1, -9.6,   // n = 2, m = 2: g, h
    0.7,          // n = 3, m = 0: g
    -5.4, 6.0,    // n = 3, m = 1: g, h
    0.9, -0.1,    // n = 3, m = 2: g, h
    -7.7, -14.2,  // n = 3, m = 3: g, h
    -1.3,         // n = 4, m = 0: g
    1.6, 2.1,     // n = 4, m = 1: g, h
    -7.3, 1.3,    // n = 4, m = 2: g, h
    2.9, 5.0,     // n = 4, m = 3: g, h
    -3.2, 0.3,    // n = 4, m = 4: g, h
    0.0,          // n = 5, m = 0: g
    -0.7, -0.1,   // n = 5, m = 1: g, h
    -2.1, 0.6,    // n = 5, m = 2: g, h
    -2.8, 1.7,    // n = 5, m = 3: g, h
    -0.8, 1.9,    // n = 5, m = 4: g, h
    2.5, 0.1,     // n = 5, m = 5: g, h
    1.0,          // n = 6, m = 0: g
    -0.4, -0.2,   // n = 6, m = 1: g, h
    0.9, -1.4,    // n = 6, m = 2: g, h
    2.0, 0.0,     // n = 6, m = 3: g, h
    -0.6, -0.8,   // n = 6, m = 4: g, h
    -0.3, 0.0,    // n = 6, m = 5: g, h
    1.2, 0.9,     // n = 6, m = 6: g, h
    -0.4,         // n = 7, m = 0: g
    -0.4, 1.1,    // n = 7, m = 1: g, h
    -0.3, 0.0,    // n = 7, m = 2: g, h
    1.1, 0.3,     // n = 7, m = 3: g, h
    1.1, -0.1,    // n = 7, m = 4: g, h
    -0.2, -0.6,   // n = 7, m = 5: g, h
    0.6, -0.7,    // n = 7, m = 6: g, h
    -0.9, 0.2,    // n = 7, m = 7: g, h
    -0.3,         // n = 8, m = 0: g
    0.2, 0.1,     // n = 8, m = 1: g, h
    -0.3, 0.0,    // n = 8, m = 2: g, h
    0.4, 0.0,     // n = 8, m = 3: g, h
    -1.0, 0.3,    // n = 8, m = 4: g, h
    0.3, 0.6,     // n = 8, m = 5: g, h
    -0.5, -0.4,   // n = 8, m = 6: g, h
    -0.7, 0.3,    // n = 8, m = 7: g, h
    -0.4, 0.7,    // n = 8, m = 8: g, h
};
static_assert(std::size(kSecularVariationCoefficients) == kSecularVariationCount);
static_assert(kSecularVariationCount ==
              kSecularVariationDegree * (kSecularVariationDegree + 2) + 1);

// clang-format on

}  // namespace trelvan
