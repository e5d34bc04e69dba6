#pragma once

#include <QString>
#include <initializer_list>

#include "forms/PositionDisplay.h"
#include "geodesy/Datum.h"
#include "geometry/Polar.h"
#include "ui/Form.h"
#include "workspace/Workspace.h"

namespace trelvan {

// The ids of a typed polar measurement: the azimuth reference button, the
// azimuth, elevation and range pairs of whole units and hundredths, and the
// elevation sign button.
struct PolarEntryFields {
  int reference;
  int azimuthWhole, azimuthHundredths;
  int elevationSign;
  int elevationWhole, elevationHundredths;
  int rangeWhole, rangeHundredths;
};

// What the task forms (Forward 3D, Back Polar Plot, Inverse 3D, Polar
// result, Resection 3D) share: entry pairs of whole units and hundredths,
// the sign and azimuth reference buttons, the range checks of the
// whole-units fields, the display of a stored position and the storing of a
// computed one, all over the workspace.
class TaskForm : public Form {
 protected:
  TaskForm(Services& services, Workspace& workspace, const QString& title, QWidget* parent);

  // whole + hundredths * 0.01 from a pair of digits fields (empty reads 0).
  double ReadEntry(int wholeId, int hundredthsId) const;
  // ReadEntry, multiplied by -1.0 when the sign button reads "-".
  double ReadSignedEntry(int wholeId, int hundredthsId, int signId) const;
  // Sets every whole-units field to "0" and every hundredths field to "00".
  void ResetEntries(std::initializer_list<int> wholeIds, std::initializer_list<int> hundredthIds);
  // "+" becomes "-", anything else "+".
  void ToggleSign(int buttonId);
  // "TRUE" -> "GRID" -> "MAG" -> "TRUE"; any other caption stays.
  void CycleReference(int buttonId);
  // Range checks run on a change of a whole-units field: when the value is
  // out of range the message is shown and the field emptied.
  void CheckAzimuthField(int id);
  void CheckElevationField(int id);
  // Sets the unit labels that exist on the form (0 for none): altitude "m"
  // or "ft", angle "Deg" or "mils", distance "m", "km", ... A distance code
  // outside 0..5 leaves the altitude and distance labels as they are.
  void ShowUnitLabels(int altitudeLabel, int angleLabel, int distanceLabel);
  // Shows p converted into the map datum in a group of geographic fields;
  // a damaged record (HoldsPosition false) leaves them empty.
  void ShowPosition(const GeographicFields& fields, const GeoPoint& p);
  // The declinations at p, on the clock's date.
  Declinations DeclinationsAt(const GeoPoint& p) const;
  // False, after "Grid north is not defined beyond 84 N and 80 S.", when
  // the reference button `referenceId` shows "GRID" and the grid
  // convergence of `at` is not defined.
  bool GridNorthDefined(int referenceId, const Declinations& at);
  // The measurement typed in `fields` into v, taken in this order: azimuth
  // and signed elevation in the angle unit, the range converted to metres,
  // both angles to radians, and the azimuth referred to true north by the
  // reference button with the declinations `at` (DeclinationsAt of the
  // point the task refers at). False (GridNorthDefined) for grid north
  // beyond the grid; v is then untouched.
  bool ReadPolarAt(const PolarEntryFields& fields, const Declinations& at, PolarVector& v);
  // The reference button `id` shows, as ReferenceOf gives it.
  std::string_view ReferenceShown(int id) const;
  // The record selected in list `id`: -1 when the list has no selection or
  // the selection lies outside the records in use.
  int SelectedRecord(int id) const;
  // The position of record `record` into p. A damaged one shows "The
  // waypoint holds no valid position." and gives false: no task computes
  // with it.
  bool PositionOf(int record, GeoPoint& p);
  // Stores p as a new waypoint "WP #" n in the first free record, made the
  // edit waypoint (Workspace::StoreResult), and runs the Waypoints form on
  // it. Returns false (with a message, storing nothing) when all 50 records
  // are in use.
  bool StoreResult(const GeoPoint& p);
  // Rebuilds list `id` from the table and selects the first entry named
  // `name`, or entry 0 when none is; returns the selection.
  int RefillAndSelect(int id, const QString& name);

  const AppSettings& Settings() const { return workspace_.Settings(); }

  Workspace& workspace_;
};

}  // namespace trelvan
