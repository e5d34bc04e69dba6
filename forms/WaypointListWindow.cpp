#include "forms/WaypointListWindow.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "forms/Messages.h"
#include "forms/WaypointTableModel.h"

namespace trelvan {

namespace {

using M = WaypointTableModel;

// Edits a name in a field that takes no more characters than a name holds,
// as the Waypoints form's selector does.
class NameDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) edit->setMaxLength(kMaxNameLength);
    return editor;
  }
};

}  // namespace

WaypointListWindow::WaypointListWindow(Services& services, Workspace& workspace,
                                       std::function<void()> editWaypoint, QWidget* parent)
    : Form(services, QStringLiteral("Waypoint List"), parent),
      workspace_(workspace),
      editWaypoint_(std::move(editWaypoint)),
      model_(new WaypointTableModel(workspace, this)),
      proxy_(new QSortFilterProxyModel(this)),
      table_(new QTableView(this)) {
  setModal(false);
  setSizeGripEnabled(true);
  using K = ControlKind;
  const int find = AddGroup(QString());
  AddControls({
      {0, K::kCaption, "Filter:", find, 0, 0},
      {kFilter, K::kEdit, "", find, 0, 1},
  });
  auto* filter = qobject_cast<QLineEdit*>(Control(kFilter));
  filter->setPlaceholderText(QStringLiteral("Part of a name"));
  filter->setClearButtonEnabled(true);
  FitWidth(kFilter, QString(kMaxNameLength, u'W'));
  GroupGrid(find)->setColumnStretch(2, 1);
  FormLayout()->addWidget(table_, 1);
  const int commands = AddGroup(QString());
  AddControls({
      {kSetBase, K::kButton, "Set as &Base", commands, 0, 0},
      {kEdit, K::kButton, "&Edit...", commands, 0, 1},
      {kDelete, K::kButton, "&Delete", commands, 0, 2},
      {kCopy, K::kButton, "&Copy", commands, 0, 3},
      {kClose, K::kButton, "Close", commands, 0, 5},
  });
  GroupGrid(commands)->setColumnStretch(4, 1);

  proxy_->setSourceModel(model_);
  proxy_->setSortRole(M::kSortRole);
  proxy_->setSortCaseSensitivity(Qt::CaseInsensitive);
  proxy_->setFilterKeyColumn(M::kName);
  proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);

  table_->setModel(proxy_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked);
  table_->setItemDelegateForColumn(M::kName, new NameDelegate(table_));
  table_->setSortingEnabled(true);
  table_->sortByColumn(M::kNumber, Qt::AscendingOrder);
  table_->setWordWrap(false);
  table_->setCornerButtonEnabled(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // The window opens as wide as every column, within the screen.
  table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

  // The table's keys act while it has the focus, so that the filter keeps
  // its own Delete, Enter and Ctrl+C.
  const auto onTable = [this](std::initializer_list<QKeySequence> keys, auto action) {
    auto* shortcut = new QShortcut(table_);
    shortcut->setKeys(QList<QKeySequence>(keys));
    shortcut->setContext(Qt::WidgetShortcut);
    connect(shortcut, &QShortcut::activated, this, action);
  };
  onTable({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, [this] { Press(kSetBase); });
  onTable({QKeySequence::Delete}, [this] { Press(kDelete); });
  onTable({QKeySequence::Copy}, [this] { Press(kCopy); });
  onTable({QKeySequence(Qt::Key_F2)}, [this] { RenameCurrent(); });
  auto* findKey = new QShortcut(QKeySequence::Find, this);
  connect(findKey, &QShortcut::activated, this, [filter] {
    filter->setFocus(Qt::ShortcutFocusReason);
    filter->selectAll();
  });
  connect(filter, &QLineEdit::returnPressed, this, [this] {
    table_->setFocus(Qt::OtherFocusReason);
    if (!table_->selectionModel()->hasSelection() && proxy_->rowCount() > 0) table_->selectRow(0);
  });

  // A refusal is said once the editor has closed: a message over an open
  // editor would take its focus and have it commit the name again.
  connect(
      model_, &WaypointTableModel::Refused, this,
      [this](const QString& message) { ShowMessage(message); }, Qt::QueuedConnection);
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &WaypointListWindow::ShowButtonStates);
  connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &WaypointListWindow::ShowButtonStates);
  connect(proxy_, &QAbstractItemModel::modelReset, this, &WaypointListWindow::ShowButtonStates);
  ShowButtonStates();
  // The list opens on the base, so that the keys act at once.
  const int base = RecordIndex(workspace_.Settings().baseWaypoint);
  if (base < model_->rowCount()) {
    table_->selectRow(proxy_->mapFromSource(model_->index(base, 0)).row());
  }
  table_->setFocus(Qt::OtherFocusReason);
}

QList<int> WaypointListWindow::SelectedRows() const {
  QList<int> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) rows << index.row();
  std::sort(rows.begin(), rows.end());
  return rows;
}

RecordSet WaypointListWindow::SelectedRecords() const {
  RecordSet records;
  for (int row : SelectedRows()) {
    records.set(static_cast<std::size_t>(proxy_->mapToSource(proxy_->index(row, 0)).row()));
  }
  return records;
}

int WaypointListWindow::CurrentRecord() const {
  const QModelIndex current = table_->currentIndex();
  if (!current.isValid() || !table_->selectionModel()->isRowSelected(current.row())) return -1;
  return proxy_->mapToSource(current).row();
}

QString WaypointListWindow::SelectedText() const {
  return TabSeparatedRows(*proxy_, SelectedRows());
}

void WaypointListWindow::OnPressed(int id) {
  const int record = CurrentRecord();
  switch (id) {
    case kSetBase:
      if (record >= 0) workspace_.SetBase(record);
      break;
    case kEdit:
      if (record < 0) break;
      workspace_.SetEditWaypoint(record);
      editWaypoint_();
      break;
    case kDelete:
      DeleteSelected();
      break;
    case kCopy:
      QGuiApplication::clipboard()->setText(SelectedText());
      break;
    case kClose:
      End(0);
      break;
    default:
      break;
  }
}

void WaypointListWindow::OnTextChanged(int id) {
  if (id == kFilter) proxy_->setFilterFixedString(Text(kFilter));
}

void WaypointListWindow::DeleteSelected() {
  const QList<int> rows = SelectedRows();
  if (rows.isEmpty()) return;
  const QString question = rows.size() == 1
                               ? QString::fromUtf8(messages::kDeleteWaypoint)
                                     .arg(proxy_->index(rows.front(), M::kName).data().toString())
                               : QString::fromUtf8(messages::kDeleteWaypoints).arg(rows.size());
  if (!Ask(question)) return;
  workspace_.DeleteWaypoints(SelectedRecords());
  // The row that now holds the first deleted one's place carries on, so
  // that Delete can be pressed again.
  if (const int count = proxy_->rowCount(); count > 0) {
    table_->selectRow(std::min(rows.front(), count - 1));
  }
}

void WaypointListWindow::RenameCurrent() {
  const QModelIndex current = table_->currentIndex();
  if (current.isValid()) table_->edit(proxy_->index(current.row(), M::kName));
}

void WaypointListWindow::ShowButtonStates() {
  const bool one = CurrentRecord() >= 0;
  const bool any = table_->selectionModel()->hasSelection();
  Control(kSetBase)->setEnabled(one);
  Control(kEdit)->setEnabled(one);
  Control(kDelete)->setEnabled(any);
  Control(kCopy)->setEnabled(any);
}

}  // namespace trelvan
