#pragma once

#include <QString>

#include "exchange/WaypointName.h"
#include "store/WaypointTable.h"
#include "ui/Form.h"

namespace trelvan {

// Clears list `id` and appends the names of the records in use, in order.
void FillWaypointList(Form& form, int id, const WaypointTable& table);

// Index of the first entry of list `id` whose text is `name`, or -1.
int FindListEntry(const Form& form, int id, const QString& name);

// The message that refuses a name for `fault` (not kNone).
QString NameFaultMessage(exchange::NameFault fault);

}  // namespace trelvan
