#include "forms/WaypointExchange.h"

#include <QFile>
#include <QStringList>
#include <string>

#include "exchange/ExchangeFile.h"
#include "forms/Messages.h"
#include "ui/Form.h"
#include "workspace/Workspace.h"

namespace trelvan {

namespace {

// The order of the dialog's filters.
enum Filter { kGpxFilter = 0, kCsvFilter = 1 };

const QStringList kFilters = {QStringLiteral("GPX (*.gpx)"), QStringLiteral("CSV (*.csv)")};

// The lines a summary shows; every line of the report is behind "Show
// Details...", so that a file of thousands never makes the message taller
// than the screen.
constexpr qsizetype kShownLines = 10;

// The file's suffix, else the filter chosen in the dialog.
exchange::ExchangeFormat FormatOf(const std::string& path, const FileChoice& choice) {
  if (const auto format = exchange::FormatOfName(path)) return *format;
  return choice.filter == kCsvFilter ? exchange::ExchangeFormat::kCsv
                                     : exchange::ExchangeFormat::kGpx;
}

// Shows `head`, `counts` and the first of `lines`, then how many of the
// `hidden` rows they leave out; all of `details` behind the button.
void ShowSummary(Form& owner, const char* head, const QString& counts, const QStringList& lines,
                 qint64 hidden, const QStringList& details) {
  QString text = QString::fromUtf8(head) + u'\n' + counts;
  for (const QString& line : lines.first(qMin(lines.size(), kShownLines))) text += u'\n' + line;
  if (hidden > 0) text += u'\n' + QString::fromUtf8(messages::kMoreSkipped).arg(hidden);
  owner.ShowMessage(text, details.join(u'\n'));
}

}  // namespace

void ImportWaypoints(Form& owner, Workspace& workspace) {
  const FileChoice choice =
      owner.ChooseFile(FileRequest{false, QString::fromUtf8(messages::kImportTitle), kFilters});
  if (choice.path.isEmpty()) return;
  const std::string path = QFile::encodeName(choice.path).toStdString();
  QFile file;
  std::string problem;
  if (!exchange::OpenExchangeFile(path, file, problem)) {
    owner.ShowMessage(QString::fromUtf8(messages::kImportFailed) + u'\n' +
                      QString::fromStdString(problem));
    return;
  }
  exchange::ImportOptions options;
  const std::int32_t datum = workspace.Settings().datumIndex;
  options.datum = datum >= 0 && datum < kDatumCount ? static_cast<std::uint16_t>(datum) : 0;
  WaypointTable table = workspace.Waypoints();
  const exchange::ImportReport report =
      exchange::ImportWaypoints(FormatOf(path, choice), file, options, table);
  if (!report.failure.isEmpty()) {
    owner.ShowMessage(QString::fromUtf8(messages::kImportFailed) + u'\n' + report.failure);
    return;
  }
  if (report.Changed()) workspace.ReplaceWaypoints(table);
  // The message shows the rows that were skipped or stored otherwise than
  // the file gives them; the report's lines come in the order of its
  // entries.
  const QStringList lines = report.Lines();
  QStringList noted;
  qint64 shownSkips = 0;
  for (qsizetype i = 0; i < report.Entries().size(); ++i) {
    const exchange::ImportEntry& entry = report.Entries()[i];
    if (entry.reason.isEmpty() || noted.size() == kShownLines) continue;
    noted.append(lines[i]);
    if (entry.outcome == exchange::Outcome::kSkipped) shownSkips += entry.rows;
  }
  ShowSummary(owner, messages::kImportSummary, report.Summary(), noted,
              report.Count(exchange::Outcome::kSkipped) - shownSkips, lines);
}

void ExportWaypoints(Form& owner, const Workspace& workspace) {
  const FileChoice choice =
      owner.ChooseFile(FileRequest{true, QString::fromUtf8(messages::kExportTitle), kFilters});
  if (choice.path.isEmpty()) return;
  const std::string path = QFile::encodeName(choice.path).toStdString();
  exchange::ExportReport report;
  const QByteArray data =
      exchange::ExportWaypoints(FormatOf(path, choice), workspace.Waypoints(), owner.Now(), report);
  std::string problem;
  if (!exchange::WriteExchangeFile(path, data, problem)) {
    owner.ShowMessage(QString::fromUtf8(messages::kCannotWriteFile) + u'\n' +
                      QString::fromStdString(problem));
    return;
  }
  const QStringList lines = report.Lines();
  ShowSummary(
      owner, messages::kExportSummary,
      QStringLiteral("%1 written, %2 skipped.").arg(report.written).arg(report.skipped.size()),
      lines, lines.size() - qMin(lines.size(), kShownLines), lines);
}

}  // namespace trelvan
