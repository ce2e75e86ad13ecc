#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace brasko {

// Splits delimited text into records of fields, in place: quoted fields ("a ""b"", c")
// are unquoted inside the buffer, so fields are views into it and no record allocates.
// Records end at LF, CR LF or a lone CR; a quoted field may span lines, while a quote that
// is never closed is plain text. Blank lines are skipped. The buffer must outlive the
// reader and the fields it hands out.
class CsvReader {
public:
    CsvReader(std::string& text, char separator);

    // The next record's fields; false at the end of the text.
    bool Next(std::vector<std::string_view>& fields);

    // Comma, tab or semicolon, from the first lines: a tab outside quotes wins (a tab is
    // never part of a value), then the more frequent of semicolon and comma.
    static char DetectSeparator(std::string_view text);

private:
    std::string_view ReadQuoted();
    std::string_view ReadPlain();
    void SkipRecordEnd();

    char* m_pos;
    char* m_end;
    char m_separator;
    // Bytes that end a plain field: the separator, CR, LF and the NUL after the text.
    std::array<bool, 256> m_stops{};
};

} // namespace brasko
