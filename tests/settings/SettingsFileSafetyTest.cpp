#include "SettingsTestFolder.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsFile.h"

#include "base/SafeFile.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <functional>
#include <string>
#include <vector>

using namespace mosgrid;

namespace {

using Names = std::vector<std::string>;

const std::string kOld = "; kept\r\n[Chart]\r\nSizeX=123\r\n";

bool WriteBytes(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    return ::close(fd) == 0 && ok;
}

std::string ReadFileBytes(const std::string& path)
{
    std::string bytes;
    const int fd = ::open(path.c_str(), O_RDONLY);
    char buffer[256];
    for (ssize_t got; fd >= 0 && (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, std::size_t(got));
    if (fd >= 0)
        ::close(fd);
    return bytes;
}

mode_t ModeOf(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Abandons every write just before its rename, as a crash there would, until destroyed.
class CrashBeforeRename {
public:
    explicit CrashBeforeRename(std::function<void()> probe = {})
    {
        SettingsFile::SetBeforeRenameHook([probe] {
            if (probe)
                probe();
            return false;
        });
    }
    ~CrashBeforeRename() { SettingsFile::SetBeforeRenameHook({}); }
};

TEST(SettingsStoreFileSafety, CrashBeforeRenameKeepsTheOldFile)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(kOld));
    SettingsStore settings(folder.iniPath());
    ASSERT_EQ(settings.ReadInt("Chart", "SizeX", 0), 123);
    {
        bool probed = false;
        const CrashBeforeRename crash([&] {
            probed = true;
            // The new bytes are on disk in the temporary file; the target is untouched.
            EXPECT_EQ(folder.Read(), kOld);
        });
        EXPECT_FALSE(settings.WriteText("Chart", "SizeX", "999"));
        EXPECT_TRUE(probed);
    }
    EXPECT_EQ(folder.Read(), kOld);
    EXPECT_EQ(folder.Entries(), Names{"mosgrid.ini"});
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 0), 123);

    // Nothing is left that blocks the next write.
    EXPECT_TRUE(settings.WriteText("Chart", "SizeX", "999"));
    EXPECT_EQ(folder.Read(), "; kept\r\n[Chart]\r\nSizeX=999\r\n");
}

TEST(SettingsStoreFileSafety, CrashBeforeRenameCreatesNoFile)
{
    SettingsTestFolder folder;
    SettingsStore settings(folder.iniPath());
    {
        const CrashBeforeRename crash;
        EXPECT_FALSE(settings.WriteText("Chart", "SizeX", "999"));
    }
    EXPECT_EQ(folder.Entries(), Names{});
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 300), 300);
}

TEST(SettingsStoreFileSafety, ReadOnlyFolderKeepsTheOldFileSilently)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(kOld));
    // The file itself may be written; only the folder refuses new files.
    ASSERT_EQ(::chmod(folder.iniPath().c_str(), 0666), 0);
    ASSERT_EQ(::chmod(folder.folder().c_str(), 0555), 0);

    bool written = true;
    int readBack = 0;
    const bool ran = RunUnprivileged([&] {
        SettingsStore settings(folder.iniPath());
        written = settings.WriteText("Chart", "SizeX", "999");
        readBack = settings.ReadInt("Chart", "SizeX", 0);
    });
    ::chmod(folder.folder().c_str(), 0700);
    if (!ran)
        GTEST_SKIP() << "cannot drop file-system privileges";
    EXPECT_FALSE(written);
    EXPECT_EQ(readBack, 123);
    EXPECT_EQ(folder.Read(), kOld);
    EXPECT_EQ(folder.Entries(), Names{"mosgrid.ini"});
}

TEST(SettingsStoreFileSafety, ReadOnlyFileIsNotReplaced)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(kOld));
    ASSERT_EQ(::chmod(folder.iniPath().c_str(), 0444), 0);
    ASSERT_EQ(::chmod(folder.folder().c_str(), 0777), 0);

    bool written = true;
    const bool ran = RunUnprivileged([&] {
        written = SettingsStore(folder.iniPath()).WriteText("Chart", "SizeX", "999");
    });
    ::chmod(folder.folder().c_str(), 0700);
    if (!ran)
        GTEST_SKIP() << "cannot drop file-system privileges";
    EXPECT_FALSE(written);
    EXPECT_EQ(folder.Read(), kOld);
    EXPECT_EQ(ModeOf(folder.iniPath()), mode_t(0444));
}

TEST(SettingsStoreFileSafety, UnreadableFileReadsDefaultsAndIsNotReplaced)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(kOld));
    ASSERT_EQ(::chmod(folder.iniPath().c_str(), 0200), 0);
    ASSERT_EQ(::chmod(folder.folder().c_str(), 0777), 0);
    if (::geteuid() == 0 && ::chown(folder.iniPath().c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "cannot hand the file to another user";

    int unreadable = 0;
    bool written = true;
    int readable = 0;
    const bool ran = RunUnprivileged([&] {
        SettingsStore settings(folder.iniPath());
        unreadable = settings.ReadInt("Chart", "SizeX", 300);
        written = settings.WriteText("Chart", "SizeY", "1");
        // A permission change alone leaves the modification time: it is still seen.
        ::chmod(folder.iniPath().c_str(), 0600);
        readable = settings.ReadInt("Chart", "SizeX", 300);
    });
    ::chmod(folder.folder().c_str(), 0700);
    if (!ran)
        GTEST_SKIP() << "cannot drop file-system privileges";
    EXPECT_EQ(unreadable, 300);
    EXPECT_FALSE(written);
    EXPECT_EQ(readable, 123);
    EXPECT_EQ(folder.Read(), kOld);
}

class SettingsStoreReadOnlyMode : public ::testing::TestWithParam<mode_t> {};

// No write bit for anyone: never written, by root neither (root passes access(2)).
TEST_P(SettingsStoreReadOnlyMode, IsNeverReplaced)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(kOld));
    ASSERT_EQ(::chmod(folder.iniPath().c_str(), GetParam()), 0);
    SettingsStore settings(folder.iniPath());
    EXPECT_FALSE(settings.WriteText("Chart", "SizeX", "999"));
    EXPECT_FALSE(settings.WriteTexts({{"Chart", "SizeX", "999"}}));
    EXPECT_EQ(ModeOf(folder.iniPath()), GetParam());
    ::chmod(folder.iniPath().c_str(), 0600);
    EXPECT_EQ(folder.Read(), kOld);
    EXPECT_EQ(folder.Entries(), Names{"mosgrid.ini"});
}

INSTANTIATE_TEST_SUITE_P(Modes, SettingsStoreReadOnlyMode,
                         ::testing::Values(mode_t(0444), mode_t(0400), mode_t(0440),
                                           mode_t(0555), mode_t(0000)));

class SettingsStoreKeptMode : public ::testing::TestWithParam<mode_t> {};

// A write changes the file's bytes, never its mode.
TEST_P(SettingsStoreKeptMode, IsExactlyTheOldMode)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(kOld));
    ASSERT_EQ(::chmod(folder.iniPath().c_str(), GetParam()), 0);
    ASSERT_EQ(ModeOf(folder.iniPath()), GetParam());
    const bool written = SettingsStore(folder.iniPath()).WriteText("Chart", "SizeX", "1");
    EXPECT_EQ(ModeOf(folder.iniPath()), GetParam());
    if (::geteuid() != 0 && (GetParam() & 0600) != 0600)
        return;  // its owner may not read and write it; root may
    EXPECT_TRUE(written);
}

INSTANTIATE_TEST_SUITE_P(Modes, SettingsStoreKeptMode,
                         ::testing::Values(mode_t(0640), mode_t(0600), mode_t(0604),
                                           mode_t(0606), mode_t(0664), mode_t(0460),
                                           mode_t(0462), mode_t(0246), mode_t(02664)));

TEST(SettingsStoreFileSafety, OwnerIsKeptWhenRootWrites)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root writes another user's file";
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(kOld));
    ASSERT_EQ(::chown(folder.iniPath().c_str(), 65534, 65534), 0);
    ASSERT_TRUE(SettingsStore(folder.iniPath()).WriteText("Chart", "SizeX", "1"));
    struct stat info;
    ASSERT_EQ(::stat(folder.iniPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, uid_t(65534));
    EXPECT_EQ(info.st_gid, gid_t(65534));
}

TEST(SettingsStoreFileSafety, NewFileTakesTheUmask)
{
    SettingsTestFolder folder;
    const mode_t old = ::umask(027);
    const bool written = SettingsStore(folder.iniPath()).WriteText("Chart", "SizeX", "1");
    ::umask(old);
    ASSERT_TRUE(written);
    EXPECT_EQ(ModeOf(folder.iniPath()), mode_t(0640));
}

// Temporary files of killed writes go with the next write; nothing else does.
TEST(SettingsStoreFileSafety, StaleTemporaryFilesAreRemoved)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(kOld));
    const Names stale = {"mosgrid.ini.Ab3dE9", "mosgrid.ini.zzzzzz", "mosgrid.ini.012345"};
    const Names kept = {"mosgrid.ini.held01", "mosgrid.ini.abcde", "mosgrid.ini.abcdefg",
                        "mosgrid.ini.ab-def", "other.ini.abcdef", "mosgrid.ini~"};
    for (const Names* names : {&stale, &kept})
        for (const std::string& name : *names)
            ASSERT_TRUE(WriteBytes(folder.filePath(name), "x")) << name;
    ASSERT_EQ(::mkdir(folder.filePath("mosgrid.ini.dir001").c_str(), 0700), 0);
    // A write still going on in another process holds its file.
    const int held = ::open(folder.filePath("mosgrid.ini.held01").c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    EXPECT_TRUE(SettingsStore(folder.iniPath()).WriteText("Chart", "SizeX", "1"));
    ::close(held);
    Names expected = kept;
    expected.push_back("mosgrid.ini");
    expected.push_back("mosgrid.ini.dir001");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder.Entries(), expected);
}

TEST(SettingsStoreFileSafety, StaleTemporaryFilesBesideALinksTarget)
{
    SettingsTestFolder folder;
    ASSERT_EQ(::mkdir(folder.filePath("real").c_str(), 0700), 0);
    ASSERT_EQ(::symlink("real/settings.ini", folder.iniPath().c_str()), 0);
    ASSERT_TRUE(WriteBytes(folder.filePath("real/settings.ini.Qx7pLm"), "x"));
    ASSERT_TRUE(WriteBytes(folder.filePath("mosgrid.ini.Qx7pLm"), "x"));
    EXPECT_TRUE(SettingsStore(folder.iniPath()).WriteText("Chart", "SizeX", "1"));
    const std::string stale = folder.filePath("real/settings.ini.Qx7pLm");
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(stale)));
    EXPECT_EQ(folder.Entries(), (Names{"mosgrid.ini", "mosgrid.ini.Qx7pLm", "real"}));
}

TEST(SettingsStoreFileSafety, LinkIsWrittenThroughToItsTarget)
{
    SettingsTestFolder folder;
    ASSERT_EQ(::mkdir(folder.filePath("real").c_str(), 0700), 0);
    const std::string target = folder.filePath("real/settings.ini");
    ASSERT_EQ(::symlink("real/settings.ini", folder.iniPath().c_str()), 0);

    SettingsStore settings(folder.iniPath());
    // Dangling at first: the write creates the target, not a file in the link's place.
    ASSERT_TRUE(settings.WriteText("Chart", "SizeX", "1"));
    ASSERT_TRUE(settings.WriteText("Chart", "SizeX", "2"));

    const QFileInfo link(QString::fromStdString(folder.iniPath()));
    EXPECT_TRUE(link.isSymLink());
    EXPECT_EQ(folder.Read(), "[Chart]\r\nSizeX=2\r\n");
    EXPECT_EQ(folder.Entries(), (Names{"mosgrid.ini", "real"}));
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 0), 2);
    EXPECT_EQ(QFileInfo(QString::fromStdString(target)).size(), 18);
}

// A disk that fills during the write: the write is reported failed, the old file stays
// whole and no temporary file is left; for a first write, no file appears.
struct FullDiskRow {
    const char* name;
    long long spaceLeft;
    bool fileBefore;
};

class SettingsStoreFullDisk : public ::testing::TestWithParam<FullDiskRow> {
protected:
    void TearDown() override { SafeFile::SetSpaceLeftForTesting(-1); }
};

TEST_P(SettingsStoreFullDisk, FailedWriteKeepsEverything)
{
    const FullDiskRow& row = GetParam();
    SettingsTestFolder folder;
    if (row.fileBefore) {
        ASSERT_TRUE(folder.Write(kOld));
    }
    SettingsStore settings(folder.iniPath());
    SafeFile::SetSpaceLeftForTesting(row.spaceLeft);
    EXPECT_FALSE(settings.WriteText("Chart", "SizeX", "456"));
    SafeFile::SetSpaceLeftForTesting(-1);
    if (row.fileBefore) {
        EXPECT_EQ(folder.Read(), kOld);
        EXPECT_EQ(folder.Entries(), Names{"mosgrid.ini"});
        EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 0), 123);
    } else {
        EXPECT_TRUE(folder.Entries().empty());
    }
    // Room again: the same write goes through.
    EXPECT_TRUE(settings.WriteText("Chart", "SizeX", "456"));
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 0), 456);
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreFullDisk,
                         ::testing::Values(FullDiskRow{"NoRoomAtAll", 0, true},
                                           FullDiskRow{"RoomForAFewBytes", 7, true},
                                           FullDiskRow{"FirstWrite", 3, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A link someone else planted at the settings file (or on the way to its target) is not
// followed: the file it names keeps its bytes, and the write says it failed.
TEST(SettingsStoreFileSafety, LinkOfAnotherUserIsNotFollowed)
{
    SettingsTestFolder folder;
    const std::string victim = folder.filePath("victim.txt");
    ASSERT_TRUE(WriteBytes(victim, "mine"));
    ASSERT_EQ(::symlink("victim.txt", folder.iniPath().c_str()), 0);
    constexpr uid_t kSomeoneElse = 65534;
    if (::geteuid() == kSomeoneElse || ::lchown(folder.iniPath().c_str(), kSomeoneElse, -1) != 0)
        GTEST_SKIP() << "cannot hand the link to another user";
    EXPECT_FALSE(SettingsStore(folder.iniPath()).WriteText("Chart", "SizeX", "1"));
    EXPECT_EQ(ReadFileBytes(victim), "mine");
    struct stat info;
    ASSERT_EQ(::lstat(folder.iniPath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(folder.Entries(), (Names{"mosgrid.ini", "victim.txt"}));
}

TEST(SettingsStoreFileSafety, FifoInPlaceOfTheFile)
{
    SettingsTestFolder folder;
    ASSERT_EQ(::mkfifo(folder.iniPath().c_str(), 0600), 0);
    SettingsStore settings(folder.iniPath());
    // Neither blocks on the FIFO nor replaces it.
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 300), 300);
    EXPECT_FALSE(settings.WriteText("Chart", "SizeX", "1"));
    struct stat info;
    ASSERT_EQ(::lstat(folder.iniPath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST(SettingsStoreFileSafety, FolderInPlaceOfTheFile)
{
    SettingsTestFolder folder;
    ASSERT_EQ(::mkdir(folder.iniPath().c_str(), 0700), 0);
    SettingsStore settings(folder.iniPath());
    EXPECT_EQ(settings.ReadText("Charts", "Param", "d"), "d");
    EXPECT_FALSE(settings.WriteText("Charts", "Param", "x"));
    EXPECT_TRUE(QFileInfo(QString::fromStdString(folder.iniPath())).isDir());
}

TEST(SettingsStoreFileSafety, PathsThatCannotHoldTheFile)
{
    SettingsTestFolder folder;
    for (const std::string& path : {folder.filePath("gone/mosgrid.ini"), std::string()}) {
        SettingsStore settings(path);
        EXPECT_EQ(settings.ReadInt("Chart", "SizeY", 180), 180) << path;
        EXPECT_FALSE(settings.WriteText("Chart", "SizeY", "1")) << path;
    }
    EXPECT_EQ(folder.Entries(), Names{});
}

} // namespace
