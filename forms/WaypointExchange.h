#pragma once

namespace trelvan {

class MainForm;

// The menu's "Import Waypoints..." and "Export Waypoints...": the desktop's
// file dialog (through the services), the exchange rules of
// trelvan-waypoints, and a summary message. The format is the file's
// suffix (.gpx or .csv), else the filter chosen in the dialog.

// Imports a GPX or CSV file into the main form's table: positions are
// stored on the map datum of the settings (a GPX file of ours keeps each
// waypoint's own datum), names already in the table are skipped. The table
// is saved once, after the whole file was read; the main form's list and
// base display are rebuilt.
void ImportWaypoints(MainForm& main);

// Writes the main form's table to a GPX or CSV file, atomically.
void ExportWaypoints(MainForm& main);

}  // namespace trelvan
