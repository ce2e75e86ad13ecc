#include <gtest/gtest.h>

#include "DataLibTestSupport.h"

#include <QDate>

#include <set>

#include "CsvPriceParser.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <iconv.h>

#include <cmath>
#include <filesystem>
#include <ostream>

namespace datalibtest {

std::vector<Bar> BarsOf(const quorex::PriceDataPtr& data)
{
    std::vector<Bar> bars;
    if (!data)
        return bars;
    for (const quorex::PriceBar& b : data->Bars())
        bars.push_back({b.date, b.open, b.high, b.low, b.close, b.volume});
    return bars;
}

std::vector<int> DatesOf(const quorex::PriceDataPtr& data)
{
    std::vector<int> dates;
    for (const Bar& bar : BarsOf(data))
        dates.push_back(bar.date);
    return dates;
}

::testing::AssertionResult IsSoundSeries(const quorex::PriceDataPtr& data)
{
    if (!data)
        return ::testing::AssertionSuccess() << "null";
    const auto bars = data->Bars();
    if (bars.empty())
        return ::testing::AssertionFailure() << "an empty data object";
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const quorex::PriceBar& b = bars[i];
        for (double v : {b.open, b.high, b.low, b.close, b.volume}) {
            if (!std::isfinite(v) || v < 0)
                return ::testing::AssertionFailure() << "bad value at " << b.date;
        }
        if (b.high < b.low)
            return ::testing::AssertionFailure() << "high below low at " << b.date;
        if (i > 0 && bars[i - 1].date >= b.date)
            return ::testing::AssertionFailure() << "not ascending at " << b.date;
    }
    return ::testing::AssertionSuccess();
}

quorex::PriceDataPtr ParseBytes(std::string bytes)
{
    return brasko::ParsePriceFile(bytes);
}

std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

void MakeDatabase(const QString& path, const QStringList& statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "maker");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const QString& statement : statements)
            ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
    }
    QSqlDatabase::removeDatabase("maker");
}

void SetFileAge(const std::string& path, std::chrono::seconds age)
{
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(path, now - age);
}

std::string ToCp932(const std::string& utf8)
{
    iconv_t converter = iconv_open("CP932", "UTF-8");
    std::string in = utf8;
    std::string out(in.size() * 2 + 4, '\0');
    char* src = in.data();
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    iconv(converter, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(converter);
    out.resize(out.size() - dstLeft);
    return out;
}

bool HoldsMorePeriods(const std::vector<Bar>& bars, std::size_t weeks, std::size_t months)
{
    std::set<int> weekKeys;
    std::set<int> monthKeys;
    for (const Bar& bar : bars) {
        const QDate day(bar.date / 10000, bar.date / 100 % 100, bar.date % 100);
        int weekYear = 0;
        const int week = day.weekNumber(&weekYear);
        weekKeys.insert(weekYear * 100 + week);
        monthKeys.insert(bar.date / 100);
    }
    return (weeks == 0 || weekKeys.size() > weeks) && (months == 0 || monthKeys.size() > months);
}

} // namespace datalibtest

std::ostream& operator<<(std::ostream& out, const datalibtest::Bar& bar)
{
    return out << '{' << bar.date << ' ' << bar.open << ' ' << bar.high << ' ' << bar.low << ' '
               << bar.close << ' ' << bar.volume << '}';
}
