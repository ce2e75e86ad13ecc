// What the program writes into the settings file besides the sheet: the window placement and
// the recent lists, each section in one replace of the file, and never a file of its own.
#include "app/RecentFiles.h"
#include "app/WindowPlacement.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsFile.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

// Counts the replaces of the settings file while it lives.
class ReplaceCounter {
public:
    ReplaceCounter()
    {
        SettingsFile::SetBeforeRenameHook([this] {
            ++m_count;
            return true;
        });
    }
    ~ReplaceCounter() { SettingsFile::SetBeforeRenameHook({}); }
    int count() const { return m_count; }

private:
    int m_count = 0;
};

class SettingsBatchesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    std::string Ini() const
    {
        return QFile::encodeName(m_dir.filePath("mosgrid.ini")).toStdString();
    }

    QTemporaryDir m_dir;
};

TEST_F(SettingsBatchesTest, ClosingTheWindowMakesNoSettingsFile)
{
    SettingsStore settings(Ini());
    QMainWindow window;
    window.setGeometry(40, 50, 520, 410);
    WindowPlacement::Save(window, settings);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("mosgrid.ini")));
}

TEST_F(SettingsBatchesTest, TheWindowSectionIsOneReplace)
{
    ASSERT_TRUE(WriteFileBytes(m_dir.filePath("mosgrid.ini"), "[Chart]\nSizeX=100\n"));
    SettingsStore settings(Ini());
    QMainWindow window;
    window.setGeometry(40, 50, 520, 410);
    const ReplaceCounter replaces;
    WindowPlacement::Save(window, settings);
    EXPECT_EQ(replaces.count(), 1);
    const std::optional<WindowPlacement::Saved> saved = WindowPlacement::Read(settings);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->geometry, window.normalGeometry());
    EXPECT_EQ(settings.ReadInt("Chart", "SizeX", 0), 100);
}

TEST_F(SettingsBatchesTest, TheRecentListIsOneReplace)
{
    SettingsStore settings(Ini());
    std::vector<std::string> files;
    for (int i = 0; i < 8; ++i)
        files.push_back("/lists/" + std::to_string(i) + ".lst");
    {
        const ReplaceCounter replaces;
        RecentFiles::Write(settings, files);
        EXPECT_EQ(replaces.count(), 1);
    }
    EXPECT_EQ(RecentFiles::Read(settings), files);
    // Shorter again: the keys left over are emptied in the same one replace.
    const ReplaceCounter replaces;
    RecentFiles::Write(settings, {files[3], files[0]});
    EXPECT_EQ(replaces.count(), 1);
    EXPECT_EQ(RecentFiles::Read(settings), (std::vector<std::string>{files[3], files[0]}));
    // Nothing changed: nothing written.
    RecentFiles::Write(settings, {files[3], files[0]});
    EXPECT_EQ(replaces.count(), 1);
}

} // namespace
