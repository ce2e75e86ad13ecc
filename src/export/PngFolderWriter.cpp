#include "export/PngFolderWriter.h"

#include "export/ExportFileName.h"
#include "export/ExportTarget.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QSaveFile>
#include <QtConcurrent/QtConcurrentMap>

#include <cstdio>

namespace {

QByteArray EncodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setText(QStringLiteral("Software"), QString::fromLatin1(kExportCreator));
    if (!writer.write(image))
        return {};
    return bytes;
}

// Written beside it and renamed over it, so a file is never seen half written; not synced
// to the disk one by one (thousands of syncs cost seconds), the marker comes last.
bool WriteWhole(const QString& path, const QByteArray& bytes)
{
    const QString part = path + QStringLiteral(".part");
    QFile file(part);
    const bool written = !bytes.isEmpty() && file.open(QIODevice::WriteOnly)
        && file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (written && std::rename(QFile::encodeName(part).constData(),
                               QFile::encodeName(path).constData()) == 0)
        return true;
    QFile::remove(part);
    return false;
}

// A name the marker may list: a plain PNG file in the folder itself.
bool IsOwnFileName(const QString& name)
{
    return name.endsWith(QLatin1String(".png")) && !name.contains(QLatin1Char('/'))
        && !name.startsWith(QLatin1Char('.'));
}

} // namespace

PngFolderWriter::PngFolderWriter(const QString& folder)
    : m_folder(folder)
{
}

PngFolderWriter::~PngFolderWriter()
{
    Abort();
}

std::vector<ExportLayout::Range> PngFolderWriter::Runs(int count) const
{
    return ExportLayout::Split(count, kBatch);
}

bool PngFolderWriter::Begin(int count)
{
    m_count = count;
    if (!m_folder.mkpath(QStringLiteral(".")))
        return false;
    QFile marker(m_folder.filePath(QString::fromLatin1(kFolderMarkerName)));
    if (marker.open(QIODevice::ReadOnly) && marker.readLine().trimmed() == kExportCreator) {
        while (!marker.atEnd()) {
            const QString name = QString::fromUtf8(marker.readLine().trimmed());
            if (IsOwnFileName(name))
                m_previous << name;
        }
    }
    m_open = true;
    return true;
}

bool PngFolderWriter::Add(std::span<const ExportCell> cells)
{
    if (!m_open)
        return false;
    std::vector<QImage> images;
    for (const ExportCell& cell : cells)
        images.push_back(cell.image);
    const QList<QByteArray> encoded = QtConcurrent::blockingMapped<QList<QByteArray>>(
        images,
        [](const QImage& image) { return image.isNull() ? QByteArray() : EncodePng(image); });
    for (std::size_t i = 0; i < cells.size(); ++i) {
        // A thumbnail that could not be made has no file.
        if (cells[i].image.isNull())
            continue;
        const QString name = ExportFileName(cells[i].position, m_count, cells[i].code);
        if (!WriteWhole(m_folder.filePath(name), encoded[qsizetype(i)]))
            return false;
        m_written << name;
    }
    return true;
}

bool PngFolderWriter::WriteMarker(const QStringList& names)
{
    QSaveFile marker(m_folder.filePath(QString::fromLatin1(kFolderMarkerName)));
    if (!marker.open(QIODevice::WriteOnly))
        return false;
    QByteArray text = QByteArray(kExportCreator) + '\n';
    for (const QString& name : names)
        text += name.toUtf8() + '\n';
    return marker.write(text) == text.size() && marker.commit();
}

bool PngFolderWriter::Finish()
{
    if (!m_open)
        return false;
    m_open = false;
    // The last export's files that this one did not write again are out of date.
    const QSet<QString> written(m_written.begin(), m_written.end());
    for (const QString& name : std::as_const(m_previous)) {
        if (!written.contains(name))
            QFile::remove(m_folder.filePath(name));
    }
    return WriteMarker(m_written);
}

void PngFolderWriter::Abort()
{
    if (!m_open)
        return;
    m_open = false;
    // Both exports' files stay listed, so the next export can tidy them.
    QStringList names = m_previous;
    const QSet<QString> listed(m_previous.begin(), m_previous.end());
    for (const QString& name : std::as_const(m_written)) {
        if (!listed.contains(name))
            names << name;
    }
    WriteMarker(names);
}
