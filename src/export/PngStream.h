#pragma once

#include <QSize>

#include <string>
#include <utility>
#include <vector>

class QImage;
class QIODevice;
struct png_struct_def;
struct png_info_def;

// A PNG written a band of rows at a time, so a picture of any height goes out in bounded
// memory. libpng reports errors by a long jump: only this class's own frames lie between
// the jump and its target, and they hold nothing that needs destroying.
class PngStream {
public:
    explicit PngStream(QIODevice& out);
    ~PngStream();
    PngStream(const PngStream&) = delete;
    PngStream& operator=(const PngStream&) = delete;

    // An 8-bit RGB picture of size, with text chunks (keyword, Latin-1 text) before it.
    bool Begin(QSize size, const std::vector<std::pair<std::string, std::string>>& texts);
    // The next rows, as wide as the picture (any format; converted here).
    bool WriteRows(const QImage& band);
    bool Finish();

private:
    bool WriteRawRows(const unsigned char* const* rows, int count);

    QIODevice& m_out;
    png_struct_def* m_png = nullptr;
    png_info_def* m_info = nullptr;
    QSize m_size;
    int m_rowsWritten = 0;
    bool m_failed = false;
};
