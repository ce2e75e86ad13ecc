// Colour flags in the grid: keys on the selection, the corner mark painted from the flags
// at once (over a selected cell too), the flag filter narrowing the shown cells, exports
// carrying the mark.
#include "FakeComponents.h"

#include "chart/FlagMark.h"
#include "export/BuilderThumbnailSource.h"
#include "support/TestFolders.h"
#include "view/CCatalogView.h"
#include "model/ItemFlags.h"
#include "model/ShownOrder.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 60;
constexpr int kColumns = 3;
constexpr std::uint64_t kGeneration = 1;
constexpr QRgb kPicture = 0xff204060;
constexpr char kListPath[] = "/lists/watch.txt";

constexpr FlagColor kNone = FlagColor::None;
constexpr FlagColor kRed = FlagColor::Red;
constexpr FlagColor kGreen = FlagColor::Green;
constexpr FlagColor kBlue = FlagColor::Blue;

QRgb Inverted(QRgb rgb)
{
    return qRgb(255 - qRed(rgb), 255 - qGreen(rgb), 255 - qBlue(rgb));
}

class FlagMarkViewTest : public ::testing::Test {
protected:
    // Items with these codes (a code may come twice), each with a plain thumbnail.
    void Make(const std::vector<std::string>& codes)
    {
        m_view = std::make_unique<CCatalogView>(
            ProgramPaths{m_folder.exeDir(), m_folder.iniFile()}, &m_provider);
        m_view->model().SetThumbnailSize(QSize(kWidth, kHeight));
        CatalogItemList items;
        for (const std::string& code : codes)
            items.push_back(std::make_unique<CatalogItem>(CatalogItem{0, "", code, code}));
        m_view->model().AdoptItems(std::move(items));
        m_view->model().store().Reset(int(codes.size()), QSize(kWidth, kHeight), kGeneration);
        for (int i = 0; i < int(codes.size()); ++i) {
            QImage image(kWidth, kHeight, QImage::Format_RGB32);
            image.fill(kPicture);
            m_view->model().store().Put(kGeneration, i, image, ItemFacts{});
        }
        m_view->arrangement().ItemsChanged();
        m_view->flags().SetList(kListPath, m_view->model().items());
    }

    // What the bottom-right corner of each shown cell holds, one paint.
    std::vector<QRgb> Corners()
    {
        QImage shot(kColumns * kWidth, 2 * kHeight, QImage::Format_RGB32);
        shot.fill(Qt::magenta);
        {
            QPainter painter(&shot);
            m_view->OnDraw(painter, shot.rect(), false);
        }
        std::vector<QRgb> corners;
        for (int i = 0; i < m_view->shownOrder().count(); ++i)
            corners.push_back(shot.pixel((i % kColumns + 1) * kWidth - 2,
                                         (i / kColumns + 1) * kHeight - 2));
        return corners;
    }

    TestProgramFolder m_folder{QStringList{}, false};
    FakeProvider m_provider;
    std::unique_ptr<CCatalogView> m_view;
};

struct KeyStep {
    int selected;
    FlagColor key;
};

struct KeyRow {
    const char* name;
    std::vector<std::string> codes;
    std::vector<KeyStep> keys;
    std::vector<FlagColor> flags;
};

void PrintTo(const KeyRow& row, std::ostream* out) { *out << row.name; }

class FlagKeysTest : public FlagMarkViewTest, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(FlagKeysTest, KeysFlagTheSelectionAndTheMarkShowsInTheNextPaint)
{
    Make(GetParam().codes);
    for (const KeyStep& step : GetParam().keys) {
        m_view->model().SelectOnly(step.selected);
        m_view->flags().ApplyKey(step.key);
    }
    m_view->model().SelectOnly(-1);
    std::vector<QRgb> expected;
    for (std::size_t i = 0; i < GetParam().flags.size(); ++i) {
        EXPECT_EQ(m_view->flags().ColorOf(int(i)), GetParam().flags[i]) << i;
        const FlagColor flag = GetParam().flags[i];
        expected.push_back(flag == kNone ? kPicture : FlagRgb(flag));
    }
    EXPECT_EQ(Corners(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FlagKeysTest,
    ::testing::Values(
        KeyRow{"one key", {"A", "B", "C"}, {{1, kRed}}, {kNone, kRed, kNone}},
        KeyRow{"another colour replaces", {"A", "B"}, {{0, kRed}, {0, kBlue}}, {kBlue, kNone}},
        KeyRow{"same key again clears", {"A", "B"}, {{0, kRed}, {0, kRed}}, {kNone, kNone}},
        KeyRow{"zero clears", {"A", "B"}, {{0, kGreen}, {1, kBlue}, {0, kNone}}, {kNone, kBlue}},
        KeyRow{"nothing selected", {"A", "B"}, {{-1, kRed}}, {kNone, kNone}},
        KeyRow{"every line of a code", {"A", "B", "A"}, {{2, kGreen}}, {kGreen, kNone, kGreen}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST_F(FlagMarkViewTest, SelectedCellKeepsTheFlagColour)
{
    Make({"A", "B"});
    m_view->flags().Apply(std::vector<int>{0, 1}, kRed);
    m_view->model().SelectOnly(1);
    EXPECT_EQ(Corners(), (std::vector<QRgb>{FlagRgb(kRed), FlagRgb(kRed)}));
    // The rest of the selected cell is inverted as before.
    QImage shot(kColumns * kWidth, kHeight, QImage::Format_RGB32);
    {
        QPainter painter(&shot);
        m_view->OnDraw(painter, shot.rect(), false);
    }
    EXPECT_EQ(shot.pixel(kWidth + 10, 10), Inverted(kPicture));
}

struct FilterRow {
    const char* name;
    ItemFlags::Filter filter;
    std::vector<int> shown;
};

TEST_F(FlagMarkViewTest, FilterShowsFlaggedItemsOnly)
{
    using Kind = ItemFlags::Filter::Kind;
    const FilterRow rows[] = {
        {"off", {}, {0, 1, 2, 3, 4}},
        {"any flag", {Kind::Any, kNone}, {1, 2, 4}},
        {"red", {Kind::One, kRed}, {1, 4}},
        {"blue", {Kind::One, kBlue}, {2}},
        {"green: none", {Kind::One, kGreen}, {}},
    };
    Make({"A", "B", "C", "D", "E"});
    m_view->flags().Apply(std::vector<int>{1, 4}, kRed);
    m_view->flags().Apply(std::vector<int>{2}, kBlue);
    for (const FilterRow& row : rows) {
        m_view->flags().SetFilter(row.filter);
        std::vector<int> shown;
        for (int i = 0; i < m_view->shownOrder().count(); ++i)
            shown.push_back(m_view->shownOrder().ItemAt(i));
        EXPECT_EQ(shown, row.shown) << row.name;
        EXPECT_EQ(m_view->ExportOrder(), row.shown) << row.name;
    }
    // Taking the last red flag off empties the red filter at once.
    m_view->flags().SetFilter({Kind::One, kRed});
    m_view->flags().Apply(std::vector<int>{1, 4}, kNone);
    EXPECT_EQ(m_view->shownOrder().count(), 0);
}

TEST_F(FlagMarkViewTest, ExportedThumbnailsCarryTheMark)
{
    Make({"A", "B"});
    m_view->flags().Apply(std::vector<int>{1}, kGreen);
    BuilderThumbnailSource source(m_view->model().builder(), m_view->model().store());
    source.SetFlagSource([this](int item) { return m_view->flags().ColorOf(item); });
    EXPECT_EQ(source.Image(0).pixel(kWidth - 2, kHeight - 2), kPicture);
    EXPECT_EQ(source.Image(1).pixel(kWidth - 2, kHeight - 2), FlagRgb(kGreen));
    // The store's own picture stays clean.
    EXPECT_EQ(m_view->model().store().Image(1).pixel(kWidth - 2, kHeight - 2), kPicture);
}

} // namespace
