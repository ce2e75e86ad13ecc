#pragma once

#include "BarNeed.h"
#include "CsvPriceParser.h"
#include "PriceSeries.h"
#include "TextDecoder.h"

#include <cstdint>
#include <optional>
#include <string>

namespace brasko {

class PriceFile;

// The newest bars of a price file, read from the end that holds them: the tail of an
// oldest-first file, the head of a newest-first one. The series holds the newest bars of
// what reading the whole file gives that what is asked for keeps (see FirstKept). The
// separator and the columns come from the head, the order from the rows at both ends.
// Null when the file cannot be read this way for certain (a small file, an order or an
// encoding that its ends do not tell, a tail where no record starts for certain): then the
// whole file is to be read.
// The order is checked where the file is read, so a row out of order between the ends (a
// mistyped year in the middle of a file) is not seen, where a whole read would sort it in.
class NewestBarsReader {
public:
    // Rows read beyond those asked for: a quarter more (and a few), for bad and repeated
    // rows.
    static constexpr std::size_t kExtraShare = 4;

    struct Result {
        PriceSeries::Ptr series;
        bool unsettled = false; // the file's unfinished last line was left out
    };

    // settling: the file may still be being written (see PriceFile::IsSettling).
    NewestBarsReader(PriceFile& file, bool settling);
    NewestBarsReader(const NewestBarsReader&) = delete;
    NewestBarsReader& operator=(const NewestBarsReader&) = delete;

    // need.latestBars must not be 0.
    std::optional<Result> Read(const quorex::DataRequest& need);

private:
    enum class HeadState { Read, TooShort, Unusable };

    // The tail: whole lines from a line end to the end of the file, read as the head says.
    struct Tail {
        std::uint64_t start = 0; // file offset of its first byte
        std::string text;        // UTF-8, as in the whole file's text
        // A record starts in it for certain: text starts there (its first line end might
        // lie inside a quoted field).
        bool readable = false;
        bool unsettled = false;
    };

    HeadState ReadHead(std::size_t bytes);
    // The head as the raw whole lines [0, end).
    HeadState ReadHeadTo(std::string raw, std::size_t end);
    // The end of the line before the one that ends at end, or npos.
    std::size_t LineEndBefore(std::string_view raw, std::size_t end) const;
    std::optional<Tail> ReadTail(std::size_t bytes);
    std::optional<Result> NewestOfOldestFirst(const quorex::DataRequest& need);
    std::optional<Result> NewestOfNewestFirst(const quorex::DataRequest& need);
    // The encoding raw bytes from a line start decode in as a part of the whole file.
    std::optional<TextEncoding> EncodingOf(std::string_view raw);
    // A head of valid UTF-8 that is not ASCII: read as such when it gives the same rows and
    // layout read as CP932 (a Japanese header, mostly), so that the encoding of the whole
    // file, which a bad byte anywhere makes CP932, does not matter for it. The head is then
    // m_head; false when the readings differ.
    bool ReadsAlikeEitherWay(const std::string& raw, std::uint64_t end);
    // The head's raw whole lines [0, end): their count and length size later reads.
    void KeepHeadSize(std::string_view raw, std::uint64_t end);
    bool LearnWholeFileEncoding();
    std::size_t LineEndAfter(std::string_view raw, bool last) const;
    // The bytes of about `rows` lines (and 1 / extraShare more) at the end of the file.
    std::size_t BytesFor(std::size_t rows, std::size_t extraShare = kExtraShare) const;
    // The bytes a first read of the newest rows takes for need.
    std::size_t FirstBytesFor(const quorex::DataRequest& need) const;
    // The bytes of the next read after `bytes` held periods too few for need: as many more
    // as those suggest, within kGrowth times.
    static std::size_t NextBytes(std::size_t bytes, const quorex::DataRequest& need,
                                 const PeriodCounts& counts);

    PriceFile& m_file;
    const std::uint64_t m_size;
    const bool m_settling;
    TextEncoding m_markEncoding = TextEncoding::Utf8; // UTF-16 by its mark, else 8-bit
    std::size_t m_markBytes = 0;
    std::optional<TextEncoding> m_wholeEncoding; // of an 8-bit file, once known
    std::uint64_t m_headEnd = 0;                 // the head's whole lines: [0, m_headEnd)
    std::size_t m_headLines = 0;
    std::uint64_t m_alikeEnd = 0; // a head [0, m_alikeEnd) read alike either way
    PriceRows m_head;
};

} // namespace brasko
