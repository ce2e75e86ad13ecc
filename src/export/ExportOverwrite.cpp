#include "export/ExportOverwrite.h"

#include <QByteArray>
#include <QFile>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Qt writes a PDF's information dictionary near its start.
constexpr qint64 kPdfHeadBytes = 4096;
// A PNG's text comes before its pixels; give up after this many chunks.
constexpr int kMaxPngChunks = 64;
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

QByteArray Utf16BigEndian(const char* text)
{
    QByteArray bytes("\xfe\xff", 2);
    for (const char* c = text; *c != '\0'; ++c) {
        bytes += '\0';
        bytes += *c;
    }
    return bytes;
}

bool IsExportedPdf(QFile& file)
{
    const QByteArray head = file.read(kPdfHeadBytes);
    if (!head.startsWith("%PDF"))
        return false;
    return head.contains(QByteArray("/Creator (") + kExportCreator + ")")
        || head.contains(QByteArray("/Creator (") + Utf16BigEndian(kExportCreator) + ")");
}

quint32 BigEndian32(const QByteArray& bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    return (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | b[3];
}

bool IsExportedPng(QFile& file)
{
    if (file.read(8) != QByteArray(kPngSignature, 8))
        return false;
    const QByteArray wanted = QByteArray("Software") + '\0' + kExportCreator;
    for (int i = 0; i < kMaxPngChunks; ++i) {
        const QByteArray header = file.read(8);
        if (header.size() != 8)
            return false;
        const quint32 length = BigEndian32(header);
        const QByteArray type = header.mid(4, 4);
        if (type == "IDAT" || type == "IEND")
            return false;
        if (type == "tEXt" && length == quint32(wanted.size()))
            return file.read(length) == wanted;
        if (!file.seek(file.pos() + qint64(length) + 4))
            return false;
    }
    return false;
}

bool IsExportedFolder(const fs::path& folder)
{
    QFile marker(QFile::decodeName((folder / kFolderMarkerName).string().c_str()));
    if (!marker.open(QIODevice::ReadOnly))
        return false;
    return marker.readLine().trimmed() == kExportCreator;
}

} // namespace

bool IsExportedFile(ExportKind kind, const std::string& path)
{
    QFile file(QFile::decodeName(path.c_str()));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return kind == ExportKind::Pdf ? IsExportedPdf(file) : IsExportedPng(file);
}

ExistingTarget ClassifyTarget(ExportKind kind, const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        return ExistingTarget::Nothing;
    if (kind == ExportKind::PngFolder) {
        if (!fs::is_directory(status))
            return ExistingTarget::WrongKind;
        if (IsExportedFolder(path))
            return ExistingTarget::PreviousExport;
        return fs::is_empty(path, error) && !error ? ExistingTarget::EmptyFolder
                                                   : ExistingTarget::OtherContent;
    }
    if (!fs::is_regular_file(status))
        return ExistingTarget::WrongKind;
    return IsExportedFile(kind, path) ? ExistingTarget::PreviousExport
                                      : ExistingTarget::OtherContent;
}

OverwriteVerdict DecideOverwrite(ExistingTarget existing, bool force)
{
    switch (existing) {
    case ExistingTarget::Nothing:
    case ExistingTarget::PreviousExport:
    case ExistingTarget::EmptyFolder:
        return OverwriteVerdict::Write;
    case ExistingTarget::OtherContent:
        return force ? OverwriteVerdict::Write : OverwriteVerdict::NeedsForce;
    case ExistingTarget::WrongKind:
        return OverwriteVerdict::Impossible;
    }
    return OverwriteVerdict::Impossible;
}
