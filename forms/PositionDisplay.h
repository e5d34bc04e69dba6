#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "geodesy/Datum.h"
#include "geodesy/Utm.h"
#include "ui/Form.h"

namespace trelvan {

// The ids of one group of geographic fields on a form: hemisphere buttons,
// degrees, minutes, seconds and hundredths of latitude and longitude, the
// altitude sign button and the altitude magnitude.
struct GeographicFields {
  int latHemisphere, latDeg, latMin, latSec, latHun;
  int lonHemisphere, lonDeg, lonMin, lonSec, lonHun;
  int altSign, alt;
};

// The rows of a block of geographic fields in `group`, rows 1 to 4 under a
// row the form keeps for its own controls: the column captions "Deg", "Min",
// "Sec" and "%", then "Lat", "Lon" and "Alt" each with its button and
// fields. The latitude and longitude numbers are of `numberKind` (edits on
// the forms that show them, digits-only fields where they are typed);
// `altitudeUnit` is the id of the label of the altitude's unit.
std::array<ControlSpec, 20> GeographicRows(int group, const GeographicFields& fields,
                                           int altitudeUnit, ControlKind numberKind);

// The ids of the grid fields: easting and northing with their decimetres,
// the grid hemisphere button, the zone and the band letter.
struct GridFields {
  int easting, eastingDm, northing, northingDm, hemisphere, zone, band;
};

// The rows of the grid fields in `group`, rows 5 to 8 under the geographic
// ones: the column captions "m" and "dm", "Easting" and "Northing" with
// their metres and decimetres, then "HSphere", "Zone" and the band. The
// numbers and the zone are of `numberKind`; the band is always shown, never
// typed.
std::array<ControlSpec, 13> GridRows(int group, const GridFields& fields, ControlKind numberKind);

// The texts of one angle's fields: the hemisphere letter, degrees "%03d",
// minutes, seconds and hundredths of a second "%02d".
struct DmsTexts {
  QString hemisphere, deg, min, sec, hun;
};

// The texts ShowGeographic writes into the fields, for a view that lays
// them out otherwise: latitude, longitude, the altitude's sign and its
// magnitude.
struct GeographicTexts {
  DmsTexts lat, lon;
  QString altSign, alt;
};
GeographicTexts GeographicTextsOf(const GeoPoint& q, std::int32_t distanceUnit);

// The texts ShowGrid writes into the fields and the grid position they
// show; false, with every text empty, beyond the grid.
struct GridTexts {
  UtmPoint position;
  QString easting, eastingDm, northing, northingDm, hemisphere, zone, band;
};
bool GridTextsOf(const GeoPoint& q, GridTexts& texts);

// Shows q (already in the display datum) in `fields`: "N"/"S", "E"/"W" and
// "+"/"-" at or above zero, degrees "%03d", minutes, seconds and hundredths
// "%02d", the altitude rounded in metres or feet as `distanceUnit` says,
// "%05ld" (from 2147483647 on, where the rounding saturates, "%.3e").
void ShowGeographic(Form& form, const GeographicFields& fields, const GeoPoint& q,
                    std::int32_t distanceUnit);

// Shows the UTM projection of q in `fields`: "%07ld" metres and "%01d"
// decimetres, the zone in decimal, the band letter, "N"/"S" by latitude.
// Beyond the grid (ToGrid: 80 S..84 N) the fields are cleared as ClearGrid
// clears them, and the result is false.
bool ShowGrid(Form& form, const GridFields& fields, const GeoPoint& q);

// For a record that holds no position: the hemisphere and sign buttons
// show "N", "E" and "+" and every number field of the group is empty.
void ClearGeographic(Form& form, const GeographicFields& fields);
void ClearGrid(Form& form, const GridFields& fields);

// A signed angle in radians shown as a sign button and "%03d"/"%02d" whole
// units and hundredths in the angle unit; returns the magnitude shown, in
// the angle unit.
double ShowSignedAngle(Form& form, int signId, int wholeId, int hundredthsId, double radians,
                       std::int32_t angleUnit);

}  // namespace trelvan
