#pragma once

#include <array>
#include <optional>
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

    // For a reader of records of its own (PlainRowReader): where the next record starts,
    // null at the end of the text; and where to go on after the record it read.
    char* NextRecordStart();
    void ContinueAt(char* position) { m_pos = position; }
    char* End() const { return m_end; }

    // For a text that may begin inside a quoted field (a piece of a file cut at a line
    // end): reads on as if it did, past the rest of that field's record. False when no
    // quote in the text would close such a field.
    bool SkipOpenQuotedField();

    // The first offset of text (a piece of a file from a line end on) where a record
    // starts whether the piece begins between records or inside a quoted field; null when
    // the two readings never meet in it.
    static std::optional<std::size_t> FirstCertainRecord(std::string_view text,
                                                         char separator);

    // A quote that was never closed was met (and read as plain text): the text may have
    // been cut inside a quoted field.
    bool MetUnclosedQuote() const { return m_unclosedQuote; }

    // Comma, tab or semicolon, from the first lines: a tab outside quotes wins (a tab is
    // never part of a value), then the more frequent of semicolon and comma.
    static char DetectSeparator(std::string_view text);
    // Whether text holds all the lines DetectSeparator looks at, so that the separator of
    // a file's first part is that of the whole file.
    static bool HoldsSeparatorSample(std::string_view text);

private:
    // The fields of a record from a field start to the record's end.
    void ReadFields(std::vector<std::string_view>& fields);
    std::string_view ReadQuoted();
    std::string_view ReadPlain();
    void SkipRecordEnd();

    char* m_pos;
    char* m_end;
    char m_separator;
    bool m_unclosedQuote = false;
    // Bytes that end a plain field: the separator, CR, LF and the NUL after the text.
    std::array<bool, 256> m_stops{};
};

} // namespace brasko
