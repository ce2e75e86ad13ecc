#include "export/PngFolderWriter.h"

#include "base/SafeFile.h"
#include "export/ExportFileName.h"
#include "export/ExportOverwrite.h"
#include "export/ExportTarget.h"
#include "export/FolderMoveIn.h"
#include "export/PngEncoding.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QtConcurrent/QtConcurrentMap>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace mosgrid {

namespace {

constexpr mode_t kFolderMode = 0777;  // the umask applies
constexpr int kCreateAttempts = 64;
constexpr int kBytesPerPixel = 4;

// A name the marker may list: a plain PNG file in the folder itself.
bool IsOwnFileName(const QString& name)
{
    return name.endsWith(QLatin1String(".png")) && !name.contains(QLatin1Char('/'))
        && !name.startsWith(QLatin1Char('.'));
}

std::string Bytes(const QString& name)
{
    return QFile::encodeName(name).toStdString();
}

// The names an earlier export listed in the marker (read without following a link).
QStringList PreviousNames(const std::string& folder)
{
    QStringList names;
    const int fd = ::open((folder + '/' + kFolderMarkerName).c_str(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return names;
    QFile marker;
    if (!marker.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return names;
    }
    if (marker.readLine().trimmed() != kExportCreator)
        return names;
    while (!marker.atEnd()) {
        const QString name = QString::fromUtf8(marker.readLine().trimmed());
        if (IsOwnFileName(name))
            names << name;
    }
    return names;
}

} // namespace

PngFolderWriter::PngFolderWriter(const QString& folder, QSize thumbnail)
    : m_thumbnail(thumbnail)
    , m_target(WithoutTrailingSlashes(Bytes(folder)))
{
}

PngFolderWriter::~PngFolderWriter()
{
    Abort();
}

std::vector<ExportLayout::Range> PngFolderWriter::Runs(int count) const
{
    const qint64 imageBytes = qint64(std::max(1, m_thumbnail.width()))
        * std::max(1, m_thumbnail.height()) * kBytesPerPixel;
    const int fitting = int(std::clamp<qint64>(kMaxBatchBytes / imageBytes, 1, kBatch));
    return ExportLayout::Split(count, fitting);
}

bool PngFolderWriter::MakeStaging()
{
    const std::size_t slash = m_target.rfind('/');
    const std::string parent = slash == std::string::npos ? std::string(".")
                                                          : m_target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? m_target : m_target.substr(slash + 1);
    if (!QDir().mkpath(QFile::decodeName(parent.c_str())))
        return false;
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        const std::string path = (slash == std::string::npos ? std::string() : parent) + '.'
            + name + ".mosgrid-"
            + std::to_string(QRandomGenerator::global()->bounded(1000000000));
        if (::mkdir(path.c_str(), kFolderMode) == 0) {
            m_staging = path;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool PngFolderWriter::Begin(int count)
{
    Abort();
    m_count = count;
    m_written.clear();
    if (!MakeStaging())
        return false;
    m_previous = PreviousNames(m_target);
    return true;
}

bool PngFolderWriter::WriteStaged(const QString& name, const QByteArray& bytes)
{
    SafeFile file(m_staging + '/' + Bytes(name));
    // One sync of the file system at the end instead of one per file, and no temporary
    // name: the fresh folder is the export's own.
    file.setSyncOnCommit(false);
    file.setDirect(true);
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly)
        && file.write(bytes) == bytes.size() && file.commit();
}

bool PngFolderWriter::Add(std::span<const ExportCell> cells)
{
    if (m_staging.empty())
        return false;
    std::vector<QImage> images;
    for (const ExportCell& cell : cells)
        images.push_back(cell.image);
    const QList<QByteArray> encoded = QtConcurrent::blockingMapped<QList<QByteArray>>(
        images,
        [](const QImage& image) { return image.isNull() ? QByteArray() : EncodeExportPng(image); });
    for (std::size_t i = 0; i < cells.size(); ++i) {
        // A thumbnail that could not be made has no file.
        if (cells[i].image.isNull())
            continue;
        const QString name = ExportFileName(cells[i].position, m_count, cells[i].code);
        if (!WriteStaged(name, encoded[qsizetype(i)]))
            return false;
        m_written << name;
    }
    return true;
}

bool PngFolderWriter::MoveIntoTarget()
{
    std::vector<std::string> names;
    for (const QString& name : std::as_const(m_written))
        names.push_back(Bytes(name));
    // The marker last: until it is in, the folder still lists the earlier export.
    names.push_back(kFolderMarkerName);

    struct stat info;
    const bool missing = ::lstat(m_target.c_str(), &info) != 0;
    if (missing && errno != ENOENT)
        return false;
    if (missing || S_ISLNK(info.st_mode)) {
        // Nothing there (or a link, replaced itself under force): the folder goes in whole.
        if (!missing && ::unlink(m_target.c_str()) != 0)
            return false;
        if (::rename(m_staging.c_str(), m_target.c_str()) != 0)
            return false;
        m_staging.clear();
        return true;
    }
    const QSet<QString> written(m_written.begin(), m_written.end());
    std::vector<std::string> retired;
    for (const QString& name : std::as_const(m_previous)) {
        if (!written.contains(name))
            retired.push_back(Bytes(name));
    }
    return FolderMoveIn(m_staging, m_target).Run(names, retired);
}

bool PngFolderWriter::Finish()
{
    if (m_staging.empty())
        return false;
    QByteArray text = QByteArray(kExportCreator) + '\n';
    for (const QString& name : std::as_const(m_written))
        text += name.toUtf8() + '\n';
    const bool done = WriteStaged(QString::fromLatin1(kFolderMarkerName), text)
        && SafeFile::SyncFileSystem(m_staging) && MoveIntoTarget();
    RemoveStaging();
    return done;
}

void PngFolderWriter::Abort()
{
    RemoveStaging();
}

void PngFolderWriter::RemoveStaging()
{
    // Only the export's own files and what it put aside lie there; links are not followed.
    if (!m_staging.empty())
        QDir(QFile::decodeName(m_staging.c_str())).removeRecursively();
    m_staging.clear();
}

} // namespace mosgrid
