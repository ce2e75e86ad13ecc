// What the control says in the picture: the host's notice, unreadable definitions, and the
// definition check.
#include "ChartControl.h"
#include "ChartPlanChecks.h"
#include "ChartStyle.h"
#include "ChartTestSeries.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

using namespace quorex;
using namespace quorex::chart;

namespace {

const QString kMissing = QStringLiteral("ファイルがありません");

const TextItem* FindText(const ChartPlan& plan, TextRole role)
{
    for (const TextItem& item : plan.texts) {
        if (item.role == role)
            return &item;
    }
    return nullptr;
}

int DifferentPixels(const QImage& image, QRgb colour, const QRect& area)
{
    const QRect inside = area & image.rect();
    return inside.width() * inside.height() - CountColour(image, colour, inside);
}

double Luminance(const QColor& c)
{
    return (0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue()) / 255;
}

struct NoticeRow {
    bool data;
    QSize size;
    int backColor;   // a Windows colour value
};

class ChartNotice : public testing::TestWithParam<NoticeRow> {};

TEST_P(ChartNotice, CentredInThePlotInAColourThatReads)
{
    const NoticeRow& row = GetParam();
    const std::vector<PriceBar> bars = row.data ? RandomWalk(100, 2) : std::vector<PriceBar>{};
    const std::vector<ChartDefinition> charts = Definitions({"Daily; MA=5", "Volume"});
    const std::string params = "AssistLine=1; BackColor=" + std::to_string(row.backColor);
    const ChartPlan plan = PlanOf(bars, charts, params, row.size, kMissing);
    const TextItem* notice = FindText(plan, TextRole::Notice);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->text, kMissing);

    // Centred in the plot below the label line, whether or not bars are drawn.
    QRect area = plan.layout.plot.adjusted(1, 1, -1, -1);
    area.setTop(std::max(area.top(), plan.freeLine.bottom() + 1));
    EXPECT_TRUE(area.contains(notice->rect));
    EXPECT_LE(std::abs(notice->rect.center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(notice->rect.center().y() - area.center().y()), 1);

    // Muted, but apart from the background.
    const QColor back = ColorFromColorRef(ColorRef(row.backColor));
    EXPECT_GE(std::abs(Luminance(plan.style.notice) - Luminance(back)), 0.25);
    const QImage picture = PictureOf(bars, charts, params, row.size, kMissing);
    EXPECT_GT(DifferentPixels(picture, back.rgb(), notice->rect), 10);
    if (!row.data) {
        // Without bars nothing else is drawn.
        const int outside = DifferentPixels(picture, back.rgb(), picture.rect())
            - DifferentPixels(picture, back.rgb(), notice->rect.adjusted(-1, -1, 1, 1));
        EXPECT_EQ(outside, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ChartNotice, testing::Values(
    NoticeRow{false, {300, 180}, 16777215}, NoticeRow{true, {300, 180}, 16777215},
    NoticeRow{false, {600, 360}, 0}, NoticeRow{true, {600, 360}, 0},
    NoticeRow{false, {300, 180}, 8421440}, NoticeRow{false, {240, 160}, 8421504},
    NoticeRow{true, {1200, 800}, 65535}, NoticeRow{false, {300, 180}, 8388608}));

TEST(ChartNoticeText, CutWithAnEllipsisWhenTooWide)
{
    const QString text = QStringLiteral("データベースのテーブル prices にコード 7203 の行がありません");
    const std::vector<ChartDefinition> charts = Definitions({"Daily"});
    for (const int width : {60, 120, 200}) {
        const ChartPlan plan = PlanOf({}, charts, "", QSize(width, 80), text);
        const TextItem* notice = FindText(plan, TextRole::Notice);
        ASSERT_NE(notice, nullptr) << width;
        EXPECT_TRUE(notice->text.endsWith(QChar(0x2026))) << width;
        EXPECT_LE(notice->rect.right(), width - 1);
        EXPECT_GE(notice->rect.left(), 0);
    }
}

TEST(ChartNoticeText, ControlKeepsItUntilSetAgain)
{
    ChartControl control;
    control.SetSize(300, 180);
    control.SetData(nullptr);
    control.GetCharts()->Add("Daily")->Refresh();
    control.Update();
    const QRgb back = control.Picture().pixel(0, 0);
    EXPECT_EQ(DifferentPixels(control.Picture(), back, control.Picture().rect()), 0);
    control.SetNotice(kMissing.toStdString());
    control.Update();
    EXPECT_GT(DifferentPixels(control.Picture(), back, control.Picture().rect()), 20);
    control.Update();
    EXPECT_GT(DifferentPixels(control.Picture(), back, control.Picture().rect()), 20);
    control.SetNotice("");
    control.Update();
    EXPECT_EQ(DifferentPixels(control.Picture(), back, control.Picture().rect()), 0);
}

// A definition that names no chart is refused by Add, yet its pane says so while the
// valid charts of the thumbnail still draw.
TEST(ChartUnreadable, PaneSaysSoAndTheOthersStillDraw)
{
    struct Row {
        std::vector<std::string> charts;
        int unreadable;      // index of the refused one
        std::string shown;   // what its pane names
    };
    const std::string sjis = "\x8f\x54\x91\xab";   // 週足 in Shift-JIS
    for (const Row& row : std::vector<Row>{
             {{"Daily", "Wekly"}, 1, "Wekly"},
             {{"Wekly; MA=5", "Daily; DispMaxMin=1", "Volume"}, 0, "Wekly; MA=5"},
             {{"Daily", "  Hourly\t;\r\nMA=5 ", "Volume"}, 1, "Hourly ; MA=5"},
             {{"Daily", sjis}, 1, "週足"}}) {
        ChartControl control;
        control.SetSize(300, 240);
        control.SetData(MakeData(RandomWalk(120, 3)));
        auto charts = control.GetCharts();
        charts->SetParam("UpColor=255; DownColor=16711680");
        for (std::size_t i = 0; i < row.charts.size(); ++i) {
            auto chart = charts->Add(row.charts[i]);
            EXPECT_EQ(chart == nullptr, int(i) == row.unreadable) << row.charts[i];
            if (chart)
                chart->Refresh();
        }
        control.Update();

        const std::vector<ChartDefinition> definitions = Definitions(row.charts);
        const ChartPlan plan = PlanOf(RandomWalk(120, 3), definitions, "", QSize(300, 240));
        const TextItem* message = FindText(plan, TextRole::Message);
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(message->pane, row.unreadable);
        EXPECT_EQ(message->text, QStringLiteral("チャート定義を読めません: ")
                                     + QString::fromStdString(row.shown));
        // The picture shows the message and the candles of the others.
        const QImage& picture = control.Picture();
        EXPECT_GT(DifferentPixels(picture, picture.pixel(0, 0), message->rect), 10);
        for (std::size_t i = 0; i < plan.panes.size(); ++i) {
            if (!plan.panes[i].IsPrice())
                continue;
            const QRect pane = plan.layout.panes[i];
            const int candles =
                CountColour(picture, 0xFFFF0000, pane) + CountColour(picture, 0xFF0000FF, pane);
            EXPECT_GT(candles, 50) << "pane " << i;
        }
    }
}

TEST(ChartUnreadable, LongTextIsCutToItsPane)
{
    const std::string text = "Wekly " + std::string(300, 'x');
    const std::vector<ChartDefinition> charts = Definitions({text, "Daily"});
    const ChartPlan plan = PlanOf(RandomWalk(50, 3), charts, "", QSize(300, 180));
    const TextItem* message = FindText(plan, TextRole::Message);
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->text.endsWith(QChar(0x2026)));
    EXPECT_TRUE(plan.layout.panes[0].contains(message->rect));
    EXPECT_FALSE(message->rect.intersects(plan.freeLine));
}

struct CheckRow {
    std::string definition;
    std::vector<QString> contains;   // empty: no problem at all
};

class ChartDefinitionCheck : public testing::TestWithParam<CheckRow> {};

TEST_P(ChartDefinitionCheck, SaysWhatIsWrongInOneLine)
{
    const CheckRow& row = GetParam();
    ChartControl control;
    const std::string problems = control.CheckDefinition(row.definition);
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(QByteArrayView(problems.data(), problems.size()));
    EXPECT_FALSE(utf8.hasError());
    EXPECT_FALSE(text.contains(QLatin1Char('\n')));
    EXPECT_EQ(problems.empty(), row.contains.empty()) << problems;
    for (const QString& part : row.contains)
        EXPECT_TRUE(text.contains(part)) << problems << " / " << part.toStdString();
    // Add keeps taking what only has ignored faults, and refuses an unknown kind.
    const bool kindKnown = !text.contains(QStringLiteral("種類ではありません"))
        && !text.contains(QStringLiteral("最初に")) && !text.contains(QStringLiteral("空です"));
    EXPECT_EQ(control.GetCharts()->Add(row.definition) != nullptr, kindKnown) << problems;
}

INSTANTIATE_TEST_SUITE_P(Table, ChartDefinitionCheck, testing::Values(
    CheckRow{"Daily; DispMaxMin=0", {}},
    CheckRow{"weekly  MA = 13, 26 DispMaxMin", {}},
    CheckRow{"Volume", {}},
    CheckRow{"", {QStringLiteral("空です")}},
    CheckRow{" ;\t", {QStringLiteral("空です")}},
    CheckRow{"Wekly", {QStringLiteral("「Wekly」"), QStringLiteral("種類ではありません"),
                       QStringLiteral("Weekly")}},
    CheckRow{"MA=5; Daily", {QStringLiteral("最初にチャートの種類")}},
    CheckRow{"Daily; Colour=3", {QStringLiteral("「Colour」は知らないオプション")}},
    CheckRow{"Daily; DispMaxMin=yes", {QStringLiteral("DispMaxMin"), QStringLiteral("「yes」")}},
    CheckRow{"Daily; MA=5,x,0", {QStringLiteral("「x」"), QStringLiteral("ほか 1 件")}},
    CheckRow{"Daily; MA=", {QStringLiteral("MA に期間がありません")}},
    CheckRow{"Daily; MA=1,2,3,4,5", {QStringLiteral("4 つまで")}},
    CheckRow{"Daily; MA=5; MA=25", {QStringLiteral("「MA」が 2 回以上")}},
    CheckRow{"Daily=1", {QStringLiteral("値は付けません")}},
    CheckRow{"Volume; MA=5", {QStringLiteral("Volume にはオプションがありません")}},
    CheckRow{"\x93\xfa\x91\xab", {QStringLiteral("「日足」")}},
    CheckRow{"Daily; " + std::string(80, 'z') + "=1", {QString(QChar(0x2026))}}));

} // namespace
