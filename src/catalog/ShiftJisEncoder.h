#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mosgrid {

// UTF-8 text as Shift-JIS (CP932) bytes; nothing when a character has no CP932 form (or the
// system has no converter).
std::optional<std::string> EncodeShiftJis(std::string_view utf8);

} // namespace mosgrid
