#include "catalog/ListDocument.h"

#include "base/Cp932Text.h"
#include "catalog/ListBytesReader.h"
#include "catalog/ListItemLines.h"

#include <algorithm>

namespace mosgrid {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kLf = "\n";

bool IsAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

ListDocument::ListDocument(std::string bytes)
    : m_bytes(std::move(bytes))
{
    m_hasBom = std::string_view(m_bytes).substr(0, kUtf8Bom.size()) == kUtf8Bom;
    SplitLines();
    FindItems();
    DecideEncoding();
    DecideLineEnd();
}

std::string_view ListDocument::EndBytes(ListLineEnd end)
{
    switch (end) {
    case ListLineEnd::CrLf:
        return kCrLf;
    case ListLineEnd::Lf:
        return kLf;
    case ListLineEnd::None:
        break;
    }
    return {};
}

std::string_view ListDocument::LineContent(int line) const
{
    return std::string_view(m_bytes).substr(m_lines[line].start, m_lines[line].contentSize);
}

void ListDocument::SplitLines()
{
    const std::string_view bytes(m_bytes);
    std::size_t start = m_hasBom ? kUtf8Bom.size() : 0;
    while (start < bytes.size()) {
        Line line;
        line.start = start;
        const std::size_t feed = bytes.find('\n', start);
        if (feed == std::string_view::npos) {
            line.contentSize = bytes.size() - start;
            start = bytes.size();
        } else {
            const bool crlf = feed > start && bytes[feed - 1] == '\r';
            line.contentSize = feed - start - (crlf ? 1 : 0);
            line.end = crlf ? ListLineEnd::CrLf : ListLineEnd::Lf;
            start = feed + 1;
        }
        m_lines.push_back(line);
    }
}

void ListDocument::FindItems()
{
    // One piece per line, the mark with the first, so each line the reader returns is the
    // piece it last took.
    std::vector<std::string_view> pieces;
    pieces.reserve(m_lines.size());
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        const std::size_t begin = i == 0 ? 0 : line.start;
        const std::size_t end = line.start + line.contentSize + EndBytes(line.end).size();
        pieces.push_back(std::string_view(m_bytes).substr(begin, end - begin));
    }
    ListBytesReader reader(std::move(pieces));
    reader.Open();
    ListItemLines itemLines(reader);
    std::string text;
    while (itemLines.Next(text)) {
        const int line = reader.PieceOfLastByte();
        m_lines[line].item = ItemCount();
        m_itemLines.push_back(line);
        m_itemTexts.push_back(text);
    }
    if (!reader.ReachedEnd())
        m_stopLine = reader.PieceOfLastByte();
    reader.Close();
}

void ListDocument::DecideEncoding()
{
    if (m_hasBom) {
        m_encoding = ListEncoding::Utf8Bom;
        return;
    }
    m_encoding = ListEncoding::Utf8;
    if (IsValidUtf8(m_bytes))
        return;
    int utf8Lines = 0;
    int shiftJisLines = 0;
    for (const std::string& text : m_itemTexts) {
        if (IsAscii(text))
            continue;
        ++(IsValidUtf8(text) ? utf8Lines : shiftJisLines);
    }
    if (shiftJisLines > utf8Lines)
        m_encoding = ListEncoding::ShiftJis;
}

void ListDocument::DecideLineEnd()
{
    const auto crlf = std::count_if(m_lines.begin(), m_lines.end(),
                                    [](const Line& l) { return l.end == ListLineEnd::CrLf; });
    const auto lf = std::count_if(m_lines.begin(), m_lines.end(),
                                  [](const Line& l) { return l.end == ListLineEnd::Lf; });
    m_dominantEnd = crlf > lf ? ListLineEnd::CrLf : ListLineEnd::Lf;
}

} // namespace mosgrid
