#include "geodesy/Datum.h"

#include <array>
#include <iterator>

namespace trelvan {
namespace {

// What the table states for each datum: its display name, the ellipsoid
// (semi-major axis in metres, reciprocal flattening) and the translation to
// WGS-84 in metres. Every datum of the table is a pure translation.
struct DatumSpec {
  const char* name;
  double a;
  double inv_f;
  double dx;
  double dy;
  double dz;
};

// The index of a row is its datum index: the Units form lists these names in
// this order and stores the position chosen as the index.
// clang-format off
constexpr DatumSpec kDatumSpecs[] = {
    {"WGS-84",                               6378137.0,   298.257223563,    0,    0,     0},  // 0
    {"ED-50 MEAN",                           6378388.0,   297.0,          -87,  -98,  -121},  // 1
    {"ED-50A",                               6378388.0,   297.0,          -87,  -96,  -120},  // 2
    {"IAU1976",                              6378140.0,   298.257,          0,    0,     0},  // 3
    {"Adindan",                              6378249.145, 293.465,       -166,  -15,   204},  // 4
    {"Afgooye",                              6378245.0,   298.3,          -43, -163,    45},  // 5
    {"Ain_El_Abd_1970",                      6378388.0,   297.0,         -150, -251,    -2},  // 6
    {"Alaska_(NAD-27)",                      6378206.4,   294.9786982,     -5,  135,   172},  // 7
    {"Alaska/Canada_NAD-27",                 6378206.4,   294.9786982,     -9,  151,   185},  // 8
    {"Anna_1_Astro_1965",                    6378160.0,   298.25,        -491,  -22,   435},  // 9
    {"ARC-1950_mean",                        6378249.145, 293.465,       -143,  -90,  -294},  // 10
    {"ARC-1960_mean",                        6378249.145, 293.465,       -160,   -8,  -300},  // 11
    {"Ascension_Island_'58",                 6378388.0,   297.0,         -207,  107,    52},  // 12
    {"Astro_B4_Sor.Atoll",                   6378388.0,   297.0,          114, -116,  -333},  // 13
    {"Astro_Beacon_E",                       6378388.0,   297.0,          145,   75,  -272},  // 14
    {"Astro_Pos_71/4",                       6378388.0,   297.0,         -320,  550,  -494},  // 15
    {"Astronomic_Stn._'52",                  6378388.0,   297.0,          124, -234,   -25},  // 16
    {"Australian_Geodetic_1984",             6378160.0,   298.25,        -134,  -48,   149},  // 17
    {"Bahamas_(NAD-27)",                     6378206.4,   294.9786982,     -4,  154,   178},  // 18
    {"Bellevue_(IGN)",                       6378388.0,   297.0,         -127, -769,   472},  // 19
    {"Bermuda_1957",                         6378206.4,   294.9786982,    -73,  213,   296},  // 20
    {"Bogota_Observatory",                   6378388.0,   297.0,          307,  304,  -318},  // 21
    {"Bukit_Rimpah",                         6377397.155, 299.1528128,   -384,  664,   -48},  // 22
    {"Camp_Area_Astro",                      6378388.0,   297.0,         -104, -129,   239},  // 23
    {"Campo_Inchauspe",                      6378388.0,   297.0,         -148,  136,    90},  // 24
    {"Canada_Mean_(NAD27)",                  6378206.4,   294.9786982,    -10,  158,   187},  // 25
    {"Canal_Zone_(NAD27)",                   6378206.4,   294.9786982,      0,  125,   201},  // 26
    {"Canton_Island_1966",                   6378388.0,   297.0,          298, -304,  -375},  // 27
    {"Cape",                                 6378249.145, 293.465,       -136, -108,  -292},  // 28
    {"Cape_Canaveral_mean",                  6378206.4,   294.9786982,     -2,  150,   181},  // 29
    {"Carribean_(NAD27)",                    6378206.4,   294.9786982,     -7,  152,   178},  // 30
    {"Carthage",                             6378249.145, 293.465,       -263,    6,   431},  // 31
    {"Central_America_(NAD27)",              6378206.4,   294.9786982,      0,  125,   194},  // 32
    {"Chatham_1971",                         6378388.0,   297.0,          175,  -38,   113},  // 33
    {"Chua_Astro",                           6378388.0,   297.0,         -134,  229,   -29},  // 34
    {"Corrego_Alegre",                       6378388.0,   297.0,         -206,  172,    -6},  // 35
    {"Corrego_Alegre_(Provisional)",         6378388.0,   297.0,         -206,  172,    -6},  // 36
    {"Cuba_(NAD27)",                         6378206.4,   294.9786982,     -9,  152,   178},  // 37
    {"Cyprus",                               6378388.0,   297.0,         -104, -101,  -140},  // 38
    {"Djakarta(Batavia)",                    6377397.155, 299.1528128,   -377,  681,   -50},  // 39
    {"DOS_1968",                             6378388.0,   297.0,          230, -199,  -752},  // 40
    {"Easter_lsland_1967",                   6378388.0,   297.0,          211,  147,   111},  // 41
    {"Egypt",                                6378388.0,   297.0,         -130, -117,  -151},  // 42
    {"European_1979_mean",                   6378388.0,   297.0,          -86,  -98,  -119},  // 43
    {"Finnish_Nautical_Chart",               6378388.0,   297.0,          -78, -231,   -97},  // 44
    {"Gandajika_Base",                       6378388.0,   297.0,         -133, -321,    50},  // 45
    {"Geodetic_Datum_'49",                   6378388.0,   297.0,           84,  -22,   209},  // 46
    {"Ghana",                                6378137.0,   298.257223563,    0,    0,     0},  // 47
    {"Greenland_(NAD27)",                    6378206.4,   294.9786982,     11,  114,   195},  // 48
    {"Guam_1963",                            6378206.4,   294.9786982,   -100, -248,   259},  // 49
    {"Gunung_Segara",                        6377397.155, 299.1528128,   -403,  684,    41},  // 50
    {"Gunung_Serindung_1962",                6378137.0,   298.257223563,    0,    0,     0},  // 51
    {"GUX_1_Astro",                          6378388.0,   297.0,          252, -209,  -751},  // 52
    {"Herat_North",                          6378388.0,   297.0,         -333, -222,   114},  // 53
    {"Hjorsey_1955",                         6378388.0,   297.0,          -73,   46,   -86},  // 54
    {"Hong_Kong_1963",                       6378388.0,   297.0,         -156, -271,  -189},  // 55
    {"Hu-Tzu-Shan",                          6378388.0,   297.0,         -634, -549,  -201},  // 56
    {"Indian",                               6377276.345, 300.8017,       289,  734,   257},  // 57
    {"Iran",                                 6378388.0,   297.0,         -117, -132,  -164},  // 58
    {"Ireland_1965",                         6377340.189, 299.3249646,    506, -122,   611},  // 59
    {"ISTS_073_Astro_'69",                   6378388.0,   297.0,          208, -435,  -229},  // 60
    {"Johnston_Island_'61",                  6378388.0,   297.0,          191,  -77,  -204},  // 61
    {"Kandawala",                            6377276.345, 300.8017,       -97,  787,    86},  // 62
    {"Kerguelen_Island",                     6378388.0,   297.0,          145, -187,   103},  // 63
    {"Kertau_'48",                           6377304.063, 300.8017,       -11,  851,     5},  // 64
    {"L.C._5_Astro",                         6378206.4,   294.9786982,     42,  124,   147},  // 65
    {"La_Reunion",                           6378388.0,   297.0,           94, -948, -1262},  // 66
    {"Liberia_1964",                         6378249.145, 293.465,        -90,   40,    88},  // 67
    {"Luzon",                                6378206.4,   294.9786982,   -133,  -77,   -51},  // 68
    {"Mahe_1971",                            6378249.145, 293.465,         41, -220,  -134},  // 69
    {"Marco_Astro",                          6378388.0,   297.0,         -289, -124,    60},  // 70
    {"Masirah_Is._(Nahrwan)",                6378249.145, 293.465,       -247, -148,   369},  // 71
    {"Massawa",                              6377397.155, 299.1528128,    639,  405,    60},  // 72
    {"Merchich",                             6378249.145, 293.465,         31,  146,    47},  // 73
    {"Mexico_(NAD27)",                       6378206.4,   294.9786982,    -12,  130,   190},  // 74
    {"Midway_Astro_'61",                     6378388.0,   297.0,          912,  -58,  1227},  // 75
    {"Mindanao",                             6378206.4,   294.9786982,   -133,  -79,   -72},  // 76
    {"Minna",                                6378249.145, 293.465,        -92,  -93,   122},  // 77
    {"Montjong_Lowe",                        6378137.0,   298.257223563,    0,    0,     0},  // 78
    {"Nahrwan",                              6378249.145, 293.465,       -231, -196,   482},  // 79
    {"Naparima_BWI",                         6378388.0,   297.0,           -2,  374,   172},  // 80
    {"NAD83",                                6378137.0,   298.257222101,    0,    0,     0},  // 81
    {"NAD27_mean",                           6378206.4,   294.9786982,     -8,  160,   176},  // 82
    {"Observatorio_1966",                    6378388.0,   297.0,         -425, -169,    81},  // 83
    {"Old_Egyptian",                         6378200.0,   298.3,         -130,  110,   -13},  // 84
    {"Old_Hawaiian_mean",                    6378206.4,   294.9786982,     89, -279,  -183},  // 85
    {"Old_Hawaiian_Kauai",                   6378206.4,   294.9786982,     45, -290,  -172},  // 86
    {"Old_Hawaiian_Maui",                    6378206.4,   294.9786982,     65, -290,  -190},  // 87
    {"Old_Hawaiian_Oahu",                    6378206.4,   294.9786982,     56, -284,  -181},  // 88
    {"Oman",                                 6378249.145, 293.465,       -346,   -1,   224},  // 89
    {"Ordnance_Survey_of_Great_Britain_'36", 6377563.396, 299.3249646,    375, -111,   431},  // 90
    {"Pico_De_Las_Nieves",                   6378388.0,   297.0,         -307,  -92,   127},  // 91
    {"Pitcairn_Astro_'67",                   6378388.0,   297.0,          185,  165,    42},  // 92
    {"Potsdam_Rauenberg_DHDN",               6377397.155, 299.1528128,    606,   23,   413},  // 93
    {"Provisional_South_American_1956_mean", 6378388.0,   297.0,         -288,  175,  -376},  // 94
    {"Provisional_South_Chilean_1963",       6378388.0,   297.0,           16,  196,    93},  // 95
    {"Puerto_Rico",                          6378206.4,   294.9786982,     11,   72,  -101},  // 96
    {"Pulkovo_1942",                         6378245.0,   298.3,           28, -130,   -95},  // 97
    {"Qornoq",                               6378388.0,   297.0,          164,  138,  -189},  // 98
    {"Quatar_National",                      6378388.0,   297.0,         -128, -283,    22},  // 99
    {"Rome_1940",                            6378388.0,   297.0,         -225,  -65,     9},  // 100
    {"S_42",                                 6378245.0,   298.3,           28, -121,   -77},  // 101
    {"S.E.Asia_(Indian)",                    6377276.345, 300.8017,       173,  750,   264},  // 102
    {"SAD-69/Brazil",                        6378160.0,   298.25,         -60,   -2,   -41},  // 103
    {"Santa_Braz",                           6378388.0,   297.0,         -203,  141,    53},  // 104
    {"Santo_(DOS)",                          6378388.0,   297.0,          170,   42,    84},  // 105
    {"Sapper_Hill_'43",                      6378388.0,   297.0,         -355,   16,    74},  // 106
    {"Schwarzeck",                           6377483.865, 299.1528128,    616,   97,  -251},  // 107
    {"Sicily",                               6378388.0,   297.0,          -97,  -88,  -135},  // 108
    {"Sierra_Leone_1960",                    6378137.0,   298.257223563,    0,    0,     0},  // 109
    {"South_American_1969_mean",             6378160.0,   298.25,         -57,    1,   -41},  // 110
    {"South_Asia",                           6378155.0,   298.3,            7,  -10,   -26},  // 111
    {"Southeast_Base",                       6378388.0,   297.0,         -499, -249,   314},  // 112
    {"Southwest_Base",                       6378388.0,   297.0,         -104,  167,   -38},  // 113
    {"Tananarive_Observatory_'25",           6378388.0,   297.0,         -189, -242,   -91},  // 114
    {"Thai/Viet_(Indian)",                   6377276.345, 300.8017,       214,  836,   303},  // 115
    {"Timbalai_1948",                        6377276.345, 300.8017,      -689,  691,   -45},  // 116
    {"Tokyo_mean",                           6377397.155, 299.1528128,   -128,  481,   664},  // 117
    {"Tristan_Astro_1968",                   6378388.0,   297.0,         -632,  438,  -609},  // 118
    {"Unites_Arab_Emirates_(Nahrwan)",       6378249.145, 293.465,       -249, -156,   381},  // 119
    {"Viti_Levu_1916",                       6378249.145, 293.465,         51,  391,   -36},  // 120
    {"Wake-Eniwetok_'60",                    6378270.0,   297.0,          101,   52,   -39},  // 121
    {"WGS-72",                               6378135.0,   298.26,           0,    0,     5},  // 122
    {"Yacare",                               6378388.0,   297.0,         -155,  171,    37},  // 123
    {"Zanderij",                             6378388.0,   297.0,         -265,  120,  -358},  // 124
};
// clang-format on
static_assert(std::size(kDatumSpecs) == kDatumCount);

// The rows that out-of-range datum indices fall back to: parameters come
// from "ED-50A", the name shown is "WGS-84".
constexpr std::uint16_t kFallbackRow = 2;
constexpr std::uint16_t kFallbackNameRow = 0;

// The derived ellipsoid fields are computed once, in double precision, from
// a and 1/f in this order, so every build holds the same doubles.
constexpr Datum MakeDatum(const DatumSpec& entry) {
  const double f = 1.0 / entry.inv_f;
  const double e2 = f * (2.0 - f);
  return Datum{.a = entry.a,
               .b = entry.a * (1.0 - f),
               .inv_f = entry.inv_f,
               .e2 = e2,
               .ep2 = e2 / (1.0 - e2),
               .dx = entry.dx,
               .dy = entry.dy,
               .dz = entry.dz,
               .rx = 0.0,
               .ry = 0.0,
               .rz = 0.0,
               .scale_ppm = 0.0};
}

constexpr std::array<Datum, kDatumCount> MakeDatumRows() {
  std::array<Datum, kDatumCount> rows{};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i] = MakeDatum(kDatumSpecs[i]);
  }
  return rows;
}

constexpr std::array<Datum, kDatumCount> kDatumRows = MakeDatumRows();

}  // namespace

std::uint16_t DatumRowIndex(std::uint16_t index) {
  return index < kDatumCount ? index : kFallbackRow;
}

const Datum& DatumRow(std::uint16_t index) { return kDatumRows[DatumRowIndex(index)]; }

const char* DatumName(std::uint16_t index) {
  return kDatumSpecs[index < kDatumCount ? index : kFallbackNameRow].name;
}

}  // namespace trelvan
