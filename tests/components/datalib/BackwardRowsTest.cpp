#include "BackwardRowReader.h"
#include "BarNeed.h"
#include "ColumnMap.h"
#include "CsvPriceParser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using quorex::DataRequest;
using quorex::PriceBar;

// A tail of a year of daily rows, a row every day, written in some way that makes
// reading it from the back harder: the rows read backwards must be the newest rows of the
// piece read forwards.
enum class Twist {
    None,
    CrLf,
    LoneCr,
    NoLastLineEnd,
    BlankLines,
    BadRows,    // every third day also a row with a negative close
    Repeats,    // every day twice, the later row kept
    QuotedNotes // every fifth row a quoted note over lines (one like a row), quotes inside
};

struct TailCase {
    const char* name;
    Twist twist;
};

// Twelve months of 28 days: every date is a calendar day.
constexpr int kDaysPerMonth = 28;
constexpr int kDays = 12 * kDaysPerMonth;

std::string Row(int day, double close, const char* lineEnd)
{
    const int month = 1 + day / kDaysPerMonth;
    const int dayOfMonth = 1 + day % kDaysPerMonth;
    char text[160];
    std::snprintf(text, sizeof text, "2023-%02d-%02d,%.1f,%.1f,%.1f,%.1f,%d,", month, dayOfMonth,
                  close, close + 2, close - 2, close + 1, 1000 + day);
    return std::string(text) + lineEnd;
}

std::string MakeTail(Twist twist)
{
    const char* lineEnd = twist == Twist::CrLf ? "\r\n" : twist == Twist::LoneCr ? "\r" : "\n";
    std::string text;
    for (int day = 0; day < kDays; ++day) {
        if (twist == Twist::Repeats)
            text += Row(day, 50 + day, lineEnd);
        if (twist == Twist::BadRows && day % 3 == 0)
            text += Row(day, -5, lineEnd);
        if (twist == Twist::BlankLines && day % 4 == 0)
            text += "\n\n";
        std::string row = Row(day, 100 + day, lineEnd);
        if (twist == Twist::QuotedNotes && day % 5 == 0)
            row.insert(row.size() - 1, "\"a \"\"note\"\"\n2020-01-06,1,2,1,1,5\nquoted\"");
        text += row;
    }
    if (twist == Twist::NoLastLineEnd)
        text.pop_back();
    return text;
}

brasko::CsvLayout Layout()
{
    const std::vector<std::string_view> header{"Date", "Open", "High", "Low",
                                               "Close", "Volume", "Note"};
    return brasko::CsvLayout{',', *brasko::ColumnMap::FromHeader(header)};
}

bool SameBars(const std::vector<PriceBar>& a, const std::vector<PriceBar>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].date != b[i].date || a[i].open != b[i].open || a[i].high != b[i].high
            || a[i].low != b[i].low || a[i].close != b[i].close || a[i].volume != b[i].volume)
            return false;
    }
    return true;
}

class BackwardRows : public ::testing::TestWithParam<TailCase> {};

TEST_P(BackwardRows, AreTheNewestOfTheForwardReading)
{
    const std::string tail = MakeTail(GetParam().twist);
    const brasko::CsvLayout layout = Layout();
    std::string forwardText = tail;
    const std::vector<PriceBar> forward = brasko::ReadPriceRows(forwardText, layout).bars;
    ASSERT_GT(forward.size(), 200u);

    for (const DataRequest need : {DataRequest{1, 0, 0}, DataRequest{60, 0, 0},
                                   DataRequest{100, 0, 0}, DataRequest{1, 3, 0},
                                   DataRequest{1, 0, 2}, DataRequest{40, 4, 3},
                                   DataRequest{5000, 0, 0}}) {
        SCOPED_TRACE(::testing::Message() << need.latestBars << " bars " << need.latestWeeks
                                          << " weeks " << need.latestMonths << " months");
        std::string text = tail;
        brasko::BackwardRowReader reader(text, layout);
        const std::vector<PriceBar> bars = reader.ReadFor(need);
        ASSERT_LE(bars.size(), forward.size());
        const std::vector<PriceBar> newest(forward.end() - std::ptrdiff_t(bars.size()),
                                           forward.end());
        EXPECT_TRUE(SameBars(bars, newest));
        EXPECT_EQ(reader.ReadWhole(), !brasko::Covers(need, brasko::CountPeriods(bars, need))
                                          || bars.size() == forward.size());
        if (need.latestBars == 5000) {
            EXPECT_TRUE(reader.ReadWhole());
            continue;
        }
        EXPECT_TRUE(brasko::Covers(need, brasko::CountPeriods(bars, need)));
        // Only a file of lone CRs, whose lines cannot be counted back, is read whole.
        EXPECT_EQ(reader.ReadWhole(), GetParam().twist == Twist::LoneCr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tails, BackwardRows,
    ::testing::Values(TailCase{"Plain", Twist::None}, TailCase{"CrLf", Twist::CrLf},
                      TailCase{"LoneCr", Twist::LoneCr},
                      TailCase{"NoLastLineEnd", Twist::NoLastLineEnd},
                      TailCase{"BlankLines", Twist::BlankLines},
                      TailCase{"BadRows", Twist::BadRows}, TailCase{"Repeats", Twist::Repeats},
                      TailCase{"QuotedNotes", Twist::QuotedNotes}),
    [](const ::testing::TestParamInfo<TailCase>& info) { return info.param.name; });

} // namespace
