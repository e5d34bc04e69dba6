#include "tools/waypoints/Tool.h"

#include <cmath>
#include <cstdio>

#include "exchange/CsvReader.h"
#include "exchange/CsvWriter.h"
#include "exchange/ExchangeFile.h"
#include "exchange/GpxReader.h"
#include "exchange/GpxWriter.h"
#include "exchange/GridText.h"
#include "exchange/WaypointName.h"
#include "geodesy/Angles.h"
#include "geodesy/Mgrs.h"
#include "geodesy/Utm.h"
#include "store/FolderLock.h"
#include "store/SafeFile.h"
#include "store/WaypointFile.h"
#include "text/Geographic.h"
#include "text/Numbers.h"
#include "tools/waypoints/CommandLine.h"
#include "trelvan/Version.h"

namespace trelvan::waypoints {

namespace {

constexpr char kProgram[] = "trelvan-waypoints: ";
constexpr char kHeldMessage[] = "TRELVAN is running with this data folder; close it first.";
// The latitudes of the UTM grid, degrees.

void AppendLines(std::string& out, const QStringList& lines) {
  for (const QString& line : lines) out += line.toStdString() + "\n";
}

// The table of `folder` for reading only: a missing file is the table the
// program starts with, and nothing is created.
bool ReadTable(const std::string& folder, WaypointTable& table, ToolOutput& io) {
  unsigned char bytes[kWaypointFileSize];
  std::size_t size = 0;
  switch (ReadFileStart(folder.c_str(), kWaypointFileName, bytes, sizeof bytes, size)) {
    case ReadOutcome::kRead:
      DecodeWaypoints(bytes, size, table);
      return true;
    case ReadOutcome::kMissing:
      MakeDefaultTable(table);
      return true;
    case ReadOutcome::kUnreadable:
      break;
  }
  io.err += std::string(kProgram) + "cannot read " + kWaypointFileName + " in " + folder + "\n";
  return false;
}

void AppendListLine(std::string& out, int index, const Waypoint& w) {
  GeoPoint p = w.point;
  p.datum = DatumRowIndex(p.datum);
  char number[12];  // any int, sign and zero byte included
  std::snprintf(number, sizeof number, "%2d", index);
  out += number;
  out += "  ";
  out += exchange::NameText(w).leftJustified(kMaxNameLength).toStdString();
  out += "  ";
  out += FormatDms(p.lat, Axis::kLatitude).view();
  out += "  ";
  out += FormatDms(p.lon, Axis::kLongitude).view();
  out += "  ";
  out += FormatFixed(p.height, 3).view();
  out += " m  ";
  out += DatumName(p.datum);
  out += "  ";
  if (exchange::AppendGridPosition(out, p, ' ')) {
    out += "  ";
    out += MgrsOf(p).text;
  } else {
    out += "- (outside the UTM grid)";
  }
  out += '\n';
}

int List(const std::string& folder, ToolOutput& io) {
  WaypointTable table;
  if (!ReadTable(folder, table, io)) return kStatusIncomplete;
  const int count = CountInUse(table);
  for (int i = 0; i < count; ++i) AppendListLine(io.out, i, table[i]);
  return kStatusDone;
}

int Export(const ToolOptions& options, const std::string& folder, const QDateTime& now,
           ToolOutput& io) {
  WaypointTable table;
  if (!ReadTable(folder, table, io)) return kStatusIncomplete;
  exchange::ExportReport report;
  const QByteArray data = options.format == FileFormat::kGpx
                              ? exchange::WriteGpx(table, now, report)
                              : exchange::WriteCsv(table, report);
  AppendLines(io.err, report.Lines());
  if (options.file.empty()) {
    io.out.append(data.constData(), static_cast<std::size_t>(data.size()));
  } else if (!exchange::WriteExchangeFile(options.file, data)) {
    io.err += std::string(kProgram) + "cannot write " + options.file + "\n";
    return kStatusIncomplete;
  }
  return report.skipped.isEmpty() ? kStatusDone : kStatusIncomplete;
}

int Import(const ToolOptions& options, const std::string& folder, ToolOutput& io) {
  QByteArray data;
  std::string problem;
  if (!exchange::ReadExchangeFile(options.file, data, problem)) {
    io.err += std::string(kProgram) + "cannot read " + options.file + ": " + problem + "\n";
    return kStatusIncomplete;
  }
  EnsureFolder(folder.c_str());
  FolderLock lock;
  switch (lock.Take(folder.c_str())) {
    case FolderLock::Outcome::kTaken:
      break;
    case FolderLock::Outcome::kHeld:
      io.err += std::string(kHeldMessage) + "\n";
      return kStatusIncomplete;
    case FolderLock::Outcome::kFailed:
      io.err += std::string(kProgram) + "cannot lock the data folder " + folder + "\n";
      return kStatusIncomplete;
  }
  WaypointTable table;
  if (LoadWaypoints(folder.c_str(), table) == LoadResult::kCannotCreate) {
    io.err += std::string(kProgram) + "cannot read " + kWaypointFileName + " in " + folder + "\n";
    return kStatusIncomplete;
  }
  const exchange::ImportReport report = options.format == FileFormat::kGpx
                                            ? exchange::ReadGpx(data, options.import, table)
                                            : exchange::ReadCsv(data, options.import, table);
  if (!report.failure.isEmpty()) {
    io.err += std::string(kProgram) + options.file + ": " + report.failure.toStdString() + "\n";
    return kStatusIncomplete;
  }
  AppendLines(io.out, report.Lines());
  io.out += report.Summary().toStdString() + "\n";
  if (report.Changed() && !SaveWaypoints(folder.c_str(), table)) {
    io.err += std::string(kProgram) + "cannot write " + kWaypointFileName + " in " + folder +
              "; the table on disk is unchanged\n";
    return kStatusIncomplete;
  }
  return report.Complete() ? kStatusDone : kStatusIncomplete;
}

}  // namespace

int RunTool(const std::vector<std::string>& args, const std::string& folder, const QDateTime& now,
            ToolOutput& io) {
  ToolOptions options;
  std::string problem;
  if (!ParseToolArguments(args, options, problem)) {
    io.err += std::string(kProgram) + problem + "\n" + UsageText();
    return kStatusUsage;
  }
  switch (options.command) {
    case Command::kHelp:
      io.out += HelpText();
      return kStatusDone;
    case Command::kVersion:
      io.out += std::string("trelvan-waypoints ") + kVersion + "\n";
      return kStatusDone;
    case Command::kList:
      return List(folder, io);
    case Command::kExport:
      return Export(options, folder, now, io);
    case Command::kImport:
      return Import(options, folder, io);
  }
  return kStatusUsage;
}

}  // namespace trelvan::waypoints
