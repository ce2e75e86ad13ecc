#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mosgrid {

// How the settings file's bytes hold the text that the profile rules run on. A file that
// starts with a UTF-16 byte-order mark is UTF-16 text; a UTF-8 byte-order mark is set aside;
// any other file is its own bytes. A write goes back in the form the file had.
namespace SettingsFileEncoding {

enum class Form { Bytes, Utf8Bom, Utf16Le, Utf16Be };

// The form of a file's bytes, by its first bytes.
Form Detect(std::string_view bytes);

// The text the rules read (UTF-8 for the Unicode forms); nullopt when the bytes do not hold
// one text exactly (broken UTF-16), which reads as best it can but is never written back.
std::optional<std::string> Decode(std::string_view bytes, Form form);
// Text that does not decode: its readable part, bad UTF-16 units as U+FFFD.
std::string DecodeLossy(std::string_view bytes, Form form);

// The file's bytes for text, byte-order mark included.
std::string Encode(std::string_view text, Form form);

// Bytes a caller passes (a name or a value) as text of the form: unchanged for Bytes; for
// the Unicode forms UTF-8 stays, anything else is read as Shift-JIS (CP932).
std::string TextFor(std::string_view bytes, Form form);

} // namespace SettingsFileEncoding

} // namespace mosgrid
