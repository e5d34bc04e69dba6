// The GPX reader on any bytes (see ExchangeFuzz.h for the properties).

#include "exchange/GpxReader.h"
#include "exchange/GpxWriter.h"
#include "fuzz/ExchangeFuzz.h"

namespace {

QByteArray WriteGpxAtFixedTime(const trelvan::WaypointTable& table,
                               trelvan::exchange::ExportReport& report) {
  return trelvan::exchange::WriteGpx(table, QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC),
                                     report);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  trelvan::fuzz::CheckImport(data, size, trelvan::exchange::ReadGpx, WriteGpxAtFixedTime);
  return 0;
}
