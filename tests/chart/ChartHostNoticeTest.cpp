// What the host tells on each thumbnail besides the chart: why there is no data (the
// control's notice) and the label as the template writes it.
#include "HostFixture.h"

#include "chart/LabelPainter.h"
#include "chart/StaleBadge.h"

#include <QImage>
#include <QPainter>

#include <cstdlib>

using namespace mosgrid;

namespace {

using quorex::DataProblem;

struct NoticeCase {
    const char* name;
    DataProblem problem;
    const char* message;
};

void PrintTo(const NoticeCase& row, std::ostream* os) { *os << row.name; }

class ChartHostNoticeTest : public HostFixture, public ::testing::WithParamInterface<NoticeCase> {
};

TEST_P(ChartHostNoticeTest, EachProblemGivesItsMessage)
{
    m_fake.behaviour.noData = true;
    m_fake.behaviour.problem = GetParam().problem;
    CreateReadyHost();
    m_host->RenderItem(Item());
    ASSERT_EQ(m_fake.log.notices.size(), 1u);
    EXPECT_EQ(m_fake.log.notices.front(), GetParam().message);
    EXPECT_FALSE(m_host->LastFacts().hasData);
    EXPECT_EQ(m_host->LastFacts().problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Problems, ChartHostNoticeTest,
    ::testing::Values(
        NoticeCase{"NoReason", DataProblem::None, "データがありません"},
        NoticeCase{"SourceMissing", DataProblem::SourceMissing,
                   "ファイルまたはフォルダがありません"},
        NoticeCase{"FileMissing", DataProblem::FileMissing, "銘柄のファイルがありません"},
        NoticeCase{"DatabaseMissing", DataProblem::DatabaseMissing, "データベースがありません"},
        NoticeCase{"TableMissing", DataProblem::TableMissing,
                   "データベースに価格の表がありません"},
        NoticeCase{"CodeMissing", DataProblem::CodeMissing,
                   "データベースにこの銘柄がありません"},
        NoticeCase{"NoRows", DataProblem::NoRows, "ファイルに価格の行がありません"},
        NoticeCase{"Unreadable", DataProblem::Unreadable, "価格データとして読めません"},
        NoticeCase{"Busy", DataProblem::Busy, "データベースが使用中です"}),
    [](const auto& info) { return std::string(info.param.name); });

using ChartHostNoticeClearTest = HostFixture;

TEST_F(ChartHostNoticeClearTest, DataClearsTheNoticeOfTheItemBefore)
{
    CreateReadyHost();
    m_fake.behaviour.noData = true;
    m_host->RenderItem(Item());
    m_fake.behaviour.noData = false;
    m_host->RenderItem(Item());
    EXPECT_EQ(m_fake.log.notices,
              (std::vector<std::string>{"価格データとして読めません", ""}));
}

TEST_F(ChartHostNoticeClearTest, NoticeEvenWithoutACollection)
{
    m_fake.behaviour.noData = true;
    m_fake.behaviour.noCharts = true;
    m_fake.behaviour.problem = DataProblem::NoRows;
    CreateReadyHost();
    m_host->RenderItem(Item());
    EXPECT_EQ(m_fake.log.notices, (std::vector<std::string>{"ファイルに価格の行がありません"}));
}

// Pixels of a rectangle of the image for which pred holds.
template <class Pred>
int CountPixels(const QImage& image, const QRect& rect, Pred pred)
{
    int count = 0;
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += pred(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

bool Near(QRgb a, QRgb b)
{
    constexpr int kTolerance = 30;
    return std::abs(qRed(a) - qRed(b)) < kTolerance && std::abs(qGreen(a) - qGreen(b)) < kTolerance
        && std::abs(qBlue(a) - qBlue(b)) < kTolerance;
}

struct TemplateCase {
    const char* name;
    QByteArray ini;
    std::vector<quorex::PriceBar> bars;
    int upPixels;     // > 0: at least this many in the up colour; 0: none
    int downPixels;
};

void PrintTo(const TemplateCase& row, std::ostream* os) { *os << row.name; }

class ChartHostTemplateTest : public HostFixture,
                              public ::testing::WithParamInterface<TemplateCase> {
protected:
    QImage Capture(const std::string& name)
    {
        QImage target(300, 180, QImage::Format_RGB32);
        target.fill(Qt::black);
        QPainter painter(&target);
        m_host->RenderItem(Item());
        m_host->CaptureItem(painter, 0, 0, Item(name));
        return target;
    }
};

const std::vector<quorex::PriceBar> kRising{{20240104, 10, 12, 9, 10, 500},
                                            {20240105, 10, 13, 9, 12.5, 800}};
const std::vector<quorex::PriceBar> kFalling{{20240104, 10, 12, 9, 12, 500},
                                             {20240105, 10, 13, 9, 10, 800}};

TEST_P(ChartHostTemplateTest, ChangeIsColouredOnlyOnAnOpaqueLabel)
{
    WriteIni(GetParam().ini);
    m_fake.behaviour.bars = GetParam().bars;
    CreateReadyHost();
    const QImage shot = Capture("N");
    const QRect line(0, 0, 300, 16);
    const QRgb back = qRgb(64, 128, 128);
    const auto toned = [&](LabelTone tone) {
        return CountPixels(shot, line, [&](QRgb p) { return Near(p, ChangeColor(tone, back)); });
    };
    const int up = toned(LabelTone::Up);
    const int down = toned(LabelTone::Down);
    if (GetParam().upPixels > 0)
        EXPECT_GE(up, GetParam().upPixels);
    else
        EXPECT_EQ(up, 0);
    if (GetParam().downPixels > 0)
        EXPECT_GE(down, GetParam().downPixels);
    else
        EXPECT_EQ(down, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChartHostTemplateTest,
    ::testing::Values(
        TemplateCase{"UpOpaque", "[Name]\nLabel={name} {change} {change%}\n", kRising, 15, 0},
        TemplateCase{"DownOpaque", "[Name]\nLabel={change}\n", kFalling, 0, 8},
        TemplateCase{"NoChangeFieldNoColour", "[Name]\nLabel={last} {date}\n", kRising, 0, 0},
        TemplateCase{"TransparentKeepsTextColour",
                     "[Name]\nLabel={change}\nTransParent=1\nTextColor=0\n", kRising, 0, 0},
        TemplateCase{"DefaultNameOnly", "", kRising, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

using ChartHostLabelTemplateTest = HostFixture;

// The label's background cell: how far it reaches on the first row.
int LabelEnd(const QImage& shot, QRgb back)
{
    int end = -1;
    for (int x = 0; x < shot.width(); ++x) {
        if (shot.pixel(x, 0) == back)
            end = x;
    }
    return end;
}

TEST_F(ChartHostLabelTemplateTest, TheTemplateDecidesWhatIsWritten)
{
    // Black on white, so the cell's width tells the text's.
    const QByteArray colours = "[Name]\nBackColor=16777215\nTextColor=0\n";
    CreateReadyHost(300, 180);
    const auto widthFor = [&](const QByteArray& label) {
        WriteIni(colours + label);
        QImage target(300, 180, QImage::Format_RGB32);
        target.fill(Qt::black);
        QPainter painter(&target);
        m_host->RenderItem(Item());
        m_host->CaptureItem(painter, 0, 0, Item("Name"));
        painter.end();
        return LabelEnd(target, qRgb(255, 255, 255)) + 1;
    };
    const QFontMetrics metrics(LabelFont());
    EXPECT_EQ(widthFor(""), metrics.horizontalAdvance(QStringLiteral("Name")));
    EXPECT_EQ(widthFor("Label={name}\n"), metrics.horizontalAdvance(QStringLiteral("Name")));
    // The fake's code is 7203; its one bar closes at 11 on 2024/01/05, volume 1000.
    EXPECT_EQ(widthFor("Label={code}: {last} {date} {volume} {change}\n"),
              metrics.horizontalAdvance(QStringLiteral("7203: 11 2024/01/05 1,000 —")));
}

TEST_F(ChartHostLabelTemplateTest, LongLabelEndsInAnEllipsisBeforeTheBadgeRoom)
{
    WriteIni("[Name]\nBackColor=255\n");
    CreateReadyHost(300, 180);
    QImage target(300, 180, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        m_host->RenderItem(Item());
        m_host->CaptureItem(painter, 0, 0, Item(std::string(200, 'W')));
    }
    const int end = LabelEnd(target, qRgb(255, 0, 0));
    EXPECT_LT(end, 300 - StaleBadgeRoom());
    EXPECT_GT(end, 300 - StaleBadgeRoom() - 30);
    // With the badge off the label may use the whole line.
    WriteIni("[Name]\nBackColor=255\nStaleDays=0\n");
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        m_host->RenderItem(Item());
        m_host->CaptureItem(painter, 0, 0, Item(std::string(200, 'W')));
    }
    EXPECT_GT(LabelEnd(target, qRgb(255, 0, 0)), 300 - 30);
}

} // namespace
