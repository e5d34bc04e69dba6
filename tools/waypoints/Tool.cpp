#include "tools/waypoints/Tool.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "app/programs/Program.h"
#include "exchange/ExchangeFile.h"
#include "exchange/GridText.h"
#include "exchange/WaypointName.h"
#include "geodesy/Mgrs.h"
#include "plan/Plan.h"
#include "plan/PlanPicture.h"
#include "plan/PlanView.h"
#include "store/FolderLock.h"
#include "store/SafeFile.h"
#include "store/Settings.h"
#include "store/StoreMessages.h"
#include "store/WaypointFile.h"
#include "text/Geographic.h"
#include "text/Numbers.h"
#include "tools/waypoints/CommandLine.h"

namespace trelvan::waypoints {

namespace {

constexpr char kProgram[] = "trelvan-waypoints: ";

void AppendLines(std::string& out, const QStringList& lines) {
  for (const QString& line : lines) out += line.toStdString() + "\n";
}

// Says why the data folder `folder` was not taken, and returns the exit
// status for it.
int Refuse(FolderLock::Outcome outcome, const FolderLock& lock, const std::string& folder,
           ToolOutput& io) {
  switch (outcome) {
    case FolderLock::Outcome::kTaken:
      break;
    case FolderLock::Outcome::kHeldByProgram:
      io.err += std::string(messages::kToolHeldByProgram) + "\n";
      return kStatusHeld;
    case FolderLock::Outcome::kHeldByTool:
      io.err += std::string(messages::kToolHeldByTool) + "\n";
      return kStatusHeld;
    case FolderLock::Outcome::kHeldByOther:
      io.err += std::string(messages::kToolHeldByOther) + "\n";
      return kStatusHeld;
    case FolderLock::Outcome::kFailed:
      io.err += std::string(kProgram) + messages::kToolCannotLockFolder + folder + ": " +
                std::strerror(lock.Error()) + "\n";
      break;
  }
  return kStatusIncomplete;
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
  out += exchange::PrintableName(exchange::NameText(w)).leftJustified(kMaxNameLength).toStdString();
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
  const QByteArray data = exchange::ExportWaypoints(options.format, table, now, report);
  AppendLines(io.err, report.Lines());
  std::string problem;
  if (options.file.empty()) {
    io.out.append(data.constData(), static_cast<std::size_t>(data.size()));
  } else if (!exchange::WriteExchangeFile(options.file, data, problem)) {
    io.err += std::string(kProgram) + "cannot write " + options.file + ": " + problem + "\n";
    return kStatusIncomplete;
  }
  return report.skipped.isEmpty() ? kStatusDone : kStatusIncomplete;
}

int Import(const ToolOptions& options, const std::string& folder, ToolOutput& io) {
  QFile file;
  std::string problem;
  if (!exchange::OpenExchangeFile(options.file, file, problem)) {
    io.err += std::string(kProgram) + "cannot read " + options.file + ": " + problem + "\n";
    return kStatusIncomplete;
  }
  // The folder is held from before its table is read until the table is
  // saved. A folder that does not exist yet is made only once the file has
  // imported: a file that is not GPX or CSV leaves no trace.
  FolderLock lock;
  const FolderLock::Outcome outcome = lock.Take(folder.c_str(), LockHolder::kTool);
  const bool missing = outcome == FolderLock::Outcome::kFailed && lock.Error() == ENOENT;
  if (!missing && outcome != FolderLock::Outcome::kTaken) {
    return Refuse(outcome, lock, folder, io);
  }
  WaypointTable table;
  if (!ReadTable(folder, table, io)) return kStatusIncomplete;
  const exchange::ImportReport report =
      exchange::ImportWaypoints(options.format, file, options.import, table);
  if (!report.failure.isEmpty()) {
    io.err += std::string(kProgram) + options.file + ": " + report.failure.toStdString() + "\n";
    return kStatusIncomplete;
  }
  if (missing && report.Changed()) {
    if (!EnsureFolder(folder.c_str())) {
      io.err += std::string(kProgram) + messages::kToolCannotMakeFolder + folder + ": " +
                std::strerror(errno) + "\n";
      return kStatusIncomplete;
    }
    if (const FolderLock::Outcome taken = lock.Take(folder.c_str(), LockHolder::kTool);
        taken != FolderLock::Outcome::kTaken) {
      return Refuse(taken, lock, folder, io);
    }
    // Another program made the folder and its table while the file was
    // read: that table is not written over.
    unsigned char probe[1];
    std::size_t size = 0;
    if (ReadFileStart(folder.c_str(), kWaypointFileName, probe, sizeof probe, size) !=
        ReadOutcome::kMissing) {
      io.err += std::string(kProgram) + "the data folder " + folder +
                " was made while the file was read; nothing was imported, run the import "
                "again\n";
      return kStatusHeld;
    }
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

// Text is painted through a GUI application, and plot needs no display: one
// on the offscreen platform, unless the user chose a platform, for as long
// as the command runs. The other commands run without any.
class PaintingSession {
 public:
  PaintingSession() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_.emplace(argc_, argv_);
  }

 private:
  char name_[sizeof "trelvan-waypoints"] = "trelvan-waypoints";
  char* argv_[2] = {name_, nullptr};
  int argc_ = 1;
  std::optional<QGuiApplication> app_;
};

// The plan of the folder's waypoints around its base, fitted to the
// picture, written to FILE. Only reads the data folder, as list does.
int Plot(const ToolOptions& options, const std::string& folder, const QDateTime& now,
         ToolOutput& io) {
  WaypointTable table;
  if (!ReadTable(folder, table, io)) return kStatusIncomplete;
  AppSettings settings;
  if (ReadSettings(folder.c_str(), settings) == ReadOutcome::kUnreadable) {
    io.err += std::string(kProgram) + "cannot read " + kSettingsFileName + " in " + folder + "\n";
    return kStatusIncomplete;
  }
  const PaintingSession session;
  const Plan plan = MakePlan(settings, table, TaskResult{}, now);
  const QSize size(options.width, options.height);
  const QByteArray data =
      RenderPlanPicture(plan, FitPlan(plan, QSizeF(size)), size, options.picture);
  std::string problem;
  if (!exchange::WriteExchangeFile(options.file, data, problem)) {
    io.err += std::string(kProgram) + "cannot write " + options.file + ": " + problem + "\n";
    return kStatusIncomplete;
  }
  return kStatusDone;
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
      io.out += program::VersionLine(kToolName);
      return kStatusDone;
    case Command::kList:
      return List(folder, io);
    case Command::kExport:
      return Export(options, folder, now, io);
    case Command::kImport:
      return Import(options, folder, io);
    case Command::kPlot:
      return Plot(options, folder, now, io);
  }
  return kStatusUsage;
}

}  // namespace trelvan::waypoints
