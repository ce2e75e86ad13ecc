#include "CatalogTestSupport.h"

#include "catalog/ListFileWriter.h"

#include <QDir>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace mosgrid;

namespace {

using catalog_test::PrintTo;

const std::string kOld = "1,d,1001,a\n";
const std::string kMine = "1,d,1001,a\n2,d,1002,b\n";
const std::string kTheirs = "9,d,9999,z\n";

void SetModified(const std::string& path, long long seconds)
{
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// The same size and time as before, in a new file renamed over it.
void ReplaceKeepingSizeAndTime(const std::string& path)
{
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    const std::string other = path + ".new";
    ASSERT_TRUE(WriteFileBytes(QString::fromStdString(other),
                               QByteArray::fromStdString(std::string(kOld.size(), 'x'))));
    const timespec times[2] = {info.st_mtim, info.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), times, 0), 0);
    ASSERT_EQ(::rename(other.c_str(), path.c_str()), 0);
}

struct ChangeRow {
    std::string name;
    std::function<void(const std::string& path)> change;
    ListFileError error;
};

const ChangeRow kChangeRows[] = {
    {"Unchanged", [](const std::string&) {}, ListFileError::None},
    {"RewrittenInPlace",
     [](const std::string& path) {
         ASSERT_TRUE(WriteFileBytes(QString::fromStdString(path),
                                    QByteArray::fromStdString(kTheirs)));
     },
     ListFileError::ChangedOnDisk},
    {"TimeOnly", [](const std::string& path) { SetModified(path, 1000000000); },
     ListFileError::ChangedOnDisk},
    {"ReplacedSameSizeAndTime", ReplaceKeepingSizeAndTime, ListFileError::ChangedOnDisk},
    {"Removed", [](const std::string& path) { ASSERT_EQ(::unlink(path.c_str()), 0); },
     ListFileError::ChangedOnDisk},
};

class ListFileChanges : public testing::TestWithParam<ChangeRow> {
protected:
    QTemporaryDir m_dir;
};

TEST_P(ListFileChanges, WriteOnlyOverWhatWasRead)
{
    const ChangeRow& row = GetParam();
    const std::string path = WriteListFile(m_dir, kOld);
    SetModified(path, 1500000000);
    ListFileWriter writer(path);
    std::string bytes;
    ASSERT_EQ(writer.Read(bytes), ListFileError::None);
    EXPECT_EQ(bytes, kOld);
    row.change(path);
    const std::string before = ::access(path.c_str(), F_OK) == 0 ? ReadBytes(path) : "";

    EXPECT_EQ(writer.Write(kMine), row.error);
    if (row.error == ListFileError::None) {
        EXPECT_EQ(ReadBytes(path), kMine);
        // The file it wrote is the one it now knows.
        EXPECT_EQ(writer.Write(kOld), ListFileError::None);
        EXPECT_EQ(ReadBytes(path), kOld);
    } else if (!before.empty()) {
        EXPECT_EQ(ReadBytes(path), before);
    }
    // Nothing is left beside the list.
    EXPECT_LE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, ListFileChanges, testing::ValuesIn(kChangeRows),
                         RowName<ChangeRow>);

class ListFileWriting : public testing::Test {
protected:
    std::string ReadAndWrite(const std::string& path, ListFileError expected)
    {
        ListFileWriter writer(path);
        std::string bytes;
        EXPECT_EQ(writer.Read(bytes), ListFileError::None);
        EXPECT_EQ(writer.Write(kMine), expected);
        return ReadBytes(path);
    }

    QTemporaryDir m_dir;
};

TEST_F(ListFileWriting, ReadOnlyFileIsLeftAlone)
{
    const std::string path = WriteListFile(m_dir, kOld);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(ReadAndWrite(path, ListFileError::ReadOnly), kOld);
}

TEST_F(ListFileWriting, PermissionsKept)
{
    const std::string path = WriteListFile(m_dir, kOld);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    EXPECT_EQ(ReadAndWrite(path, ListFileError::None), kMine);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(ListFileWriting, LinkKeptAndItsFileWritten)
{
    const std::string real = WriteListFile(m_dir, kOld, QStringLiteral("real.txt"));
    const std::string link = NativePath(m_dir.filePath(QStringLiteral("link.txt")));
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    EXPECT_EQ(ReadAndWrite(link, ListFileError::None), kMine);
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadBytes(real), kMine);
}

TEST_F(ListFileWriting, StreamIsNoListToRewrite)
{
    const std::string path = NativePath(m_dir.filePath(QStringLiteral("fifo")));
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    ListFileWriter writer(path);
    std::string bytes;
    EXPECT_EQ(writer.Read(bytes), ListFileError::NotRegularFile);
}

TEST_F(ListFileWriting, NothingWrittenBeforeARead)
{
    const std::string path = WriteListFile(m_dir, kOld);
    ListFileWriter writer(path);
    EXPECT_EQ(writer.Write(kMine), ListFileError::ChangedOnDisk);
    EXPECT_EQ(ReadBytes(path), kOld);
}

TEST_F(ListFileWriting, MissingFileCannotBeRead)
{
    ListFileWriter writer(NativePath(m_dir.filePath(QStringLiteral("none.txt"))));
    std::string bytes;
    EXPECT_EQ(writer.Read(bytes), ListFileError::CannotRead);
    EXPECT_EQ(writer.SystemError(), ENOENT);
}

} // namespace
