#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <string>

// A private copy of the built program folder (program, plugins, help pages), so that a
// test may write its own mosgrid.ini or remove a plugin without touching the build.
class TestProgramFolder {
public:
    // withComponents: the plugin names (file names under components/) to copy; empty
    // copies them all.
    explicit TestProgramFolder(const QStringList& components = {}, bool copyComponents = true);

    bool isValid() const { return m_dir.isValid(); }
    QString path() const;                 // no trailing separator
    std::string exeDir() const;           // with the trailing '/'
    std::string iniFile() const;          // "<exeDir>/mosgrid.ini" as the program builds it
    QString filePath(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};

// Writes bytes to a file, replacing it; returns false on failure.
bool WriteFileBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadFileBytes(const QString& path);

// The folder the build put the program in.
QString BuiltProgramDir();
