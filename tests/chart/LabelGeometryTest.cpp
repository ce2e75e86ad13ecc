// Cutting a label with an ellipsis, the change colours, and the stale badge: when it shows,
// where it goes and what it paints.
#include "chart/LabelPainter.h"
#include "chart/StaleBadge.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

const QChar kEllipsis(0x2026);

struct ElideCase {
    const char* name;
    LabelRuns runs;
    int width;           // -1: the runs' own width
};

void PrintTo(const ElideCase& row, std::ostream* os) { *os << row.name; }

class ElideRunsTest : public ::testing::TestWithParam<ElideCase> {};

TEST_P(ElideRunsTest, FitsTheWidthAndKeepsTheTones)
{
    const QFontMetrics metrics(LabelFont());
    const ElideCase& row = GetParam();
    const QString whole = JoinRuns(row.runs);
    const int width = row.width < 0 ? metrics.horizontalAdvance(whole) : row.width;
    int fitAdvance = 0;
    const LabelRuns cut = ElideRuns(row.runs, metrics, width, &fitAdvance);
    const QString text = JoinRuns(cut);

    EXPECT_LE(metrics.horizontalAdvance(text), std::max(width, 0));
    if (metrics.horizontalAdvance(whole) <= width) {
        EXPECT_EQ(cut, row.runs);
        EXPECT_EQ(fitAdvance, metrics.horizontalAdvance(whole));
        return;
    }
    EXPECT_EQ(fitAdvance, -1);
    if (cut.empty())
        return;  // not even the ellipsis fits
    ASSERT_TRUE(text.endsWith(kEllipsis)) << text.toStdString();
    const QString kept = text.chopped(1);
    EXPECT_TRUE(whole.startsWith(kept));
    // Every character kept keeps the tone it had.
    qsizetype at = 0;
    for (const LabelRun& run : cut) {
        for (qsizetype i = 0; i < run.text.size(); ++i, ++at) {
            if (at >= kept.size())
                break;
            qsizetype source = at;
            for (const LabelRun& original : row.runs) {
                if (source < original.text.size()) {
                    EXPECT_EQ(run.tone, original.tone) << "character " << at;
                    break;
                }
                source -= original.text.size();
            }
        }
    }
}

const LabelRuns kToned{{QStringLiteral("北斗精機 1,234.5 "), LabelTone::Plain},
                       {QStringLiteral("+14.5"), LabelTone::Up},
                       {QStringLiteral(" 2024/12/30"), LabelTone::Plain}};

INSTANTIATE_TEST_SUITE_P(
    Rows, ElideRunsTest,
    ::testing::Values(
        ElideCase{"FitsExactly", kToned, -1},
        ElideCase{"Wide", kToned, 2000},
        ElideCase{"CutInTheLastPlainRun", kToned, 150},
        ElideCase{"CutInTheChange", kToned, 100},
        ElideCase{"CutInTheFirstRun", kToned, 40},
        ElideCase{"LongName", {{QString(300, QLatin1Char('W')), LabelTone::Plain}}, 120},
        ElideCase{"NoRoomAtAll", kToned, 0},
        ElideCase{"NegativeRoom", kToned, -20},
        ElideCase{"Empty", {}, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ElideRunsTest, ACutEndsInAnEllipsis)
{
    const QFontMetrics metrics(LabelFont());
    const LabelRuns cut = ElideRuns({{QString(300, QLatin1Char('W')), LabelTone::Plain}},
                                    metrics, 120);
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_TRUE(cut.front().text.endsWith(kEllipsis));
    EXPECT_GT(cut.front().text.size(), 3);
}

struct ToneCase {
    LabelTone tone;
    QRgb background;
    bool redder;   // more red than blue, else more blue than red
    bool light;    // lighter than the background
};

class ChangeColorTest : public ::testing::TestWithParam<ToneCase> {};

TEST_P(ChangeColorTest, UpRedDownBlueReadableOnTheBackground)
{
    const ToneCase& row = GetParam();
    const QRgb color = ChangeColor(row.tone, row.background);
    EXPECT_EQ(qRed(color) > qBlue(color), row.redder);
    EXPECT_EQ(qGray(color) > qGray(row.background), row.light);
    EXPECT_GT(std::abs(qGray(color) - qGray(row.background)), 50);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChangeColorTest,
    ::testing::Values(ToneCase{LabelTone::Up, qRgb(64, 128, 128), true, true},
                      ToneCase{LabelTone::Down, qRgb(64, 128, 128), false, true},
                      ToneCase{LabelTone::Up, qRgb(255, 255, 255), true, false},
                      ToneCase{LabelTone::Down, qRgb(255, 255, 255), false, false},
                      ToneCase{LabelTone::Up, qRgb(0, 0, 0), true, true},
                      ToneCase{LabelTone::Down, qRgb(230, 230, 160), false, false}));

struct StaleCase {
    const char* name;
    std::int32_t last;
    std::int32_t newest;
    int staleDays;
    bool stale;
};

void PrintTo(const StaleCase& row, std::ostream* os) { *os << row.name; }

class IsStaleTest : public ::testing::TestWithParam<StaleCase> {};

TEST_P(IsStaleTest, MoreThanStaleDaysBehindTheNewest)
{
    const StaleCase& row = GetParam();
    EXPECT_EQ(IsStale(row.last, row.newest, row.staleDays), row.stale);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IsStaleTest,
    ::testing::Values(StaleCase{"SameDay", 20241230, 20241230, 7, false},
                      StaleCase{"ExactlySevenDays", 20241223, 20241230, 7, false},
                      StaleCase{"EightDays", 20241222, 20241230, 7, true},
                      StaleCase{"AcrossAYear", 20231229, 20240105, 7, false},
                      StaleCase{"AcrossAYearStale", 20231227, 20240105, 7, true},
                      StaleCase{"YearsBehind", 20190628, 20241230, 7, true},
                      StaleCase{"ZeroIsOff", 20190628, 20241230, 0, false},
                      StaleCase{"NegativeIsOff", 20190628, 20241230, -5, false},
                      StaleCase{"OneDayAllowed", 20241228, 20241230, 1, true},
                      StaleCase{"NewerThanTheNewest", 20250110, 20241230, 7, false},
                      StaleCase{"NoDataIsNeverStale", 0, 20241230, 7, false},
                      StaleCase{"NoNewestYet", 20241201, 0, 7, false},
                      StaleCase{"NotADay", 20241301, 20241230, 7, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct FutureCase {
    const char* name;
    std::int32_t last;
    std::int32_t newest;
    DateBadge badge;
    std::int32_t reference;  // what the series adds to the catalog's newest date
};

void PrintTo(const FutureCase& row, std::ostream* os) { *os << row.name; }

class DateBadgeTest : public ::testing::TestWithParam<FutureCase> {};

// Today is 2024-12-30 in every row.
TEST_P(DateBadgeTest, FutureDatesAreMarkedAndLeftOutOfTheNewest)
{
    constexpr std::int32_t kToday = 20241230;
    const FutureCase& row = GetParam();
    EXPECT_EQ(DateBadgeOf(true, row.last, row.newest, 7, kToday), row.badge);
    EXPECT_EQ(ReferenceDateOf(true, row.last, kToday), row.reference);
    EXPECT_EQ(DateBadgeOf(false, row.last, row.newest, 7, kToday), DateBadge::None);
    EXPECT_EQ(DateBadgeOf(true, row.last, row.newest, 0, kToday), DateBadge::None);
    EXPECT_EQ(ReferenceDateOf(false, row.last, kToday), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DateBadgeTest,
    ::testing::Values(FutureCase{"Today", 20241230, 20241230, DateBadge::None, 20241230},
                      FutureCase{"Tomorrow", 20241231, 20241230, DateBadge::None, 0},
                      FutureCase{"TwoDaysAhead", 20250101, 20241230, DateBadge::Future, 0},
                      FutureCase{"YearsAhead", 20300420, 20241230, DateBadge::Future, 0},
                      FutureCase{"Stale", 20241201, 20241230, DateBadge::Stale, 20241201},
                      FutureCase{"NotADay", 20301301, 20241230, DateBadge::None, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LabelWidthBesideBadgeTest, RoomKeptOnlyWhenABadgeCanShowAndTheLabelKeepsEnough)
{
    const int room = StaleBadgeRoom();
    ASSERT_GT(room, 20);
    const struct {
        int width;
        int staleDays;
        int expected;
    } rows[] = {
        {300, 7, 300 - room}, {300, 0, 300},       {2 * room, 3, room},
        {2 * room - 1, 3, 2 * room - 1},            {40, 7, 40},     {0, 7, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LabelWidthBesideBadge(row.width, row.staleDays), row.expected)
            << row.width << " " << row.staleDays;
}

TEST(StaleBadgePaintTest, TopRightOfTheLabelLineAndNothingElse)
{
    constexpr QRgb kChart = 0xff102030;
    const QRect cell(0, 0, 300, 180);
    QImage image(cell.size(), QImage::Format_RGB32);
    image.fill(kChart);
    {
        QPainter painter(&image);
        PaintStaleBadge(painter, cell, 20190628);
    }
    const QRect badge = StaleBadgeRect(cell, StaleBadgeText(20190628), &image);
    EXPECT_EQ(StaleBadgeText(20190628), QStringLiteral("2019/06/28"));
    EXPECT_EQ(badge.right(), cell.right());
    EXPECT_EQ(badge.top(), 0);
    EXPECT_EQ(badge.height(), QFontMetrics(LabelFont(), &image).height());
    EXPECT_LE(badge.width() + 4, StaleBadgeRoom());
    // The badge's corner is its fill; its text is dark on it.
    const QRgb fill = image.pixel(badge.topRight());
    EXPECT_NE(fill, kChart);
    EXPECT_GT(qRed(fill), 200);
    int dark = 0;
    for (int y = badge.top(); y <= badge.bottom(); ++y) {
        for (int x = badge.left(); x <= badge.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 80 ? 1 : 0;
    }
    EXPECT_GT(dark, 10);
    // Outside the badge the picture is as it was.
    int changed = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            changed += !badge.contains(x, y) && image.pixel(x, y) != kChart ? 1 : 0;
    }
    EXPECT_EQ(changed, 0);
}

TEST(StaleBadgePaintTest, AnOffsetCellGetsItsBadgeInItsOwnCorner)
{
    const QRect cell(120, 80, 100, 60);
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        PaintStaleBadge(painter, cell, 20240105);
    }
    EXPECT_NE(image.pixel(cell.topRight()), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(cell.right() + 1, cell.top()), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(cell.right(), cell.top() - 1), qRgb(0, 0, 0));
}

} // namespace
