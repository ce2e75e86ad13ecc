#pragma once

#include "ColumnMap.h"

#include <QuorexComponents.h>

#include <optional>
#include <string>
#include <vector>

namespace brasko {

// How a price file's rows are read: found at the head of the file.
struct CsvLayout {
    char separator = ',';
    ColumnMap map;
};

// What reading a text gave.
struct PriceRows {
    std::vector<quorex::PriceBar> bars; // the good rows, in the order read
    std::optional<CsvLayout> layout;    // null: neither a header nor a row with a date
    std::size_t titleLines = 0;         // records before the layout
    std::size_t dataLines = 0;          // records read as rows, good or bad
    bool unclosedQuote = false;         // see CsvReader::MetUnclosedQuote
};

// The rows of a price file's text. The text must be UTF-8 (see DecodeToUtf8); quoted fields
// are unquoted inside it. Title lines before the header are skipped; without a header the
// columns are taken by position.
PriceRows ReadPriceRows(std::string& text);
// The rows of a text that starts at a line start after the head, read as layout says.
PriceRows ReadPriceRows(std::string& text, const CsvLayout& layout);
// The same, of the text from `from` (a line start) on, of about `lines` lines (room is made
// for that many rows).
PriceRows ReadPriceRows(std::string& text, std::size_t from, const CsvLayout& layout,
                        std::size_t lines);

// A whole price file's bytes to its series (decoded, read, ordered), or null when no row
// is good. The bytes are used as the working buffer.
quorex::PriceDataPtr ParsePriceFile(std::string& bytes);

// Why a whole file's text (read into rows) gave no bar: no rows at all (empty, blank lines,
// or a header with title lines above it only), or lines none of which read as prices.
quorex::DataProblem WhyNoBars(const PriceRows& rows, std::string_view text);

} // namespace brasko
