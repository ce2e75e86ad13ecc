#pragma once

#include <QByteArray>
#include <QSize>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class QImage;
class QIODevice;

namespace mosgrid {

// A PNG written a band of rows at a time, so a picture of any height goes out in bounded
// memory. Each band is cut into pieces compressed on every core at once, as independent
// deflate streams joined by sync flushes into the picture's one zlib stream.
class PngStream {
public:
    // parallel: false for a caller that already keeps every core busy.
    explicit PngStream(QIODevice& out, bool parallel = true);

    // An 8-bit RGB picture of size, with text chunks (keyword, Latin-1 text) before it.
    bool Begin(QSize size, const std::vector<std::pair<std::string, std::string>>& texts);
    // The next rows, as wide as the picture (any format; converted here).
    bool WriteRows(const QImage& band);
    bool Finish();

private:
    bool WriteChunk(const char* type, const QByteArray& data);

    QIODevice& m_out;
    QSize m_size;
    int m_rowsWritten = 0;
    std::uint32_t m_adler = 1;  // of every filtered byte so far
    bool m_parallel = true;
    bool m_failed = false;
};

} // namespace mosgrid
