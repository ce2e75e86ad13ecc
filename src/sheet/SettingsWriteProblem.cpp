#include "sheet/SettingsWriteProblem.h"

#include "sheet/SheetTexts.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mosgrid {

namespace {

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

QString Shown(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool MayWrite(const std::string& path, const struct stat& info)
{
    return (info.st_mode & kAnyWrite) != 0
        && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

} // namespace

QString SettingsWriteProblem(const std::string& path)
{
    // The nearest folder that is there: what stands in the way of the ones below it.
    std::string folder = FolderOf(path);
    struct stat info {};
    bool found = ::stat(folder.c_str(), &info) == 0;
    while (!found && folder != "/" && folder != ".") {
        folder = FolderOf(folder);
        found = ::stat(folder.c_str(), &info) == 0;
    }
    if (!found)
        return SheetTexts::kWriteFailed;
    if (!S_ISDIR(info.st_mode))
        return SheetTexts::kWriteNotAFolder.arg(Shown(folder));
    if (!MayWrite(folder, info))
        return SheetTexts::kWriteFolderReadOnly.arg(Shown(folder));
    if (folder != FolderOf(path))
        return SheetTexts::kWriteFailed;  // the folders could be made but were not
    if (::stat(path.c_str(), &info) != 0)
        return SheetTexts::kWriteFailed;
    if (!S_ISREG(info.st_mode))
        return SheetTexts::kWriteNotAFile;
    if (!MayWrite(path, info))
        return SheetTexts::kWriteFileReadOnly;
    if (::access(path.c_str(), R_OK) != 0)
        return SheetTexts::kWriteFileUnreadable;
    return SheetTexts::kWriteFailed;
}

QString SettingsWriteFailedText(const std::string& path)
{
    return SheetTexts::kWriteFailedMessage.arg(Shown(path), SettingsWriteProblem(path));
}

} // namespace mosgrid
