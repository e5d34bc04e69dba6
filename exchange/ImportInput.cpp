#include "exchange/ImportInput.h"

#include "exchange/ImportRules.h"

namespace trelvan::exchange {

ImportInput::ImportInput(QIODevice& source) : source_(source) {
  // Unbuffered: each piece a reader asks for comes straight from the file.
  open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

QString ImportInput::Problem() const {
  if (tooLarge_) {
    return QStringLiteral("The file is larger than %1 MiB; nothing was imported.")
        .arg(kMaxImportMiB);
  }
  if (failed_) {
    return QStringLiteral("The file cannot be read (%1); nothing was imported.")
        .arg(source_.errorString());
  }
  return QString();
}

qint64 ImportInput::readData(char* data, qint64 maxSize) {
  if (tooLarge_ || failed_) return -1;
  const qint64 n = source_.read(data, maxSize);
  if (n < 0) {
    failed_ = true;
    return -1;
  }
  total_ += n;
  if (total_ > kMaxImportBytes) {
    tooLarge_ = true;
    return -1;
  }
  return n;
}

}  // namespace trelvan::exchange
