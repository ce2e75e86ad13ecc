#pragma once

#include "catalog/CListFileReader.h"

#include <string_view>
#include <vector>

namespace mosgrid {

// The list reader fed from memory, one piece per read, so that the caller learns which piece
// the reader has got to after each line it returns.
class ListBytesReader : public CListFileReader {
public:
    // pieces: the consecutive parts of one text; they must outlive the reader.
    explicit ListBytesReader(std::vector<std::string_view> pieces);

    void Open();
    // The piece holding the last byte handed to the reader; -1 before the first.
    int PieceOfLastByte() const { return m_lastPiece; }
    // Whether the reader asked for more after the last piece (it stopped at no byte of its own).
    bool ReachedEnd() const { return m_reachedEnd; }

protected:
    ssize_t ReadFromFile(int fd, char* buffer, std::size_t size) override;

private:
    std::vector<std::string_view> m_pieces;
    int m_nextPiece = 0;
    std::size_t m_nextOffset = 0;
    int m_lastPiece = -1;
    bool m_reachedEnd = false;
};

} // namespace mosgrid
