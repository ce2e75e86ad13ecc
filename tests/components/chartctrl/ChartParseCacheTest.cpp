// Each distinct definition or parameter text is parsed once per process, by any control on
// any thread, and the cache stays within its bound.
#include "ChartControl.h"
#include "ChartTestSeries.h"
#include "ParsedTexts.h"

#include <gtest/gtest.h>

#include <thread>

using namespace quorex::chart;

namespace {

TEST(ChartParseCache, EachTextIsParsedOnceForEveryControlAndThread)
{
    // Texts no other test uses, so that the counts are this test's alone.
    const std::vector<std::string> definitions = {"Daily; MA=7; OnceA", "Volume; OnceB",
                                                  "Wekly; OnceC"};
    const std::vector<std::string> params = {"AssistLine=1; OnceD", "DispNum=30; OnceE"};
    const ParseCacheState before = CachedParseState();
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&, t] {
            ChartControl control;
            control.SetSize(120, 80);
            for (int item = 0; item < 50; ++item) {
                control.SetData(MakeData(RandomWalk(30, unsigned(t * 100 + item))));
                auto charts = control.GetCharts();
                charts->Clear();
                charts->SetParam(params[(t + item) % 2]);
                for (const std::string& definition : definitions) {
                    if (auto chart = charts->Add(definition))
                        chart->Refresh();
                    control.CheckDefinition(definition);
                }
                control.DailyBarsNeeded(params[item % 2], definitions);
                control.Update();
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();
    const ParseCacheState after = CachedParseState();
    EXPECT_EQ(after.definitionParses - before.definitionParses, definitions.size());
    EXPECT_EQ(after.parameterParses - before.parameterParses, params.size());

    // A flood of new texts stays within the bound and keeps the one in use.
    ChartControl control;
    for (std::size_t i = 0; i < 3 * kCachedDefinitions; ++i) {
        control.CheckDefinition("Daily; Flood" + std::to_string(i));
        control.CheckDefinition(definitions.front());
        ASSERT_LE(CachedParseState().definitionsHeld, kCachedDefinitions);
    }
    const std::size_t parses = CachedParseState().definitionParses;
    control.CheckDefinition(definitions.front());
    EXPECT_EQ(CachedParseState().definitionParses, parses);
    control.CheckDefinition("Daily; Flood0");
    EXPECT_EQ(CachedParseState().definitionParses, parses + 1);
}

} // namespace
