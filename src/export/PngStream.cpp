#include "export/PngStream.h"

#include "export/PngEncoding.h"

#include <QIODevice>
#include <QImage>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <zlib.h>

#include <algorithm>

namespace mosgrid {

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr int kBitDepth = 8;
constexpr int kColourRgb = 2;
constexpr int kRgbBytes = 3;
// Rows start with their filter: Sub turns the flat runs of a chart into zeros and needs no
// row above, so pieces stay independent.
constexpr char kFilterSub = 1;
// A piece no smaller than this many rows, so the joins cost nothing measurable.
constexpr int kMinPieceRows = 16;
constexpr int kRawDeflate = -15;
constexpr int kMemLevel = 8;
// zlib's header for a 32 KB window and the fastest levels.
constexpr char kZlibHeader[] = "\x78\x01";

void AppendBigEndian(QByteArray& bytes, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += char((value >> shift) & 0xff);
}

struct Piece {
    const QImage* rgb = nullptr;
    int first = 0;
    int count = 0;
};

struct Compressed {
    QByteArray bytes;        // raw deflate, ended by a sync flush
    std::uint32_t adler = 1; // of the piece's filtered bytes
    qsizetype length = 0;    // how many filtered bytes
    bool ok = false;
};

QByteArray FilteredRows(const Piece& piece)
{
    const int width = piece.rgb->width();
    const qsizetype rowBytes = qsizetype(width) * kRgbBytes;
    QByteArray filtered(piece.count * (rowBytes + 1), Qt::Uninitialized);
    char* out = filtered.data();
    for (int y = piece.first; y < piece.first + piece.count; ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(piece.rgb->constScanLine(y));
        *out++ = kFilterSub;
        for (qsizetype i = 0; i < rowBytes; ++i)
            *out++ = char(row[i] - (i >= kRgbBytes ? row[i - kRgbBytes] : 0));
    }
    return filtered;
}

Compressed Compress(const Piece& piece)
{
    Compressed result;
    const QByteArray filtered = FilteredRows(piece);
    result.length = filtered.size();
    result.adler = std::uint32_t(adler32(1, reinterpret_cast<const Bytef*>(filtered.data()),
                                         uInt(filtered.size())));
    z_stream stream{};
    if (deflateInit2(&stream, kExportPngCompression, Z_DEFLATED, kRawDeflate, kMemLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        return result;
    result.bytes.resize(qsizetype(deflateBound(&stream, uLong(filtered.size()))) + 16);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(filtered.data()));
    stream.avail_in = uInt(filtered.size());
    stream.next_out = reinterpret_cast<Bytef*>(result.bytes.data());
    stream.avail_out = uInt(result.bytes.size());
    const int status = deflate(&stream, Z_SYNC_FLUSH);
    result.ok = status == Z_OK && stream.avail_in == 0;
    result.bytes.resize(result.bytes.size() - qsizetype(stream.avail_out));
    deflateEnd(&stream);
    return result;
}

} // namespace

PngStream::PngStream(QIODevice& out, bool parallel)
    : m_out(out)
    , m_parallel(parallel)
{
}

bool PngStream::WriteChunk(const char* type, const QByteArray& data)
{
    QByteArray chunk;
    chunk.reserve(data.size() + 12);
    AppendBigEndian(chunk, std::uint32_t(data.size()));
    chunk.append(type, 4);
    chunk += data;
    const uLong crc = crc32(crc32(0, nullptr, 0),
                            reinterpret_cast<const Bytef*>(chunk.constData() + 4),
                            uInt(data.size() + 4));
    AppendBigEndian(chunk, std::uint32_t(crc));
    if (m_out.write(chunk) != chunk.size())
        m_failed = true;
    return !m_failed;
}

bool PngStream::Begin(QSize size, const std::vector<std::pair<std::string, std::string>>& texts)
{
    if (m_failed || size.isEmpty())
        return false;
    m_size = size;
    if (m_out.write(kSignature, 8) != 8) {
        m_failed = true;
        return false;
    }
    QByteArray header;
    AppendBigEndian(header, std::uint32_t(size.width()));
    AppendBigEndian(header, std::uint32_t(size.height()));
    header += char(kBitDepth);
    header += char(kColourRgb);
    header += QByteArray(3, '\0');  // deflate, standard filters, no interlace
    if (!WriteChunk("IHDR", header))
        return false;
    for (const auto& [keyword, text] : texts) {
        if (!WriteChunk("tEXt", QByteArray::fromStdString(keyword) + '\0'
                                    + QByteArray::fromStdString(text)))
            return false;
    }
    return WriteChunk("IDAT", QByteArray(kZlibHeader, 2));
}

bool PngStream::WriteRows(const QImage& band)
{
    if (m_failed || band.width() != m_size.width()
        || m_rowsWritten + band.height() > m_size.height())
        return false;
    const QImage rgb = band.convertToFormat(QImage::Format_RGB888);
    const int cores = m_parallel ? std::max(1, QThread::idealThreadCount()) : 0;
    const int pieceCount = std::clamp(rgb.height() / kMinPieceRows, 1, std::max(1, cores * 2));
    std::vector<Piece> pieces;
    for (int i = 0; i < pieceCount; ++i) {
        const int first = int(qint64(rgb.height()) * i / pieceCount);
        const int last = int(qint64(rgb.height()) * (i + 1) / pieceCount);
        pieces.push_back(Piece{&rgb, first, last - first});
    }
    QList<Compressed> compressed;
    if (pieces.size() == 1)
        compressed << Compress(pieces.front());
    else
        compressed = QtConcurrent::blockingMapped<QList<Compressed>>(pieces, Compress);
    for (const Compressed& piece : compressed) {
        if (!piece.ok || !WriteChunk("IDAT", piece.bytes)) {
            m_failed = true;
            return false;
        }
        m_adler = std::uint32_t(adler32_combine(m_adler, piece.adler, piece.length));
    }
    m_rowsWritten += rgb.height();
    return true;
}

bool PngStream::Finish()
{
    if (m_failed || m_rowsWritten != m_size.height())
        return false;
    // The last, empty block ends the deflate data; the checksum ends the zlib stream.
    QByteArray end("\x03\x00", 2);
    AppendBigEndian(end, m_adler);
    return WriteChunk("IDAT", end) && WriteChunk("IEND", {});
}

} // namespace mosgrid
