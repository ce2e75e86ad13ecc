#pragma once

#include <string_view>

namespace mosgrid {

// The number at the start of a stored value: blanks, an optional '+' or '-', an optional
// lower-case "0x", "0o" or "0b" prefix, then digits up to the first other character.
// No digits reads 0; the result wraps modulo 2^32 into a signed 32-bit value.
int ParseProfileInt(std::string_view text);

} // namespace mosgrid
