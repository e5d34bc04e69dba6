#pragma once

#include <QIODevice>
#include <QString>

namespace trelvan::exchange {

// The bytes of a file being imported, read from `source` in pieces as a
// reader asks for them, so that no import holds a whole file. Reading
// stops after kMaxImportBytes as it would at a read error; Problem() then
// says which of the two ended it. Opened for reading on construction.
class ImportInput : public QIODevice {
 public:
  explicit ImportInput(QIODevice& source);

  bool isSequential() const override { return true; }
  // Why the input ended before the end of the file, as the failure of an
  // import; empty when it did not.
  QString Problem() const;

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  QIODevice& source_;
  qint64 total_ = 0;
  bool tooLarge_ = false;
  bool failed_ = false;
};

}  // namespace trelvan::exchange
