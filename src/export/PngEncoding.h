#pragma once

#include <QByteArray>

class QImage;

namespace mosgrid {

// zlib's level for every exported PNG: thumbnails are mostly flat colour, where the fast
// levels come close to the best in a fraction of the time.
inline constexpr int kExportPngCompression = 1;

// One exported picture as a PNG file's bytes, marked as an export, on the calling thread;
// empty on failure.
QByteArray EncodeExportPng(const QImage& image);

} // namespace mosgrid
