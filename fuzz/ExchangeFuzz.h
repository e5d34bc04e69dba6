#pragma once

// The properties both exchange fuzzers check: whatever the reader was
// given, the table keeps to its rules, a file that failed changes nothing,
// and what the writer then makes of the table reads back whole.

#include <QByteArray>
#include <QDateTime>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "exchange/ExportReport.h"
#include "exchange/ImportRules.h"
#include "fuzz/FuzzSupport.h"
#include "store/WaypointTable.h"

namespace trelvan::fuzz {

// Options from the first byte, so that replacing, the chosen datum and the
// GPX point kinds are all tried.
inline exchange::ImportOptions OptionsFrom(const std::uint8_t* data, std::size_t size) {
  exchange::ImportOptions options;
  const std::uint8_t bits = size > 0 ? data[0] : 0;
  options.replace = (bits & 1) != 0;
  options.datumGiven = (bits & 2) != 0;
  options.routePoints = (bits & 4) != 0;
  options.trackPoints = (bits & 8) != 0;
  options.datum = static_cast<std::uint16_t>((bits >> 4) * 8);
  return options;
}

// A start table with one waypoint whose name a file may well repeat.
inline WaypointTable StartTable() {
  WaypointTable table{};
  table[0].used = 1;
  SetName(table[0], "A");
  return table;
}

using Reader = exchange::ImportReport (*)(const QByteArray&, const exchange::ImportOptions&,
                                          WaypointTable&);
using Writer = QByteArray (*)(const WaypointTable&, exchange::ExportReport&);

inline void CheckImport(const std::uint8_t* data, std::size_t size, Reader read, Writer write) {
  const exchange::ImportOptions options = OptionsFrom(data, size);
  const WaypointTable start = StartTable();
  WaypointTable table = start;
  const exchange::ImportReport report =
      read(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), options,
           table);
  const int count = CountInUse(table);
  Check(count >= 1 && count <= kWaypointCapacity, "the run in use stays within the table");
  if (!report.failure.isEmpty()) {
    Check(report.Entries().isEmpty() && report.Count(exchange::Outcome::kSkipped) == 0,
          "a failed file reports no rows");
    Check(std::memcmp(&table, &start, sizeof table) == 0, "a failed file changes nothing");
    return;
  }
  Check(count - 1 == report.Count(exchange::Outcome::kImported), "every new record is reported");
  Check(report.Lines().size() >= report.Entries().size(), "a line for every row listed");
  for (int i = 0; i < count; ++i) {
    Check(FindByName(table, WaypointName(table[i])) == i, "names stay unique");
  }

  // What an import stored, a writer writes and the reader reads back whole.
  exchange::ExportReport exported;
  const QByteArray file = write(table, exported);
  Check(exported.skipped.isEmpty(), "every imported waypoint can be exported");
  WaypointTable again{};
  const exchange::ImportReport back = read(file, exchange::ImportOptions{}, again);
  Check(back.failure.isEmpty() && back.Complete(), "an export reads back without a skip");
  Check(CountInUse(again) == count, "an export reads back every waypoint");
}

}  // namespace trelvan::fuzz
