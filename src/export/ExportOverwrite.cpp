#include "export/ExportOverwrite.h"

#include "export/CsvValueTable.h"

#include <QByteArray>
#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace mosgrid {

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

bool IsExportedCsv(QFile& file)
{
    const QByteArray head = CsvValueTable::Start() + kValueTableHeadStart;
    return file.read(head.size()) == head;
}

// Opens a regular file for reading without following a link at its name, and without
// waiting on a FIFO.
bool OpenPlainFile(QFile& file, const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool IsExportedFolder(const std::string& folder)
{
    QFile marker;
    if (!OpenPlainFile(marker, folder + '/' + kFolderMarkerName))
        return false;
    return marker.readLine().trimmed() == kExportCreator;
}

bool IsEmptyFolder(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return false;
    bool empty = true;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            empty = false;
            break;
        }
    }
    ::closedir(dir);
    return empty;
}

} // namespace

std::string WithoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool IsExportedFile(ExportKind kind, const std::string& path)
{
    QFile file;
    if (!OpenPlainFile(file, path))
        return false;
    switch (kind) {
    case ExportKind::Pdf:
        return IsExportedPdf(file);
    case ExportKind::Csv:
        return IsExportedCsv(file);
    case ExportKind::PngSheet:
    case ExportKind::PngFolder:
        break;
    }
    return IsExportedPng(file);
}

ExistingTarget ClassifyTarget(ExportKind kind, const std::string& given)
{
    // The name itself, never what a link there names: a link is someone else's.
    const std::string path = WithoutTrailingSlashes(given);
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0)
        return errno == ENOENT ? ExistingTarget::Nothing : ExistingTarget::OtherContent;
    if (S_ISLNK(info.st_mode))
        return ExistingTarget::OtherContent;
    if (kind == ExportKind::PngFolder) {
        if (!S_ISDIR(info.st_mode))
            return ExistingTarget::WrongKind;
        if (IsExportedFolder(path))
            return ExistingTarget::PreviousExport;
        return IsEmptyFolder(path) ? ExistingTarget::EmptyFolder : ExistingTarget::OtherContent;
    }
    if (!S_ISREG(info.st_mode))
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

} // namespace mosgrid
