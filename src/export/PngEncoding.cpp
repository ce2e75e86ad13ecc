#include "export/PngEncoding.h"

#include "export/ExportTarget.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

QByteArray EncodeExportPng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(kExportPngCompression);
    writer.setText(QStringLiteral("Software"), QString::fromLatin1(kExportCreator));
    if (!writer.write(image))
        return {};
    return bytes;
}
