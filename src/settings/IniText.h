#pragma once

#include <string>
#include <string_view>

namespace mosgrid {

// Byte-level text rules of profile files: blanks are spaces and tabs, names compare
// ASCII case-insensitively, bytes above 0x7F (Shift-JIS, UTF-8) are never touched.
namespace IniText {

bool IsBlank(char c);
bool IsBlankText(std::string_view text);  // empty or only blanks
std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);

// The part before the first NUL, as a C string would see it.
std::string_view CutAtNul(std::string_view text);

// Removes one pair of matching double or single quotes around the whole text.
std::string_view Unquote(std::string_view text);

// A key's value as the profile functions return it: cut at NUL, trimmed, unquoted.
std::string_view ReadableValue(std::string_view raw);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
std::string ToLower(std::string_view text);

bool HasLineBreak(std::string_view text);

// Each CR LF, lone CR or lone LF becomes one blank, so a value stays on its line.
std::string FlattenLineBreaks(std::string_view text);

} // namespace IniText

} // namespace mosgrid
