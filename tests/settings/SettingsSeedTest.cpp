#include "RowName.h"
#include "SettingsTestFolder.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsLocation.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

using namespace mosgrid;

namespace {

using Bytes = std::optional<std::string>;

Bytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return bool(out << bytes);
}

mode_t ModeOf(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// A program folder and a config home in one temporary folder, and the settings file as the
// program chooses it for a program folder that can or cannot be written.
class SeedSetup {
public:
    explicit SeedSetup(bool folderWritable)
        : m_program(m_root.filePath("program"))
        , m_configHome(m_root.filePath("config"))
        , m_location(SettingsLocation::Choose(m_program + '/', {m_configHome, ""},
                                              [=](const std::string&) { return folderWritable; }))
    {
        ::mkdir(m_program.c_str(), 0755);
        SettingsStore::SetSeedFile(m_location.iniFile(), m_location.seedFile());
    }
    ~SeedSetup() { SettingsStore::SetSeedFile(m_location.iniFile(), {}); }

    bool isValid() const { return m_root.isValid(); }
    std::string besidePath() const { return m_program + "//mosgrid.ini"; }
    const std::string& configHome() const { return m_configHome; }
    std::string userFolder() const { return m_configHome + "/mosgrid"; }
    std::string userPath() const { return userFolder() + "/mosgrid.ini"; }
    const SettingsLocation& location() const { return m_location; }
    SettingsStore Settings() const { return SettingsStore(m_location.iniFile()); }
    std::vector<std::string> UserFolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(userFolder()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    SettingsTestFolder m_root;
    std::string m_program;
    std::string m_configHome;
    SettingsLocation m_location;
};

// The four situations of an installed or copied program: what is read before the first
// write, which file the write goes to and what it holds, and that the other file is left.
struct SeedRow {
    std::string name;
    bool folderWritable;
    Bytes beside;   // the file beside the program
    Bytes perUser;  // the per-user file
    int sizeXBefore;
    int sizeYBefore;
    bool writesPerUser;
    std::string written;  // the written file after SizeX=200
};

void PrintTo(const SeedRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsSeedCases : public ::testing::TestWithParam<SeedRow> {};

TEST_P(SettingsSeedCases, ReadsThenWritesTheRightFile)
{
    const SeedRow& row = GetParam();
    SeedSetup setup(row.folderWritable);
    ASSERT_TRUE(setup.isValid());
    if (row.beside) {
        ASSERT_TRUE(WriteBytes(setup.besidePath(), *row.beside));
    }
    if (row.perUser) {
        ASSERT_EQ(::mkdir(setup.configHome().c_str(), 0700), 0);
        ASSERT_EQ(::mkdir(setup.userFolder().c_str(), 0700), 0);
        ASSERT_TRUE(WriteBytes(setup.userPath(), *row.perUser));
    }

    SettingsStore settings = setup.Settings();
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 300), row.sizeXBefore);
    EXPECT_EQ(settings.ReadInt("Chart", "SizeY", 180), row.sizeYBefore);
    ASSERT_TRUE(settings.WriteText("Chart", "SizeX", "200"));

    const std::string written = row.writesPerUser ? setup.userPath() : setup.besidePath();
    EXPECT_EQ(setup.location().iniFile(), written);
    EXPECT_EQ(ReadBytes(written), row.written);
    if (row.writesPerUser)
        EXPECT_EQ(ReadBytes(setup.besidePath()), row.beside);
    else
        EXPECT_EQ(ReadBytes(setup.userPath()), row.perUser);
    // Kept for the next start, with what the first read saw.
    const SettingsStore next = setup.Settings();
    EXPECT_EQ(next.ReadInt("Chart", "SizeX", 300), 200);
    EXPECT_EQ(next.ReadInt("Chart", "SizeY", 180), row.sizeYBefore);
}

const std::string kSystemWide = "; site defaults\r\n[Chart]\r\nSizeX=111\r\nSizeY=99\r\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsSeedCases,
    ::testing::Values(
        SeedRow{"WritableFolder", true, std::nullopt, std::nullopt, 300, 180, false,
                "[Chart]\r\nSizeX=200\r\n"},
        SeedRow{"WritableFolderWithItsFile", true, "[Chart]\r\nSizeY=99\r\n", std::nullopt,
                300, 99, false, "[Chart]\r\nSizeY=99\r\nSizeX=200\r\n"},
        SeedRow{"ReadOnlyFolderWithoutAFile", false, std::nullopt, std::nullopt, 300, 180,
                true, "[Chart]\r\nSizeX=200\r\n"},
        SeedRow{"ReadOnlyFolderWithASystemWideFile", false, kSystemWide, std::nullopt, 111, 99,
                true, "; site defaults\r\n[Chart]\r\nSizeX=200\r\nSizeY=99\r\n"},
        SeedRow{"PerUserFilePresent", false, kSystemWide, "[Chart]\r\nSizeX=222\r\n", 222, 180,
                true, "[Chart]\r\nSizeX=200\r\n"},
        SeedRow{"EmptyPerUserFileStillWins", false, kSystemWide, "", 300, 180, true,
                "[Chart]\r\nSizeX=200\r\n"}),
    RowName<SeedRow>);

// The first write makes the folders and the file private whatever the umask.
class SettingsSeedModes : public ::testing::TestWithParam<mode_t> {};

TEST_P(SettingsSeedModes, FirstWriteCreatesPrivateFolderAndFile)
{
    SeedSetup setup(false);
    const mode_t previous = ::umask(GetParam());
    const bool written = setup.Settings().WriteText("Name", "TransParent", "1");
    ::umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(ModeOf(setup.configHome()), mode_t(0700));
    EXPECT_EQ(ModeOf(setup.userFolder()), mode_t(0700));
    EXPECT_EQ(ModeOf(setup.userPath()), mode_t(0600));
    // No temporary file is left beside it.
    EXPECT_EQ(setup.UserFolderEntries(), std::vector<std::string>{"mosgrid.ini"});
}

INSTANTIATE_TEST_SUITE_P(Umasks, SettingsSeedModes, ::testing::Values(0, 022, 077, 0277));

TEST(SettingsSeed, ExistingFoldersKeepTheirModes)
{
    SeedSetup setup(false);
    ASSERT_EQ(::mkdir(setup.configHome().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(setup.configHome().c_str(), 0751), 0);
    ASSERT_TRUE(setup.Settings().WriteText("Chart", "Num", "0"));
    EXPECT_EQ(ModeOf(setup.configHome()), mode_t(0751));
    EXPECT_EQ(ModeOf(setup.userFolder()), mode_t(0700));
}

TEST(SettingsSeed, SystemWideChangesAreSeenUntilThePerUserFileExists)
{
    SeedSetup setup(false);
    ASSERT_TRUE(WriteBytes(setup.besidePath(), "[Chart]\nSizeX=111\n"));
    SettingsStore settings = setup.Settings();
    ASSERT_EQ(settings.ReadInt("Chart", "SizeX", 300), 111);
    ASSERT_TRUE(WriteBytes(setup.besidePath(), "[Chart]\nSizeX=1122\n"));
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 300), 1122);

    ASSERT_TRUE(settings.WriteText("Chart", "SizeY", "50"));
    ASSERT_TRUE(WriteBytes(setup.besidePath(), "[Chart]\nSizeX=3\nSizeY=3\n"));
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 300), 1122);
    EXPECT_EQ(settings.ReadInt("Chart", "SizeY", 180), 50);
    EXPECT_EQ(ReadBytes(setup.besidePath()), "[Chart]\nSizeX=3\nSizeY=3\n");
}

TEST(SettingsSeed, TextsAndSectionsComeFromTheSeedWhileTheFileIsMissing)
{
    SeedSetup setup(false);
    ASSERT_TRUE(
        WriteBytes(setup.besidePath(), "[Charts]\nParam=FontSize=12\n[Chart]\nChart0=W\n"));
    const SettingsStore settings = setup.Settings();
    EXPECT_EQ(settings.ReadText("Charts", "Param", "d"), "FontSize=12");
    EXPECT_EQ(settings.ReadText("Charts", "Other", "d"), "d");
    const std::vector<SettingsStore::Entry> entries = settings.ReadSection("Chart");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], (SettingsStore::Entry{"Chart0", "W"}));
}

TEST(SettingsSeed, FolderThatCannotBeMadeWritesNothing)
{
    SeedSetup setup(false);
    // A file where the config home should be.
    ASSERT_TRUE(WriteBytes(setup.configHome(), "not a folder"));
    ASSERT_TRUE(WriteBytes(setup.besidePath(), "[Chart]\nSizeX=111\n"));
    SettingsStore settings = setup.Settings();
    EXPECT_FALSE(settings.WriteText("Chart", "SizeX", "200"));
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 300), 111);
    EXPECT_EQ(ReadBytes(setup.configHome()), "not a folder");
    EXPECT_EQ(ReadBytes(setup.besidePath()), "[Chart]\nSizeX=111\n");
}

// A link at the per-user file: one naming an existing file is the user's way of keeping it
// elsewhere and is written through; a dangling one is replaced by the private file, never
// followed to create its target with the umask's mode.
struct UserLinkRow {
    const char* name;
    bool targetExists;
    bool linkKept;
};

class SettingsSeedUserLink : public ::testing::TestWithParam<UserLinkRow> {};

TEST_P(SettingsSeedUserLink, WrittenThroughOnlyToAnExistingFile)
{
    const UserLinkRow& row = GetParam();
    SeedSetup setup(false);
    ASSERT_EQ(::mkdir(setup.configHome().c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(setup.userFolder().c_str(), 0700), 0);
    const std::string elsewhere = setup.userFolder() + "/elsewhere.ini";
    if (row.targetExists)
        ASSERT_TRUE(WriteBytes(elsewhere, ""));
    ASSERT_EQ(::symlink("elsewhere.ini", setup.userPath().c_str()), 0);
    const mode_t previous = ::umask(022);
    const bool written = setup.Settings().WriteText("Chart", "SizeX", "200");
    ::umask(previous);
    ASSERT_TRUE(written);
    struct stat info;
    ASSERT_EQ(::lstat(setup.userPath().c_str(), &info), 0);
    EXPECT_EQ(S_ISLNK(info.st_mode), row.linkKept);
    EXPECT_EQ(ReadBytes(setup.userPath()), "[Chart]\r\nSizeX=200\r\n");
    if (row.linkKept) {
        EXPECT_EQ(ReadBytes(elsewhere), "[Chart]\r\nSizeX=200\r\n");
    } else {
        EXPECT_EQ(ModeOf(setup.userPath()), mode_t(0600));
        EXPECT_EQ(ReadBytes(elsewhere), std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsSeedUserLink,
                         ::testing::Values(UserLinkRow{"LinkToAFile", true, true},
                                           UserLinkRow{"DanglingLink", false, false}),
                         RowName<UserLinkRow>);

} // namespace
