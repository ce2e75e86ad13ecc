#include "export/PngEncoding.h"

#include "export/ExportTarget.h"
#include "export/PngStream.h"

#include <QBuffer>
#include <QImage>

namespace mosgrid {

QByteArray EncodeExportPng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Pictures are encoded side by side already: one thread each.
    PngStream png(buffer, false);
    if (!png.Begin(image.size(), {{"Software", kExportCreator}}) || !png.WriteRows(image)
        || !png.Finish())
        return {};
    return bytes;
}

} // namespace mosgrid
