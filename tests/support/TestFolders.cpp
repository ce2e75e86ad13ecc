#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool copyTree(const QString& from, const QString& to)
{
    QDir source(from);
    if (!source.exists())
        return true;
    if (!QDir().mkpath(to))
        return false;
    const auto entries = source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QString target = to + '/' + entry.fileName();
        if (entry.isDir()) {
            if (!copyTree(entry.filePath(), target))
                return false;
        } else if (!QFile::copy(entry.filePath(), target)) {
            return false;
        }
    }
    return true;
}

} // namespace

QString BuiltProgramDir()
{
    return QStringLiteral(MOSGRID_PROGRAM_DIR);
}

TestProgramFolder::TestProgramFolder(const QStringList& components, bool copyComponents)
{
    if (!m_dir.isValid())
        return;
    const QString built = BuiltProgramDir();
    QFile::copy(built + "/mosgrid", path() + "/mosgrid");
    copyTree(built + "/help", path() + "/help");
    QDir().mkpath(path() + "/components");
    if (!copyComponents)
        return;
    const QDir pluginDir(built + "/components");
    for (const QFileInfo& plugin : pluginDir.entryInfoList(QDir::Files)) {
        if (components.isEmpty() || components.contains(plugin.fileName()))
            QFile::copy(plugin.filePath(), path() + "/components/" + plugin.fileName());
    }
}

QString TestProgramFolder::path() const
{
    return m_dir.path();
}

std::string TestProgramFolder::exeDir() const
{
    return QFile::encodeName(path()).toStdString() + '/';
}

std::string TestProgramFolder::iniFile() const
{
    return exeDir() + "/mosgrid.ini";
}

QString TestProgramFolder::filePath(const QString& relative) const
{
    return path() + '/' + relative;
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

QByteArray ReadFileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
