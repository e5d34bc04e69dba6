#pragma once

#include <QString>

namespace trelvan::exchange {

// Spreadsheets run a CSV field that begins with =, +, - or @ as a formula
// (=1+2, @SUM(A1)). An exported name that begins so is written behind an
// apostrophe, which spreadsheets take as "this is text" and do not show,
// and an import takes exactly that apostrophe off again. A name that
// itself begins with an apostrophe gets one more in front, so that every
// name survives the round trip.

// `name` as a CSV export writes it.
QString GuardFormula(const QString& name);

// The name a CSV field written by GuardFormula stands for.
QString UnguardFormula(const QString& field);

}  // namespace trelvan::exchange
