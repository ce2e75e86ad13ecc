#include "ChartControl.h"
#include "ChartTestSeries.h"
#include "ChartWidget.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <random>

using namespace quorex;
using namespace quorex::chart;

namespace {

constexpr QRgb kBack = 0xFFFFFFFF;

// Background and the one colour of the panes' frame, nothing else: a chart without data.
bool OnlyTheFrame(const QImage& image)
{
    const QRgb frame = image.pixel(2, 2);
    if (frame == kBack)
        return false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kBack && image.pixel(x, y) != frame)
                return false;
    return true;
}

bool AllBackground(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kBack)
                return false;
    return true;
}

class ChartControlTest : public testing::Test {
protected:
    void SetUp() override
    {
        control.SetSize(300, 180);
        control.SetData(MakeData(RandomWalk(200, 3)));
    }

    // The host's sequence for one item.
    void Draw(const std::vector<std::string>& definitions, const std::string& params = "")
    {
        auto charts = control.GetCharts();
        ASSERT_TRUE(charts);
        charts->Clear();
        charts->SetParam(params);
        for (const std::string& definition : definitions) {
            if (auto chart = charts->Add(definition))
                chart->Refresh();
        }
        control.Update();
    }

    ChartControl control;
};

TEST_F(ChartControlTest, PictureHasExactlyTheSetSize)
{
    for (const QSize size : {QSize(300, 180), QSize(1, 1), QSize(1200, 800), QSize(57, 33)}) {
        control.SetSize(size.width(), size.height());
        Draw({"Daily; DispMaxMin=1", "Volume"});
        EXPECT_EQ(control.Picture().size(), size);
        EXPECT_EQ(control.Picture().format(), QImage::Format_RGB32);
    }
    control.SetSize(-5, 0);
    control.Update();
    EXPECT_TRUE(control.Picture().isNull());
    control.SetSize(100000, 100000);
    control.Update();
    EXPECT_EQ(control.Picture().size(), QSize(ChartControl::kMaxExtent, ChartControl::kMaxExtent));
}

TEST_F(ChartControlTest, ReusesThePictureBufferForTheSameSize)
{
    Draw({"Daily"});
    const uchar* first = control.Picture().constBits();
    Draw({"Weekly", "Volume"}, "AssistLine=1");
    EXPECT_EQ(control.Picture().constBits(), first);
}

TEST_F(ChartControlTest, ChartShowsOnlyAfterRefresh)
{
    auto charts = control.GetCharts();
    auto chart = charts->Add("Daily");
    ASSERT_TRUE(chart);
    control.Update();
    EXPECT_TRUE(AllBackground(control.Picture()));
    chart->Refresh();
    control.Update();
    EXPECT_FALSE(AllBackground(control.Picture()));
}

TEST_F(ChartControlTest, ClearGivesTheEmptyBackgroundAndNullDataTheFrameOnly)
{
    Draw({"Daily"});
    ASSERT_FALSE(AllBackground(control.Picture()));
    Draw({});
    EXPECT_TRUE(AllBackground(control.Picture()));
    EXPECT_FALSE(control.SetData(nullptr));
    Draw({"Daily", "Volume"});
    EXPECT_TRUE(OnlyTheFrame(control.Picture()));
}

TEST_F(ChartControlTest, AddRejectsWhatIsNoChart)
{
    auto charts = control.GetCharts();
    for (const char* text : {"", "   \t\r\n", ";", "Hourly", "MA=5", "日足"})
        EXPECT_FALSE(charts->Add(text)) << text;
    // The refused texts that hold an item keep a pane saying so, counted like any chart.
    charts->Clear();
    EXPECT_TRUE(charts->Add(std::string("Daily\0junk", 10)));
    for (int i = 1; i < ChartSet::kMaxCharts; ++i)
        ASSERT_TRUE(charts->Add("Volume"));
    EXPECT_FALSE(charts->Add("Daily"));   // full
    charts->Clear();
    EXPECT_TRUE(charts->Add("Daily"));
}

TEST_F(ChartControlTest, HandlesOutliveClearAndTheControl)
{
    auto control2 = std::make_unique<ChartControl>();
    auto charts = control2->GetCharts();
    auto chart = charts->Add("Daily");
    auto other = charts->Add("Volume");
    charts->Clear();
    chart->Refresh();                  // refers to nothing now
    control2->Update();
    EXPECT_TRUE(AllBackground(control2->Picture()));
    control2.reset();
    other->Refresh();
    charts->SetParam("AssistLine=1");
    EXPECT_TRUE(charts->Add("Weekly"));
    chart.reset();
    charts.reset();
}

TEST_F(ChartControlTest, KeepsItsOwnReferenceToTheData)
{
    auto data = MakeData(RandomWalk(50, 8));
    std::weak_ptr<const IPriceData> watch = data;
    control.SetData(std::move(data));
    Draw({"Daily"});
    EXPECT_FALSE(watch.expired());
    EXPECT_FALSE(AllBackground(control.Picture()));
}

TEST_F(ChartControlTest, SetParamReplacesTheWholeParameterSet)
{
    Draw({"Daily"}, "BackColor=255");
    EXPECT_EQ(control.Picture().pixel(0, 0), qRgb(255, 0, 0));
    Draw({"Daily"}, "AssistLine=1");
    EXPECT_EQ(control.Picture().pixel(0, 0), kBack);
}

TEST_F(ChartControlTest, RandomDefinitionsNeverCrash)
{
    std::mt19937 random(77);
    std::uniform_int_distribution<int> byte(0, 255);
    const std::string kinds[] = {"Daily ", "Weekly;", "Monthly\n", "Volume\t", ""};
    control.SetSize(160, 100);
    for (int round = 0; round < 200; ++round) {
        std::string definition = kinds[round % 5];
        std::string params;
        for (int i = 0; i < 40; ++i) {
            definition.push_back(static_cast<char>(byte(random)));
            params.push_back(static_cast<char>(byte(random)));
        }
        Draw({definition, "Daily; MA=" + std::to_string(byte(random))}, params);
        ASSERT_EQ(control.Picture().size(), QSize(160, 100));
    }
}

TEST(ChartWidget, PaintsLikeTheControl)
{
    auto data = MakeData(RandomWalk(120, 6));
    const char* params = "AssistLine=1; ShowScrollBar=1";
    ChartControl control;
    ChartWidget widget;
    std::unique_ptr<ICharts> collections[] = {control.GetCharts(), widget.GetCharts()};
    for (const auto& charts : collections) {
        charts->SetParam(params);
        charts->Add("Daily; DispMaxMin=1; MA=5")->Refresh();
        charts->Add("Volume")->Refresh();
    }
    control.SetData(data);
    widget.SetData(data);
    control.SetSize(240, 160);
    control.Update();
    widget.resize(240, 160);
    const QImage painted = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(painted, control.Picture());
}

} // namespace

// A vector target gets the same drawing as the picture, wherever the bounds sit on it.
TEST_F(ChartControlTest, PaintOntoDrawsThePictureAtTheBoundsGiven)
{
    Draw({"Daily; MA=5; BB=20,2", "RSI=14"}, "AssistLine=1");
    for (const QPoint origin : {QPoint(0, 0), QPoint(40, 25)}) {
        QImage target(380, 240, QImage::Format_RGB32);
        target.fill(Qt::black);
        {
            QPainter painter(&target);
            ASSERT_TRUE(control.PaintOnto(painter, QRect(origin, QSize(300, 180))));
        }
        EXPECT_EQ(target.copy(QRect(origin, QSize(300, 180))), control.Picture()) << origin.x();
        EXPECT_EQ(target.pixel(origin.x() + 300, origin.y() + 180), qRgb(0, 0, 0));
    }
}
