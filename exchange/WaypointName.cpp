#include "exchange/WaypointName.h"

#include <QList>
#include <cstring>

#include "store/CodePage1252.h"

namespace trelvan::exchange {

namespace {

bool IsControlCharacter(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

QString NameText(const Waypoint& waypoint) {
  QString text;
  for (char byte : WaypointName(waypoint)) {
    const char32_t c = DecodeCp1252(static_cast<unsigned char>(byte));
    text.append(QChar(static_cast<char16_t>(c)));
  }
  return text;
}

const char* NameFaultText(NameFault fault) {
  switch (fault) {
    case NameFault::kNone:
      break;
    case NameFault::kTooLong:
      return "the name is longer than 22 characters";
    case NameFault::kOutsideCodePage:
      return "the name holds a character that cannot be stored";
    case NameFault::kControlCharacter:
      return "the name holds a control character";
  }
  return nullptr;
}

NameFault EncodeName(const QString& name, char (&out)[kNameField]) {
  std::memset(out, 0, sizeof out);
  const QList<uint> codes = name.toUcs4();
  if (codes.size() > kMaxNameLength) return NameFault::kTooLong;
  for (qsizetype i = 0; i < codes.size(); ++i) {
    // A zero would end the stored name early.
    if (codes[i] == 0) return NameFault::kControlCharacter;
    unsigned char byte = 0;
    if (!EncodeCp1252(static_cast<char32_t>(codes[i]), byte)) return NameFault::kOutsideCodePage;
    out[i] = static_cast<char>(byte);
  }
  return NameFault::kNone;
}

NameFault NameProblem(const QString& name, char (&out)[kNameField]) {
  // Checked first: most C1 controls are outside the code page as well, and
  // this is the reason that tells what is wrong.
  for (const QChar c : name) {
    if (IsControlCharacter(c.unicode())) {
      std::memset(out, 0, sizeof out);
      return NameFault::kControlCharacter;
    }
  }
  return EncodeName(name, out);
}

QString PrintableName(const QString& text) {
  QString shown;
  for (const QChar c : text) {
    if (IsControlCharacter(c.unicode())) {
      shown += QStringLiteral("\\x") +
               QStringLiteral("%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace trelvan::exchange
