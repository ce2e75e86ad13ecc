#include "chart/IComponentProvider.h"
#include "screen/ConditionParser.h"
#include "screen/ScreenRun.h"
#include "screen/ScreenSettings.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <atomic>
#include <map>

using namespace mosgrid;

namespace {

class SeriesData : public quorex::IPriceData {
public:
    explicit SeriesData(std::vector<quorex::PriceBar> bars) : m_bars(std::move(bars)) {}
    std::span<const quorex::PriceBar> Bars() const override { return m_bars; }

private:
    std::vector<quorex::PriceBar> m_bars;
};

// Closes by code; a code it does not know has no series.
class FakeLibrary : public quorex::IDataLibrary {
public:
    FakeLibrary(const std::map<std::string, std::vector<double>>& closes, std::atomic<int>& live)
        : m_closes(closes), m_live(live)
    {
        ++m_live;
    }
    ~FakeLibrary() override { --m_live; }

    quorex::PriceDataPtr LoadData(const std::string&, const std::string& code,
                                  std::int32_t) override
    {
        const auto found = m_closes.find(code);
        if (found == m_closes.end())
            return nullptr;
        std::vector<quorex::PriceBar> bars;
        int date = 20240101;
        for (const double close : found->second)
            bars.push_back({date++, close, close, close, close, 1});
        return std::make_shared<SeriesData>(std::move(bars));
    }

private:
    const std::map<std::string, std::vector<double>>& m_closes;
    std::atomic<int>& m_live;
};

class FakeProvider : public IComponentProvider {
public:
    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override
    {
        ++created;
        return std::make_unique<FakeLibrary>(closes, live);
    }
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override { return nullptr; }

    std::map<std::string, std::vector<double>> closes;
    std::atomic<int> live{0};
    std::atomic<int> created{0};
};

std::vector<ScreenItem> Items(std::initializer_list<const char*> codes)
{
    std::vector<ScreenItem> items;
    for (const char* code : codes)
        items.push_back({0, "prices", code});
    return items;
}

class ScreenRunTest : public testing::Test {
protected:
    ScreenRunTest()
    {
        provider.closes = {{"up", {1, 2, 3, 4}}, {"down", {4, 3, 2, 1}}, {"short", {5}}};
    }

    std::shared_ptr<const ConditionNode> Condition(const char* text)
    {
        return ConditionParser::Parse(QString::fromUtf8(text)).condition;
    }

    FakeProvider provider;
};

TEST_F(ScreenRunTest, EvaluatesEveryItemAndCountsWhatCannotBeTold)
{
    ScreenRun run(provider);
    QSignalSpy finished(&run, &ScreenRun::finished);
    run.Start(Condition("change > 0"), Items({"down", "up", "missing", "short", "up"}), {}, {});
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(run.Mask(), (std::vector<char>{0, 1, 0, 0, 1}));
    const ScreenCounts counts = run.counts();
    EXPECT_EQ(counts.total, 5);
    EXPECT_EQ(counts.evaluated, 5);
    EXPECT_EQ(counts.holds, 2);
    EXPECT_EQ(counts.notEvaluable, 2);
    EXPECT_FALSE(run.running());
    EXPECT_EQ(provider.live.load(), 0) << "each worker lets its library go";
    EXPECT_GE(provider.created.load(), 1);
}

TEST_F(ScreenRunTest, FlagsComeFromTheCallerPerItem)
{
    ScreenRun run(provider);
    run.Start(Condition("flag = 2 or flag = 5"), Items({"up", "up", "up", "missing"}),
              {2, 0, 5, 2}, {3, 2});
    run.WaitForDone();
    // A security without a series cannot be told even by its flag alone.
    EXPECT_EQ(run.Outcomes(), (std::vector<ScreenOutcome>{
                                  ScreenOutcome::Holds, ScreenOutcome::Fails,
                                  ScreenOutcome::Holds, ScreenOutcome::NotEvaluable}));
}

TEST_F(ScreenRunTest, ANewStartVoidsTheRunBefore)
{
    std::vector<ScreenItem> many;
    for (int k = 0; k < 2000; ++k)
        many.push_back({0, "prices", k % 2 ? "up" : "down"});
    ScreenRun run(provider);
    QSignalSpy finished(&run, &ScreenRun::finished);
    run.Start(Condition("change > 0"), many, {}, {});
    run.Start(Condition("change < 0"), many, {}, {});
    ASSERT_TRUE(finished.wait(5000));
    const std::vector<char> mask = run.Mask();
    ASSERT_EQ(mask.size(), many.size());
    for (std::size_t k = 0; k < mask.size(); ++k)
        ASSERT_EQ(mask[k], k % 2 ? 0 : 1) << k;
    run.WaitForDone();
    EXPECT_EQ(finished.count(), 1) << "the voided run tells nothing";
    run.Cancel();
    EXPECT_TRUE(run.Mask().empty());
}

struct RecentCase {
    QStringList before;
    const char* added;
    QStringList after;
};

TEST(ScreenSettingsTest, RecentListKeepsTheNewestFirstEachOnce)
{
    const QStringList eight = {"a", "b", "c", "d", "e", "f", "g", "h"};
    const RecentCase cases[] = {
        {{}, "close > 1", {"close > 1"}},
        {{"x", "y"}, "y", {"y", "x"}},
        {{"x"}, "  x  ", {"x"}},
        {{"x"}, "   ", {"x"}},
        {eight, "i", {"i", "a", "b", "c", "d", "e", "f", "g"}},
        {eight, "h", {"h", "a", "b", "c", "d", "e", "f", "g"}},
    };
    for (const RecentCase& c : cases) {
        EXPECT_EQ(ScreenSettings::WithRecent(c.before, QString::fromUtf8(c.added)), c.after)
            << c.added;
    }
}

} // namespace
