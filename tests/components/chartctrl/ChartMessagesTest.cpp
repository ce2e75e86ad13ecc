// What the control says in the picture: the host's notice and unreadable definitions; and
// what the definition check says.
#include "ChartControl.h"
#include "ChartPlanChecks.h"
#include "ChartStyle.h"
#include "ChartTestSeries.h"

#include <gtest/gtest.h>

using namespace quorex;
using namespace quorex::chart;

namespace {

const TextItem* FindText(const ChartPlan& plan, TextRole role)
{
    const auto found = std::find_if(plan.texts.begin(), plan.texts.end(),
                                    [&](const TextItem& item) { return item.role == role; });
    return found != plan.texts.end() ? &*found : nullptr;
}

bool OnBoxBorder(const ChartPlan& plan, QPoint at)
{
    return std::any_of(plan.layout.boxes.begin(), plan.layout.boxes.end(), [at](const QRect& b) {
        return b.contains(at) && !b.adjusted(1, 1, -1, -1).contains(at);
    });
}

int Painted(const QImage& image, const QRect& area)
{
    const QRect inside = area & image.rect();
    return inside.width() * inside.height() - CountColour(image, image.pixel(0, 0), inside);
}

struct NoticeRow {
    bool data;
    QSize size;
    int backColor;
    const char* text;
};

class ChartNotice : public testing::TestWithParam<NoticeRow> {};

TEST_P(ChartNotice, CentredInThePlotInAColourThatReads)
{
    const NoticeRow& row = GetParam();
    const QString notice = QString::fromUtf8(row.text);
    const std::vector<PriceBar> bars = row.data ? RandomWalk(100, 2) : std::vector<PriceBar>{};
    const std::vector<ChartDefinition> charts = Definitions({"Daily; MA=5", "Volume"});
    const std::string params = "AssistLine=1; BackColor=" + std::to_string(row.backColor);
    const ChartPlan plan = PlanOf(bars, charts, params, row.size, notice);
    const TextItem* shown = FindText(plan, TextRole::Notice);
    ASSERT_NE(shown, nullptr);
    // Whole, or cut with an ellipsis, centred in the plot below the label line.
    EXPECT_TRUE(shown->text == notice || shown->text.endsWith(QChar(0x2026)));
    QRect area = plan.layout.plot.adjusted(1, 1, -1, -1);
    area.setTop(plan.freeLine.bottom() + 1);
    EXPECT_TRUE(area.contains(shown->rect));
    EXPECT_LE((shown->rect.center() - area.center()).manhattanLength(), 2);
    // Muted, yet apart from the background; without bars nothing else is drawn.
    const QColor back = ColorFromColorRef(ColorRef(row.backColor));
    const auto luminance = [](const QColor& c) {
        return (0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue()) / 255;
    };
    EXPECT_GE(std::abs(luminance(plan.style.notice) - luminance(back)), 0.25);
    const QImage picture = PictureOf(bars, charts, params, row.size, notice);
    EXPECT_GT(Painted(picture, shown->rect), 10);
    if (!row.data) {
        // Without bars only the notice and the frame, as around a chart, are drawn.
        const QRgb background = picture.pixel(0, 0);
        int stray = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QPoint at(x, y);
                if (picture.pixel(at) != background && !shown->rect.contains(at)
                    && !OnBoxBorder(plan, at))
                    ++stray;
            }
        }
        EXPECT_EQ(stray, 0);
    }
}

struct FrameRow {
    QSize size;
    int backColor;
    std::vector<std::string> definitions;
};

class ChartFrameWithoutData : public testing::TestWithParam<FrameRow> {};

// A cell without data has the frame a chart has, so neighbouring ones do not merge.
TEST_P(ChartFrameWithoutData, DrawnWhereAChartWithDataHasIt)
{
    const FrameRow& row = GetParam();
    const std::vector<ChartDefinition> charts = Definitions(row.definitions);
    const std::string params = "AssistLine=0; BackColor=" + std::to_string(row.backColor);
    const std::vector<PriceBar> bars = RandomWalk(100, 2);
    const ChartPlan withData = PlanOf(bars, charts, params, row.size, {});
    ASSERT_FALSE(withData.layout.boxes.empty());
    const QImage empty =
        PictureOf({}, charts, params, row.size, QStringLiteral("ファイルがありません"));
    const QRgb frame = withData.style.frame.rgb();
    for (const QRect& box : withData.layout.boxes) {
        for (const QPoint at : {box.topLeft(), box.topRight(), box.bottomLeft(),
                                box.bottomRight(), QPoint(box.center().x(), box.top()),
                                QPoint(box.left(), box.center().y())})
            EXPECT_EQ(empty.pixel(at), frame) << at.x() << "," << at.y();
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ChartFrameWithoutData, testing::Values(
    FrameRow{{300, 180}, 16777215, {"Daily; DispMaxMin=0"}},
    FrameRow{{200, 120}, 0, {"Daily; MA=5", "Volume"}},
    FrameRow{{600, 360}, 8421504, {"Daily", "Weekly"}}));

const char kLong[] = "データベースのテーブル prices にコード 7203 の行がありません";

INSTANTIATE_TEST_SUITE_P(Table, ChartNotice, testing::Values(
    NoticeRow{false, {300, 180}, 16777215, "ファイルがありません"},
    NoticeRow{true, {300, 180}, 16777215, "ファイルがありません"},
    NoticeRow{false, {600, 360}, 0, kLong}, NoticeRow{true, {600, 360}, 0, kLong},
    NoticeRow{false, {300, 180}, 8421440, kLong}, NoticeRow{false, {240, 160}, 8421504, kLong},
    NoticeRow{true, {1200, 800}, 65535, "ファイルがありません"},
    NoticeRow{false, {120, 80}, 8388608, kLong}));

TEST(ChartNoticeText, ControlKeepsItUntilSetAgain)
{
    ChartControl control;
    control.SetSize(300, 180);
    control.GetCharts()->Add("Daily")->Refresh();
    const std::pair<const char*, bool> steps[] = {{"", false}, {"ファイルがありません", true},
                                                  {"", false}};
    // Without data only the frame is drawn; the notice adds its text to it.
    control.Update();
    const int frame = Painted(control.Picture(), control.Picture().rect());
    for (const auto& [notice, shown] : steps) {
        control.SetNotice(notice);
        control.Update();
        control.Update();
        EXPECT_EQ(Painted(control.Picture(), control.Picture().rect()) > frame + 20, shown);
    }
}

// A definition that names no chart is refused by Add, yet its pane says so while the valid
// charts of the thumbnail still draw.
TEST(ChartUnreadable, PaneSaysSoAndTheOthersStillDraw)
{
    const std::vector<std::pair<std::vector<std::string>, const char*>> rows = {
        {{"Daily", "Wekly"}, "Wekly"},
        {{"Wekly; MA=5", "Daily; DispMaxMin=1", "Volume"}, "Wekly; MA=5"},
        {{"Daily", "  Hourly\t;\r\nMA=5 "}, "Hourly ; MA=5"},
        {{"Daily", "\x8f\x54\x91\xab"}, "週足"},   // Shift-JIS
        {{"Daily", "Wekly " + std::string(300, 'x')}, "\u2026"}};
    for (const auto& [texts, shown] : rows) {
        ChartControl control;
        control.SetSize(300, 240);
        control.SetData(MakeData(RandomWalk(120, 3)));
        auto charts = control.GetCharts();
        charts->SetParam("UpColor=255");
        for (const std::string& text : texts) {
            auto chart = charts->Add(text);
            EXPECT_EQ(chart == nullptr, !ParseDefinition(text));
            if (chart)
                chart->Refresh();
        }
        control.Update();
        const std::vector<PriceBar> bars = RandomWalk(120, 3);
        const std::vector<ChartDefinition> definitions = Definitions(texts);
        const ChartPlan plan = PlanOf(bars, definitions, "", QSize(300, 240));
        const TextItem* message = FindText(plan, TextRole::Message);
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(plan.panes[message->pane].definition->kind, ChartKind::Unreadable);
        EXPECT_TRUE(message->text.startsWith(QStringLiteral("チャート定義を読めません: ")));
        EXPECT_TRUE(message->text.endsWith(QString::fromUtf8(shown)));
        EXPECT_TRUE(TextFaults(plan).empty());
        EXPECT_GT(Painted(control.Picture(), message->rect), 10);
        for (std::size_t i = 0; i < plan.panes.size(); ++i) {
            if (plan.panes[i].IsPrice()) {
                EXPECT_GT(CountColour(control.Picture(), 0xFFFF0000, plan.layout.panes[i]), 20);
            }
        }
    }
}

struct CheckRow {
    std::string definition;
    const char* says;   // nullptr: nothing is wrong
    bool added;
};

class ChartDefinitionCheck : public testing::TestWithParam<CheckRow> {};

TEST_P(ChartDefinitionCheck, SaysWhatIsWrongInOneLine)
{
    const CheckRow& row = GetParam();
    ChartControl control;
    const QString text = QString::fromStdString(control.CheckDefinition(row.definition));
    EXPECT_EQ(text.isEmpty(), row.says == nullptr) << text.toStdString();
    if (row.says) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(row.says))) << text.toStdString();
    }
    EXPECT_FALSE(text.contains(QLatin1Char('\n')));
    // Add keeps ignoring what only the check reports.
    EXPECT_EQ(control.GetCharts()->Add(row.definition) != nullptr, row.added);
}

INSTANTIATE_TEST_SUITE_P(Table, ChartDefinitionCheck, testing::Values(
    CheckRow{"Daily; DispMaxMin=0", nullptr, true},
    CheckRow{"weekly  MA = 13, 26 DispMaxMin", nullptr, true},
    CheckRow{" ;\t", "空です", false},
    CheckRow{"Wekly", "「Wekly」はチャートの種類ではありません(Daily, Weekly", false},
    CheckRow{"MA=5; Daily", "最初にチャートの種類", false},
    CheckRow{"\x93\xfa\x91\xab", "「日足」", false},
    CheckRow{"Daily; Colour=3", "「Colour」は知らないオプション", true},
    CheckRow{"Daily; DispMaxMin=yes", "DispMaxMin の値「yes」", true},
    CheckRow{"Daily; MA=5,x,0", "「x」は 1〜5000 の整数で書きます(ほか 1 件)", true},
    CheckRow{"Daily; MA=1,2,3,4,5", "4 つまで", true},
    CheckRow{"Daily; MA=5; MA=25", "「MA」が 2 回以上", true},
    CheckRow{"Volume; MA=5", "Volume にはオプションがありません", true},
    CheckRow{"Daily; " + std::string(80, 'z') + "=1", "z\u2026」", true},
    CheckRow{"Daily; MA=5,25; EMA=12; BB=20,2.5; Ichimoku=9,26,52; Log=1; Style=Bar", nullptr,
             true},
    CheckRow{"RSI=14", nullptr, true},
    CheckRow{"macd", nullptr, true},
    CheckRow{"Daily; EMA=0", "EMA の期間「0」は 1〜5000", true},
    CheckRow{"Daily; BB=20,0", "BB の値「20,0」", true},
    CheckRow{"Daily; Ichimoku=9,x", "Ichimoku の値「9,x」", true},
    CheckRow{"Daily; Log=maybe", "Log の値「maybe」は 0 か 1", true},
    CheckRow{"Daily; Style=Kagi", "Candle, Bar, Line", true},
    CheckRow{"RSI=14,3", "RSI の値「14,3」は期間 1 つ", true},
    CheckRow{"Stoch=14,3,3,3", "Stoch の値", true},
    CheckRow{"RCI=1", "(2〜5000)", true},
    CheckRow{"MACD; Log", "MACD にはオプションがありません", true},
    CheckRow{"Daily; Bollinger=20", "(DispMaxMin, MA, EMA, BB, Ichimoku, Log, Style)", true}));

} // namespace
