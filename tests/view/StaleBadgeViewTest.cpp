// The stale badge as the view paints it: from the facts beside each thumbnail and the
// catalog's newest bar at paint time, inverted with its cell when selected.
#include "FakeComponents.h"

#include "export/BuilderThumbnailSource.h"
#include "settings/SettingsStore.h"
#include "support/TestFolders.h"
#include "thumbnails/ThumbnailStore.h"
#include "view/CCatalogView.h"

#include <QDate>
#include <QPainter>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 180;
constexpr std::uint64_t kGeneration = 1;
constexpr QRgb kPicture = 0xff204060;
constexpr QRgb kBadge = 0xfff0b400;

QRgb Inverted(QRgb rgb)
{
    return qRgb(255 - qRed(rgb), 255 - qGreen(rgb), 255 - qBlue(rgb));
}

ItemFacts LastBar(std::int32_t date)
{
    ItemFacts facts;
    facts.hasData = date != 0;
    facts.lastDate = date;
    return facts;
}

class StaleBadgeViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        // The settings file is rewritten behind the store's back: every read must look.
        SettingsStore::SetRecheckInterval(std::chrono::nanoseconds(0));
        m_view = std::make_unique<CCatalogView>(
            ProgramPaths{m_folder.exeDir(), m_folder.iniFile()}, &m_provider);
        m_view->model().AdoptItems({});
        m_view->model().SetThumbnailSize(QSize(kWidth, kHeight));
    }

    // Thumbnails of one colour, one per last date, made in this order.
    void Make(const std::vector<std::int32_t>& dates)
    {
        m_view->model().store().Reset(int(dates.size()), QSize(kWidth, kHeight), kGeneration);
        for (std::size_t i = 0; i < dates.size(); ++i)
            Put(int(i), dates[i]);
    }

    void Put(int index, std::int32_t date)
    {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(kPicture);
        m_view->model().store().Put(kGeneration, index, image, LastBar(date));
    }

    // The top-right pixel of each cell, three to a row.
    std::vector<QRgb> Corners()
    {
        QImage shot(3 * kWidth, 2 * kHeight, QImage::Format_RGB32);
        shot.fill(Qt::magenta);
        {
            QPainter painter(&shot);
            m_view->OnDraw(painter, shot.rect(), false);
        }
        std::vector<QRgb> corners;
        for (int i = 0; i < m_view->model().store().size(); ++i)
            corners.push_back(shot.pixel((i % 3 + 1) * kWidth - 1, (i / 3) * kHeight));
        return corners;
    }

    TestProgramFolder m_folder{QStringList{}, false};
    FakeProvider m_provider;
    std::unique_ptr<CCatalogView> m_view;
};

struct BadgeCase {
    const char* name;
    int staleDays;
    std::vector<std::int32_t> dates;
    int selected;
    std::vector<QRgb> corners;
};

void PrintTo(const BadgeCase& row, std::ostream* os) { *os << row.name; }

class StaleBadgeCaseTest : public StaleBadgeViewTest,
                           public ::testing::WithParamInterface<BadgeCase> {};

TEST_P(StaleBadgeCaseTest, BadgeOnlyOnStaleSeries)
{
    m_view->model().SetStaleDays(GetParam().staleDays);
    m_view->model().SelectOnly(GetParam().selected);
    Make(GetParam().dates);
    EXPECT_EQ(Corners(), GetParam().corners);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StaleBadgeCaseTest,
    ::testing::Values(
        BadgeCase{"AllCurrent", 7, {20241230, 20241227, 20241223}, -1,
                  {kPicture, kPicture, kPicture}},
        BadgeCase{"OneStale", 7, {20241230, 20241220, 20190628}, -1,
                  {kPicture, kBadge, kBadge}},
        BadgeCase{"Off", 0, {20241230, 20241220, 20190628}, -1,
                  {kPicture, kPicture, kPicture}},
        BadgeCase{"WiderAllowance", 30, {20241230, 20241220, 20190628}, -1,
                  {kPicture, kPicture, kBadge}},
        BadgeCase{"NoDataNoBadge", 7, {20241230, 0}, -1, {kPicture, kPicture}},
        BadgeCase{"SelectedStaleInvertsTheBadgeToo", 7, {20241230, 20190628}, 1,
                  {kPicture, Inverted(kBadge)}},
        BadgeCase{"SelectedCurrent", 7, {20241230, 20190628}, 0,
                  {Inverted(kPicture), kBadge}}),
    [](const auto& info) { return std::string(info.param.name); });

// One series dated years ahead (a typing error) marks itself, not every other series.
TEST_F(StaleBadgeViewTest, AFutureDateMarksOnlyItsOwnSeries)
{
    constexpr QRgb kFutureBadge = 0xffc81e1e;
    const QDate today = QDate::currentDate();
    const auto date = [](const QDate& day) {
        return std::int32_t(day.year() * 10000 + day.month() * 100 + day.day());
    };
    m_view->model().SetStaleDays(7);
    Make({date(today.addDays(-1)), date(today.addDays(-4)), date(today.addYears(4)),
          date(today.addDays(1)), date(today.addDays(-30))});
    EXPECT_EQ(m_view->model().store().NewestDate(), date(today.addDays(-1)));
    EXPECT_EQ(Corners(), (std::vector<QRgb>{kPicture, kPicture, kFutureBadge, kPicture, kBadge}));
}

TEST_F(StaleBadgeViewTest, BadgeFollowsTheNewestDateAsTheBuildFillsIn)
{
    m_view->model().SetStaleDays(7);
    m_view->model().store().Reset(2, QSize(kWidth, kHeight), kGeneration);
    Put(0, 20240105);
    // Alone, the first series is the newest; the second cell waits as a placeholder.
    EXPECT_EQ(Corners(), (std::vector<QRgb>{kPicture, CCatalogView::kPlaceholderFrame}));
    // A newer series arrives: the first thumbnail is marked without being made again.
    const QImage before = m_view->model().store().Image(0);
    Put(1, 20241230);
    EXPECT_EQ(Corners(), (std::vector<QRgb>{kBadge, kPicture}));
    EXPECT_EQ(m_view->model().store().Image(0).constBits(), before.constBits());
}

TEST_F(StaleBadgeViewTest, TheRebuildReadsStaleDays)
{
    const auto readAfterRebuild = [this](const QByteArray& ini) {
        EXPECT_TRUE(WriteFileBytes(QString::fromStdString(m_folder.iniFile()), ini));
        m_view->model().RebuildThumbnails();
        m_view->model().builder().WaitUntilBuilt();
        return m_view->model().staleDays();
    };
    EXPECT_EQ(readAfterRebuild(""), 7);
    EXPECT_EQ(readAfterRebuild("[Name]\nStaleDays=30\n"), 30);
    EXPECT_EQ(readAfterRebuild("[Name]\nStaleDays=0\n"), 0);
    EXPECT_EQ(readAfterRebuild("[Name]\nStaleDays=-4\n"), 0);
}

} // namespace

namespace {

// An export takes the same pictures as the screen, badge included; 0 days turns it off.
TEST_F(StaleBadgeViewTest, ExportedThumbnailsCarryTheBadgeAsShown)
{
    Make({20241230, 20190628});
    for (const int staleDays : {7, 0}) {
        BuilderThumbnailSource source(m_view->model().builder(), m_view->model().store(), staleDays);
        EXPECT_EQ(source.Image(0).pixel(kWidth - 1, 0), kPicture) << staleDays;
        EXPECT_EQ(source.Image(1).pixel(kWidth - 1, 0), staleDays > 0 ? kBadge : kPicture)
            << staleDays;
    }
    // The store's own picture stays clean.
    EXPECT_EQ(m_view->model().store().Image(1).pixel(kWidth - 1, 0), kPicture);
}

} // namespace
