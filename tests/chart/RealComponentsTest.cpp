// The host on the program's own plugins, as they are built into the program folder.
#include "chart/ChartHost.h"

#include "base/MessageBox.h"
#include "catalog/CatalogItem.h"
#include "chart/PluginComponentProvider.h"
#include "support/TestFolders.h"
#include "view/CCatalogView.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <map>

using namespace mosgrid;

namespace {

const QString kDataLibraryFile = QStringLiteral("libbrasko.so");
const QString kChartControlFile = QStringLiteral("libxquorexctrl.so");
constexpr int kWidth = 300;
constexpr int kHeight = 180;
constexpr int kBars = 80;

bool Built(const QString& plugin)
{
    return QFile::exists(BuiltProgramDir() + "/components/" + plugin);
}

// A deterministic daily series, oldest first, in the plainest CSV form.
QByteArray PriceCsv()
{
    QByteArray csv = "Date,Open,High,Low,Close,Volume\n";
    QDate date(2024, 1, 4);
    double close = 1000;
    for (int i = 0; i < kBars; ++i) {
        const double open = close;
        close = open + 40 * std::sin(i * 0.7) + (i % 3 - 1) * 15;
        const double high = std::max(open, close) + 12;
        const double low = std::min(open, close) - 12;
        csv += QStringLiteral("%1,%2,%3,%4,%5,%6\n")
                   .arg(date.toString(Qt::ISODate))
                   .arg(open, 0, 'f', 1)
                   .arg(high, 0, 'f', 1)
                   .arg(low, 0, 'f', 1)
                   .arg(close, 0, 'f', 1)
                   .arg(100000 + i * 1000)
                   .toLatin1();
        date = date.addDays(date.dayOfWeek() == 5 ? 3 : 1);
    }
    return csv;
}

QImage Capture(ChartHost& host, const CatalogItem& item)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    host.RenderItem(item);
    host.CaptureItem(painter, 0, 0, item);
    return image;
}

int DifferingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    }
    return count;
}

class MessageRecorder {
public:
    MessageRecorder()
    {
        SetMessageBoxHandler([this](const QString& text) { messages.push_back(text); });
    }
    ~MessageRecorder()
    {
        SetMessageBoxHandler([](const QString& text) {
            ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        });
    }
    std::vector<QString> messages;
};

} // namespace

TEST(RealComponentsTest, WithoutTheDataLibraryEachRebuildReportsOnce)
{
    if (!Built(kChartControlFile))
        GTEST_SKIP() << "chart control plugin not built";
    TestProgramFolder folder({kChartControlFile});
    PluginComponentProvider provider(folder.exeDir());
    MessageRecorder recorder;
    CCatalogView view(ProgramPaths{folder.exeDir(), folder.iniFile()}, &provider);
    {
        CatalogItemList one;
        one.push_back(std::make_unique<CatalogItem>());
        view.model().AdoptItems(std::move(one));
    }
    for (int rebuild = 1; rebuild <= 2; ++rebuild) {
        ChartHost host(provider, folder.iniFile());
        EXPECT_EQ(host.CreateHost(kWidth, kHeight), 0);
        EXPECT_EQ(host.DestroyWindow(), 1);
        view.model().RebuildThumbnails();
        EXPECT_EQ(view.model().store().size(), 0);
        ASSERT_EQ(static_cast<int>(recorder.messages.size()), rebuild);
        EXPECT_EQ(recorder.messages.back(), QStringLiteral("Can't Create brasko.DLL"));
    }
}

TEST(RealComponentsTest, ItemWithPriceFileGetsAChart)
{
    if (!Built(kDataLibraryFile) || !Built(kChartControlFile))
        GTEST_SKIP() << "plugins not built";
    TestProgramFolder folder({kDataLibraryFile, kChartControlFile});
    ASSERT_TRUE(QDir().mkpath(folder.filePath("prices")));
    ASSERT_TRUE(WriteFileBytes(folder.filePath("prices/7203.csv"), PriceCsv()));

    PluginComponentProvider provider(folder.exeDir());
    ChartHost host(provider, folder.iniFile());
    ASSERT_EQ(host.CreateHost(kWidth, kHeight), 1);
    CatalogItem item;
    item.m_strSource = QFile::encodeName(folder.filePath("prices")).toStdString();
    item.m_strCode = "7203";
    item.m_strName = "トヨタ自動車";
    const QImage chart = Capture(host, item);
    item.m_strCode = "0000";  // no such file: the control's empty picture
    item.m_strName.clear();
    const QImage empty = Capture(host, item);
    host.DestroyWindow();

    // An item without data shows the background with the reason written on it: a few
    // pixels of text, no chart.
    std::map<QRgb, int> emptyColours;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            ++emptyColours[empty.pixel(x, y)];
    }
    int background = 0;
    for (const auto& [colour, count] : emptyColours)
        background = std::max(background, count);
    const int written = kWidth * kHeight - background;
    EXPECT_GT(written, 0) << "the notice";
    EXPECT_LT(written, kWidth * kHeight / 10) << "an item without data draws no chart";
    EXPECT_GT(DifferingPixels(chart, empty), kWidth * kHeight / 20);

    // For a look by eye: MOSGRID_HOST_PNG_DIR=/some/folder keeps the two pictures.
    const QString keep = qEnvironmentVariable("MOSGRID_HOST_PNG_DIR");
    if (!keep.isEmpty()) {
        chart.save(keep + "/host-chart.png");
        empty.save(keep + "/host-empty.png");
    }
}

// The period switch on the real control: a daily definition drawn with the switch on weekly
// is exactly the weekly definition's picture, and the stored definitions stay as they were.
TEST(RealComponentsTest, PeriodSwitchDrawsTheDefinitionsInThatPeriod)
{
    if (!Built(kDataLibraryFile) || !Built(kChartControlFile))
        GTEST_SKIP() << "plugins not built";
    TestProgramFolder folder({kDataLibraryFile, kChartControlFile});
    ASSERT_TRUE(QDir().mkpath(folder.filePath("prices")));
    ASSERT_TRUE(WriteFileBytes(folder.filePath("prices/7203.csv"), PriceCsv()));
    const QString ini = QString::fromStdString(folder.iniFile());
    CatalogItem item;
    item.m_strSource = QFile::encodeName(folder.filePath("prices")).toStdString();
    item.m_strCode = "7203";
    item.m_strName = "トヨタ自動車";

    PluginComponentProvider provider(folder.exeDir());
    const auto draw = [&](const QByteArray& definitions, PeriodChoice period) {
        const QByteArray stored = "[Chart]\nNum=2\n" + definitions;
        EXPECT_TRUE(WriteFileBytes(ini, stored));
        ChartHost host(provider, folder.iniFile());
        EXPECT_EQ(host.CreateHost(kWidth, kHeight), 1);
        host.SetPeriodChoice(period);
        const QImage picture = Capture(host, item);
        host.DestroyWindow();
        EXPECT_EQ(ReadFileBytes(ini), stored);
        return picture;
    };
    const QByteArray daily = "Chart0=Daily; DispMaxMin=1\nChart1=Volume\n";
    const QByteArray weekly = "Chart0=Weekly; DispMaxMin=1\nChart1=Volume\n";
    const QByteArray monthly = "Chart0=Monthly; DispMaxMin=1\nChart1=Volume\n";
    const QImage asDefined = draw(daily, PeriodChoice::Definitions);
    EXPECT_EQ(draw(daily, PeriodChoice::Weekly), draw(weekly, PeriodChoice::Definitions));
    EXPECT_EQ(draw(weekly, PeriodChoice::Monthly), draw(monthly, PeriodChoice::Definitions));
    EXPECT_EQ(draw(weekly, PeriodChoice::Daily), asDefined);
    EXPECT_GT(DifferingPixels(asDefined, draw(daily, PeriodChoice::Weekly)), kWidth);
}

// RS=CODE: the host reads the other code from the item's own source, as far back as the
// item; a code without a file gives no line.
TEST(RealComponentsTest, RelativeStrengthReadsTheOtherCodeOfTheSameSource)
{
    if (!Built(kDataLibraryFile) || !Built(kChartControlFile))
        GTEST_SKIP() << "plugins not built";
    TestProgramFolder folder({kDataLibraryFile, kChartControlFile});
    ASSERT_TRUE(QDir().mkpath(folder.filePath("prices")));
    ASSERT_TRUE(WriteFileBytes(folder.filePath("prices/7203.csv"), PriceCsv()));
    // The index: the same days at one flat price.
    QByteArray flat;
    for (const QByteArray& line : PriceCsv().split('\n')) {
        const QList<QByteArray> fields = line.split(',');
        flat += fields.size() < 6 || line.startsWith("Date")
            ? line + '\n' : fields[0] + ",500,500,500,500,1000\n";
    }
    ASSERT_TRUE(WriteFileBytes(folder.filePath("prices/1321.csv"), flat));

    PluginComponentProvider provider(folder.exeDir());
    ChartHost host(provider, folder.iniFile());
    ASSERT_EQ(host.CreateHost(kWidth, kHeight), 1);
    host.SetChartDefinitions({"Daily", "RS=1321", "RS=7203", "RS=9999"});
    CatalogItem item;
    item.m_strSource = QFile::encodeName(folder.filePath("prices")).toStdString();
    item.m_strCode = "7203";
    host.RenderItem(item);
    std::map<std::string, double> values;
    for (const quorex::IndicatorValue& value : host.m_chartCtrl.NewestValues())
        values[value.name] = value.value;
    host.DestroyWindow();

    ASSERT_TRUE(values.contains("RS(7203)"));
    EXPECT_NEAR(values["RS(7203)"], 100, 1e-9) << "against itself: flat at 100";
    ASSERT_TRUE(values.contains("RS(1321)"));
    EXPECT_TRUE(std::isfinite(values["RS(1321)"]));
    EXPECT_GT(std::abs(values["RS(1321)"] - 100), 0.01) << "the flat index's own closes";
    EXPECT_FALSE(values.contains("RS(9999)"));
}
