// Where an export puts thumbnails: pages, sheets, file names, and what it may replace.
#include "export/ExportFileName.h"
#include "export/ExportLayout.h"
#include "export/ExportOverwrite.h"
#include "export/ExportTarget.h"
#include "export/PngSheetWriter.h"

#include <gtest/gtest.h>

#include <string>

using namespace mosgrid;

namespace {

using ExportLayout::Range;

// Every catalog size against every page size: each security on exactly one page, in order,
// pages full but the last, and no empty page but the one of an empty catalog.
TEST(ExportPagination, EverySecurityExactlyOnceInOrder)
{
    const int counts[] = {0, 1, 2, 24, 25, 26, 49, 50, 51, 999, 1000, 10007};
    const int perPage[] = {1, 2, 7, 25, 30, 1000, 0, -3};
    for (const int count : counts) {
        for (const int per : perPage) {
            const std::vector<Range> pages = ExportLayout::Split(count, per);
            const int size = std::max(1, per);
            ASSERT_FALSE(pages.empty());
            EXPECT_EQ(int(pages.size()), count == 0 ? 1 : (count + size - 1) / size)
                << count << " / " << per;
            int next = 0;
            for (std::size_t p = 0; p < pages.size(); ++p) {
                EXPECT_EQ(pages[p].first, next) << count << " / " << per << " page " << p;
                EXPECT_GE(pages[p].count, count == 0 ? 0 : 1);
                EXPECT_LE(pages[p].count, size);
                if (p + 1 < pages.size()) {
                    EXPECT_EQ(pages[p].count, size);
                }
                next += pages[p].count;
            }
            EXPECT_EQ(next, count) << count << " / " << per;
        }
    }
}

struct PageCase {
    const char* name;
    QSizeF area;
    QSize thumbnail;
    int columns;
    int rows;
};

void PrintTo(const PageCase& row, std::ostream* os) { *os << row.name; }

class ExportPageTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(ExportPageTest, WholeRowsOfLegibleThumbnails)
{
    const PageCase& row = GetParam();
    const ExportLayout::PageGrid grid = ExportLayout::FitPage(row.area, row.thumbnail);
    EXPECT_EQ(grid.columns, row.columns);
    EXPECT_EQ(grid.rows, row.rows);
    // Within the area, the thumbnail's shape kept.
    EXPECT_LE(grid.columns * grid.cell.width(), row.area.width() + 1e-6);
    EXPECT_LE(grid.rows * grid.cell.height(), row.area.height() + 1e-6);
    EXPECT_NEAR(grid.cell.height() / grid.cell.width(),
                double(row.thumbnail.height()) / row.thumbnail.width(), 1e-9);
    // No denser than legible, unless even one thumbnail that dense is larger than the area.
    const double legible = 72.0 / ExportLayout::kMaxPixelsPerInch;
    if (row.thumbnail.width() * legible <= row.area.width()
        && row.thumbnail.height() * legible <= row.area.height()) {
        EXPECT_GE(grid.cell.width() / row.thumbnail.width(), legible - 1e-9);
    }
}

// A4 landscape within 10 mm margins, less a 22-point header: 785.8 x 516.3 points.
const QSizeF kA4Grid(785.76, 516.27);

INSTANTIATE_TEST_SUITE_P(
    Rows, ExportPageTest,
    ::testing::Values(
        PageCase{"DefaultSize", kA4Grid, {300, 180}, 5, 5},
        PageCase{"Small", kA4Grid, {120, 80}, 13, 12},
        PageCase{"Wide", kA4Grid, {800, 200}, 1, 2},
        PageCase{"WiderThanThePage", kA4Grid, {4000, 400}, 1, 6},
        PageCase{"TallerThanThePage", kA4Grid, {200, 3000}, 22, 1},
        PageCase{"OnePixel", {100, 100}, {1, 1}, 200, 200}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ExportSheet, RowsOfThumbnailsAtTheirOwnSizeUnderAHeader)
{
    const ExportLayout::SheetGrid many = ExportLayout::FitSheet(1000, {300, 180});
    EXPECT_EQ(many.columns, 13);
    EXPECT_EQ(many.rows, 77);
    EXPECT_EQ(many.size, QSize(3900, ExportLayout::kSheetHeaderHeight + 77 * 180));
    const ExportLayout::SheetGrid few = ExportLayout::FitSheet(2, {300, 180});
    EXPECT_EQ(few.columns, 2);
    EXPECT_EQ(few.size.width(), 600);
    const ExportLayout::SheetGrid narrow = ExportLayout::FitSheet(1, {50, 20});
    EXPECT_EQ(narrow.size.width(), ExportLayout::kMinSheetWidth) << "room for the header";
    EXPECT_EQ(ExportLayout::FitSheet(0, {300, 180}).size.height(),
              ExportLayout::kSheetHeaderHeight);
}

TEST(ExportTarget, TheKindFollowsTheName)
{
    const std::pair<std::string, std::optional<ExportKind>> cases[] = {
        {"out.pdf", ExportKind::Pdf},       {"/tmp/A.PDF", ExportKind::Pdf},
        {"sheet.png", ExportKind::PngSheet}, {"dir/", ExportKind::PngFolder},
        {"/tmp", ExportKind::PngFolder},     {"out.jpg", std::nullopt},
        {".pdf", std::nullopt},              {"", std::nullopt},
        {"/no/such/folder", std::nullopt},  {"values.csv", ExportKind::Csv},
        {"/tmp/V.CSV", ExportKind::Csv},     {".csv", std::nullopt},
    };
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(ExportKindOf(path), kind) << path;
}

TEST(ExportOverwrite, OnlyOwnExportsAreReplacedWithoutForce)
{
    using E = ExistingTarget;
    using V = OverwriteVerdict;
    const std::tuple<E, bool, V> cases[] = {
        {E::Nothing, false, V::Write},        {E::PreviousExport, false, V::Write},
        {E::EmptyFolder, false, V::Write},    {E::OtherContent, false, V::NeedsForce},
        {E::OtherContent, true, V::Write},    {E::WrongKind, false, V::Impossible},
        {E::WrongKind, true, V::Impossible},
    };
    for (const auto& [existing, force, verdict] : cases)
        EXPECT_EQ(DecideOverwrite(existing, force), verdict)
            << int(existing) << " force " << force;
}

TEST(ExportSheet, NumberedSheetsAreNamedBesideTheTarget)
{
    EXPECT_EQ(PngSheetWriter::SheetPath("out.png", 0, 1), "out.png");
    EXPECT_EQ(PngSheetWriter::SheetPath("d/out.png", 0, 3), "d/out-001.png");
    EXPECT_EQ(PngSheetWriter::SheetPath("d.x/out.PNG", 11, 1200), "d.x/out-0012.PNG");
    EXPECT_EQ(PngSheetWriter::SheetPath("d.x/out", 1, 2), "d.x/out-002");
    // Whole rows to a sheet, at least one however tall.
    EXPECT_EQ(ExportLayout::SplitSheets(20, {480, 6000}).size(), 2u);
    EXPECT_EQ(ExportLayout::SplitSheets(3, {5000, 20000}).size(), 3u);
    EXPECT_EQ(ExportLayout::SplitSheets(4000, {300, 180}).front().count, 13 * 90);
}

TEST(ExportFileName, PlaceThenCodeSortingAsTheGridShows)
{
    EXPECT_EQ(ExportFileName(0, 24, "1301"), QStringLiteral("0001_1301.png"));
    EXPECT_EQ(ExportFileName(9999, 10000, "7203"), QStringLiteral("10000_7203.png"));
    EXPECT_EQ(ExportFileName(41, 100000, "a/b c:d"), QStringLiteral("000042_a_b_c_d.png"));
    EXPECT_EQ(ExportFileName(2, 5, ""), QStringLiteral("0003.png"));
    // Shift-JIS bytes are shown as the screen shows them.
    EXPECT_EQ(ExportFileName(0, 1, "\x93\x8c\x8b\x9e"), QStringLiteral("0001_東京.png"));
    // Nothing that turns a name around on screen (a right-to-left override would show
    // "0001_gnp.exe" as "0001_exe.png"), nor controls or invisible joiners.
    const struct {
        const char* code;
        const char* name;
    } hidden[] = {
        {"ab\u202Egnp.exe", "0001_ab_gnp.exe.png"},
        {"a\u2066b\u2069c", "0001_a_b_c.png"},
        {"x\u200Dy\u200Ez", "0001_x_y_z.png"},
        {"t\tu\x1bv", "0001_t_u_v.png"},
    };
    for (const auto& row : hidden)
        EXPECT_EQ(ExportFileName(0, 1, row.code), QString::fromUtf8(row.name)) << row.code;
}

} // namespace
