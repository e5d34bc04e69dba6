#pragma once

#include <cstdint>
#include <string_view>

namespace trelvan {

// A datum given by its index 0..124 in decimal or by its exact name.
bool FindDatum(std::string_view text, std::uint16_t& index);

}  // namespace trelvan
