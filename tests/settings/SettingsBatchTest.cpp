#include "SettingsTestFolder.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace mosgrid;

namespace {

const std::string kOld = "[Chart]\r\nNum=1\r\nChart0=Daily\r\n";

const SettingsWriteBatch kWrites = {
    {"Chart", "Num", "2"},
    {"Chart", "Chart0", "Weekly"},
    {"Chart", "Chart1", "Monthly"},
    {"Name", "TextColor", "255"},
};

const std::string kNew =
    "[Chart]\r\nNum=2\r\nChart0=Weekly\r\nChart1=Monthly\r\n[Name]\r\nTextColor=255\r\n";

// Counts the renames of settings writes; `allow` says whether each may go through.
class RenameCounter {
public:
    explicit RenameCounter(bool allow = true)
    {
        SettingsFile::SetBeforeRenameHook([this, allow] {
            ++m_count;
            return allow;
        });
    }
    ~RenameCounter() { SettingsFile::SetBeforeRenameHook({}); }
    int count() const { return m_count; }

private:
    int m_count = 0;
};

TEST(SettingsStoreBatch, OneReplaceForAllWrites)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(kOld));
    SettingsStore settings(folder.iniPath());
    const RenameCounter renames;
    EXPECT_TRUE(settings.WriteTexts(kWrites));
    EXPECT_EQ(renames.count(), 1);
    EXPECT_EQ(folder.Read(), kNew);
    EXPECT_EQ(settings.ReadText("Chart", "Chart1", ""), "Monthly");
}

TEST(SettingsStoreBatch, SameBytesAsOneWriteAfterAnother)
{
    SettingsTestFolder one;
    SettingsTestFolder batch;
    for (const SettingsTestFolder* folder : {&one, &batch})
        ASSERT_TRUE(folder->Write(kOld));
    SettingsStore single(one.iniPath());
    for (const SettingsWrite& write : kWrites)
        ASSERT_TRUE(single.WriteText(write.section, write.key, write.value));
    ASSERT_TRUE(SettingsStore(batch.iniPath()).WriteTexts(kWrites));
    EXPECT_EQ(batch.Read(), one.Read());
}

// Whenever a crash could come, the file is the old one or the new one: never a new Num
// with old chart keys.
TEST(SettingsStoreBatch, FileIsOnlyEverOldOrNew)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(kOld));
    SettingsStore settings(folder.iniPath());
    std::vector<std::optional<std::string>> seen;
    SettingsFile::SetBeforeRenameHook([&] {
        seen.push_back(folder.Read());
        return true;
    });
    EXPECT_TRUE(settings.WriteTexts(kWrites));
    SettingsFile::SetBeforeRenameHook({});
    seen.push_back(folder.Read());
    for (const std::optional<std::string>& state : seen)
        EXPECT_TRUE(state == kOld || state == kNew) << state.value_or("<none>");
}

TEST(SettingsStoreBatch, CrashBeforeTheRenameKeepsTheOldFile)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(kOld));
    SettingsStore settings(folder.iniPath());
    {
        const RenameCounter crash(false);
        EXPECT_FALSE(settings.WriteTexts(kWrites));
    }
    EXPECT_EQ(folder.Read(), kOld);
    EXPECT_EQ(settings.ReadInt("Chart", "Num", 0), 1);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"mosgrid.ini"});
}

TEST(SettingsStoreBatch, UnwritableNameLeftOutOthersWritten)
{
    SettingsTestFolder folder;
    SettingsStore settings(folder.iniPath());
    const RenameCounter renames;
    EXPECT_FALSE(settings.WriteTexts({{"Chart", "Num", "1"}, {"Chart", "a=b", "x"},
                                      {"Chart", "Chart0", "Daily"}}));
    EXPECT_EQ(renames.count(), 1);
    EXPECT_EQ(folder.Read(), "[Chart]\r\nNum=1\r\nChart0=Daily\r\n");
}

TEST(SettingsStoreBatch, NothingToWriteLeavesTheFileAlone)
{
    SettingsTestFolder folder;
    SettingsStore settings(folder.iniPath());
    const RenameCounter renames;
    EXPECT_TRUE(settings.WriteTexts({}));
    EXPECT_FALSE(settings.WriteTexts({{"", "Num", "1"}}));
    EXPECT_EQ(renames.count(), 0);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{});
}

} // namespace
