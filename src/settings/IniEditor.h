#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mosgrid {

// The write rules of the profile functions, as a pure edit of a file's bytes.
namespace IniEditor {

// Names that read back as written: not empty, on one line, and not taken for a header's
// end, a key's '=', a comment or a header.
bool IsWritableSection(std::string_view name);
bool IsWritableKey(std::string_view name);

// The file's bytes after setting section/key to value: the first matching key is
// replaced in place, a missing key goes after the last key of its section, a missing
// section is appended. Every other line keeps its bytes. Names are trimmed; line breaks in
// the value become blanks. nullopt when a name cannot be written.
std::optional<std::string> SetValue(std::string_view bytes, std::string_view section,
                                    std::string_view key, std::string_view value);

} // namespace IniEditor

} // namespace mosgrid
