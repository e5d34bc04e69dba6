#include "exchange/ExchangeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "exchange/ImportRules.h"
#include "store/SafeFile.h"

namespace trelvan::exchange {

bool ReadExchangeFile(const std::string& path, QByteArray& data, std::string& problem) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    problem = std::strerror(errno);
    return false;
  }
  char block[65536];
  std::size_t n = 0;
  bool tooLarge = false;
  while ((n = std::fread(block, 1, sizeof block, f)) > 0) {
    data.append(block, static_cast<qsizetype>(n));
    if (data.size() > kMaxImportBytes) {
      tooLarge = true;
      break;
    }
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (tooLarge) problem = "the file is larger than 256 MiB";
  if (failed) problem = "a read failed";
  return !tooLarge && !failed;
}

bool WriteExchangeFile(const std::string& path, const QByteArray& data) {
  const std::size_t slash = path.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : (slash == 0 ? "/" : path.substr(0, slash));
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return !name.empty() && ReplaceFile(folder.c_str(), name.c_str(), data.constData(),
                                      static_cast<std::size_t>(data.size()));
}

}  // namespace trelvan::exchange
