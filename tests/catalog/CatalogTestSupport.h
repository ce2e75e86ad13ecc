#pragma once

#include "base/MessageBox.h"
#include "catalog/CListFileReader.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <concepts>
#include <ostream>
#include <cerrno>
#include <cstdint>
#include <string>

using namespace mosgrid;

// A reader whose reads the test controls: at most `chunk` bytes per read (0: no limit),
// `interrupts` reads failing with EINTR first, and a failure with EIO once `failAfter`
// bytes have been delivered (negative: never).
class ScriptedReader : public CListFileReader {
public:
    std::size_t chunk = 0;
    int interrupts = 0;
    std::int64_t failAfter = -1;
    int readCalls = 0;

    void SetLineCounter(std::uint32_t value) { m_nLine = value; }

protected:
    ssize_t ReadFromFile(int fd, char* buffer, std::size_t size) override
    {
        ++readCalls;
        if (interrupts > 0) {
            --interrupts;
            errno = EINTR;
            return -1;
        }
        if (chunk > 0)
            size = std::min(size, chunk);
        if (failAfter >= 0) {
            if (m_delivered >= failAfter) {
                errno = EIO;
                return -1;
            }
            size = std::min<std::size_t>(size, failAfter - m_delivered);
        }
        const ssize_t count = CListFileReader::ReadFromFile(fd, buffer, size);
        if (count > 0)
            m_delivered += count;
        return count;
    }

private:
    std::int64_t m_delivered = 0;
};

// Collects message boxes while alive; afterwards any box fails the test again.
class MessageRecorder {
public:
    MessageRecorder()
    {
        SetMessageBoxHandler([this](const QString& text) { m_texts << text; });
    }
    ~MessageRecorder()
    {
        SetMessageBoxHandler([](const QString& text) {
            ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        });
    }
    const QStringList& texts() const { return m_texts; }

private:
    QStringList m_texts;
};

inline std::string NativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Writes bytes to name in dir and returns the path as the reader takes it.
inline std::string WriteListFile(const QTemporaryDir& dir, const std::string& bytes,
                                 const QString& name = QStringLiteral("list.txt"))
{
    const QString path = dir.filePath(name);
    EXPECT_TRUE(WriteFileBytes(path, QByteArray(bytes.data(), qsizetype(bytes.size()))));
    return NativePath(path);
}

inline std::string ReadBytes(const std::string& path)
{
    const QByteArray bytes = ReadFileBytes(QFile::decodeName(path.c_str()));
    return bytes.toStdString();
}

// gtest parameter names allow only letters, digits and '_'.
template <typename Row>
std::string RowName(const testing::TestParamInfo<Row>& info)
{
    return info.param.name;
}

namespace catalog_test {

// Failure messages name the table row instead of dumping its bytes.
template <typename Row>
    requires requires(const Row& row) { { row.name } -> std::convertible_to<std::string>; }
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

} // namespace catalog_test
