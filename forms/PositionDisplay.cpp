#include "forms/PositionDisplay.h"

#include <cmath>

#include "geodesy/Angles.h"
#include "geodesy/GridDomain.h"
#include "geodesy/Rounding.h"
#include "measures/DisplaySplit.h"
#include "measures/Units.h"
#include "ui/Form.h"

namespace trelvan {

namespace {

// Altitudes from here on do not round into an int and are shown in
// exponent form.
constexpr double kWholeAltitudeLimit = 2147483647.0;

DmsTexts DmsTextsOf(double radians, const char* positive, const char* negative) {
  const DmsParts parts = SplitDms(std::fabs(radians));
  return {QString::fromLatin1(radians >= 0 ? positive : negative),
          QString::asprintf("%03d", parts.deg), QString::asprintf("%02d", parts.min),
          QString::asprintf("%02d", parts.sec), QString::asprintf("%02d", parts.hun)};
}

void ShowDms(Form& form, int hemisphere, int deg, int min, int sec, int hun, const DmsTexts& t) {
  form.SetText(hemisphere, t.hemisphere);
  form.SetText(deg, t.deg);
  form.SetText(min, t.min);
  form.SetText(sec, t.sec);
  form.SetText(hun, t.hun);
}

}  // namespace

std::array<ControlSpec, 20> GeographicRows(int group, const GeographicFields& f,
                                           int altitudeUnit, ControlKind numberKind) {
  using K = ControlKind;
  return {{
      {0, K::kCaption, "Deg", group, 1, 2},
      {0, K::kCaption, "Min", group, 1, 3},
      {0, K::kCaption, "Sec", group, 1, 4},
      {0, K::kCaption, "%", group, 1, 5},
      {0, K::kCaption, "Lat", group, 2, 0},
      {f.latHemisphere, K::kButton, "N", group, 2, 1},
      {f.latDeg, numberKind, "", group, 2, 2},
      {f.latMin, numberKind, "", group, 2, 3},
      {f.latSec, numberKind, "", group, 2, 4},
      {f.latHun, numberKind, "", group, 2, 5},
      {0, K::kCaption, "Lon", group, 3, 0},
      {f.lonHemisphere, K::kButton, "E", group, 3, 1},
      {f.lonDeg, numberKind, "", group, 3, 2},
      {f.lonMin, numberKind, "", group, 3, 3},
      {f.lonSec, numberKind, "", group, 3, 4},
      {f.lonHun, numberKind, "", group, 3, 5},
      {0, K::kCaption, "Alt", group, 4, 0},
      {f.altSign, K::kButton, "+", group, 4, 1},
      {f.alt, K::kEdit, "", group, 4, 2, 1, 2},
      {altitudeUnit, K::kLabel, "m", group, 4, 4},
  }};
}

std::array<ControlSpec, 13> GridRows(int group, const GridFields& f, ControlKind numberKind) {
  using K = ControlKind;
  return {{
      {0, K::kCaption, "m", group, 5, 2, 1, 2},
      {0, K::kCaption, "dm", group, 5, 4},
      {0, K::kCaption, "Easting", group, 6, 0, 1, 2},
      {f.easting, numberKind, "", group, 6, 2, 1, 2},
      {f.eastingDm, numberKind, "", group, 6, 4},
      {0, K::kCaption, "Northing", group, 7, 0, 1, 2},
      {f.northing, numberKind, "", group, 7, 2, 1, 2},
      {f.northingDm, numberKind, "", group, 7, 4},
      {0, K::kCaption, "HSphere", group, 8, 0},
      {f.hemisphere, K::kButton, "N", group, 8, 1},
      {0, K::kCaption, "Zone", group, 8, 2},
      {f.zone, numberKind, "", group, 8, 3},
      {f.band, K::kEdit, "", group, 8, 4},
  }};
}

GeographicTexts GeographicTextsOf(const GeoPoint& q, std::int32_t distanceUnit) {
  const double altitude = std::fabs(q.height) * AltitudeDisplayFactor(distanceUnit);
  // The rounding saturates at the largest int; a height read from a file
  // may lie far beyond it, and is shown as what it is, not as that int.
  return {DmsTextsOf(q.lat, "N", "S"), DmsTextsOf(q.lon, "E", "W"),
          q.height >= 0 ? QStringLiteral("+") : QStringLiteral("-"),
          altitude < kWholeAltitudeLimit
              ? QString::asprintf("%05ld", static_cast<long>(RoundHalfAway(altitude)))
              : QString::asprintf("%.3e", altitude)};
}

void ShowGeographic(Form& form, const GeographicFields& f, const GeoPoint& q,
                    std::int32_t distanceUnit) {
  const GeographicTexts t = GeographicTextsOf(q, distanceUnit);
  ShowDms(form, f.latHemisphere, f.latDeg, f.latMin, f.latSec, f.latHun, t.lat);
  ShowDms(form, f.lonHemisphere, f.lonDeg, f.lonMin, f.lonSec, f.lonHun, t.lon);
  form.SetText(f.altSign, t.altSign);
  form.SetText(f.alt, t.alt);
}

void ClearGeographic(Form& form, const GeographicFields& f) {
  form.SetText(f.latHemisphere, QStringLiteral("N"));
  form.SetText(f.lonHemisphere, QStringLiteral("E"));
  form.SetText(f.altSign, QStringLiteral("+"));
  for (int id :
       {f.latDeg, f.latMin, f.latSec, f.latHun, f.lonDeg, f.lonMin, f.lonSec, f.lonHun, f.alt}) {
    form.SetText(id, QString());
  }
}

void ClearGrid(Form& form, const GridFields& f) {
  form.SetText(f.hemisphere, QStringLiteral("N"));
  for (int id : {f.easting, f.eastingDm, f.northing, f.northingDm, f.zone, f.band}) {
    form.SetText(id, QString());
  }
}

bool GridTextsOf(const GeoPoint& q, GridTexts& t) {
  t = GridTexts{};
  UtmPoint& u = t.position;
  if (ToGrid(q, u) != GridStatus::kOnGrid) return false;
  const DecimetreParts easting = SplitDecimetres(u.easting);
  const DecimetreParts northing = SplitDecimetres(u.northing);
  t.easting = QString::asprintf("%07ld", static_cast<long>(easting.whole));
  t.eastingDm = QString::asprintf("%01d", easting.dm);
  t.northing = QString::asprintf("%07ld", static_cast<long>(northing.whole));
  t.northingDm = QString::asprintf("%01d", northing.dm);
  t.hemisphere = q.lat >= 0 ? QStringLiteral("N") : QStringLiteral("S");
  t.zone = QString::number(u.zone);
  t.band = QString(QChar(static_cast<char16_t>(static_cast<unsigned char>(u.band))));
  return true;
}

bool ShowGrid(Form& form, const GridFields& f, const GeoPoint& q) {
  GridTexts t;
  if (!GridTextsOf(q, t)) {
    ClearGrid(form, f);
    return false;
  }
  form.SetText(f.easting, t.easting);
  form.SetText(f.eastingDm, t.eastingDm);
  form.SetText(f.northing, t.northing);
  form.SetText(f.northingDm, t.northingDm);
  form.SetText(f.hemisphere, t.hemisphere);
  form.SetText(f.zone, t.zone);
  form.SetText(f.band, t.band);
  return true;
}

double ShowSignedAngle(Form& form, int signId, int wholeId, int hundredthsId, double radians,
                       std::int32_t angleUnit) {
  double g = radians * RadiansToAngleUnit(angleUnit);
  if (g < 0) {
    form.SetText(signId, QStringLiteral("-"));
    g = -g;
  } else {
    form.SetText(signId, QStringLiteral("+"));
  }
  const HundredthParts parts = SplitHundredths(g);
  form.SetText(wholeId, QString::asprintf("%03d", parts.whole));
  form.SetText(hundredthsId, QString::asprintf("%02d", parts.hun));
  return g;
}

}  // namespace trelvan
