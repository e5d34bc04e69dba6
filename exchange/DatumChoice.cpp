#include "exchange/DatumChoice.h"

#include "geodesy/Datum.h"
#include "text/DatumName.h"

namespace trelvan::exchange {

bool FindDatumByText(const QString& text, std::uint16_t& index) {
  if (FindDatum(text.toStdString(), index)) return true;
  for (std::uint16_t i = 0; i < kDatumCount; ++i) {
    if (text.compare(QString::fromUtf8(DatumName(i)), Qt::CaseInsensitive) == 0) {
      index = i;
      return true;
    }
  }
  return false;
}

}  // namespace trelvan::exchange
