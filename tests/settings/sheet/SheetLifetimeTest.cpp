// When the pages read the settings, which pages write, and what DoModal reports.
#include "SheetDriver.h"

#include "sheet/ColorChooser.h"
#include "sheet/DialogResults.h"

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

constexpr int kSizeXId = 1005;
constexpr int kParamId = 1007;
constexpr int kTextColorId = 1008;
constexpr int kBackColorId = 1009;
constexpr int kTransParentId = 1010;

class SheetLifetimeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    void TearDown() override { SetColorChooser({}); }

    SheetTestFolder m_folder;
};

TEST_F(SheetLifetimeTest, CaptionAndPagesInOrder)
{
    SheetDriver d;
    EXPECT_EQ(d.sheet().windowTitle(), QStringLiteral("設定"));
    const QTabWidget* tabs = d.sheet().tabWidget();
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("全般"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("チャートの共通設定"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("チャートの追加と削除"));
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("ラベル"));
    EXPECT_EQ(tabs->currentIndex(), 0);
    // No Apply: the sheet's only buttons are OK and Cancel.
    QStringList buttons;
    for (const QPushButton* b : d.sheet().findChildren<QPushButton*>(
             QString(), Qt::FindDirectChildrenOnly))
        buttons << b->text();
    EXPECT_EQ(buttons, (QStringList{"OK", QStringLiteral("ｷｬﾝｾﾙ")}));
}

TEST_F(SheetLifetimeTest, PagesAreFilledWhenFirstShownNotBefore)
{
    m_folder.setIni(HandIni({"[Chart]", "Num=1", "Chart0=Early", "[Charts]", "Param=Early"}));
    SheetDriver d;
    EXPECT_TRUE(d.sheet().generalPage().IsCreated());
    EXPECT_FALSE(d.sheet().commonPage().IsCreated());
    EXPECT_EQ(d.text(kParamId), QString());
    EXPECT_TRUE(d.entries().isEmpty());

    // Changed while the sheet is open: the pages not yet shown see the new values.
    m_folder.setIni(HandIni({"[Chart]", "Num=2", "Chart0=Late", "Chart1=Later", "[Charts]",
                             "Param=Late"}));
    d.showPage(1);
    EXPECT_EQ(d.text(kParamId), "Late");
    d.showPage(2);
    EXPECT_EQ(d.entries(), (QStringList{"Late", "Later"}));

    // A page is filled once: showing it again keeps what the user typed.
    d.showPage(1);
    d.retype(kParamId, "Typed");
    d.showPage(0);
    m_folder.setIni(HandIni({"[Charts]", "Param=Changed again"}));
    d.showPage(1);
    EXPECT_EQ(d.text(kParamId), "Typed");
    d.cancel();
}

struct StartCase {
    const char* name;
    int startPage;
    QByteArray after;
};

void PrintTo(const StartCase& row, std::ostream* os) { *os << row.name; }

class SheetStartPageTest : public SheetLifetimeTest,
                           public ::testing::WithParamInterface<StartCase> {};

// Only the pages shown write: opening on another page leaves General's keys alone.
TEST_P(SheetStartPageTest, OnlyShownPagesWrite)
{
    const QByteArray before = HandIni({"[Chart]", "SizeX=5", "Num=0"});
    m_folder.setIni(before);
    CPropGeneralSheet sheet(nullptr, AppPaths(), GetParam().startPage);
    sheet.Open();
    EXPECT_EQ(sheet.tabWidget()->currentIndex(), GetParam().startPage);
    sheet.accept();
    EXPECT_EQ(m_folder.ini().value_or("no file").toStdString(),
              GetParam().after.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, SheetStartPageTest,
    ::testing::Values(
        StartCase{"General", 0,
                  HandIni({"[Chart]", "SizeX=300", "Num=0", "SizeY=180", "[Name]",
                           "BackColor=8421440", "TextColor=16777215", "TransParent=0"})},
        StartCase{"Common", 1,
                  HandIni({"[Chart]", "SizeX=5", "Num=0", "[Charts]",
                           "Param=AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0"})},
        StartCase{"Charts", 2,
                  HandIni({"[Chart]", "SizeX=5", "Num=1", "Chart0=Daily; DispMaxMin=0"})}),
    [](const auto& info) { return std::string(info.param.name); });

struct ModalCase {
    const char* name;
    bool clickOk;
    int result;
    bool written;
};

void PrintTo(const ModalCase& row, std::ostream* os) { *os << row.name; }

class SheetDoModalTest : public SheetLifetimeTest,
                         public ::testing::WithParamInterface<ModalCase> {};

TEST_P(SheetDoModalTest, ReturnsOneForOkAndTwoForCancel)
{
    CPropGeneralSheet sheet(nullptr, AppPaths(), 0);
    const bool clickOk = GetParam().clickOk;
    QTimer::singleShot(0, &sheet, [&sheet, clickOk] {
        const QString id = QString::number(clickOk ? 1 : 2);
        QTest::mouseClick(sheet.findChild<QPushButton*>(id, Qt::FindDirectChildrenOnly),
                          Qt::LeftButton);
    });
    EXPECT_EQ(sheet.DoModal(), GetParam().result);
    EXPECT_EQ(m_folder.ini().has_value(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Buttons, SheetDoModalTest,
                         ::testing::Values(ModalCase{"Ok", true, kIdOk, true},
                                           ModalCase{"Cancel", false, kIdCancel, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SheetLifetimeTest, TransParentSwitchesTheBackgroundButtonAtOnce)
{
    m_folder.setIni(HandIni({"[Name]", "TransParent=1"}));
    SheetDriver d;
    auto* back = d.control<QPushButton>(kBackColorId);
    ASSERT_NE(back, nullptr);
    EXPECT_FALSE(back->isEnabled());

    // A disabled button asks for nothing.
    SetColorChooser([](ColorRef) -> std::optional<ColorRef> {
        ADD_FAILURE() << "colour dialog behind a disabled button";
        return std::nullopt;
    });
    d.click(kBackColorId);

    d.clickCheck(kTransParentId);
    EXPECT_TRUE(back->isEnabled());
    d.clickCheck(kTransParentId);
    EXPECT_FALSE(back->isEnabled());
    d.cancel();
}

TEST_F(SheetLifetimeTest, ColourDialogStartsWithTheCurrentColour)
{
    m_folder.setIni(HandIni({"[Name]", "BackColor=123", "TextColor=456"}));
    SheetDriver d;
    std::vector<ColorRef> offered;
    std::optional<ColorRef> answer = 0x00FF00;
    SetColorChooser([&](ColorRef initial) {
        offered.push_back(initial);
        return answer;
    });
    d.click(kTextColorId);  // offered 456, takes green
    d.click(kTextColorId);  // offered green
    answer = std::nullopt;
    d.click(kBackColorId);  // offered 123, cancelled
    d.click(kBackColorId);  // still 123
    EXPECT_EQ(offered, (std::vector<ColorRef>{456, 0x00FF00, 123, 123}));
    d.cancel();
}

TEST_F(SheetLifetimeTest, SizeBoxesHaveNoLimitOfTheirOwn)
{
    SheetDriver d;
    const QString longSize = QString(2000, QLatin1Char('9'));
    d.retype(kSizeXId, longSize);
    d.ok();
    const QByteArray file = m_folder.ini().value_or(QByteArray());
    EXPECT_TRUE(file.contains("SizeX=" + longSize.toLatin1() + "\r\n"));
}

} // namespace
