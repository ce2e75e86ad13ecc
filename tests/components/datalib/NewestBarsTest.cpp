#include "DataLibTestSupport.h"

#include "DataLibrary.h"
#include "NewestBarsReader.h"
#include "PriceFile.h"
#include "support/TestFolders.h"

#include <QDate>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

namespace {

using datalibtest::Bar;

// One trading day as the generator writes it.
struct Day {
    QDate date;
    double open, high, low, close, volume;
};

enum class Order { OldestFirst, NewestFirst, Shuffled };
enum class Encoding { Utf8, Utf8Bom, Cp932, Utf16Le, Utf16Be };
// What the library should do with the file when fewer bars than it holds are asked for.
enum class Reading { Tail, Head, Whole };

struct Shape {
    const char* name;
    std::string head; // title lines and header, UTF-8, each with its line end
    std::function<std::string(const Day&)> row;
    const char* lineEnd;
    Order order;
    Encoding encoding;
    Reading reading;
};

// Dates and prices that differ from day to day, so any misplaced bar shows.
Day MakeDay(int index)
{
    const double base = 1000 + 3 * (index % 97) + index * 0.25;
    return Day{QDate(2021, 1, 4).addDays(index), base, base + 12.5, base - 7.25, base + 4.75,
               double(10000 + 37 * index)};
}

std::string Format(const char* format, auto... values)
{
    char text[256];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string Iso(const QDate& d)
{
    return d.toString("yyyy-MM-dd").toStdString();
}

std::string Us(const QDate& d)
{
    return d.toString("MM/dd/yyyy").toStdString();
}

std::string NenGappi(const QDate& d)
{
    return Format("%d年%d月%d日", d.year(), d.month(), d.day());
}

std::string Yahoo(const Day& d)
{
    return Iso(d.date)
           + Format(",%.2f,%.2f,%.2f,%.2f,%.2f,%.0f", d.open, d.high, d.low, d.close,
                    d.close * 0.9, d.volume);
}

std::string Positional(const Day& d)
{
    return d.date.toString("yyyyMMdd").toStdString()
           + Format(",%.2f,%.2f,%.2f,%.2f,%.0f", d.open, d.high, d.low, d.close, d.volume);
}

const std::string kYahooHeader = "Date,Open,High,Low,Close,Adj Close,Volume";
const std::string kJapaneseHeader = "日付,始値,高値,安値,終値,出来高";
const std::string kJapaneseTitleAndHeader =
    "2401 東証プライム 青葉製薬\r\n" + kJapaneseHeader + "\r\n";

// Lines of notes above the header, so the head outgrows the first looks at it.
std::string Notes(int lines, std::size_t width)
{
    std::string notes;
    for (int i = 0; i < lines; ++i)
        notes += "Note " + std::to_string(i) + ", " + std::string(width, 'n') + "\n";
    return notes;
}

std::string Japanese(const std::string& date, const Day& d)
{
    return date + Format(",%.2f,%.2f,%.2f,%.2f,%.0f", d.open, d.high, d.low, d.close, d.volume);
}

const std::vector<Shape>& Shapes()
{
    static const std::vector<Shape> shapes{
        {"YahooAscending", kYahooHeader + "\n", Yahoo, "\n", Order::OldestFirst,
         Encoding::Utf8, Reading::Tail},
        {"YahooCrLf", kYahooHeader + "\r\n", Yahoo, "\r\n", Order::OldestFirst,
         Encoding::Utf8, Reading::Tail},
        {"YahooNewestFirst", kYahooHeader + "\n", Yahoo, "\n", Order::NewestFirst,
         Encoding::Utf8, Reading::Head},
        {"AnyColumnOrderQuotedHeader", "\"VOLUME\",\"close\",\"Low\",\"date\",\"HIGH\",\"Open\"\n",
         [](const Day& d) {
             return Format("%.0f,%.2f,%.2f,", d.volume, d.close, d.low) + Iso(d.date)
                    + Format(",%.2f,%.2f", d.high, d.open);
         },
         "\n", Order::OldestFirst, Encoding::Utf8, Reading::Tail},
        {"NasdaqDollarsNewestFirst", "Date, Close/Last, Volume, Open, High, Low\n",
         [](const Day& d) {
             return Us(d.date) + Format(", $%.2f, %.0f, $%.2f, $%.2f, $%.2f", d.close,
                                        d.volume, d.open, d.high, d.low);
         },
         "\n", Order::NewestFirst, Encoding::Utf8, Reading::Head},
        // Quotes at the tail: its rows are read from the first record that starts there
        // for certain.
        {"InvestingQuotedNewestFirst",
         "\"Date\",\"Price\",\"Open\",\"High\",\"Low\",\"Vol.\",\"Change %\"\n",
         [](const Day& d) {
             return "\"" + Us(d.date)
                    + Format("\",\"%.2f\",\"%.2f\",\"%.2f\",\"%.2f\",\"%.3fK\",\"0.1%%\"",
                             d.close, d.open, d.high, d.low, d.volume / 1000);
         },
         "\n", Order::NewestFirst, Encoding::Utf8, Reading::Head},
        {"JapaneseTitleUtf8NewestFirst", kJapaneseTitleAndHeader,
         [](const Day& d) { return Japanese(d.date.toString("yyyy/MM/dd").toStdString(), d); },
         "\r\n", Order::NewestFirst, Encoding::Utf8, Reading::Head},
        {"JapaneseTitleShiftJisNewestFirst", kJapaneseTitleAndHeader,
         [](const Day& d) { return Japanese(d.date.toString("yyyy/MM/dd").toStdString(), d); },
         "\r\n", Order::NewestFirst, Encoding::Cp932, Reading::Head},
        {"NenGappiUtf8Ascending", kJapaneseHeader + "\n",
         [](const Day& d) { return Japanese(NenGappi(d.date), d); }, "\n", Order::OldestFirst,
         Encoding::Utf8, Reading::Tail},
        {"NenGappiShiftJisAscending", kJapaneseHeader + "\n",
         [](const Day& d) { return Japanese(NenGappi(d.date), d); }, "\n", Order::OldestFirst,
         Encoding::Cp932, Reading::Tail},
        {"Utf8BomAscending", kYahooHeader + "\n", Yahoo, "\n", Order::OldestFirst,
         Encoding::Utf8Bom, Reading::Tail},
        {"Utf16LeTabsAscending", "Date\tOpen\tHigh\tLow\tClose\tVolume\r\n",
         [](const Day& d) {
             return d.date.toString("yyyy/MM/dd").toStdString()
                    + Format("\t%.2f\t%.2f\t%.2f\t%.2f\t%.0f", d.open, d.high, d.low, d.close,
                             d.volume);
         },
         "\r\n", Order::OldestFirst, Encoding::Utf16Le, Reading::Tail},
        {"Utf16BeNewestFirst", kYahooHeader + "\n", Yahoo, "\n", Order::NewestFirst,
         Encoding::Utf16Be, Reading::Head},
        {"NotesAboveHeaderAscending", Notes(30, 100) + kYahooHeader + "\n", Yahoo, "\n",
         Order::OldestFirst, Encoding::Utf8, Reading::Tail},
        // The separator's sample only fits the largest look at the head.
        {"LongNotesAboveHeaderNewestFirst", Notes(24, 2000) + kYahooHeader + "\n", Yahoo,
         "\n", Order::NewestFirst, Encoding::Utf8, Reading::Head},
        {"PositionalAscending", "", Positional, "\n", Order::OldestFirst, Encoding::Utf8,
         Reading::Tail},
        {"PositionalAfterTitle", "Sample Corp daily\n", Positional, "\n", Order::OldestFirst,
         Encoding::Utf8, Reading::Tail},
        {"DateCloseOnly", "",
         [](const Day& d) { return Iso(d.date) + Format(",%.2f", d.close); }, "\n",
         Order::OldestFirst, Encoding::Utf8, Reading::Tail},
        {"TabThousandsVolume", "Date\tOpen\tHigh\tLow\tClose\tVolume\n",
         [](const Day& d) {
             const int volume = int(d.volume);
             return Iso(d.date)
                    + Format("\t%.2f\t%.2f\t%.2f\t%.2f\t%d,%03d", d.open, d.high, d.low,
                             d.close, volume / 1000, volume % 1000);
         },
         "\n", Order::OldestFirst, Encoding::Utf8, Reading::Tail},
        {"SemicolonDecimalComma", "Date;Open;High;Low;Close;Volume\n",
         [](const Day& d) {
             std::string row = d.date.toString("yyyy.MM.dd").toStdString()
                               + Format(";%.2f;%.2f;%.2f;%.2f;%.0f", d.open, d.high, d.low,
                                        d.close, d.volume);
             std::replace(row.begin(), row.end(), '.', ',');
             return row.replace(4, 1, ".").replace(7, 1, ".");
         },
         "\n", Order::OldestFirst, Encoding::Utf8, Reading::Tail},
        {"TimestampsAscending", "Time,Open,High,Low,Close,Volume\n",
         [](const Day& d) {
             return Iso(d.date)
                    + Format(" 15:00:00,%.2f,%.2f,%.2f,%.2f,%.0f", d.open, d.high, d.low,
                             d.close, d.volume);
         },
         "\n", Order::OldestFirst, Encoding::Utf8, Reading::Tail},
        {"BlankLinesBetween", "\n" + kYahooHeader + "\n\n",
         [](const Day& d) { return Yahoo(d) + "\n"; }, "\n", Order::OldestFirst,
         Encoding::Utf8, Reading::Tail},
        // A Japanese header in UTF-8, but a Shift-JIS note in one row: the whole file
        // reads as Shift-JIS, so the header is not one, and the columns go by position
        // (the adjusted close taken for the close).
        {"MixedEncodingAscending", "日付,始値,高値,安値,調整後終値,終値,出来高,備考\n",
         [](const Day& d) {
             const bool marked = d.date.dayOfYear() == 200;
             return Iso(d.date)
                    + Format(",%.2f,%.2f,%.2f,%.2f,%.2f,%.0f", d.open, d.high, d.low,
                             d.close * 0.9, d.close, d.volume)
                    + (marked ? ",\x83\x81\x83\x82" : ",-");
         },
         "\n", Order::OldestFirst, Encoding::Utf8, Reading::Tail},
        // Quotes at the tail: a line end there may lie inside a quoted field.
        {"QuotedThousandsAscending", "Date,Open,High,Low,Close,Volume\n",
         [](const Day& d) {
             const int volume = int(d.volume);
             return Iso(d.date)
                    + Format(",\"%.2f\",\"%.2f\",\"%.2f\",\"%.2f\",\"%d,%03d\"", d.open,
                             d.high, d.low, d.close, volume / 1000, volume % 1000);
         },
         "\n", Order::OldestFirst, Encoding::Utf8, Reading::Tail},
        // A quoted note over two lines, the second like a row of the same day: a line end
        // at the tail may lie inside it.
        {"QuotedNotesAcrossLines", "Date,Open,High,Low,Close,Volume,Note\n",
         [](const Day& d) {
             return Yahoo(d) + ",\"see\n" + Iso(d.date) + ",1,1,1,1,1\"";
         },
         "\n", Order::OldestFirst, Encoding::Utf8, Reading::Tail},
        // The separator is judged by the first lines, which lone CRs do not end.
        {"CarriageReturnsOnly", kYahooHeader + "\r", Yahoo, "\r", Order::OldestFirst,
         Encoding::Utf8, Reading::Whole},
        {"Shuffled", kYahooHeader + "\n", Yahoo, "\n", Order::Shuffled, Encoding::Utf8,
         Reading::Whole},
        // A quote never closed in the head: the head cannot be told from the whole.
        {"UnclosedQuoteTitle", "\"Sample Corp daily\n" + kYahooHeader + "\n", Yahoo, "\n",
         Order::OldestFirst, Encoding::Utf8, Reading::Whole},
    };
    return shapes;
}

// The same days written plainly, each day twice (an early row replaced by a later one), with
// bad rows between the good ones, with a stray row at the very end, or in two runs each in
// order (the later half of the days first). Repeats and bad rows are dense, so some lie at
// every cut.
enum class Variant { Plain, Repeats, BadRows, StrayLastRow, Rotated };

constexpr int kDays = 400;

std::string Encode(const std::string& utf8, Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return utf8;
    case Encoding::Utf8Bom:
        return "\xEF\xBB\xBF" + utf8;
    case Encoding::Cp932:
        return datalibtest::ToCp932(utf8);
    case Encoding::Utf16Le:
    case Encoding::Utf16Be: {
        const bool little = encoding == Encoding::Utf16Le;
        std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
        for (const QChar c : QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))) {
            const char low = char(c.unicode() & 0xFF);
            const char high = char(c.unicode() >> 8);
            out += little ? low : high;
            out += little ? high : low;
        }
        return out;
    }
    }
    return utf8;
}

std::string MakeFile(const Shape& shape, Variant variant)
{
    std::vector<int> order(kDays);
    for (int i = 0; i < kDays; ++i)
        order[std::size_t(i)] = shape.order == Order::NewestFirst ? kDays - 1 - i : i;
    if (shape.order == Order::Shuffled)
        std::shuffle(order.begin(), order.end(), std::mt19937(7));
    if (variant == Variant::Rotated)
        std::rotate(order.begin(), order.begin() + kDays / 2, order.end());
    std::string text = shape.head;
    for (int index : order) {
        Day day = MakeDay(index);
        if (variant == Variant::Repeats) {
            Day early = day;
            early.close = early.open; // a good bar, later replaced
            text += shape.row(early) + shape.lineEnd;
        }
        if (variant == Variant::BadRows && index % 2 == 0) {
            Day bad = day;
            bad.close = -5;
            text += shape.row(bad) + shape.lineEnd;
        }
        text += shape.row(day) + shape.lineEnd;
    }
    if (variant == Variant::StrayLastRow) {
        // Older than everything for an oldest-first file, newer for a newest-first one.
        const int stray = shape.order == Order::NewestFirst ? kDays + 30 : -30;
        text += shape.row(MakeDay(stray)) + shape.lineEnd;
    }
    return Encode(text, shape.encoding);
}

struct NewestCase {
    std::size_t shape;
    Variant variant;
    quorex::DataRequest need;
};

std::string CaseName(const ::testing::TestParamInfo<NewestCase>& info)
{
    static const char* const variants[] = {"Plain", "Repeats", "BadRows", "StrayLastRow",
                                           "Rotated"};
    const quorex::DataRequest& need = info.param.need;
    return std::string(Shapes()[info.param.shape].name) + "_"
           + variants[int(info.param.variant)] + "_" + std::to_string(need.latestBars)
           + (need.latestWeeks ? "_weeks" + std::to_string(need.latestWeeks) : "")
           + (need.latestMonths ? "_months" + std::to_string(need.latestMonths) : "");
}

// bars are the newest of whole, and hold what need asks for (or all there are): at least
// latestBars, and a period more than the weeks and months asked for, so that those are
// whole.
::testing::AssertionResult IsNewestOf(const std::vector<Bar>& bars, const std::vector<Bar>& whole,
                                      const quorex::DataRequest& need)
{
    if (bars.size() < std::min(need.latestBars, whole.size()) || bars.size() > whole.size()
        || bars.empty())
        return ::testing::AssertionFailure() << bars.size() << " bars of " << whole.size();
    if (bars.size() < whole.size()
        && !datalibtest::HoldsMorePeriods(bars, need.latestWeeks, need.latestMonths))
        return ::testing::AssertionFailure() << "the oldest weeks or months asked for are "
                                             << "not whole from " << bars.front().date;
    const auto first = whole.end() - std::ptrdiff_t(bars.size());
    const auto wrong = std::mismatch(bars.begin(), bars.end(), first);
    if (wrong.first != bars.end())
        return ::testing::AssertionFailure() << "the bar of " << wrong.first->date
                                             << " differs from the whole read's";
    return ::testing::AssertionSuccess();
}

class DataLibNewestBars : public ::testing::TestWithParam<NewestCase> {
protected:
    QTemporaryDir m_dir;
    brasko::DataLibrary m_library{nullptr};
};

TEST_P(DataLibNewestBars, AreTheNewestBarsOfTheWholeRead)
{
    const Shape& shape = Shapes()[GetParam().shape];
    const quorex::DataRequest asked = GetParam().need;
    const QString path = m_dir.filePath("prices.csv");
    ASSERT_TRUE(WriteFileBytes(path, QByteArray::fromStdString(MakeFile(shape,
                                                                          GetParam().variant))));
    const std::string local = datalibtest::LocalPath(path);

    const std::vector<Bar> whole = datalibtest::BarsOf(m_library.LoadData(local, "", 0));
    ASSERT_GE(whole.size(), std::size_t(kDays) - 1);
    const quorex::DataResult newest = m_library.LoadData(local, "", 0, asked);
    ASSERT_EQ(newest.problem, quorex::DataProblem::None);
    EXPECT_TRUE(IsNewestOf(datalibtest::BarsOf(newest.data), whole, asked));

    // Read from the end the shape promises, all it read being right; a file's stray last
    // row or a request for more than it holds needs the whole file.
    brasko::PriceFile file;
    ASSERT_TRUE(file.Open(local));
    brasko::NewestBarsReader reader(file, false);
    const quorex::DataRequest kept = brasko::DataLibrary::Kept(asked);
    const auto read = reader.Read(kept);
    const Variant variant = GetParam().variant;
    // A row every day: a week more than asked is seven rows each, a month 31 at most.
    const std::size_t rows = std::max({asked.latestBars, (asked.latestWeeks + 1) * 7,
                                       (asked.latestMonths + 1) * 31});
    const bool expected = shape.reading != Reading::Whole && rows < whole.size() / 2
                          && variant != Variant::StrayLastRow && variant != Variant::Rotated;
    ASSERT_EQ(read.has_value(), expected);
    if (read) {
        EXPECT_TRUE(IsNewestOf(datalibtest::BarsOf(read->series), whole, kept));
    }
}

std::vector<NewestCase> AllCases()
{
    std::vector<NewestCase> cases;
    for (std::size_t shape = 0; shape < Shapes().size(); ++shape) {
        for (Variant variant : {Variant::Plain, Variant::Repeats, Variant::BadRows,
                                Variant::StrayLastRow, Variant::Rotated}) {
            // Daily bars alone; weeks and months (the file has a row every day, more than
            // a first read counts on); bars, weeks and months at once.
            for (const quorex::DataRequest need : {quorex::DataRequest{1, 0, 0},
                                                   quorex::DataRequest{60, 0, 0},
                                                   quorex::DataRequest{1000, 0, 0},
                                                   quorex::DataRequest{1, 5, 0},
                                                   quorex::DataRequest{1, 0, 5},
                                                   quorex::DataRequest{120, 6, 2}}) {
                cases.push_back({shape, variant, need});
            }
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Shapes, DataLibNewestBars, ::testing::ValuesIn(AllCases()), CaseName);

} // namespace
