#pragma once

#include <cstdint>

#include "geodesy/Datum.h"
#include "geodesy/Utm.h"
#include "ui/Form.h"
#include "workspace/Workspace.h"

namespace trelvan {

// The store of named positions. Shows any waypoint in geographic and UTM
// form (in the map datum and altitude unit of the settings), takes a
// position typed either as latitude and longitude or as UTM, converts
// between the two, saves it under the name in the selector's text and
// deletes one or all waypoints. It asks before it replaces the position of
// a waypoint other than the one it shows, and before every deletion. Each
// change goes to the workspace at once, which saves it and shows it in the
// other views. A damaged record shows empty position fields.
//
// Where the table gives no record to work on (an empty table, no selection,
// an edit index beyond the run), the form never reads outside the 50
// records: it selects nothing and shows the bytes of the record the index
// names, as the main form does for its base.
class WaypointsForm : public Form {
 public:
  enum Id {
    kWaypointList = 1000,
    kSave = 1005,
    kLatHemisphere = 1006,
    kLatDeg = 1004,
    kLatMin = 1013,
    kLatSec = 1014,
    kLatHun = 1026,
    kLonHemisphere = 1018,
    kLonDeg = 1015,
    kLonMin = 1016,
    kLonSec = 1017,
    kLonHun = 1027,
    kAltSign = 1020,
    kAlt = 1019,
    kAltUnit = 1028,
    kEasting = 1007,
    kEastingDm = 1024,
    kNorthing = 1008,
    kNorthingDm = 1025,
    kGridHemisphere = 1023,
    kZone = 1021,
    kBand = 1022,
    kLatLonMode = 1009,
    kUtmMode = 1010,
    kDeleteOne = 1011,
    kDeleteAll = 1012,
    kConvert = 1030,
    kMgrs = 1031,
  };

  // Input modes as stored in the settings.
  static constexpr std::int32_t kModeLatLon = 0;
  static constexpr std::int32_t kModeUtm = 1;

  WaypointsForm(Services& services, Workspace& workspace, QWidget* parent = nullptr);

  // Shows p (any datum) converted into the map datum: hemisphere and sign
  // buttons, degrees, minutes, seconds and hundredths, the altitude in
  // metres or feet, the UTM easting, northing, zone and band, and the MGRS
  // reference to 1 m (empty beyond 80 S..84 N). Every field is rewritten,
  // editable or not.
  void ShowWaypoint(const GeoPoint& p);

  // The position typed in the fields of the current input mode, in the map
  // datum: radians north and east positive, height in metres. A grid
  // position is read by FromGrid (geodesy/GridDomain.h), the band letter
  // standing for the hemisphere only; one it refuses gives NaN latitude and
  // longitude (Convert and Save refuse it first, GridRefused).
  GeoPoint ReadPosition() const;

 protected:
  void OnOpen() override;
  void OnPressed(int id) override;
  void OnSelectionChanged(int id) override;
  void OnTextChanged(int id) override;

 private:
  // Checks the radio button of the input mode and makes the fields of that
  // mode editable and those of the other read-only.
  void ShowInputMode(std::int32_t mode);
  // A field read as a whole number (empty is 0).
  double Field(int id) const;
  // The altitude typed, signed, in metres.
  double TypedHeight() const;
  // The grid position typed in UTM mode, on the map datum.
  UtmPoint TypedGrid() const;
  // True, after a message, when a grid position is to be read in UTM mode
  // and FromGrid refuses it: the zone field's message for zone 0 ("0" or
  // emptied), "The grid position lies outside its zone." for any other.
  // Nothing is converted or stored then.
  bool GridRefused();
  // Empties the position fields: there is no position to show.
  void ShowNoPosition();
  void Save();
  void DeleteOne();
  void DeleteEverything();
  // Presses of a two-state button: `first` becomes `second`, anything else
  // `first`.
  void Toggle(int id, const char* first, const char* second);

  const AppSettings& Settings() const { return workspace_.Settings(); }

  Workspace& workspace_;
};

}  // namespace trelvan
