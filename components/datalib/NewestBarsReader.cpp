#include "NewestBarsReader.h"

#include "BackwardRowReader.h"
#include "BarNeed.h"
#include "CsvReader.h"
#include "PriceFile.h"
#include "TextScan.h"

#include <algorithm>
#include <limits>

namespace brasko {

namespace {

using quorex::PriceBar;

// The first look at the head: enough for a header and the separator's sample in most
// files. Its rows are all parsed, and in a file of the oldest first only the order is
// learnt from them.
constexpr std::size_t kHeadBytes = 2048;
// The head must hold the lines the separator is judged by; longer lines than this allows
// are not worth a partial read.
constexpr std::size_t kMaxSampleHeadBytes = 64 * 1024;
constexpr std::size_t kGrowth = 4;
// Lines a quoted field open at the end of the head may have before it (a note over a few
// lines); a head cut inside a longer one is not read.
constexpr std::size_t kMostLinesInAField = 4;
// A read found too short grows at least this much, and by what it lacked and a margin.
constexpr double kLeastGrowth = 1.25;
constexpr double kNextReadMargin = 1.125;
constexpr std::size_t kWeekdaysPerWeek = 5;
constexpr std::size_t kWeekdaysPerMonth = 22;
// Rows read beyond those asked for, besides the share (see kExtraShare).
constexpr std::size_t kExtraRows = 16;
// The share for weeks and months, which count weekdays, holidays included: a sixteenth.
constexpr std::size_t kPeriodExtraShare = 16;
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

bool SameBars(const std::vector<PriceBar>& a, const std::vector<PriceBar>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const PriceBar& x, const PriceBar& y) {
                          return x.date == y.date && x.open == y.open && x.high == y.high
                                 && x.low == y.low && x.close == y.close
                                 && x.volume == y.volume;
                      });
}

// Whether two readings of a head give the same rows, read the same way on.
bool ReadAlike(const PriceRows& a, const PriceRows& b)
{
    const bool sameLayout = a.layout && b.layout && a.layout->separator == b.layout->separator
                            && a.layout->map == b.layout->map;
    return sameLayout && a.unclosedQuote == b.unclosedQuote && SameBars(a.bars, b.bars);
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

std::optional<NewestBarsReader::Result> NewestBarsReader::Read(const quorex::DataRequest& need)
{
    HeadState state = HeadState::TooShort;
    for (std::size_t bytes = kHeadBytes; state == HeadState::TooShort;) {
        state = ReadHead(bytes);
        if (state == HeadState::TooShort && bytes == kMaxSampleHeadBytes)
            return std::nullopt;
        bytes = std::min(bytes * kGrowth, kMaxSampleHeadBytes);
    }
    if (state != HeadState::Read || !m_head.layout || m_head.unclosedQuote)
        return std::nullopt;
    // The head's rows tell the order; a single day tells none.
    if (DistinctDates(m_head.bars) < 2)
        return std::nullopt;
    if (Ascending(m_head.bars))
        return NewestOfOldestFirst(need);
    if (Descending(m_head.bars))
        return NewestOfNewestFirst(need);
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
    std::size_t end = LineEndAfter(raw, true);
    if (end == std::string_view::npos)
        return HeadState::TooShort;
    // A head whose last record has a quoted field open at its end is cut before that
    // field's lines: its end is then a record's end in the whole file too.
    for (std::size_t dropped = 0;; ++dropped) {
        const HeadState state = ReadHeadTo(std::string(raw, 0, end), end);
        if (state != HeadState::Read || !m_head.unclosedQuote || dropped == kMostLinesInAField)
            return state;
        end = LineEndBefore(raw, end);
        if (end == std::string_view::npos || end <= m_markBytes)
            return state;
    }
}

std::size_t NewestBarsReader::LineEndBefore(std::string_view raw, std::size_t end) const
{
    const std::size_t unit = m_markEncoding == TextEncoding::Utf8 ? 1 : 2;
    // Past the line end (CR LF, or blank lines) that ends the text.
    while (end >= m_markBytes + unit) {
        const std::size_t last = LineEndAfter(raw.substr(end - unit, unit), true);
        if (last == std::string_view::npos)
            break;
        end -= unit;
    }
    return LineEndAfter(raw.substr(0, end), true);
}

NewestBarsReader::HeadState NewestBarsReader::ReadHeadTo(std::string raw, std::size_t end)
{
    // Decoding keeps the line ends: the sample is there in the bytes or not at all.
    if (m_markEncoding == TextEncoding::Utf8 && !CsvReader::HoldsSeparatorSample(raw))
        return HeadState::TooShort;
    const std::string_view body = std::string_view(raw).substr(m_markBytes);
    if (m_markEncoding == TextEncoding::Utf8 && !m_wholeEncoding && !IsAscii(body)
        && IsValidUtf8(body) && ReadsAlikeEitherWay(raw, end)) {
        return HeadState::Read;
    }
    const std::optional<TextEncoding> encoding = EncodingOf(body);
    if (!encoding)
        return HeadState::Unusable;
    KeepHeadSize(raw, end);
    DecodePiece(raw, *encoding, true);
    if (!CsvReader::HoldsSeparatorSample(raw))
        return HeadState::TooShort;
    m_head = ReadPriceRows(raw);
    return HeadState::Read;
}

bool NewestBarsReader::ReadsAlikeEitherWay(const std::string& raw, std::uint64_t end)
{
    // Known from an earlier, shorter head when what this one adds is ASCII, read alike.
    const bool known = m_alikeEnd > m_markBytes && m_alikeEnd <= raw.size()
                       && IsAscii(std::string_view(raw).substr(std::size_t(m_alikeEnd)));
    std::string text = raw;
    DecodePiece(text, TextEncoding::Utf8, true);
    PriceRows rows = ReadPriceRows(text);
    if (!known) {
        std::string other = raw;
        DecodePiece(other, TextEncoding::Cp932, true);
        if (!ReadAlike(rows, ReadPriceRows(other)))
            return false;
    }
    m_alikeEnd = end;
    KeepHeadSize(raw, end);
    m_head = std::move(rows);
    return true;
}

void NewestBarsReader::KeepHeadSize(std::string_view raw, std::uint64_t end)
{
    m_headEnd = end;
    // For the size of a line; a file with lone CRs has no LF.
    m_headLines = CountLineFeeds(raw);
    if (m_headLines == 0)
        m_headLines = std::size_t(std::count(raw.begin(), raw.end(), '\r'));
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
    // The first line end may lie inside a quoted field: the rows are read from the first
    // record that starts there either way.
    const std::optional<std::size_t> first =
        CsvReader::FirstCertainRecord(tail.text, m_head.layout->separator);
    tail.readable = first.has_value();
    if (tail.readable)
        tail.text.erase(0, *first);
    return tail;
}

std::optional<NewestBarsReader::Result>
NewestBarsReader::NewestOfOldestFirst(const quorex::DataRequest& need)
{
    // The tail holds the newest bars, as read: a date repeated across its start is read
    // last inside it. Everything before it is older, as the order says. The tail grows up
    // to everything after the head.
    const auto most = std::size_t(m_size - m_headEnd - 1);
    for (std::size_t bytes = std::min(FirstBytesFor(need), most);;) {
        std::optional<Tail> tail = ReadTail(bytes);
        if (!tail) {
            if (bytes == most)
                return std::nullopt;
            bytes = std::min(bytes * kGrowth, most);
            continue;
        }
        if (!tail->readable)
            return std::nullopt;
        // Only as many of its rows as need asks for: most of the time the read holds more.
        BackwardRowReader rows(tail->text, *m_head.layout);
        std::vector<PriceBar>& bars = rows.ReadFor(need);
        if (!Ascending(bars) || (!bars.empty() && !NotLater(m_head.bars.back(), bars.front())))
            return std::nullopt;
        const PeriodCounts counts = CountPeriods(bars, need);
        if (Covers(need, counts))
            return Result{PriceSeries::FromRows(std::move(bars), need), tail->unsettled};
        if (bytes == most)
            return std::nullopt;
        bytes = std::min(NextBytes(bytes, need, counts), most);
    }
}

std::optional<NewestBarsReader::Result>
NewestBarsReader::NewestOfNewestFirst(const quorex::DataRequest& need)
{
    // The last lines: the order must hold there too, and they tell whether the file is
    // finished.
    std::optional<Tail> tail = ReadTail(BytesFor(kTailProbeRows));
    if (!tail || !tail->readable)
        return std::nullopt;
    const std::vector<PriceBar> tailBars = ReadPriceRows(tail->text, *m_head.layout).bars;
    if (!Descending(tailBars))
        return std::nullopt;

    // At most everything before the last lines.
    const auto most = std::size_t(tail->start);
    std::size_t next = std::min(std::size_t(m_headEnd) + FirstBytesFor(need), most);
    for (bool first = true, readMost = false;; first = false) {
        if (!Descending(m_head.bars))
            return std::nullopt;
        if (!tailBars.empty() && !NotEarlier(m_head.bars.back(), tailBars.front()))
            return std::nullopt;
        // The last day of the head may go on after it: only the days before it are whole.
        const std::int32_t cutDay = m_head.bars.back().date;
        std::vector<PriceBar> bars = m_head.bars;
        std::erase_if(bars, [cutDay](const PriceBar& bar) { return bar.date == cutDay; });
        const PeriodCounts counts = CountPeriods(bars, need);
        if (Covers(need, counts))
            return Result{PriceSeries::FromRows(std::move(bars), need), tail->unsettled};
        if (readMost)
            return std::nullopt;
        if (!first)
            next = std::min(NextBytes(next, need, counts), most);
        if (ReadHead(next) != HeadState::Read || !m_head.layout || m_head.unclosedQuote
            || m_head.bars.empty()) {
            return std::nullopt;
        }
        readMost = next == most;
    }
}

std::optional<TextEncoding> NewestBarsReader::EncodingOf(std::string_view raw)
{
    if (m_markEncoding != TextEncoding::Utf8)
        return m_markEncoding;
    if (m_wholeEncoding)
        return m_wholeEncoding;
    // A piece of ASCII reads the same either way; one invalid byte anywhere makes the
    // whole file CP932; other UTF-8 needs the rest of the file to be valid too.
    if (IsAscii(raw))
        return TextEncoding::Utf8;
    if (!IsValidUtf8(raw)) {
        m_wholeEncoding = TextEncoding::Cp932;
        return m_wholeEncoding;
    }
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

std::size_t NewestBarsReader::BytesFor(std::size_t rows, std::size_t extraShare) const
{
    const std::uint64_t perLine = std::max<std::uint64_t>(1, m_headEnd / std::max<std::size_t>(
                                                                              1, m_headLines));
    // No file holds more rows than bytes: the bound keeps the sum from overflowing.
    const std::uint64_t bounded = std::min<std::uint64_t>(rows, m_size);
    const std::uint64_t wanted = bounded + bounded / extraShare + kExtraRows;
    return std::size_t(std::min<std::uint64_t>((wanted + 1) * perLine, m_size)); // +1: the cut
}

std::size_t NewestBarsReader::FirstBytesFor(const quorex::DataRequest& need) const
{
    // Weekdays hold rows, mostly (holidays none): a file with a row every day is read
    // again, as much larger as the first read shows.
    const std::size_t most = std::size_t(m_size);
    const std::size_t weeks = std::min(need.latestWeeks, most);
    const std::size_t months = std::min(need.latestMonths, most);
    const std::size_t periodRows =
        std::max(weeks * kWeekdaysPerWeek, months * kWeekdaysPerMonth) + 1;
    return std::max(BytesFor(need.latestBars), BytesFor(periodRows, kPeriodExtraShare));
}

std::size_t NewestBarsReader::NextBytes(std::size_t bytes, const quorex::DataRequest& need,
                                        const PeriodCounts& counts)
{
    double scale = kGrowth;
    if (counts.days > 0) {
        // As many more as each count lacked; a period more than asked shows the oldest
        // asked for whole.
        double wanted = double(need.latestBars) / double(counts.days);
        if (need.latestWeeks != 0)
            wanted = std::max(wanted, double(need.latestWeeks + 1) / double(counts.weeks));
        if (need.latestMonths != 0)
            wanted = std::max(wanted, double(need.latestMonths + 1) / double(counts.months));
        scale = std::clamp(wanted * kNextReadMargin, kLeastGrowth, double(kGrowth));
    }
    const double next = double(bytes) * scale;
    return next >= double(std::numeric_limits<std::size_t>::max())
               ? std::numeric_limits<std::size_t>::max()
               : std::max(bytes + 1, std::size_t(next));
}

} // namespace brasko
