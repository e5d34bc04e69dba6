#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QVariant>
#include <array>

#include "workspace/Workspace.h"

namespace trelvan {

// The workspace's waypoints as a table for item views: row i is record i of
// the run, in the order of the file, and each column one way of showing it.
// Positions are shown on the map datum as the forms show them, the altitude
// in the altitude unit, distance and azimuth from the base (slant range and
// azimuth from true north, InversePolar) in the display units; a record
// that holds no position, or a value beyond the grid, shows an empty cell.
// The base's row is bold.
//
// Each cell's kSortRole orders its column by what it means rather than by
// its text: numbers as numbers, an empty cell after every value. Sorting
// belongs to a proxy; the table's order is never changed here.
//
// The name is the one cell that can be edited: a new name goes to the
// workspace (RenameWaypoint) and a refusal is said through Refused. The
// model follows every change of the workspace, whoever made it.
class WaypointTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column {
    kNumber,
    kName,
    kLatitude,
    kLongitude,
    kAltitude,
    kZone,
    kEasting,
    kNorthing,
    kMgrs,
    kDatum,
    kDistance,
    kAzimuth,
    kColumnCount,
  };
  static constexpr int kSortRole = Qt::UserRole;

  explicit WaypointTableModel(Workspace& workspace, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Renames the row's waypoint to value's text; the name it already has
  // changes nothing.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 signals:
  // A rename was refused, with the message that says why.
  void Refused(const QString& message);

 private:
  struct Row {
    QString name;  // the stored name as it is, for editing
    std::array<QString, kColumnCount> texts;
    std::array<QVariant, kColumnCount> keys;
  };

  // Rebuilds the rows after a change that shows in them.
  void Follow(Workspace::Parts parts);
  QList<Row> BuildRows() const;

  Workspace& workspace_;
  QList<Row> rows_;
};

// The rows `rows` of `model`, in that order, as tab-separated text for a
// spreadsheet: a line of the column captions, then a line for each row,
// every line ended by a newline.
QString TabSeparatedRows(const QAbstractItemModel& model, const QList<int>& rows);

}  // namespace trelvan
