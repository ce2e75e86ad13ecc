#pragma once

#include "CsvPriceParser.h"

#include <QuorexComponents.h>

#include <string>
#include <string_view>
#include <vector>

namespace brasko {

// The newest rows of a piece of a price file's text that starts at a record start (a tail),
// read from its end back only as far as a need asks: the rows of the whole piece's reading
// that start at some record and later, in the order read. A piece is read on from the start
// of a line where a record starts for certain (a line end may lie inside a quoted field).
class BackwardRowReader {
public:
    // text and layout must outlive the reader; quoted fields are unquoted in text.
    BackwardRowReader(std::string& text, const CsvLayout& layout);
    BackwardRowReader(const BackwardRowReader&) = delete;
    BackwardRowReader& operator=(const BackwardRowReader&) = delete;

    // Reads older rows until those read cover need (see Covers) or the text is used up.
    // The rows read so far, oldest first; the caller may take them.
    std::vector<quorex::PriceBar>& ReadFor(const quorex::DataRequest& need);
    // Every row of the text has been read.
    bool ReadWhole() const { return m_begin == 0; }

private:
    // The rows of [start, m_begin), about `lines` lines, in front of those read, from the
    // first record that starts there for certain.
    void ReadOlder(std::size_t start, std::size_t lines);
    // The start of the line `lines` lines before the line start end (0 when there are
    // fewer); a lone CR is not counted, which only reads more.
    std::size_t LinesBefore(std::size_t end, std::size_t lines) const;

    std::string& m_text;
    const CsvLayout& m_layout;
    const bool m_quoted;
    std::size_t m_begin; // the rows read are those of [m_begin, end)
    std::vector<quorex::PriceBar> m_bars;
    std::string m_piece; // an older part of the text, unquoted in place
};

} // namespace brasko
