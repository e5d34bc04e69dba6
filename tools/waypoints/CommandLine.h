#pragma once

#include <string>
#include <vector>

#include "exchange/ExchangeFile.h"
#include "exchange/ImportRules.h"
#include "plan/PlanPicture.h"

// The command line of trelvan-waypoints.

namespace trelvan::waypoints {

enum class Command { kHelp, kVersion, kList, kExport, kImport, kPlot };

// The picture sizes plot takes, pixels a side.
inline constexpr int kMinPictureSide = 16;
inline constexpr int kMaxPictureSide = 8192;

struct ToolOptions {
  Command command = Command::kHelp;
  // From --format, else from the file's suffix.
  exchange::ExchangeFormat format = exchange::ExchangeFormat::kGpx;
  // The file to read or write, bytes as given; empty for standard output.
  std::string file;
  exchange::ImportOptions import;
  // plot: the picture's format (from --format, else the suffix) and size.
  PictureFormat picture = PictureFormat::kSvg;
  int width = 800;
  int height = 600;
};

// Reads the arguments after the program name into `options`. False with
// the reason in `problem` for a command line that is wrong.
bool ParseToolArguments(const std::vector<std::string>& args, ToolOptions& options,
                        std::string& problem);

// The text of --help.
std::string HelpText();

// The short usage that follows a command-line error.
std::string UsageText();

}  // namespace trelvan::waypoints
