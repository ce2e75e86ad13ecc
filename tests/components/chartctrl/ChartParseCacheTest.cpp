// Each distinct definition or parameter text is parsed once per process, by any control on
// any thread, and the cache stays within its bound.
#include "ChartControl.h"
#include "ChartTestSeries.h"
#include "ParsedTexts.h"

#include <gtest/gtest.h>

#include <thread>

using namespace quorex;
using namespace quorex::chart;

namespace {

TEST(ChartParseCache, EachTextIsParsedOnceForEveryControlAndThread)
{
    // Texts no other test uses, so that the counts below are this test's alone.
    const std::vector<std::string> definitions = {"Daily; MA=7; OnceA", "Volume; OnceB",
                                                  "Weekly; OnceC", "Wekly; OnceD"};
    const std::vector<std::string> params = {"AssistLine=1; OnceE", "DispNum=30; OnceF"};
    const ParseCacheState before = CachedParseState();
    constexpr int kThreads = 4;
    constexpr int kSecurities = 60;
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
        workers.emplace_back([&, t] {
            ChartControl control;
            control.SetSize(120, 80);
            for (int item = 0; item < kSecurities; ++item) {
                control.SetData(MakeData(RandomWalk(30, unsigned(t * 100 + item))));
                auto charts = control.GetCharts();
                charts->Clear();
                charts->SetParam(params[(t + item) % params.size()]);
                for (const std::string& definition : definitions) {
                    if (auto chart = charts->Add(definition))
                        chart->Refresh();
                    control.CheckDefinition(definition);
                }
                control.DailyBarsNeeded(params[item % params.size()], definitions);
                control.Update();
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();
    const ParseCacheState after = CachedParseState();
    EXPECT_EQ(after.definitionParses - before.definitionParses, definitions.size());
    EXPECT_EQ(after.parameterParses - before.parameterParses, params.size());
}

TEST(ChartParseCache, StaysWithinItsBoundAndKeepsWhatIsUsed)
{
    ChartControl control;
    const std::string kept = "Daily; KeptWhileUsed";
    for (std::size_t i = 0; i < 3 * kCachedDefinitions; ++i) {
        control.CheckDefinition("Daily; Flood" + std::to_string(i));
        control.CheckDefinition(kept);
        EXPECT_LE(CachedParseState().definitionsHeld, kCachedDefinitions);
    }
    // In use all along: still held. The first of the flood: long dropped.
    const std::size_t parses = CachedParseState().definitionParses;
    control.CheckDefinition(kept);
    EXPECT_EQ(CachedParseState().definitionParses, parses);
    control.CheckDefinition("Daily; Flood0");
    EXPECT_EQ(CachedParseState().definitionParses, parses + 1);

    // A text too long to hold is read right, every time.
    const std::string huge = "Daily; MA=5 " + std::string(20000, ' ') + " Unknown";
    EXPECT_NE(control.CheckDefinition(huge).find("Unknown"), std::string::npos);
    EXPECT_LE(CachedParseState().definitionsHeld, kCachedDefinitions);
}

} // namespace
