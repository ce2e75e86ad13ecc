#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mosgrid {

enum class ListLineEnd { None, Lf, CrLf };
enum class ListEncoding { Utf8, Utf8Bom, ShiftJis };

// A list file's bytes split into lines that keep their exact bytes and line ends, with the
// lines the catalog reads as items marked: item n is the n-th line the loader turns into an
// item, found by running the loader's own line rules over the bytes.
class ListDocument {
public:
    ListDocument() = default;
    explicit ListDocument(std::string bytes);

    const std::string& Bytes() const { return m_bytes; }
    bool HasByteOrderMark() const { return m_hasBom; }
    // UTF-8 unless lines that are not valid UTF-8 (read as Shift-JIS) outnumber the lines
    // that are UTF-8 beyond ASCII; a byte-order mark decides alone.
    ListEncoding Encoding() const { return m_encoding; }
    // The end most lines have (CR LF only when more lines have it than LF); LF for a list
    // whose lines have no end at all.
    ListLineEnd DominantLineEnd() const { return m_dominantEnd; }

    int LineCount() const { return int(m_lines.size()); }
    // The line without its end (and without the byte-order mark).
    std::string_view LineContent(int line) const;
    ListLineEnd LineEnd(int line) const { return m_lines[line].end; }
    // The item read from the line, -1 for a line the reader skips.
    int ItemOfLine(int line) const { return m_lines[line].item; }

    int ItemCount() const { return int(m_itemLines.size()); }
    int LineOfItem(int item) const { return m_itemLines[item]; }
    // The item's line as the reader returns it (fields not yet split).
    const std::string& ItemText(int item) const { return m_itemTexts[item]; }
    const std::vector<std::string>& ItemTexts() const { return m_itemTexts; }
    // The line holding the byte that ends the reading early (0x1A, or a 0xFF byte): it and
    // every line after it stay where they are. -1 when the whole list is read.
    int StopLine() const { return m_stopLine; }

    static std::string_view EndBytes(ListLineEnd end);

private:
    struct Line {
        std::size_t start = 0;
        std::size_t contentSize = 0;
        ListLineEnd end = ListLineEnd::None;
        int item = -1;
    };

    void SplitLines();
    void FindItems();
    void DecideEncoding();
    void DecideLineEnd();

    std::string m_bytes;
    bool m_hasBom = false;
    ListEncoding m_encoding = ListEncoding::Utf8;
    ListLineEnd m_dominantEnd = ListLineEnd::Lf;
    std::vector<Line> m_lines;
    std::vector<int> m_itemLines;
    std::vector<std::string> m_itemTexts;
    int m_stopLine = -1;
};

} // namespace mosgrid
