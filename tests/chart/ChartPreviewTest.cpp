// The settings sheet's previews: the control's check, a thumbnail of one definition made on a
// worker (on the first security, or on the built-in sample), and the label example.
#include "HostFixture.h"

#include "chart/ChartPreview.h"
#include "chart/LabelTemplate.h"
#include "chart/SampleSeries.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <atomic>

using namespace mosgrid;

namespace {

// The future's result once a worker has made it. Not waitForFinished: that may run a task
// not yet started on the waiting thread.
QImage ResultOf(const QFuture<QImage>& future)
{
    while (!future.isFinished())
        QThread::yieldCurrentThread();
    return future.result();
}

class ChartPreviewTest : public HostFixture {
protected:
    ChartPreview Preview(bool withSubject)
    {
        return ChartPreview(m_fake, withSubject ? std::optional(Subject()) : std::nullopt,
                            m_folder.iniFile());
    }
    static CatalogItem Subject()
    {
        CatalogItem item;
        item.m_nType = 1;
        item.m_strSource = "/data";
        item.m_strCode = "1301";
        item.m_strName = "北斗精機";
        return item;
    }
    bool Logged(const std::string& call) const
    {
        return std::find(m_fake.log.calls.begin(), m_fake.log.calls.end(), call)
            != m_fake.log.calls.end();
    }
    std::vector<std::string> Adds() const
    {
        std::vector<std::string> adds;
        for (const std::string& call : m_fake.log.calls) {
            if (call.rfind("Add(", 0) == 0)
                adds.push_back(call);
        }
        return adds;
    }
};

TEST_F(ChartPreviewTest, CheckIsTheControlsOwn)
{
    m_fake.behaviour.definitionProblems["Wekly"] = "チャート定義を読めません: Wekly";
    ChartPreview preview = Preview(true);
    EXPECT_EQ(preview.CheckDefinition("Wekly"), QStringLiteral("チャート定義を読めません: Wekly"));
    EXPECT_EQ(preview.CheckDefinition("Weekly"), QString());
    // One control serves every check; nothing is loaded or drawn for it.
    const auto created = std::count(m_fake.log.calls.begin(), m_fake.log.calls.end(),
                                     std::string("CreateChartControl"));
    EXPECT_EQ(created, 1);
    EXPECT_FALSE(Logged("Update"));
    EXPECT_FALSE(Logged("CreateDataLibrary"));
}

struct RenderCase {
    const char* name;
    bool withSubject;
    bool loadsTheSubject;
};

class ChartPreviewRenderTest : public ChartPreviewTest,
                               public ::testing::WithParamInterface<RenderCase> {};

TEST_P(ChartPreviewRenderTest, OnAWorkerAtTheCatalogsSizeWithTheDefinitionAlone)
{
    WriteIni("[Chart]\nSizeX=200\nSizeY=120\nNum=2\nChart0=Daily\nChart1=Volume\n");
    std::atomic<bool> onUiThread = false;
    m_fake.behaviour.onUpdate = [&] {
        if (QThread::currentThread() == qApp->thread())
            onUiThread = true;
    };
    ChartPreview preview = Preview(GetParam().withSubject);
    const QImage image = ResultOf(preview.RenderDefinition("Weekly MA=13"));
    EXPECT_EQ(image.size(), QSize(200, 120));
    EXPECT_FALSE(onUiThread);
    EXPECT_EQ(Adds(), (std::vector<std::string>{"Add(Weekly MA=13)"}));
    EXPECT_EQ(Logged("LoadData(/data|1301|1)"), GetParam().loadsTheSubject);
    EXPECT_TRUE(Logged("SetData"));
    // Everything made for the render is gone with it.
    EXPECT_EQ(m_fake.log.live, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, ChartPreviewRenderTest,
                         ::testing::Values(RenderCase{"FirstSecurity", true, true},
                                           RenderCase{"SampleSeries", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartPreviewTest, NoControlNoPicture)
{
    m_fake.behaviour.noControl = true;
    EXPECT_TRUE(ResultOf(Preview(true).RenderDefinition("Daily")).isNull());
    EXPECT_EQ(Preview(true).CheckDefinition("Wekly"), QString());
}

TEST_F(ChartPreviewTest, SubjectAndExampleLabel)
{
    const ChartPreview first = Preview(true);
    EXPECT_EQ(first.SubjectName(), QStringLiteral("北斗精機"));
    const ChartPreview sample = Preview(false);
    EXPECT_EQ(sample.SubjectName(), QString());
    // Sample prices go with the sample's own name, never with a real security's.
    for (const ChartPreview* preview : {&first, &sample})
        EXPECT_EQ(preview->ExampleLabel("{name} ({code}) {date}"),
                  QStringLiteral("見本 (0000) 2024/12/30"));
    // Example prices: every field has a value.
    EXPECT_FALSE(first.ExampleLabel("{last}{change}{change%}{volume}").contains(u'—'));
}

TEST(SampleSeriesTest, BelievableAndTheSameEveryTime)
{
    const auto bars = SampleSeries()->Bars();
    ASSERT_EQ(bars.size(), std::size_t(kSampleSeriesBars));
    EXPECT_EQ(bars.back().date, kSampleSeriesLastDate);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const quorex::PriceBar& bar = bars[i];
        EXPECT_GE(bar.high, std::max(bar.open, bar.close)) << i;
        EXPECT_LE(bar.low, std::min(bar.open, bar.close)) << i;
        EXPECT_GT(bar.low, 0) << i;
        EXPECT_GT(bar.volume, 0) << i;
        if (i > 0) {
            EXPECT_GT(bar.date, bars[i - 1].date) << i;
        }
    }
    EXPECT_EQ(SampleSeries()->Bars().data(), bars.data());
}

} // namespace
