#pragma once

namespace trelvan {

// Windows-1252, the code page of stored waypoint names.

// The byte of character `c`; false when the code page has no such character.
bool EncodeCp1252(char32_t c, unsigned char& byte);

// The character of `byte` (undefined bytes map to the C1 control of the same
// value, so every stored name can be shown).
char32_t DecodeCp1252(unsigned char byte);

}  // namespace trelvan
