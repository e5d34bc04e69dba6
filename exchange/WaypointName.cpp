#include "exchange/WaypointName.h"

#include <QList>
#include <cstring>

#include "store/CodePage1252.h"

namespace trelvan::exchange {

QString NameText(const Waypoint& waypoint) {
  QString text;
  for (char byte : WaypointName(waypoint)) {
    const char32_t c = DecodeCp1252(static_cast<unsigned char>(byte));
    text.append(QChar(static_cast<char16_t>(c)));
  }
  return text;
}

const char* NameProblem(const QString& name, char (&out)[kNameField]) {
  std::memset(out, 0, sizeof out);
  const QList<uint> codes = name.toUcs4();
  if (codes.size() > kMaxNameLength) return "the name is longer than 22 characters";
  for (qsizetype i = 0; i < codes.size(); ++i) {
    unsigned char byte = 0;
    if (codes[i] == 0 || !EncodeCp1252(static_cast<char32_t>(codes[i]), byte)) {
      return "the name holds a character that cannot be stored";
    }
    out[i] = static_cast<char>(byte);
  }
  return nullptr;
}

}  // namespace trelvan::exchange
