#include "chart/PeriodParam.h"
#include "settings/SettingsStore.h"
#include "settings/ViewChoices.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

struct StoredCase {
    const char* file;
    SortKey sort;
    bool descending;
    PeriodChoice period;
};

TEST(ViewChoices, ReadFromTheViewSectionWithTheDefaultsForAnythingElse)
{
    const StoredCase cases[] = {
        {"", SortKey::List, false, PeriodChoice::Definitions},
        {"[View]\nSort=volume\nSortDescending=1\nPeriod=weekly\n", SortKey::Volume, true,
         PeriodChoice::Weekly},
        {"[view]\nsort = CHANGE\nsortdescending=0\nperiod=\"Monthly\"\n", SortKey::Change, false,
         PeriodChoice::Monthly},
        {"[View]\nSort=price\nSortDescending=x\nPeriod=yearly\n", SortKey::List, false,
         PeriodChoice::Definitions},
        {"[View]\nSort=\nPeriod=daily\n", SortKey::List, false, PeriodChoice::Daily},
        {"[Chart]\nSort=name\n", SortKey::List, false, PeriodChoice::Definitions},
    };
    for (const StoredCase& c : cases) {
        TestProgramFolder folder({}, false);
        ASSERT_TRUE(WriteFileBytes(QString::fromStdString(folder.iniFile()), c.file));
        const SettingsStore settings(folder.iniFile());
        EXPECT_EQ(ReadSortKey(settings), c.sort) << c.file;
        EXPECT_EQ(ReadSortDescending(settings), c.descending) << c.file;
        EXPECT_EQ(ReadPeriodChoice(settings), c.period) << c.file;
    }
}

TEST(ViewChoices, WrittenAsTheirWordsAndReadBack)
{
    TestProgramFolder folder({}, false);
    const QString path = QString::fromStdString(folder.iniFile());
    ASSERT_TRUE(WriteFileBytes(path, "[Chart]\nNum=1\nChart0=Daily\n"));
    SettingsStore settings(folder.iniFile());
    for (const SortKey key : {SortKey::Code, SortKey::Name, SortKey::Change, SortKey::Last,
                              SortKey::Volume, SortKey::List}) {
        WriteSortKey(settings, key);
        EXPECT_EQ(ReadSortKey(settings), key);
    }
    WriteSortDescending(settings, true);
    WritePeriodChoice(settings, PeriodChoice::Monthly);
    EXPECT_EQ(ReadFileBytes(path), QByteArray("[Chart]\nNum=1\nChart0=Daily\n"
                                              "[View]\nSort=list\nSortDescending=1\n"
                                              "Period=monthly\n"));
}

TEST(PeriodParam, AppendedOnlyWhenOnePeriodIsChosen)
{
    const std::string stored = "AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0";
    EXPECT_EQ(WithPeriod(stored, PeriodChoice::Definitions), stored);
    EXPECT_EQ(WithPeriod(stored, PeriodChoice::Daily), stored + "; Period=Daily");
    EXPECT_EQ(WithPeriod(stored, PeriodChoice::Weekly), stored + "; Period=Weekly");
    EXPECT_EQ(WithPeriod("Period=Daily;", PeriodChoice::Monthly),
              "Period=Daily;; Period=Monthly");
    EXPECT_EQ(WithPeriod("", PeriodChoice::Weekly), "; Period=Weekly");
}

} // namespace
