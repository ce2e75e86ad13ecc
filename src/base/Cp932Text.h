#pragma once

#include <string>
#include <string_view>

namespace mosgrid {

// Shift-JIS (CP932) bytes as UTF-8. A byte that starts no valid character becomes U+FFFD
// and the conversion goes on after it, so a bad lead byte cannot swallow the ASCII byte
// that follows. Empty when the system has no CP932 converter.
std::string Cp932ToUtf8(std::string_view bytes);

// Whether bytes are valid UTF-8 (the empty text is).
bool IsValidUtf8(std::string_view bytes);

} // namespace mosgrid
