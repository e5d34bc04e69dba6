#include "exchange/ExchangeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "exchange/CsvReader.h"
#include "exchange/CsvWriter.h"
#include "exchange/GpxReader.h"
#include "exchange/GpxWriter.h"
#include "store/SafeFile.h"

namespace trelvan::exchange {

namespace {

bool EndsWithCaseless(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  const std::string_view end = text.substr(text.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    const char c = end[i] >= 'A' && end[i] <= 'Z' ? static_cast<char>(end[i] - 'A' + 'a') : end[i];
    if (c != suffix[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<ExchangeFormat> FormatOfName(std::string_view path) {
  if (EndsWithCaseless(path, ".gpx")) return ExchangeFormat::kGpx;
  if (EndsWithCaseless(path, ".csv")) return ExchangeFormat::kCsv;
  return std::nullopt;
}

bool OpenExchangeFile(const std::string& path, QFile& file, std::string& problem) {
  // Opened by its bytes: a name that is not UTF-8 would not survive a trip
  // through text.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0) {
    problem = std::strerror(errno);
    if (fd >= 0) close(fd);
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    problem = std::strerror(EISDIR);
    close(fd);
    return false;
  }
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    problem = file.errorString().toStdString();
    close(fd);
    return false;
  }
  return true;
}

ImportReport ImportWaypoints(ExchangeFormat format, QIODevice& file, const ImportOptions& options,
                             WaypointTable& table) {
  return format == ExchangeFormat::kGpx ? ReadGpx(file, options, table)
                                        : ReadCsv(file, options, table);
}

QByteArray ExportWaypoints(ExchangeFormat format, const WaypointTable& table, const QDateTime& now,
                           ExportReport& report) {
  return format == ExchangeFormat::kGpx ? WriteGpx(table, now, report) : WriteCsv(table, report);
}

bool WriteExchangeFile(const std::string& path, const QByteArray& data, std::string& problem) {
  const auto size = static_cast<std::size_t>(data.size());
  struct stat st;
  bool written;
  if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
    written = WriteIntoFile(path.c_str(), data.constData(), size);
  } else {
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    written = ReplaceFile(folder.c_str(), name.c_str(), data.constData(), size);
  }
  if (!written) problem = std::strerror(errno);
  return written;
}

}  // namespace trelvan::exchange
