#pragma once

#include <QByteArray>
#include <string>

namespace trelvan::exchange {

// The whole of the file at `path` (bytes, as the system takes them), at
// most kMaxImportBytes. False with the reason in `problem`.
bool ReadExchangeFile(const std::string& path, QByteArray& data, std::string& problem);

// Writes `data` over the file at `path` atomically: a temporary file in the
// same folder, synced and renamed over the old one, which stays whole on
// any failure. False on failure.
bool WriteExchangeFile(const std::string& path, const QByteArray& data);

}  // namespace trelvan::exchange
