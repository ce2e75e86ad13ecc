#pragma once

#include <cstddef>
#include <string_view>

namespace mosgrid {

// One line of a profile file, located in the file's bytes and classified.
struct IniLine {
    enum class Kind {
        Other,          // no '=': neither a key nor a header
        Comment,        // first non-blank is ';'
        Section,        // first non-blank is '[' and a ']' follows
        BrokenSection,  // '[' without ']': ends the section above, opens none
        Key,            // holds '='
    };

    std::size_t begin = 0;  // first byte of the line
    std::size_t end = 0;    // end of its text, before the line end
    std::size_t next = 0;   // start of the following line
    Kind kind = Kind::Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // a key's bytes after the first '=', untrimmed

    bool hasLineEnd() const { return next > end; }
    bool startsSection() const { return kind == Kind::Section || kind == Kind::BrokenSection; }
};

// Walks a file line by line. LF, CR LF and a lone CR all end a line; the last line
// needs no line end.
class IniLineReader {
public:
    explicit IniLineReader(std::string_view bytes) : m_bytes(bytes) {}

    bool Next(IniLine& line);

    // The first line end of the file, or empty when it has none.
    static std::string_view FirstLineEnd(std::string_view bytes);

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

} // namespace mosgrid
