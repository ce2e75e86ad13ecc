#include "catalog/ListBytesReader.h"

#include "catalog/ListItemLines.h"

#include <algorithm>
#include <cstring>

namespace mosgrid {

namespace {

const char kInputName[] = "(memory)";

} // namespace

ListBytesReader::ListBytesReader(std::vector<std::string_view> pieces)
    : m_pieces(std::move(pieces))
{
}

void ListBytesReader::Open()
{
    m_nextPiece = 0;
    m_nextOffset = 0;
    m_lastPiece = -1;
    m_reachedEnd = false;
    OpenSupplied(kInputName, ListItemLines::kReaderFlags);
}

ssize_t ListBytesReader::ReadFromFile(int, char* buffer, std::size_t size)
{
    // Empty pieces hold nothing to hand over.
    while (m_nextPiece < int(m_pieces.size()) && m_nextOffset == m_pieces[m_nextPiece].size()) {
        ++m_nextPiece;
        m_nextOffset = 0;
    }
    if (m_nextPiece == int(m_pieces.size())) {
        m_reachedEnd = true;
        return 0;
    }
    const std::string_view piece = m_pieces[m_nextPiece];
    const std::size_t count = std::min(size, piece.size() - m_nextOffset);
    std::memcpy(buffer, piece.data() + m_nextOffset, count);
    m_nextOffset += count;
    m_lastPiece = m_nextPiece;
    return static_cast<ssize_t>(count);
}

} // namespace mosgrid
