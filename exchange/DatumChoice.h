#pragma once

#include <QString>
#include <cstdint>

namespace trelvan::exchange {

// A datum named in a file or on the command line: its index 0..124, or its
// name as the datum table writes it, matched exactly first and then without
// regard to case ("wgs-84"). False when no datum fits.
bool FindDatumByText(const QString& text, std::uint16_t& index);

}  // namespace trelvan::exchange
