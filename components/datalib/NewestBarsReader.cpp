#include "NewestBarsReader.h"

#include "CsvReader.h"
#include "PriceFile.h"
#include "TextScan.h"

#include <algorithm>

namespace brasko {

namespace {

using quorex::PriceBar;

// The first look at the head: enough for the header and a few dozen rows.
constexpr std::size_t kHeadBytes = 4096;
// The head must hold the lines the separator is judged by; longer lines than this allows
// are not worth a partial read.
constexpr std::size_t kMaxSampleHeadBytes = 64 * 1024;
constexpr std::size_t kGrowth = 4;
// Rows read beyond those asked for: a quarter more and a few, for bad and repeated rows.
constexpr std::size_t kExtraShare = 4;
constexpr std::size_t kExtraRows = 16;
// Rows looked at at the tail of a newest-first file, to see that its order holds there.
constexpr std::size_t kTailProbeRows = 8;
constexpr std::size_t kValidationChunkBytes = 64 * 1024;
// A UTF-8 sequence is at most this long; its later bytes are 10xxxxxx.
constexpr std::size_t kMaxUtf8Sequence = 4;
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuationBits = 0x80;
bool IsLineEndUnit(unsigned unit)
{
    return unit == '\n' || unit == '\r';
}

bool NotLater(const PriceBar& a, const PriceBar& b)
{
    return a.date <= b.date;
}

bool NotEarlier(const PriceBar& a, const PriceBar& b)
{
    return a.date >= b.date;
}

bool Ascending(const std::vector<PriceBar>& bars)
{
    return std::is_sorted(bars.begin(), bars.end(), [](const PriceBar& a, const PriceBar& b) {
        return a.date < b.date;
    });
}

bool Descending(const std::vector<PriceBar>& bars)
{
    return std::is_sorted(bars.begin(), bars.end(), [](const PriceBar& a, const PriceBar& b) {
        return a.date > b.date;
    });
}

// Of bars in date order (either way).
std::size_t DistinctDates(const std::vector<PriceBar>& bars)
{
    if (bars.empty())
        return 0;
    std::size_t count = 1;
    for (std::size_t i = 1; i < bars.size(); ++i)
        count += bars[i].date != bars[i - 1].date;
    return count;
}

} // namespace

NewestBarsReader::NewestBarsReader(PriceFile& file, bool settling)
    : m_file(file)
    , m_size(file.Stamp().size)
    , m_settling(settling)
{
}

std::optional<NewestBarsReader::Result> NewestBarsReader::Read(std::size_t latestBars)
{
    HeadState state = HeadState::TooShort;
    for (std::size_t bytes = kHeadBytes; state == HeadState::TooShort; bytes *= kGrowth) {
        if (bytes > kMaxSampleHeadBytes)
            return std::nullopt;
        state = ReadHead(bytes);
    }
    if (state != HeadState::Read || !m_head.layout || m_head.unclosedQuote)
        return std::nullopt;
    // The head's rows tell the order; a single day tells none.
    if (DistinctDates(m_head.bars) < 2)
        return std::nullopt;
    if (Ascending(m_head.bars))
        return NewestOfOldestFirst(latestBars);
    if (Descending(m_head.bars))
        return NewestOfNewestFirst(latestBars);
    return std::nullopt;
}

std::size_t NewestBarsReader::LineEndAfter(std::string_view raw, bool last) const
{
    if (m_markEncoding == TextEncoding::Utf8) {
        const std::size_t at = last ? raw.find_last_of("\r\n") : raw.find_first_of("\r\n");
        return at == std::string_view::npos ? at : at + 1;
    }
    // UTF-16: whole code units only, from an even offset of the file.
    const bool bigEndian = m_markEncoding == TextEncoding::Utf16Be;
    const auto unitAt = [&raw, bigEndian](std::size_t i) {
        const unsigned first = static_cast<unsigned char>(raw[i]);
        const unsigned second = static_cast<unsigned char>(raw[i + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    const std::size_t units = raw.size() / 2;
    for (std::size_t n = 0; n < units; ++n) {
        const std::size_t unit = last ? units - 1 - n : n;
        if (IsLineEndUnit(unitAt(2 * unit)))
            return 2 * unit + 2;
    }
    return std::string_view::npos;
}

NewestBarsReader::HeadState NewestBarsReader::ReadHead(std::size_t bytes)
{
    std::string raw;
    if (!m_file.ReadAt(0, std::size_t(std::min<std::uint64_t>(bytes, m_size)), raw))
        return HeadState::Unusable;
    if (raw.size() >= m_size)
        return HeadState::Unusable; // the whole file: read as such
    m_markEncoding = EncodingByMark(raw);
    m_markBytes = ByteOrderMarkLength(raw);
    const std::size_t end = LineEndAfter(raw, true);
    if (end == std::string_view::npos)
        return HeadState::TooShort;
    raw.resize(end);
    const std::optional<TextEncoding> encoding =
        EncodingOf(std::string_view(raw).substr(m_markBytes));
    if (!encoding)
        return HeadState::Unusable;
    m_headEnd = end;
    // For the size of a line; a file with lone CRs has no LF.
    m_headLines = std::size_t(std::count(raw.begin(), raw.end(), '\n'));
    if (m_headLines == 0)
        m_headLines = std::size_t(std::count(raw.begin(), raw.end(), '\r'));
    DecodePiece(raw, *encoding, true);
    if (!CsvReader::HoldsSeparatorSample(raw))
        return HeadState::TooShort;
    m_headText = std::move(raw);
    m_head = ReadPriceRows(m_headText);
    return HeadState::Read;
}

std::optional<NewestBarsReader::Tail> NewestBarsReader::ReadTail(std::size_t bytes)
{
    if (bytes >= m_size - m_headEnd)
        return std::nullopt;
    Tail tail;
    tail.start = m_size - bytes;
    if (m_markEncoding != TextEncoding::Utf8)
        tail.start &= ~std::uint64_t(1); // on a code unit
    std::string raw;
    if (!m_file.ReadAt(tail.start, std::size_t(m_size - tail.start), raw)
        || raw.size() != m_size - tail.start) {
        return std::nullopt;
    }
    // The first line may have begun before the piece.
    const std::size_t cut = LineEndAfter(raw, false);
    if (cut == std::string_view::npos)
        return std::nullopt;
    raw.erase(0, cut);
    tail.start += cut;
    const std::optional<TextEncoding> encoding = EncodingOf(raw);
    if (!encoding)
        return std::nullopt;
    DecodePiece(raw, *encoding, false);
    tail.text = std::move(raw);
    if (m_settling)
        tail.unsettled = DropUnfinishedLine(tail.text);
    // Without a quote in the tail no quoted field can span its first line end, so that
    // line end ends a record; with one it may lie inside a field.
    tail.readable = tail.text.find('"') == std::string::npos;
    if (tail.readable)
        tail.rows = ReadPriceRows(tail.text, *m_head.layout);
    return tail;
}

std::optional<NewestBarsReader::Result>
NewestBarsReader::NewestOfOldestFirst(std::size_t latestBars)
{
    // The tail holds the newest bars, as read: a date repeated across its start is read
    // last inside it. Everything before it is older, as the order says. The tail grows up
    // to everything after the head.
    const auto most = std::size_t(m_size - m_headEnd - 1);
    for (std::size_t bytes = std::min(BytesFor(latestBars), most);;
         bytes = std::min(bytes * kGrowth, most)) {
        std::optional<Tail> tail = ReadTail(bytes);
        if (!tail) {
            if (bytes == most)
                return std::nullopt;
            continue;
        }
        if (!tail->readable)
            return std::nullopt;
        std::vector<PriceBar>& bars = tail->rows.bars;
        if (!Ascending(bars) || (!bars.empty() && !NotLater(m_head.bars.back(), bars.front())))
            return std::nullopt;
        if (DistinctDates(bars) >= latestBars)
            return Result{PriceSeries::FromRows(std::move(bars)), tail->unsettled};
        if (bytes == most)
            return std::nullopt;
    }
}

std::optional<NewestBarsReader::Result>
NewestBarsReader::NewestOfNewestFirst(std::size_t latestBars)
{
    // The last lines: the order must hold there too, and they tell whether the file is
    // finished.
    const std::optional<Tail> tail = ReadTail(BytesFor(kTailProbeRows));
    if (!tail || !tail->readable)
        return std::nullopt;
    const std::vector<PriceBar>& tailBars = tail->rows.bars;
    if (!Descending(tailBars))
        return std::nullopt;

    // At most everything before the last lines.
    const auto most = std::size_t(tail->start);
    std::size_t next = std::min(std::size_t(m_headEnd) + BytesFor(latestBars), most);
    for (bool readMost = false;; readMost = next == most, next = std::min(next * kGrowth, most)) {
        if (!Descending(m_head.bars))
            return std::nullopt;
        if (!tailBars.empty() && !NotEarlier(m_head.bars.back(), tailBars.front()))
            return std::nullopt;
        // The last day of the head may go on after it: only the days before it are whole.
        const std::int32_t cutDay = m_head.bars.back().date;
        std::vector<PriceBar> bars = m_head.bars;
        std::erase_if(bars, [cutDay](const PriceBar& bar) { return bar.date == cutDay; });
        if (DistinctDates(bars) >= latestBars)
            return Result{PriceSeries::FromRows(std::move(bars)), tail->unsettled};
        if (readMost || ReadHead(next) != HeadState::Read || !m_head.layout
            || m_head.unclosedQuote || m_head.bars.empty()) {
            return std::nullopt;
        }
    }
}

std::optional<TextEncoding> NewestBarsReader::EncodingOf(std::string_view raw)
{
    if (m_markEncoding != TextEncoding::Utf8)
        return m_markEncoding;
    if (m_wholeEncoding)
        return m_wholeEncoding;
    // One invalid byte anywhere makes the whole file CP932; a piece of ASCII reads the
    // same either way; other UTF-8 needs the rest of the file to be valid too.
    if (!IsValidUtf8(raw)) {
        m_wholeEncoding = TextEncoding::Cp932;
        return m_wholeEncoding;
    }
    if (IsAscii(raw))
        return TextEncoding::Utf8;
    if (!LearnWholeFileEncoding())
        return std::nullopt;
    return m_wholeEncoding;
}

bool NewestBarsReader::LearnWholeFileEncoding()
{
    std::string chunk;
    std::uint64_t offset = m_markBytes;
    while (offset < m_size) {
        const auto length = std::size_t(std::min<std::uint64_t>(kValidationChunkBytes,
                                                                  m_size - offset));
        if (!m_file.ReadAt(offset, length, chunk) || chunk.size() != length)
            return false;
        // End the chunk before the start of its last sequence, unless it ends the file.
        std::size_t end = chunk.size();
        if (offset + end < m_size) {
            for (std::size_t back = 1; back <= kMaxUtf8Sequence && back < chunk.size();
                 ++back) {
                const auto byte = static_cast<unsigned char>(chunk[chunk.size() - back]);
                if ((byte & kContinuationMask) != kContinuationBits) {
                    end = chunk.size() - back;
                    break;
                }
            }
        }
        if (!IsValidUtf8(std::string_view(chunk).substr(0, end))) {
            m_wholeEncoding = TextEncoding::Cp932;
            return true;
        }
        offset += end;
    }
    m_wholeEncoding = TextEncoding::Utf8;
    return true;
}

std::size_t NewestBarsReader::BytesFor(std::size_t rows) const
{
    const std::uint64_t perLine = std::max<std::uint64_t>(1, m_headEnd / std::max<std::size_t>(
                                                                              1, m_headLines));
    // No file holds more rows than bytes: the bound keeps the sum from overflowing.
    const std::uint64_t bounded = std::min<std::uint64_t>(rows, m_size);
    const std::uint64_t wanted = bounded + bounded / kExtraShare + kExtraRows;
    return std::size_t(std::min<std::uint64_t>((wanted + 1) * perLine, m_size)); // +1: the cut
}

} // namespace brasko
