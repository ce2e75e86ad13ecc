#include "FakeComponents.h"
#include "PriceFolder.h"

#include "screen/ScreenSettings.h"
#include "screen/ScreenTexts.h"
#include "settings/SettingsStore.h"
#include "support/TestFolders.h"
#include "view/CCatalogView.h"
#include "view/CatalogTabs.h"
#include "model/GridArrangement.h"
#include "view/ScreenBar.h"
#include "view/ScreenController.h"
#include "view/ScreenNow.h"
#include "model/ShownOrder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

constexpr int kWaitMs = 20000;

struct Security {
    const char* code;
    const char* close;  // the price file's text; null: no file
};

// Four securities: two above 100, one below, one without a price file.
const Security kSecurities[] = {
    {"7203", "150\n"}, {"6758", "50\n"}, {"9984", nullptr}, {"8306", "120\n"}};

class ScreenBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_provider.readPriceFiles = true;
        for (const Security& security : kSecurities) {
            if (security.close) {
                ASSERT_TRUE(m_prices.Write(security.code, security.close, 100));
            }
        }
        m_view = std::make_unique<CCatalogView>(
            ProgramPaths{m_folder.exeDir(), m_folder.iniFile()}, &m_provider);
        m_view->model().builder().SetWorkerCount(1);
    }

    void TearDown() override
    {
        m_bar.reset();
        m_controller.reset();
        m_view.reset();
    }

    void Load()
    {
        CatalogItemList items;
        for (const Security& security : kSecurities) {
            auto item = std::make_unique<CatalogItem>();
            item->m_nType = 1;
            item->m_strSource = m_prices.source();
            item->m_strCode = security.code;
            items.push_back(std::move(item));
        }
        m_view->model().AdoptItems(std::move(items));
        m_view->model().store().Reset(static_cast<int>(std::size(kSecurities)), QSize(10, 10),
                                  kFilledGeneration);
        m_view->arrangement().ItemsChanged();
    }

    void MakeBar()
    {
        m_controller = std::make_unique<ScreenController>(*m_view);
        m_bar = std::make_unique<ScreenBar>(*m_controller, m_view.get());
    }

    // Waits until the condition's run is over and its narrowing applied.
    bool Settled()
    {
        for (int waited = 0; waited < kWaitMs; waited += 10) {
            QTest::qWait(10);
            if (!m_controller->running() && m_controller->counts().complete())
                return true;
        }
        return false;
    }

    std::vector<std::string> ShownCodes() const
    {
        std::vector<std::string> codes;
        const ShownOrder& order = m_view->shownOrder();
        for (int position = 0; position < order.count(); ++position)
            codes.push_back(m_view->model().items()[order.ItemAt(position)]->m_strCode);
        return codes;
    }

    void Type(const QString& text)
    {
        QLineEdit* edit = m_bar->field()->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    TestProgramFolder m_folder;
    PriceFolder m_prices{QString::fromStdString(m_folder.exeDir()) + QStringLiteral("prices")};
    FakeProvider m_provider;
    std::unique_ptr<CCatalogView> m_view;
    std::unique_ptr<ScreenController> m_controller;
    std::unique_ptr<ScreenBar> m_bar;
};

struct TypedCase {
    const char* text;
    std::vector<std::string> shown;
    const char* count;
    int notEvaluable;
};

TEST_F(ScreenBarTest, TypingNarrowsTheGridAndCounts)
{
    Load();
    MakeBar();
    m_bar->Open();
    const TypedCase cases[] = {
        {"close > 100", {"7203", "8306"}, "2 / 4", 1},
        {"close < 100 or close > 140", {"7203", "6758"}, "2 / 4", 1},
        {"close[1] > 0", {}, "0 / 4", 4},
        {"not close > 1000", {"7203", "6758", "8306"}, "3 / 4", 1},
    };
    for (const TypedCase& c : cases) {
        Type(QString::fromUtf8(c.text));
        ASSERT_TRUE(Settled()) << c.text;
        EXPECT_EQ(ShownCodes(), c.shown) << c.text;
        EXPECT_EQ(m_bar->countText(), QString::fromUtf8(c.count)) << c.text;
        EXPECT_EQ(m_bar->notEvaluableText(),
                  ScreenTexts::kNotEvaluable.arg(c.notEvaluable)) << c.text;
        EXPECT_TRUE(m_bar->errorText().isEmpty()) << c.text;
    }
    // Typed, not committed: the settings are left alone.
    EXPECT_TRUE(ScreenSettings::ReadActive(SettingsStore(m_folder.iniFile())).isEmpty());

    QTest::keyClick(m_bar->field()->lineEdit(), Qt::Key_Escape);
    EXPECT_TRUE(m_bar->isHidden());
    EXPECT_EQ(ShownCodes(), (std::vector<std::string>{"7203", "6758", "9984", "8306"}));
    EXPECT_FALSE(m_view->arrangement().isNarrowed());
}

TEST_F(ScreenBarTest, EachTabKeepsItsOwnCondition)
{
    Load();
    MakeBar();
    m_bar->Open();
    Type(QStringLiteral("close > 100"));
    ASSERT_TRUE(Settled());
    CatalogTabs& tabs = m_view->tabs();
    tabs.Open("");  // a new tab takes the condition in force
    Load();
    ASSERT_TRUE(Settled());
    EXPECT_EQ(m_bar->field()->currentText(), QStringLiteral("close > 100"));
    EXPECT_EQ(ShownCodes(), (std::vector<std::string>{"7203", "8306"}));
    Type(QStringLiteral("close < 100"));
    ASSERT_TRUE(Settled());
    tabs.Switch(0);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(m_bar->field()->currentText(), QStringLiteral("close > 100"));
    tabs.Switch(1);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(m_bar->field()->currentText(), QStringLiteral("close < 100"));
    EXPECT_EQ(ShownCodes(), (std::vector<std::string>{"6758"}));
}

TEST_F(ScreenBarTest, FlagsComeFromTheLookupAndAChangeIsEvaluatedAgain)
{
    Load();
    MakeBar();
    std::vector<int> flags = {0, 2, 2, 0};
    m_controller->SetFlagLookup([&flags](int item) { return flags[item]; });
    ASSERT_FALSE(m_controller->Apply(QStringLiteral("flag = 2 or close > 140")));
    ASSERT_TRUE(Settled());
    // 9984 has no series: even its flag cannot make it evaluable.
    EXPECT_EQ(ShownCodes(), (std::vector<std::string>{"7203", "6758"}));
    flags = {0, 0, 0, 2};
    m_controller->Reevaluate();
    ASSERT_TRUE(Settled());
    EXPECT_EQ(ShownCodes(), (std::vector<std::string>{"7203", "8306"}));
}

TEST_F(ScreenBarTest, AnErrorShowsUnderTheFieldAndKeepsTheNarrowing)
{
    Load();
    MakeBar();
    m_bar->Open();
    Type(QStringLiteral("close > 100"));
    ASSERT_TRUE(Settled());
    Type(QStringLiteral("close > MA(0)"));
    EXPECT_EQ(m_bar->errorText(),
              ScreenTexts::kAt.arg(12).arg(ScreenTexts::kErrPeriod.arg(1).arg(1000)));
    EXPECT_EQ(ShownCodes(), (std::vector<std::string>{"7203", "8306"}));
    EXPECT_EQ(m_controller->condition(), QStringLiteral("close > 100"));
}

TEST_F(ScreenBarTest, EnterKeepsTheConditionWhichTheNextStartAppliesToTheLoadedList)
{
    Load();
    MakeBar();
    m_bar->Open();
    Type(QStringLiteral("close > 130"));
    QTest::keyClick(m_bar->field()->lineEdit(), Qt::Key_Return);
    ASSERT_TRUE(Settled());
    Type(QStringLiteral("close < 100"));
    QTest::keyClick(m_bar->field()->lineEdit(), Qt::Key_Return);
    ASSERT_TRUE(Settled());
    const SettingsStore settings(m_folder.iniFile());
    EXPECT_EQ(ScreenSettings::ReadActive(settings), QStringLiteral("close < 100"));
    EXPECT_EQ(ScreenSettings::ReadRecent(settings),
              (QStringList{QStringLiteral("close < 100"), QStringLiteral("close > 130")}));
    EXPECT_EQ(m_bar->field()->count(), 2);

    // A new session: the list loads after the controller is made, and a reload of
    // changed prices is screened again.
    m_bar.reset();
    m_controller.reset();
    m_view->model().AdoptItems({});
    MakeBar();
    Load();
    ASSERT_TRUE(Settled());
    EXPECT_EQ(ShownCodes(), (std::vector<std::string>{"6758"}));
    ASSERT_TRUE(m_prices.Write("8306", "80\n", 50));
    Load();
    ASSERT_TRUE(Settled());
    EXPECT_EQ(ShownCodes(), (std::vector<std::string>{"6758", "8306"}));
}

TEST_F(ScreenBarTest, ScreenNowNarrowsTheExportOrder)
{
    Load();
    EXPECT_FALSE(ScreenNow(*m_view, QStringLiteral("close >= 120")));
    EXPECT_EQ(m_view->ExportOrder(), (std::vector<int>{0, 3}));
    const std::optional<ScreenError> error = ScreenNow(*m_view, QStringLiteral("close >"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->position, 7);
    EXPECT_EQ(m_view->ExportOrder(), (std::vector<int>{0, 3}))
        << "a bad condition changes nothing";
}

} // namespace
