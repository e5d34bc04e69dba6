#include "exchange/FormulaGuard.h"

namespace trelvan::exchange {

namespace {

constexpr QChar kGuard = u'\'';

// Whether a field beginning with `c` needs the guard in front.
bool Guarded(QChar c) { return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == kGuard; }

}  // namespace

QString GuardFormula(const QString& name) {
  return !name.isEmpty() && Guarded(name.front()) ? kGuard + name : name;
}

QString UnguardFormula(const QString& field) {
  return field.size() > 1 && field.front() == kGuard && Guarded(field[1]) ? field.mid(1) : field;
}

}  // namespace trelvan::exchange
