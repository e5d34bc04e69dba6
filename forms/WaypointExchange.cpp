#include "forms/WaypointExchange.h"

#include <QFile>
#include <QStringList>
#include <string>

#include "exchange/CsvReader.h"
#include "exchange/CsvWriter.h"
#include "exchange/ExchangeFile.h"
#include "exchange/GpxReader.h"
#include "exchange/GpxWriter.h"
#include "forms/MainForm.h"
#include "forms/Messages.h"

namespace trelvan {

namespace {

// The order of the dialog's filters.
enum Filter { kGpxFilter = 0, kCsvFilter = 1 };

const QStringList kFilters = {QStringLiteral("GPX (*.gpx)"), QStringLiteral("CSV (*.csv)")};

// The skipped rows a summary lists; a file of thousands reports the rest
// as a count.
constexpr qsizetype kListedSkips = 10;

bool IsCsv(const FileChoice& choice) {
  if (choice.path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) return true;
  if (choice.path.endsWith(QStringLiteral(".gpx"), Qt::CaseInsensitive)) return false;
  return choice.filter == kCsvFilter;
}

// `lines` after `head`, at most kListedSkips of them.
QString Summary(const char* head, const QString& counts, const QStringList& lines) {
  QString text = QString::fromUtf8(head) + u'\n' + counts;
  for (qsizetype i = 0; i < lines.size() && i < kListedSkips; ++i) text += u'\n' + lines[i];
  if (lines.size() > kListedSkips) {
    text += u'\n' + QString::fromUtf8(messages::kMoreSkipped).arg(lines.size() - kListedSkips);
  }
  return text;
}

}  // namespace

void ImportWaypoints(MainForm& main) {
  const FileChoice choice =
      main.ChooseFile(FileRequest{false, QString::fromUtf8(messages::kImportTitle), kFilters});
  if (choice.path.isEmpty()) return;
  QByteArray data;
  std::string problem;
  if (!exchange::ReadExchangeFile(QFile::encodeName(choice.path).toStdString(), data, problem)) {
    main.ShowMessage(QString::fromUtf8(messages::kImportFailed) + u'\n' +
                     QString::fromStdString(problem));
    return;
  }
  exchange::ImportOptions options;
  const std::int32_t datum = main.settings.datumIndex;
  options.datum = datum >= 0 && datum < kDatumCount ? static_cast<std::uint16_t>(datum) : 0;
  WaypointTable table = main.waypoints;
  const exchange::ImportReport report = IsCsv(choice) ? exchange::ReadCsv(data, options, table)
                                                      : exchange::ReadGpx(data, options, table);
  if (!report.failure.isEmpty()) {
    main.ShowMessage(QString::fromUtf8(messages::kImportFailed) + u'\n' + report.failure);
    return;
  }
  if (report.Changed()) {
    main.waypoints = table;
    main.SaveChanges();
    main.RefreshBase();
  }
  const QStringList lines = report.Lines();
  QStringList skips;
  for (qsizetype i = 0; i < report.entries.size(); ++i) {
    if (report.entries[i].outcome == exchange::Outcome::kSkipped) skips.append(lines[i]);
  }
  main.ShowMessage(Summary(messages::kImportSummary, report.Summary(), skips));
}

void ExportWaypoints(MainForm& main) {
  const FileChoice choice =
      main.ChooseFile(FileRequest{true, QString::fromUtf8(messages::kExportTitle), kFilters});
  if (choice.path.isEmpty()) return;
  exchange::ExportReport report;
  const QByteArray data = IsCsv(choice) ? exchange::WriteCsv(main.waypoints, report)
                                        : exchange::WriteGpx(main.waypoints, main.Now(), report);
  if (!exchange::WriteExchangeFile(QFile::encodeName(choice.path).toStdString(), data)) {
    main.ShowMessage(QString::fromUtf8(messages::kCannotWriteFile));
    return;
  }
  main.ShowMessage(Summary(
      messages::kExportSummary,
      QStringLiteral("%1 written, %2 skipped.").arg(report.written).arg(report.skipped.size()),
      report.Lines()));
}

}  // namespace trelvan
