#include "RowName.h"
#include "SettingsTestFolder.h"

#include "settings/SettingsLocation.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

using namespace mosgrid;

namespace {

const std::string kExeDir = "/opt/mosgrid/";
const std::string kBeside = "/opt/mosgrid//mosgrid.ini";

// Which file the program uses, for a program folder that can or cannot be written and the
// environment the per-user location comes from.
struct ChoiceRow {
    std::string name;
    bool folderWritable;
    SettingsLocation::Environment environment;
    std::string iniFile;
    std::string seedFile;
};

void PrintTo(const ChoiceRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsLocationChoice : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(SettingsLocationChoice, PicksTheFileAndItsSeed)
{
    const ChoiceRow& row = GetParam();
    std::string asked;
    const SettingsLocation location =
        SettingsLocation::Choose(kExeDir, row.environment, [&](const std::string& folder) {
            asked = folder;
            return row.folderWritable;
        });
    EXPECT_EQ(asked, kExeDir);
    EXPECT_EQ(location.iniFile(), row.iniFile);
    EXPECT_EQ(location.seedFile(), row.seedFile);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsLocationChoice,
    ::testing::Values(
        ChoiceRow{"WritableFolderKeepsTheFileBesideTheProgram", true,
                  {"/xdg", "/home/u"}, kBeside, ""},
        ChoiceRow{"ReadOnlyFolderUsesXdgConfigHome", false,
                  {"/xdg", "/home/u"}, "/xdg/mosgrid/mosgrid.ini", kBeside},
        ChoiceRow{"TrailingSeparatorsOfXdgConfigHomeAreDropped", false,
                  {"/xdg//", "/home/u"}, "/xdg/mosgrid/mosgrid.ini", kBeside},
        ChoiceRow{"EmptyXdgConfigHomeMeansDotConfig", false,
                  {"", "/home/u"}, "/home/u/.config/mosgrid/mosgrid.ini", kBeside},
        ChoiceRow{"RelativeXdgConfigHomeIsIgnored", false,
                  {"xdg", "/home/u"}, "/home/u/.config/mosgrid/mosgrid.ini", kBeside},
        ChoiceRow{"RootAsConfigHome", false,
                  {"/", "/home/u"}, "/mosgrid/mosgrid.ini", kBeside},
        ChoiceRow{"NoHomeAtAllStaysBesideTheProgram", false,
                  {"", ""}, kBeside, ""},
        ChoiceRow{"RelativeHomeIsNoHome", false,
                  {"", "home"}, kBeside, ""}),
    RowName<ChoiceRow>);

// The real check on real folders: for the owner (root included, held to the owner's bits)
// and, when the suite runs as root, for another user.
struct AccessRow {
    std::string name;
    mode_t mode;
    bool ownerMayWrite;
    bool otherMayWrite;
};

void PrintTo(const AccessRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsLocationAccess : public ::testing::TestWithParam<AccessRow> {};

TEST_P(SettingsLocationAccess, FolderWritableByModeBits)
{
    const AccessRow& row = GetParam();
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.isValid());
    const std::string program = folder.filePath("program");
    ASSERT_EQ(::mkdir(program.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(program.c_str(), row.mode), 0);
    // The parent lets everyone in, so only the folder's own mode decides.
    ASSERT_EQ(::chmod(folder.folder().c_str(), 0755), 0);

    EXPECT_EQ(SettingsLocation::CanWriteFolder(program), row.ownerMayWrite);
    if (::geteuid() == 0) {
        bool other = !row.otherMayWrite;
        ASSERT_TRUE(RunUnprivileged([&] { other = SettingsLocation::CanWriteFolder(program); }));
        EXPECT_EQ(other, row.otherMayWrite);
    }
    ::chmod(program.c_str(), 0700);
    ::chmod(folder.folder().c_str(), 0700);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsLocationAccess,
    ::testing::Values(AccessRow{"OwnerOnly", 0700, true, false},
                      AccessRow{"Installed", 0755, true, false},
                      AccessRow{"ReadOnly", 0555, false, false},
                      AccessRow{"NoSearch", 0666, false, false},
                      AccessRow{"Shared", 0777, true, true}),
    RowName<AccessRow>);

TEST(SettingsLocationAccess, MissingFolderOrAFileIsNotAWritableFolder)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write("[Chart]\n"));
    EXPECT_FALSE(SettingsLocation::CanWriteFolder(folder.filePath("missing")));
    EXPECT_FALSE(SettingsLocation::CanWriteFolder(folder.iniPath()));
    EXPECT_FALSE(SettingsLocation::CanWriteFolder(""));
    EXPECT_TRUE(SettingsLocation::CanWriteFolder(folder.folder()));
}

} // namespace
