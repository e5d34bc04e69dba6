#pragma once

#include <functional>

#include "store/WaypointTable.h"
#include "ui/Form.h"
#include "workspace/Workspace.h"

class QSortFilterProxyModel;
class QTableView;

namespace trelvan {

class WaypointTableModel;

// Every waypoint at once, as a desktop table that stays open beside the
// forms: one view of the workspace (WaypointTableModel) that follows each
// change whoever makes it. The view sorts by any column and keeps rows whose
// name holds the filter's text; neither touches the table's order.
//
// Keys on the table: F2 renames the current row's waypoint in place (so
// does a double click on a name), Delete deletes the selected ones after
// asking, Enter makes the current one the base, Ctrl+C copies the selected
// rows as tab-separated text. Ctrl+F goes to the filter, and Enter there
// back to the table. Each action is one change of the workspace.
class WaypointListWindow : public Form {
 public:
  enum Id {
    kFilter = 1001,
    kSetBase = 1002,
    kEdit = 1003,
    kDelete = 1004,
    kCopy = 1005,
    kClose = 1006,
  };

  // `editWaypoint` runs the Waypoints form on the workspace's edit
  // waypoint, as the main form runs it.
  WaypointListWindow(Services& services, Workspace& workspace, std::function<void()> editWaypoint,
                     QWidget* parent = nullptr);

  QTableView* Table() const { return table_; }
  // The records of the selected rows, and of the current row (-1 when there
  // is none or it is not selected).
  RecordSet SelectedRecords() const;
  int CurrentRecord() const;
  // The selected rows as Copy puts them on the clipboard, in the order shown.
  QString SelectedText() const;

 protected:
  void OnPressed(int id) override;
  void OnTextChanged(int id) override;

 private:
  // Asks, then deletes the selected waypoints in one change; the row that
  // takes the first one's place becomes current.
  void DeleteSelected();
  // Starts editing the name of the current row.
  void RenameCurrent();
  void ShowButtonStates();
  // The view's rows that are selected, top to bottom.
  QList<int> SelectedRows() const;

  Workspace& workspace_;
  std::function<void()> editWaypoint_;
  WaypointTableModel* model_;
  QSortFilterProxyModel* proxy_;
  QTableView* table_;
};

}  // namespace trelvan
