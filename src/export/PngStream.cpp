#include "export/PngStream.h"

#include <QIODevice>
#include <QImage>

#include "export/PngEncoding.h"

#include <png.h>

#include <csetjmp>

namespace {

void WriteData(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<QIODevice*>(png_get_io_ptr(png));
    if (out->write(reinterpret_cast<const char*>(data), qint64(length)) != qint64(length))
        png_error(png, "write failed");
}

void FlushData(png_structp)
{
}

// No warnings on standard error: a failure is reported by the caller once.
void IgnoreWarning(png_structp, png_const_charp)
{
}

} // namespace

PngStream::PngStream(QIODevice& out)
    : m_out(out)
{
    m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning);
    if (m_png != nullptr)
        m_info = png_create_info_struct(m_png);
    m_failed = m_png == nullptr || m_info == nullptr;
}

PngStream::~PngStream()
{
    if (m_png != nullptr)
        png_destroy_write_struct(&m_png, m_info != nullptr ? &m_info : nullptr);
}

bool PngStream::Begin(QSize size, const std::vector<std::pair<std::string, std::string>>& texts)
{
    if (m_failed || size.isEmpty())
        return false;
    m_size = size;
    std::vector<png_text> chunks(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        chunks[i].compression = PNG_TEXT_COMPRESSION_NONE;
        chunks[i].key = const_cast<char*>(texts[i].first.c_str());
        chunks[i].text = const_cast<char*>(texts[i].second.c_str());
        chunks[i].text_length = texts[i].second.size();
    }
    png_text* chunkData = chunks.data();
    const int chunkCount = static_cast<int>(chunks.size());
    if (setjmp(png_jmpbuf(m_png))) {
        m_failed = true;
        return false;
    }
    png_set_write_fn(m_png, &m_out, WriteData, FlushData);
    // A sheet of a long catalog is taller than libpng's default limit of a million rows.
    png_set_user_limits(m_png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_compression_level(m_png, kExportPngCompression);
    png_set_IHDR(m_png, m_info, png_uint_32(size.width()), png_uint_32(size.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (chunkCount > 0)
        png_set_text(m_png, m_info, chunkData, chunkCount);
    png_write_info(m_png, m_info);
    return true;
}

bool PngStream::WriteRows(const QImage& band)
{
    if (m_failed || band.width() != m_size.width()
        || m_rowsWritten + band.height() > m_size.height())
        return false;
    const QImage rgb = band.convertToFormat(QImage::Format_RGB888);
    std::vector<const unsigned char*> rows(static_cast<std::size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        rows[y] = rgb.constScanLine(y);
    if (!WriteRawRows(rows.data(), rgb.height()))
        return false;
    m_rowsWritten += rgb.height();
    return true;
}

bool PngStream::WriteRawRows(const unsigned char* const* rows, int count)
{
    if (setjmp(png_jmpbuf(m_png))) {
        m_failed = true;
        return false;
    }
    for (int y = 0; y < count; ++y)
        png_write_row(m_png, rows[y]);
    return true;
}

bool PngStream::Finish()
{
    if (m_failed || m_rowsWritten != m_size.height())
        return false;
    if (setjmp(png_jmpbuf(m_png))) {
        m_failed = true;
        return false;
    }
    png_write_end(m_png, m_info);
    return true;
}
