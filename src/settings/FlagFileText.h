#pragma once

#include "settings/FlagColor.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mosgrid {

// The flags of one list file: where it was last seen, and the flag of each code.
struct ListFlags {
    std::string path{};    // absolute
    std::string fileId{};  // "device:inode" when last opened; empty when unknown
    std::map<std::string, FlagColor, std::less<>> codes{};  // never FlagColor::None
};

// The text of the flags file, an INI file of one section per list file:
//
//   [/home/me/lists/watch.txt]
//   @file=2049:1234567
//   7203=1
//
// The section names the list's path, "@file" the file it was last opened as, every other
// key is a code and its value the flag's number. Bytes a name cannot hold as they are
// ('%', brackets, '=', ';', '@', blanks at an end, control bytes) are written as %XX.
namespace FlagFileText {

struct Parsed {
    std::vector<ListFlags> lists;
    int badLines = 0;  // lines neither blank, a comment, a list, nor a flag
};

// Lenient: what cannot be read is counted and left out; a list named twice is merged.
Parsed Parse(std::string_view bytes);

// Lists without a flag are left out. Lines end in LF.
std::string Write(const std::vector<ListFlags>& lists);

std::string EncodePath(std::string_view path);
std::string EncodeCode(std::string_view code);
// nullopt-like: false when text holds a broken escape.
bool Decode(std::string_view text, std::string& out);

} // namespace FlagFileText

} // namespace mosgrid
