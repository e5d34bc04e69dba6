#include "forms/WaypointList.h"

#include "forms/Messages.h"

namespace trelvan {

void FillWaypointList(Form& form, int id, const WaypointTable& table) {
  form.ListClear(id);
  const int count = CountInUse(table);
  for (int i = 0; i < count; ++i) form.ListAppend(id, exchange::NameText(table[i]));
}

int FindListEntry(const Form& form, int id, const QString& name) {
  for (int i = 0; i < form.ListCount(id); ++i) {
    if (form.ListText(id, i) == name) return i;
  }
  return -1;
}

QString NameFaultMessage(exchange::NameFault fault) {
  switch (fault) {
    case exchange::NameFault::kTooLong:
      return QString::fromUtf8(messages::kNameTooLong);
    case exchange::NameFault::kControlCharacter:
      return QString::fromUtf8(messages::kNameControlCharacter);
    case exchange::NameFault::kNone:
    case exchange::NameFault::kOutsideCodePage:
      break;
  }
  return QString::fromUtf8(messages::kNameOutsideCodePage);
}

}  // namespace trelvan
