#pragma once

#include <QByteArray>
#include <QIODevice>

#include "exchange/ImportRules.h"
#include "store/WaypointTable.h"

namespace trelvan::exchange {

// Imports the points of a GPX 1.0 or 1.1 document, read from `file` in
// pieces, into `table` by the import rules: <wpt>, and <rtept> and <trkpt>
// when the options ask for them, in the GPX namespace of the root element
// (any prefix); every other element and every extension is passed over.
// Positions are WGS-84 and are stored on the chosen datum or, unless a
// datum was given, on the datum a point of ours names in our extension; a
// point whose extension names no datum of the table is stored on WGS-84,
// and its entry says so. A document that is not GPX, or not well-formed XML
// anywhere, changes nothing and sets `failure`.
ImportReport ReadGpx(QIODevice& file, const ImportOptions& options, WaypointTable& table);
// The same for a document already in memory.
ImportReport ReadGpx(const QByteArray& data, const ImportOptions& options, WaypointTable& table);

}  // namespace trelvan::exchange
