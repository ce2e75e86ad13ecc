// What the settings file holds after the sheet closes, for user sessions driven through the
// real dialogs.
#include "SheetDriver.h"

#include "base/MessageBox.h"
#include "settings/SettingsFile.h"
#include "sheet/ColorChooser.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace mosgrid;

namespace {

enum Page { General = 0, Common = 1, Charts = 2 };
enum Id {
    AddId = 1001, DeleteId = 1002, SizeXId = 1005, SizeYId = 1006, ParamId = 1007,
    TextColorId = 1008, BackColorId = 1009, TransParentId = 1010
};

const QString kBuiltInChart = QStringLiteral("Daily; DispMaxMin=0");
const QString kBuiltInParam =
    QStringLiteral("AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0");

// What OK at once writes into a new file.
const QStringList kChartDefaults = {"[Chart]", "SizeX=300", "SizeY=180"};
const QStringList kNameDefaults = {"[Name]", "BackColor=8421440", "TextColor=16777215",
                                   "TransParent=0"};

// A hand-written file with every key, for sessions that must leave it alone.
const QByteArray kFullFile = HandIni({"[Chart]", "SizeX=400", "SizeY=200", "Num=2",
                                      "Chart0=Daily", "Chart1=Weekly", "[Charts]",
                                      "Param=FontSize=12", "[Name]", "BackColor=0",
                                      "TextColor=255", "TransParent=0"});

struct Session {
    const char* name;
    std::optional<QByteArray> before;  // nullopt: no settings file
    std::function<void(SheetDriver&)> act;
    bool ok;                           // closed with OK, else with Cancel
    std::optional<QByteArray> after;   // nullopt: still no settings file
};

// Failure messages name the row.
void PrintTo(const Session& session, std::ostream* os) { *os << session.name; }

void Ok(SheetDriver& d) { d.ok(); }

std::vector<Session> Sessions()
{
    return {
        {"CancelAtOnceCreatesNoFile", std::nullopt, [](SheetDriver& d) { d.cancel(); }, false,
         std::nullopt},
        {"CancelAfterEditsOnEveryPageWritesNothing", kFullFile,
         [](SheetDriver& d) {
             d.retype(SizeXId, "640");
             d.clickCheck(TransParentId);
             d.showPage(Common);
             d.retype(ParamId, "DispNum=20");
             d.showPage(Charts);
             d.addChart("Monthly");
             d.selectEntry(0);
             d.click(DeleteId);
             d.cancel();
         },
         false, kFullFile},
        {"EscapeWritesNothing", kFullFile,
         [](SheetDriver& d) {
             d.retype(SizeYId, "99");
             QTest::keyClick(&d.sheet(), Qt::Key_Escape);
         },
         false, kFullFile},
        {"OkAtOnceWritesTheFiveGeneralKeys", std::nullopt, Ok, true,
         NewIni(kChartDefaults + kNameDefaults)},
        {"OkAtOnceLeavesTheOtherPagesKeysAlone",
         HandIni({"[Chart]", "SizeX=400", "SizeY=200", "Num=2", "Chart0=A", "Chart1=B",
                  "[Charts]", "Param=X=1", "[Name]", "BackColor=0x10", "TextColor=255",
                  "TransParent=5"}),
         Ok, true,
         HandIni({"[Chart]", "SizeX=400", "SizeY=200", "Num=2", "Chart0=A", "Chart1=B",
                  "[Charts]", "Param=X=1", "[Name]", "BackColor=16", "TextColor=255",
                  "TransParent=1"})},
        {"StoredSizesBelowTenShowAndWriteTheDefaults",
         HandIni({"[Chart]", "SizeX=5", "SizeY=9"}),
         [](SheetDriver& d) {
             EXPECT_EQ(d.text(SizeXId), "300");
             EXPECT_EQ(d.text(SizeYId), "180");
             d.ok();
         },
         true, HandIni(QStringList{"[Chart]", "SizeX=300", "SizeY=180"} + kNameDefaults)},
        {"StoredSizesOfTenAreKept", HandIni({"[Chart]", "SizeX=10", "SizeY=10"}),
         [](SheetDriver& d) {
             EXPECT_EQ(d.text(SizeXId), "10");
             d.ok();
         },
         true, HandIni(QStringList{"[Chart]", "SizeX=10", "SizeY=10"} + kNameDefaults)},
        {"SizesAreWrittenAsTyped", std::nullopt,
         [](SheetDriver& d) {
             d.retype(SizeXId, "");
             d.retype(SizeYId, "12abc");
             d.ok();
         },
         true, NewIni(QStringList{"[Chart]", "SizeX=", "SizeY=12abc"} + kNameDefaults)},
        {"EditsSurviveSwitchingTabs", std::nullopt,
         [](SheetDriver& d) {
             d.retype(SizeXId, "640");
             d.showPage(Common);
             d.retype(ParamId, "DispNum=20");
             d.showPage(Charts);
             d.showPage(General);
             EXPECT_EQ(d.text(SizeXId), "640");
             d.showPage(Common);
             EXPECT_EQ(d.text(ParamId), "DispNum=20");
             d.ok();
         },
         true,
         NewIni(QStringList{"[Chart]", "SizeX=640", "SizeY=180", "Num=1",
                            "Chart0=" + kBuiltInChart}
                + kNameDefaults + QStringList{"[Charts]", "Param=DispNum=20"})},
        {"ChartsPageWithoutNumWritesTheBuiltInDefinition", std::nullopt,
         [](SheetDriver& d) {
             d.showPage(Charts);
             EXPECT_EQ(d.entries(), QStringList{kBuiltInChart});
             d.ok();
         },
         true,
         NewIni(kChartDefaults + QStringList{"Num=1", "Chart0=" + kBuiltInChart}
                + kNameDefaults)},
        {"DeletingEveryEntryWritesNumZero",
         HandIni({"[Chart]", "Num=2", "Chart0=A", "Chart1=B"}),
         [](SheetDriver& d) {
             d.showPage(Charts);
             d.selectEntry(1);
             d.click(DeleteId);
             d.selectEntry(0);
             d.click(DeleteId);
             EXPECT_TRUE(d.entries().isEmpty());
             d.ok();
         },
         true,
         HandIni(QStringList{"[Chart]", "Num=0", "Chart0=A", "Chart1=B", "SizeX=300",
                             "SizeY=180"}
                 + kNameDefaults)},
        {"ThreeEntriesCutToOneLeaveTheOldKeys",
         HandIni({"[Chart]", "SizeX=300", "SizeY=180", "Num=3", "Chart0=A", "Chart1=B",
                  "Chart2=C"}),
         [](SheetDriver& d) {
             d.showPage(Charts);
             d.selectEntry(0);
             d.click(DeleteId);
             d.selectEntry(1);
             d.click(DeleteId);
             EXPECT_EQ(d.entries(), QStringList{"B"});
             d.ok();
         },
         true,
         HandIni(QStringList{"[Chart]", "SizeX=300", "SizeY=180", "Num=1", "Chart0=B",
                             "Chart1=B", "Chart2=C"}
                 + kNameDefaults)},
        {"DeleteWithoutSelectionDoesNothing",
         HandIni({"[Chart]", "Num=2", "Chart0=A", "Chart1=B"}),
         [](SheetDriver& d) {
             d.showPage(Charts);
             d.click(DeleteId);
             d.selectEntry(0);
             d.click(DeleteId);
             d.click(DeleteId);  // the deletion left nothing selected
             EXPECT_EQ(d.entries(), QStringList{"B"});
             d.ok();
         },
         true,
         HandIni(QStringList{"[Chart]", "Num=1", "Chart0=B", "Chart1=B", "SizeX=300",
                             "SizeY=180"}
                 + kNameDefaults)},
        {"AddAppendsBlanksAndDuplicatesButNotEmptyOrCancelledText", std::nullopt,
         [](SheetDriver& d) {
             d.showPage(Charts);
             d.addChart("");
             d.addChart("Weekly", false);
             d.addChart("   ");
             d.addChart(kBuiltInChart);
             d.addChart(" Monthly ");
             EXPECT_EQ(d.entries(),
                       (QStringList{kBuiltInChart, "   ", kBuiltInChart, " Monthly "}));
             d.ok();
         },
         true,
         NewIni(kChartDefaults
                + QStringList{"Num=4", "Chart0=" + kBuiltInChart, "Chart1=   ",
                              "Chart2=" + kBuiltInChart, "Chart3= Monthly "}
                + kNameDefaults)},
        {"NegativeNumShowsNoEntries", HandIni({"[Chart]", "Num=-1", "Chart0=A"}),
         [](SheetDriver& d) {
             d.showPage(Charts);
             EXPECT_TRUE(d.entries().isEmpty());
             d.ok();
         },
         true,
         HandIni(QStringList{"[Chart]", "Num=0", "Chart0=A", "SizeX=300", "SizeY=180"}
                 + kNameDefaults)},
        {"MissingAndEmptyChartKeysAreLeftOut",
         HandIni({"[Chart]", "Num=4", "Chart0=A", "Chart2=", "Chart3=C", "Chart4=D"}),
         [](SheetDriver& d) {
             d.showPage(Charts);
             EXPECT_EQ(d.entries(), (QStringList{"A", "C"}));
             d.ok();
         },
         true,
         // Chart1 was missing, so it comes after the last key of the section.
         HandIni(QStringList{"[Chart]", "Num=2", "Chart0=A", "Chart2=", "Chart3=C",
                             "Chart4=D", "SizeX=300", "SizeY=180", "Chart1=C"}
                 + kNameDefaults)},
        {"ShiftJisDefinitionPassesThroughUnchanged",
         QByteArray("[Chart]\nNum=2\nChart0=\x93\xfa\x91\xab\nChart1=B\n"),
         [](SheetDriver& d) {
             d.showPage(Charts);
             EXPECT_EQ(d.entries(), (QStringList{QStringLiteral("日足"), "B"}));
             d.ok();
         },
         true,
         QByteArray("[Chart]\nNum=2\nChart0=\x93\xfa\x91\xab\nChart1=B\nSizeX=300\n"
                    "SizeY=180\n")
             + HandIni(kNameDefaults)},
        {"EmptyParamShowsAndWritesTheBuiltInParameters", HandIni({"[Charts]", "Param="}),
         [](SheetDriver& d) {
             d.showPage(Common);
             EXPECT_EQ(d.text(ParamId), kBuiltInParam);
             d.ok();
         },
         true,
         HandIni(QStringList{"[Charts]", "Param=" + kBuiltInParam} + kChartDefaults
                 + kNameDefaults)},
        {"SeveralLinesOfParametersStayOnOneLine", std::nullopt,
         [](SheetDriver& d) {
             d.showPage(Common);
             d.retype(ParamId, "FontSize=9;\nDispNum=30;\n\nAssistLine=1");
             d.ok();
         },
         true,
         NewIni(kChartDefaults + kNameDefaults
                + QStringList{"[Charts]", "Param=FontSize=9; DispNum=30;  AssistLine=1"})},
        {"UncheckingTransParentWritesZero", HandIni({"[Name]", "TransParent=1"}),
         [](SheetDriver& d) {
             d.clickCheck(TransParentId);
             d.ok();
         },
         true,
         HandIni({"[Name]", "TransParent=0", "BackColor=8421440", "TextColor=16777215"})
             + HandIni(kChartDefaults)},
        {"OddTransParentShowsCheckedAndWritesOne", HandIni({"[Name]", "TransParent=7"}), Ok,
         true,
         HandIni({"[Name]", "TransParent=1", "BackColor=8421440", "TextColor=16777215"})
             + HandIni(kChartDefaults)},
        {"ChosenColoursAreWrittenAsDecimal", std::nullopt,
         [](SheetDriver& d) {
             SetColorChooser([](ColorRef) { return ColorRef(0x0000FF); });  // pure red
             d.click(TextColorId);
             SetColorChooser([](ColorRef) { return ColorRef(0xFF0000); });  // pure blue
             d.click(BackColorId);
             d.ok();
         },
         true,
         NewIni(kChartDefaults
                + QStringList{"[Name]", "BackColor=16711680", "TextColor=255", "TransParent=0"})},
        {"CancelledColourDialogKeepsTheColour", HandIni({"[Name]", "BackColor=4210752"}),
         [](SheetDriver& d) {
             SetColorChooser([](ColorRef) { return std::nullopt; });
             d.click(BackColorId);
             d.click(TextColorId);
             d.ok();
         },
         true,
         HandIni({"[Name]", "BackColor=4210752", "TextColor=16777215", "TransParent=0"})
             + HandIni(kChartDefaults)},
    };
}

class SheetWritesTest : public ::testing::TestWithParam<Session> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        // A real colour dialog would wait for a user; sessions that click a colour
        // button install their own answer.
        SetColorChooser([](ColorRef) -> std::optional<ColorRef> {
            ADD_FAILURE() << "unexpected colour dialog";
            return std::nullopt;
        });
    }
    void TearDown() override { SetColorChooser({}); }

    SheetTestFolder m_folder;
};

TEST_P(SheetWritesTest, FileAfterClosing)
{
    const Session& session = GetParam();
    m_folder.setIni(session.before);
    SheetDriver driver;
    session.act(driver);
    EXPECT_FALSE(driver.sheet().isVisible());
    EXPECT_EQ(driver.accepted(), session.ok);
    const std::optional<QByteArray> after = m_folder.ini();
    ASSERT_EQ(after.has_value(), session.after.has_value());
    if (after) {
        EXPECT_EQ(after->toStdString(), session.after->toStdString());
    }
}

INSTANTIATE_TEST_SUITE_P(Sessions, SheetWritesTest, ::testing::ValuesIn(Sessions()),
                         [](const auto& info) { return std::string(info.param.name); });

// Counts the renames of settings writes while it lives; `allow` false fails each one as a
// crash before the rename would.
class RenameCounter {
public:
    explicit RenameCounter(bool allow)
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

void EditEveryPageAndOk(SheetDriver& d)
{
    d.retype(SizeXId, "640");
    d.showPage(Common);
    d.retype(ParamId, "DispNum=20");
    d.showPage(Charts);
    d.addChart("Monthly");
    d.ok();
}

TEST_F(SheetWritesTest, OneOkIsOneReplaceOfTheFile)
{
    m_folder.setIni(kFullFile);
    SheetDriver driver;
    const RenameCounter renames(true);
    EditEveryPageAndOk(driver);
    EXPECT_TRUE(driver.accepted());
    EXPECT_EQ(renames.count(), 1);
    EXPECT_EQ(m_folder.ini()->toStdString(),
              HandIni({"[Chart]", "SizeX=640", "SizeY=200", "Num=3", "Chart0=Daily",
                       "Chart1=Weekly", "Chart2=Monthly", "[Charts]", "Param=DispNum=20",
                       "[Name]", "BackColor=0", "TextColor=255", "TransParent=0"})
                  .toStdString());
}

// Wherever a crash comes while OK writes, the file is the old one or the new one.
TEST_F(SheetWritesTest, FileIsOnlyEverOldOrNew)
{
    m_folder.setIni(kFullFile);
    SheetDriver driver;
    std::vector<QByteArray> seen;
    SettingsFile::SetBeforeRenameHook([&] {
        seen.push_back(m_folder.ini().value_or("<none>"));
        return true;
    });
    EditEveryPageAndOk(driver);
    SettingsFile::SetBeforeRenameHook({});
    const QByteArray after = m_folder.ini().value_or("<none>");
    EXPECT_NE(after, kFullFile);
    for (const QByteArray& state : seen)
        EXPECT_TRUE(state == kFullFile || state == after) << state.toStdString();
}

TEST_F(SheetWritesTest, CrashBeforeTheRenameKeepsTheOldFile)
{
    m_folder.setIni(kFullFile);
    SheetDriver driver;
    const RenameCounter crash(false);
    // The write that did not happen is reported, and the sheet stays.
    QStringList messages;
    const MessageBoxHandler before = CurrentMessageBoxHandler();
    SetMessageBoxHandler([&messages](const QString& text) { messages << text; });
    EditEveryPageAndOk(driver);
    SetMessageBoxHandler(before);
    EXPECT_EQ(m_folder.ini()->toStdString(), kFullFile.toStdString());
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(driver.accepted());
}

} // namespace
