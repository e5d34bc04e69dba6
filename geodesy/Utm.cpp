#include "geodesy/Utm.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "geodesy/Angles.h"
#include "geodesy/Bands.h"
#include "geodesy/Footpoint.h"
#include "geodesy/AngleWrap.h"

// The transverse Mercator projection by the classical series in powers of
// the longitude difference (forward) and of the easting offset from the
// central meridian (inverse): Redfearn's series (Empire Survey Review 9,
// 1948), in the form and with the term names T1..T17 of the U.S. Defense
// Mapping Agency's technical manual 8358.2, "The Universal Grids" (1989):
//   northing = T1 + T2 dl^2 + T3 dl^4 + T4 dl^6 + T5 dl^8
//   easting  = 500000 + T6 dl + T7 dl^3 + T8 dl^5 + T9 dl^7
//   latitude  = phi1 - T10 dE^2 + T11 dE^4 - T12 dE^6 + T13 dE^8
//   longitude = lambda0 + T14 dE - T15 dE^3 + T16 dE^5 - T17 dE^7
// with the meridian arc S(phi) as Helmert's series in the third flattening
// n. Every product and sum is taken in the order written here and the
// constants are the decimals below, so that displayed grid positions never
// change by a last digit (tests/properties/PinnedResultsTest.cpp pins a grid
// position to the last bit; the accuracy is in Utm.h).

namespace trelvan {
namespace {

constexpr double kScale = 0.9996;                     // k0, scale on the central meridian
constexpr double kHalfScale = 0.4998;                 // k0/2
constexpr double kInverseScale = 1.0004001600640255;  // 1/k0
constexpr double kScale2 = 0.9992001600000001;        // k0^2
constexpr double kTwiceScale2 = 1.9984003200000002;   // 2 k0^2
constexpr double kScale4 = 0.9984009597440259;        // k0^4
constexpr double kScale6 = 0.9976023987203844;        // k0^6

// Latitude limits of the grid times kDegToRad.
constexpr double kNorthLimit = 1.466076571675237;
constexpr double kSouthLimit = -1.3962634015954638;

// The footpoint iteration starts a few units in the last place below pi/2
// and stops when a step changes the latitude by no more than the tolerance.
// Ordinary northings converge in two to six rounds; the cap only stops
// inputs that never converge (not a number, or far beyond the earth).
constexpr double kFootpointStart = 1.570796326794895;
constexpr double kFootpointTolerance = 1e-12;
constexpr int kFootpointMaxRounds = 100;

// Beyond this many turns the zone's longitude is reduced by a remainder, not
// by one turn at a time, and no longer matches the offset reduced here.
constexpr double kTurnsFoundStepwise = 1e6;

// EdgeDegrees rounds to this many steps per degree, below a million degrees
// (where the degrees times the steps still hold their fraction in a double).
constexpr double kEdgeSteps = 1e9;
constexpr double kEdgeRoundingLimit = 1e6;

// Zone 0 marks a longitude that is not finite: it falls in no zone.
constexpr std::uint16_t kNoZone = 0;

// -1/6: zones per degree, negated, for the plain zone rule.
constexpr double kMinusZonesPerDegree = -0.16666666666666666;
// -1/8: bands per degree, negated, for the band rule.
constexpr double kMinusBandsPerDegree = -0.125;

// The rational factors of the series as decimals: 1/12, 1/360 and 1/20160
// of the northing terms T3..T5, 1/6, 1/120 and 1/5040 of the easting terms
// T7..T9.
constexpr double kOneTwelfth = 0.08333333333333333;
constexpr double kOne360th = 0.002777777777777778;
constexpr double kOne20160th = 0.0000496031746031746;
constexpr double kOneSixth = 0.16666666666666666;
constexpr double kOne120th = 0.008333333333333333;
constexpr double kOne5040th = 0.0001984126984126984;

// The factors of Helmert's meridian-arc series in n: 5/4, 81/64, 3/2, 7/8,
// 55/64, 15/16, 3/4, 35/48, 11/16 and 315/512.
constexpr double kArcA2 = 1.25;
constexpr double kArcA4 = 1.265625;
constexpr double kArcB = 1.5;
constexpr double kArcB3 = 0.875;
constexpr double kArcB5 = 0.859375;
constexpr double kArcC = 0.9375;
constexpr double kArcC4 = 0.75;
constexpr double kArcD = 0.7291666666666666;
constexpr double kArcD5 = 0.6875;
constexpr double kArcE = 0.615234375;

// The zone by the plain six-degree rule, from the longitude in degrees.
std::uint16_t PlainZone(double lonDeg) {
  const double w = WrapDegrees(lonDeg + 180.0);
  if (std::isnan(w)) {
    return kNoZone;
  }
  return static_cast<std::uint16_t>(1 - static_cast<int>(w * kMinusZonesPerDegree));
}

// The zone after the exceptions of southern Norway (56..64 N) and Svalbard
// (72..84 N), tested on the clamped latitude and the unwrapped longitude,
// both in degrees.
std::uint16_t ExceptionZone(double latDeg, double lonDeg, std::uint16_t zone) {
  if (latDeg >= 56.0 && latDeg < 64.0) {
    if (lonDeg >= 0.0 && lonDeg < 3.0) {
      return 31;
    }
    if (lonDeg >= 3.0 && lonDeg < 12.0) {
      return 32;
    }
  }
  if (latDeg >= 72.0 && latDeg <= 84.0) {
    if (lonDeg >= 0.0 && lonDeg < 9.0) {
      return 31;
    }
    if (lonDeg >= 9.0 && lonDeg < 21.0) {
      return 33;
    }
    if (lonDeg >= 21.0 && lonDeg < 33.0) {
      return 35;
    }
    if (lonDeg >= 33.0 && lonDeg < 42.0) {
      return 37;
    }
  }
  return zone;
}

// The latitude band letter of the clamped latitude (degrees and radians),
// eight degrees each from -80, X stretched to 84 (geodesy/Bands.h).
// A latitude below zero always gets a southern letter: just below zero,
// latDeg + 80 rounds to exactly 80 and the plain rule would say "N" while
// the northing carries the southern false northing.
signed char BandLetter(double latDeg, double lat) {
  const double i = -std::trunc((latDeg + 80.0) * kMinusBandsPerDegree);
  if (std::isnan(i)) {
    return 'N';  // no latitude: northern, as the northing takes it
  }
  const char letter = BandLetterAt(std::min(static_cast<int>(i), kBandCount - 1));
  if (lat < 0.0 && letter >= 'N') {
    return 'M';
  }
  return static_cast<signed char>(letter);
}

// Meridian arc from the equator to latitude phi (radians), metres.
double ArcLength(const MeridianArc& arc, double phi) {
  return (((arc.A * phi - arc.B * std::sin(2.0 * phi)) + arc.C * std::sin(4.0 * phi)) -
          arc.D * std::sin(6.0 * phi)) +
         arc.E * std::sin(8.0 * phi);
}

}  // namespace

MeridianArc MeridianArcCoefficients(double a, double inv_f) {
  const double n = 1.0 / (2.0 * inv_f - 1.0);
  const double n2 = n * n;
  const double n3 = n2 * n;
  const double n4 = n3 * n;
  const double n5 = n4 * n;
  MeridianArc arc;
  arc.A = a * (((1.0 - n) + kArcA2 * (n2 - n3)) + kArcA4 * (n4 - n5));
  arc.B = kArcB * a * (((n - n2) + kArcB3 * (n3 - n4)) + kArcB5 * n5);
  arc.C = kArcC * a * ((n2 - n3) + kArcC4 * (n4 - n5));
  arc.D = kArcD * a * ((n3 - n4) + kArcD5 * n5);
  arc.E = kArcE * a * (n4 - n5);
  return arc;
}

double CentralMeridian(std::uint16_t zone) {
  return ((static_cast<double>(zone) * 6.0 - 3.0) - 180.0) * kDegToRad;
}

double EdgeDegrees(double radians) {
  const double degrees = radians * kRadToDeg;
  if (!(std::fabs(degrees) < kEdgeRoundingLimit)) {
    return degrees;
  }
  return std::round(degrees * kEdgeSteps) / kEdgeSteps;
}

void GeoToUtm(const GeoPoint& point, UtmPoint& out) {
  const std::uint16_t datum = DatumRowIndex(point.datum);
  const Datum& row = DatumRow(datum);

  double phi = point.lat;
  const double lambda = point.lon;
  const double latDeg = phi * kRadToDeg;

  // The series are only used between 80 S and 84 N.
  if (latDeg > kGridNorthDeg) {
    phi = kNorthLimit;
  } else if (latDeg < kGridSouthDeg) {
    phi = kSouthLimit;
  }

  // The cell is decided on the degrees rounded as EdgeDegrees rounds them;
  // the clamped limits round to 84 and -80.
  const double latEdge = EdgeDegrees(phi);
  const double lonEdge = EdgeDegrees(lambda);
  const std::uint16_t zone = ExceptionZone(latEdge, lonEdge, PlainZone(lonEdge));
  const double lambda0 = CentralMeridian(zone);
  const signed char band = BandLetter(latEdge, phi);

  const MeridianArc arc = MeridianArcCoefficients(row.a, row.inv_f);
  const double S = ArcLength(arc, phi);

  const double s = std::sin(phi);
  const double c = std::cos(phi);
  const double c2 = c * c;
  const double c4 = c2 * c2;
  const double c6 = c4 * c2;
  const double t = std::tan(phi);
  const double t2 = t * t;
  const double t4 = t2 * t2;
  const double t6 = t4 * t2;
  const double eta2 = c2 * row.ep2;
  const double eta4 = eta2 * eta2;
  const double eta6 = eta4 * eta2;
  const double eta8 = eta4 * eta4;
  const double nu = row.a / std::sqrt(1.0 - row.e2 * (s * s));

  // The zone comes from the longitude brought into one turn, so its offset
  // from the zone's meridian is brought into one turn as well: a longitude a
  // hair beyond 180 degrees (179 59 59 and 100 hundredths typed) lies at the
  // western edge of zone 1, not 357 degrees east of its meridian. Longitudes
  // so far out that the zone is no longer found turn by turn are left as
  // they are.
  double dl = lambda - lambda0;
  if (std::fabs(dl) > std::numbers::pi &&
      std::fabs(dl) < kTurnsFoundStepwise * 2.0 * std::numbers::pi) {
    dl = std::remainder(dl, 2.0 * std::numbers::pi);
  }
  const double dl2 = dl * dl;
  const double dl4 = dl2 * dl2;
  const double dl6 = dl4 * dl2;

  const double T1 = S * kScale;
  const double T2 = s * nu * c * kHalfScale;
  const double T3 = T2 * (c2 * kOneTwelfth) * ((5.0 - t2) + 4.0 * eta4 + 9.0 * eta2);
  const double T4 =
      T2 * (c4 * kOne360th) *
      (61.0 - 58.0 * t2 + 270.0 * eta2 + t4 - 330.0 * t2 * eta2 + 324.0 * eta6 + 445.0 * eta4 -
       680.0 * t2 * eta4 + 88.0 * eta8 - 600.0 * t2 * eta6 - 192.0 * t2 * eta8);
  const double T5 = T2 * (c6 * kOne20160th) * (1385.0 - 3111.0 * t2 + 543.0 * t4 - t6);
  double northing = T1 + (T5 * dl4 + T3) * dl4 + T4 * dl6 + T2 * dl2;
  if (phi < 0.0) {
    northing = northing + kFalseNorthing;
  }

  const double T6 = nu * c * kScale;
  const double T7 = T6 * (c2 * kOneSixth) * (1.0 - t2 + eta2);
  const double T8 = T6 * (c4 * kOne120th) *
                    (5.0 - 18.0 * t2 + 14.0 * eta2 + t4 - 58.0 * t2 * eta2 + 4.0 * eta6 +
                     13.0 * eta4 - 64.0 * t2 * eta4 - 24.0 * t2 * eta6);
  const double T9 = T6 * (c6 * kOne5040th) * (61.0 - 479.0 * t2 + 179.0 * t4 - t6);
  const double easting = (((T8 * dl4 + T9 * dl6) + T7 * dl2) + T6) * dl + kFalseEasting;

  out.easting = easting;
  out.northing = northing;
  out.height = point.height;
  out.zone = zone;
  out.band = band;
  out.datum = datum;
  out.form = kUtmForm;
}

double FootpointLatitude(double northing, const MeridianArc& arc) {
  const double M = northing * kInverseScale;
  double phi = kFootpointStart;
  for (int round = 0; round < kFootpointMaxRounds; ++round) {
    const double next = ((((M + arc.B * std::sin(2.0 * phi)) - arc.C * std::sin(4.0 * phi)) +
                          arc.D * std::sin(6.0 * phi)) -
                         arc.E * std::sin(8.0 * phi)) *
                        (1.0 / arc.A);
    if (std::fabs(next - phi) <= kFootpointTolerance) {
      return next;
    }
    phi = next;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

GeoPoint UtmToGeo(const UtmPoint& grid) {
  const std::uint16_t datum = DatumRowIndex(grid.datum);
  const Datum& row = DatumRow(datum);

  const FootpointTerms f = FootpointTermsOf(grid, row);
  const double lambda0 = CentralMeridian(grid.zone);
  const bool southern = f.southern;
  const double dE = f.dE;
  const double phi1 = f.phi1;
  const double c = f.c;
  const double t = f.t;
  const double t2 = f.t2, t4 = f.t4, t6 = f.t6;
  const double eta2 = f.eta2, eta4 = f.eta4, eta6 = f.eta6, eta8 = f.eta8;
  const double w = f.w;
  const double nu = f.nu;
  const double rho = ((1.0 - row.e2) / std::pow(w, 1.5)) * row.a;
  const double nu2 = f.nu2, nu4 = f.nu4, nu6 = f.nu6;
  const double dE2 = dE * dE;
  const double dE4 = dE2 * dE2;
  const double dE6 = dE4 * dE2;

  const double T10 = t / (rho * nu * kTwiceScale2);
  const double T11 =
      (5.0 + 3.0 * t2 + eta2 - 4.0 * eta4 - 9.0 * t2 * eta2) * (1.0 / (nu2 * kScale2 * 12.0)) * T10;
  const double T12 = (61.0 + 90.0 * t2 + 45.0 * t4 + 46.0 * eta2 - 252.0 * t2 * eta2 - 3.0 * eta4 +
                      100.0 * eta6 - 66.0 * t2 * eta4 - 90.0 * t4 * eta2 + 225.0 * t4 * eta4 +
                      88.0 * eta8 + 84.0 * t2 * eta6 - 192.0 * t2 * eta8) *
                     (1.0 / (nu4 * kScale4 * 360.0)) * T10;
  const double T13 =
      (1385.0 + 3633.0 * t2 + 4095.0 * t4 + 1575.0 * t6) * (1.0 / (nu6 * kScale6 * 20160.0)) * T10;
  double latitude = ((T11 * dE4 + (phi1 - T10 * dE2)) - T12 * dE6) + T13 * dE4 * dE4;
  if (southern) {
    latitude = -latitude;
  }

  const double T14 = 1.0 / (nu * c * kScale);
  const double T15 = (1.0 / (nu2 * kScale2 * 6.0)) * (1.0 + 2.0 * t2 + eta2) * T14;
  const double T16 = (5.0 + 6.0 * eta2 + 28.0 * t2 - 3.0 * eta4 + 8.0 * t2 * eta2 + 24.0 * t4 -
                      4.0 * eta6 + 4.0 * t2 * eta4 + 24.0 * t4 * eta6) *
                     (1.0 / (nu4 * kScale4 * 120.0)) * T14;
  const double T17 =
      (1.0 / (nu6 * kScale6 * 5040.0)) * (61.0 + 662.0 * t2 + 1320.0 * t4 + 720.0 * t6) * T14;
  const double longitude = ((T16 * dE4 + (T14 - T15 * dE2)) - T17 * dE6) * dE + lambda0;

  GeoPoint result{};
  result.lat = latitude;
  result.lon = longitude;
  result.height = grid.height;
  result.datum = datum;
  return result;
}

}  // namespace trelvan
