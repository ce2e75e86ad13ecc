#include "DataLibTestSupport.h"

#include "BusyDatabases.h"
#include "DataLibrary.h"
#include "SqlitePriceReader.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

namespace {

using datalibtest::Bar;

constexpr int kDays = 600;

// How one database writes the date of a day; whether its order in the database is
// provably the order of the days.
struct DatabaseShape {
    const char* name;
    std::function<QString(int index, const QDate& date)> date; // SQL literal
    bool ordered;
    // Rows added for some days: a second row (a repeat) or a bad one.
    enum class Extra { None, Repeat, BadRow } extra = Extra::None;
};

QString Quoted(const QString& text)
{
    return "'" + text + "'";
}

const std::vector<DatabaseShape>& Shapes()
{
    using Extra = DatabaseShape::Extra;
    static const std::vector<DatabaseShape> shapes{
        {"IsoText", [](int, const QDate& d) { return Quoted(d.toString("yyyy-MM-dd")); }, true},
        {"Integers", [](int, const QDate& d) { return d.toString("yyyyMMdd"); }, true},
        {"SlashText", [](int, const QDate& d) { return Quoted(d.toString("yyyy/MM/dd")); },
         true},
        {"DotText", [](int, const QDate& d) { return Quoted(d.toString("yyyy.MM.dd")); }, true},
        {"CompactText", [](int, const QDate& d) { return Quoted(d.toString("yyyyMMdd")); },
         true},
        {"NullDatesBetween",
         [](int i, const QDate& d) {
             return i % 7 == 0 ? QString("NULL") : Quoted(d.toString("yyyy-MM-dd"));
         },
         true},
        {"BadRowsBetween", [](int, const QDate& d) { return Quoted(d.toString("yyyy-MM-dd")); },
         true, Extra::BadRow},
        // Month 13 of later years: first in the database's order, and no days at all.
        {"ImpossibleDays",
         [](int i, const QDate& d) {
             return i % 5 == 0 ? Quoted(QString("%1-13-01").arg(2100 + i))
                               : Quoted(d.toString("yyyy-MM-dd"));
         },
         true},
        // Forms whose text order is not the order of the days, or that repeat a day.
        {"ShortMonths", [](int, const QDate& d) { return Quoted(d.toString("yyyy/M/d")); },
         false},
        {"MixedForms",
         [](int i, const QDate& d) {
             return i % 2 ? Quoted(d.toString("yyyy-MM-dd")) : d.toString("yyyyMMdd");
         },
         false},
        {"TimeOfDay",
         [](int, const QDate& d) { return Quoted(d.toString("yyyy-MM-dd") + " 15:00"); },
         false},
        {"UsDates", [](int, const QDate& d) { return Quoted(d.toString("MM/dd/yyyy")); },
         false},
        {"RepeatedDays", [](int, const QDate& d) { return Quoted(d.toString("yyyy-MM-dd")); },
         false, Extra::Repeat},
    };
    return shapes;
}

// The days in a shuffled row order, so that row order says nothing of date order.
QStringList Statements(const DatabaseShape& shape, bool indexed)
{
    QStringList rows;
    for (int i = 0; i < kDays; ++i) {
        const QDate date = QDate(2022, 3, 1).addDays(i);
        const double close = 500 + i % 37 + i * 0.5;
        const QString values = QString("%1,%2,%3,%4,%5").arg(close).arg(close + 3)
                                   .arg(close - 2).arg(close + 1).arg(1000 + i);
        const QString day = shape.date(i, date);
        rows << QString("('A',%1,%2)").arg(day, values);
        if (shape.extra == DatabaseShape::Extra::BadRow && i % 4 == 0)
            rows << QString("('A',%1,1,1,1,-1,1)").arg(Quoted(date.addDays(1000).toString(
                        "yyyy-MM-dd")));
        if (shape.extra == DatabaseShape::Extra::Repeat && i % 3 == 0)
            rows << QString("('A',%1,1,2,1,2,3)").arg(day);
        rows << QString("('B',%1,1,1,1,1,1)").arg(day);
    }
    std::shuffle(rows.begin(), rows.end(), std::mt19937(11));
    QStringList statements{datalibtest::kCreatePrices, "BEGIN"};
    if (indexed)
        statements << "CREATE INDEX prices_code_date ON prices(code, date)";
    for (const QString& row : rows)
        statements << "INSERT INTO prices VALUES" + row;
    return statements << "COMMIT";
}

// With an index on (code, date) the newest rows are shown to be so by probes of it; without
// one the code's dates are judged in one scan.
class DataLibSqliteNewest
    : public ::testing::TestWithParam<std::tuple<std::size_t, quorex::DataRequest, bool>> {
protected:
    QTemporaryDir m_dir;
    brasko::DataLibrary m_library{nullptr};
};

TEST_P(DataLibSqliteNewest, AreTheNewestBarsOfTheWholeRead)
{
    const auto [shapeIndex, asked, indexed] = GetParam();
    const DatabaseShape& shape = Shapes()[shapeIndex];
    const QString path = m_dir.filePath("prices.db");
    datalibtest::MakeDatabase(path, Statements(shape, indexed));
    const std::string local = datalibtest::LocalPath(path);

    const std::vector<Bar> whole = datalibtest::BarsOf(m_library.LoadData(local, "A", 5));
    ASSERT_GT(whole.size(), std::size_t(kDays) / 2);
    const std::vector<Bar> bars =
        datalibtest::BarsOf(m_library.LoadData(local, "A", 5, asked).data);
    ASSERT_GE(bars.size(), std::min(asked.latestBars, whole.size()));
    ASSERT_LE(bars.size(), whole.size());
    EXPECT_TRUE(std::equal(bars.begin(), bars.end(), whole.end() - std::ptrdiff_t(bars.size())));
    if (bars.size() < whole.size()) {
        EXPECT_TRUE(datalibtest::HoldsMorePeriods(bars, asked.latestWeeks, asked.latestMonths))
            << "the oldest weeks or months asked for are not whole";
    }

    // Only the newest rows were asked for where the order allows it.
    brasko::BusyDatabases busy;
    const auto read = brasko::SqlitePriceReader(busy).Read(
        local, "A", brasko::DataLibrary::BarsKept(asked.latestBars));
    EXPECT_EQ(!read.complete, shape.ordered && asked.latestBars < whole.size() / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, DataLibSqliteNewest,
    ::testing::Combine(::testing::Range(std::size_t(0), Shapes().size()),
                       ::testing::Values(quorex::DataRequest{1, 0, 0},
                                         quorex::DataRequest{60, 0, 0},
                                         quorex::DataRequest{1000, 0, 0},
                                         quorex::DataRequest{1, 10, 0},
                                         quorex::DataRequest{20, 4, 3}),
                       ::testing::Bool()),
    [](const auto& info) {
        const quorex::DataRequest& need = std::get<1>(info.param);
        return std::string(Shapes()[std::get<0>(info.param)].name) + "_"
               + std::to_string(need.latestBars)
               + (need.latestWeeks ? "_weeks" + std::to_string(need.latestWeeks) : "")
               + (need.latestMonths ? "_months" + std::to_string(need.latestMonths) : "")
               + (std::get<2>(info.param) ? "_indexed" : "");
    });

// A newer day among dates the database orders by, written so that the database orders
// it among the older rows: a read of the newest rows alone must see that it is there.
struct StrayDay {
    const char* name;
    const char* form;  // of the other days, for QDate::toString
    const char* stray; // SQL literal, a day after them all
};

class DataLibSqliteStray : public ::testing::TestWithParam<StrayDay> {};

TEST_P(DataLibSqliteStray, IsInTheNewestBars)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("prices.db");
    QStringList statements{"CREATE TABLE prices(code, date, open, high, low, close, volume)",
                           "CREATE INDEX prices_code_date ON prices(code, date)", "BEGIN"};
    for (int i = 0; i < 300; ++i) {
        statements << QString("INSERT INTO prices VALUES('A','%1',%2,%2,%2,%2,1)")
                          .arg(QDate(2023, 1, 1).addDays(i).toString(GetParam().form))
                          .arg(100 + i);
    }
    statements << QString("INSERT INTO prices VALUES('A',%1,7,7,7,7,7)").arg(GetParam().stray)
               << "COMMIT";
    datalibtest::MakeDatabase(path, statements);
    const std::string local = datalibtest::LocalPath(path);
    brasko::DataLibrary library(nullptr);
    const std::vector<Bar> bars =
        datalibtest::BarsOf(library.LoadData(local, "A", 5, {20, 0, 0}).data);
    ASSERT_FALSE(bars.empty());
    EXPECT_EQ(bars.back().close, 7) << "the newest day is " << bars.back().date;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DataLibSqliteStray,
    ::testing::Values(StrayDay{"Integer", "yyyy-MM-dd", "20240105"},
                      StrayDay{"UsDate", "yyyy-MM-dd", "'1/5/2024'"},
                      StrayDay{"LeadingBlank", "yyyy-MM-dd", "' 2024-01-05'"},
                      StrayDay{"DashesAmongSlashes", "yyyy/MM/dd", "'2023-12-30'"},
                      StrayDay{"DashesAmongDots", "yyyy.MM.dd", "'2023-12-30'"},
                      StrayDay{"DashesAmongDigits", "yyyyMMdd", "'2023-12-30'"},
                      StrayDay{"NumberAmongDigits", "yyyyMMdd", "20240105.0"}),
    [](const auto& info) { return std::string(info.param.name); });

// The connection a library keeps, and what it learnt of a code's dates, follow the file:
// rows added in place (here a newer day in a form that the database sorts first, which
// ends the date order), or another file put in its place. The days span two centuries, so
// that what is learnt of the dates comes from all of them.
TEST(DataLibSqliteKept, ReadsTheDatabaseAsItIsNow)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("prices.db");
    const std::string local = datalibtest::LocalPath(path);
    const auto rows = [](int first, int count, double close) {
        QStringList statements{datalibtest::kCreatePrices, "BEGIN"};
        for (int i = first; i < first + count; ++i) {
            statements << QString("INSERT INTO prices VALUES('A','%1',%2,%2,%2,%2,1)")
                              .arg(QDate(1999, 11, 1).addDays(i).toString("yyyy-MM-dd"))
                              .arg(close + i);
        }
        return statements << "COMMIT";
    };
    datalibtest::MakeDatabase(path, rows(0, 300, 100));
    brasko::DataLibrary library(nullptr);
    const quorex::DataRequest need{20, 0, 0};
    ASSERT_TRUE(library.LoadData(local, "A", 5, need).data);

    const QString other = dir.filePath("other.db");
    const std::vector<std::function<void()>> changes{
        [&] {
            datalibtest::MakeDatabase(path, {"INSERT INTO prices VALUES('A','12/31/2000',"
                                             "1,1,1,1,1)"});
        },
        [&] {
            datalibtest::MakeDatabase(other, rows(5, 400, 700));
            ASSERT_TRUE(QFile::remove(path));
            ASSERT_TRUE(QFile::rename(other, path));
        },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        changes[i]();
        brasko::DataLibrary fresh(nullptr);
        const std::vector<Bar> whole = datalibtest::BarsOf(fresh.LoadData(local, "A", 5));
        const std::vector<Bar> bars = datalibtest::BarsOf(library.LoadData(local, "A", 5,
                                                                           need).data);
        ASSERT_GE(bars.size(), need.latestBars) << i;
        EXPECT_TRUE(std::equal(bars.begin(), bars.end(),
                               whole.end() - std::ptrdiff_t(bars.size())))
            << "change " << i;
    }
}

} // namespace
