#pragma once

namespace trelvan {

class Form;
class Workspace;

// The menu's "Import Waypoints..." and "Export Waypoints...": the desktop's
// file dialog (through the services), the exchange rules of
// trelvan-waypoints, and a summary message. The format is the file's
// suffix (.gpx or .csv), else the filter chosen in the dialog.

// Both ask and report over `owner`.

// Imports a GPX or CSV file into the workspace's table: positions are
// stored on the map datum of the settings (a GPX file of ours keeps each
// waypoint's own datum), names already in the table are skipped. The table
// changes once, after the whole file was read, and so is saved once.
void ImportWaypoints(Form& owner, Workspace& workspace);

// Writes the workspace's table to a GPX or CSV file, atomically.
void ExportWaypoints(Form& owner, const Workspace& workspace);

}  // namespace trelvan
