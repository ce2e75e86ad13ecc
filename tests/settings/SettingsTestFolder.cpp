#include "SettingsTestFolder.h"

#include <QDir>
#include <QFile>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

namespace {

constexpr uid_t kNobody = 65534;

} // namespace

SettingsTestFolder::SettingsTestFolder()
    : m_folder(QFile::encodeName(m_dir.path()).toStdString())
    , m_iniPath(m_folder + "/mosgrid.ini")
{
}

std::string SettingsTestFolder::filePath(std::string_view name) const
{
    return m_folder + '/' + std::string(name);
}

bool SettingsTestFolder::Write(std::string_view bytes) const
{
    QFile file(QFile::decodeName(QByteArray::fromStdString(m_iniPath)));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

std::optional<std::string> SettingsTestFolder::Read() const
{
    QFile file(QFile::decodeName(QByteArray::fromStdString(m_iniPath)));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

std::vector<std::string> SettingsTestFolder::Entries() const
{
    std::vector<std::string> names;
    const QDir dir(m_dir.path());
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                             | QDir::NoDotAndDotDot))
        names.push_back(QFile::encodeName(name).toStdString());
    std::sort(names.begin(), names.end());
    return names;
}

bool RunUnprivileged(const std::function<void()>& body)
{
    if (::geteuid() != 0) {
        body();
        return true;
    }
    bool ran = false;
    std::thread worker([&] {
        ::setfsuid(kNobody);
        ::setfsgid(kNobody);
        // setfsuid reports the previous id; asking with an invalid one reads the current.
        if (::setfsuid(uid_t(-1)) != int(kNobody))
            return;
        body();
        ran = true;
    });
    worker.join();
    return ran;
}

bool SetModificationTime(const std::string& path, long long seconds, long nanoseconds)
{
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(seconds), nanoseconds}};
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}
