#include "DataLibTestSupport.h"

#include "DataLibrary.h"
#include "PriceFile.h"
#include "SeriesCache.h"
#include "support/TestFolders.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;

constexpr int kRows = 300;

// kRows days from 2001-01-01, each month of 28 of them; the oldest first or the newest.
std::string Rows(bool newestFirst, const char* lineEnd)
{
    std::string text = std::string("Date,Open,High,Low,Close,Volume") + lineEnd;
    for (int n = 0; n < kRows; ++n) {
        const int i = newestFirst ? kRows - 1 - n : n;
        const int date = 20010000 + 10000 * (i / 308) + 100 * (i % 308 / 28 + 1) + i % 28 + 1;
        text += std::to_string(date) + ",10,12,9,11," + std::to_string(100 + i) + lineEnd;
    }
    return text;
}

// A file whose writer has written all lines but the end of the last one.
std::string CutLastLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

struct HalfCase {
    const char* name;
    std::string bytes;
    std::chrono::seconds age; // of the file's modification time
    bool unsettled;           // the last line is left out
    bool newestFirst;         // so the last line holds the oldest bar
};

std::ostream& operator<<(std::ostream& out, const HalfCase& c)
{
    return out << c.name;
}

class DataLibHalfWritten
    : public ::testing::TestWithParam<std::tuple<HalfCase, std::size_t>> {};

// A file being written loses its unfinished last line and is not cached; once it has not
// been written for a while, the line is read as any other.
TEST_P(DataLibHalfWritten, LeavesOutTheUnfinishedLineWhileFresh)
{
    const auto& [c, latestBars] = GetParam();
    QTemporaryDir dir;
    const QString file = dir.filePath("7203.csv");
    ASSERT_TRUE(WriteFileBytes(file, QByteArray::fromStdString(c.bytes)));
    const std::string path = datalibtest::LocalPath(file);
    datalibtest::SetFileAge(path, c.age);

    auto cache = std::make_shared<brasko::SeriesCache>();
    brasko::DataLibrary library(cache);
    const quorex::DataResult fresh = library.LoadData(path, "", 0, {latestBars});
    EXPECT_EQ(fresh.unsettled, c.unsettled);
    EXPECT_EQ(cache->EntryCount(), c.unsettled ? 0u : 1u);

    datalibtest::SetFileAge(path, datalibtest::kSettledAge);
    const quorex::DataResult settled = library.LoadData(path, "", 0, {latestBars});
    EXPECT_FALSE(settled.unsettled);
    ASSERT_NE(settled.data, nullptr);
    const auto all = datalibtest::BarsOf(library.LoadData(path, "", 0));
    const auto shown = datalibtest::BarsOf(fresh.data);
    if (!c.unsettled) {
        EXPECT_EQ(shown, datalibtest::BarsOf(settled.data));
        return;
    }
    // The last line's bar is missing, and only that one.
    ASSERT_FALSE(shown.empty());
    if (latestBars == 0)
        EXPECT_EQ(shown.size() + 1, all.size());
    else
        EXPECT_GE(shown.size(), latestBars);
    const auto last = c.newestFirst ? all.end() : all.end() - 1;
    EXPECT_TRUE(std::equal(shown.begin(), shown.end(), last - long(shown.size())));
}

const HalfCase kCases[] = {
    {"OldestFirstFresh", CutLastLineEnd(Rows(false, "\n")), 0s, true, false},
    {"OldestFirstCrLfFresh", CutLastLineEnd(Rows(false, "\r\n")), 1s, true, false},
    {"NewestFirstFresh", CutLastLineEnd(Rows(true, "\n")), 0s, true, true},
    {"OldestFirstSettled", CutLastLineEnd(Rows(false, "\n")), 3s, false, false},
    {"OldestFirstFromTheFuture", CutLastLineEnd(Rows(false, "\n")), -60s, false, false},
    {"NewestFirstSettled", CutLastLineEnd(Rows(true, "\n")), 3s, false, true},
    {"FinishedFresh", Rows(false, "\n"), 0s, false, false},
    {"FinishedWithCarriageReturnFresh", Rows(false, "\r"), 0s, false, false},
};

INSTANTIATE_TEST_SUITE_P(
    Files, DataLibHalfWritten,
    ::testing::Combine(::testing::ValuesIn(kCases), ::testing::Values(0, 60)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_"
               + std::to_string(std::get<1>(info.param));
    });

TEST(DataLibHalfWrittenFile, FirstLineOnlyHasNoRowsYet)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("7203.csv");
    ASSERT_TRUE(WriteFileBytes(file, "Date,Close\n2024-01-0"));
    brasko::DataLibrary library(nullptr);
    const quorex::DataResult result = library.LoadData(datalibtest::LocalPath(file), "", 0, {});
    EXPECT_EQ(result.data, nullptr);
    EXPECT_EQ(result.problem, quorex::DataProblem::NoRows);
    EXPECT_TRUE(result.unsettled);
}

} // namespace
