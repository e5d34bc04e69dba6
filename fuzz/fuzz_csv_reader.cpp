// The CSV reader on any bytes (see ExchangeFuzz.h for the properties).

#include "exchange/CsvReader.h"
#include "exchange/CsvWriter.h"
#include "fuzz/ExchangeFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  trelvan::fuzz::CheckImport(data, size, trelvan::exchange::ReadCsv, trelvan::exchange::WriteCsv);
  return 0;
}
