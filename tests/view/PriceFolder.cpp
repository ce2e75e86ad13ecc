#include "PriceFolder.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

PriceFolder::PriceFolder(const QString& path)
    : m_path(path)
{
    QDir().mkpath(m_path);
}

std::string PriceFolder::source() const
{
    return QFile::encodeName(m_path).toStdString();
}

bool PriceFolder::Write(const std::string& code, const std::string& text, int age) const
{
    QFile file(m_path + QLatin1Char('/') + QString::fromStdString(code) + ".csv");
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(text.data(), qint64(text.size())) == qint64(text.size());
    file.close();
    return written && Touch(code, age);
}

bool PriceFolder::Touch(const std::string& code, int age) const
{
    const std::string path = source() + "/" + code + ".csv";
    const timespec when{std::time(nullptr) - age, 0};
    const timespec times[2] = {when, when};
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

std::string ListLine(const std::string& source, const std::string& code,
                     const std::string& name)
{
    return "1," + source + "," + code + "," + name + "\n";
}
