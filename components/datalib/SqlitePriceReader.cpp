#include "SqlitePriceReader.h"

#include "BarRules.h"
#include "BusyDatabases.h"
#include "DateParser.h"
#include "SqliteConnection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <optional>

namespace brasko {

namespace {

using quorex::DataProblem;

constexpr char kAllRowsQuery[] =
    "SELECT date, open, high, low, close, volume FROM prices WHERE code = ?";
constexpr char kNewestRowsQuery[] =
    "SELECT date, open, high, low, close, volume FROM prices WHERE code = ? "
    "ORDER BY date DESC LIMIT ?";
// Rows, dated rows, distinct dates, then the dated rows of each form whose order in the
// database is the order of its days: integers (yyyymmdd), and fixed-width texts.
constexpr char kDateFormsQuery[] =
    "SELECT COUNT(*), COUNT(date), COUNT(DISTINCT date), "
    "TOTAL(typeof(date) = 'integer'), "
    "TOTAL(typeof(date) = 'text' AND date GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'), "
    "TOTAL(typeof(date) = 'text' AND date GLOB '[0-9][0-9][0-9][0-9]/[0-9][0-9]/[0-9][0-9]'), "
    "TOTAL(typeof(date) = 'text' AND date GLOB '[0-9][0-9][0-9][0-9].[0-9][0-9].[0-9][0-9]'), "
    "TOTAL(typeof(date) = 'text' AND date GLOB '[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]') "
    "FROM prices WHERE code = ?";
constexpr int kFirstFormColumn = 3;
constexpr int kFormColumns = 5;
// A short read that left too few good rows asks for this many times more.
constexpr std::size_t kLimitGrowth = 4;
// Four thousand years of trading days: a code with more rows is an endless query, whose
// rows would otherwise pile up until the time limit.
constexpr std::size_t kMaxRows = 1'000'000;
constexpr int kPrimaryCodeMask = 0xFF;

// What one query gave.
struct Rows {
    std::vector<quorex::PriceBar> bars; // good rows, in the order returned
    std::size_t returned = 0;           // rows returned, good or bad
    std::optional<QSqlError> error;
    bool endless = false; // stopped at kMaxRows
};

bool IsBusy(const QSqlError& error)
{
    const int code = error.nativeErrorCode().toInt() & kPrimaryCodeMask;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED || code == SQLITE_INTERRUPT;
}

// NULL is missing; numbers are taken as stored; text goes through the price files' rules.
FieldNumber ReadNumber(const QVariant& value, bool volume)
{
    if (value.isNull())
        return FieldNumber::Missing();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::LongLong:
    case QMetaType::Int:
        return FieldNumber::Of(value.toDouble());
    default: {
        const QByteArray text = value.toString().toUtf8();
        const std::string_view view(text.constData(), std::size_t(text.size()));
        return volume ? ParseVolume(view, ',') : ParsePrice(view, ',');
    }
    }
}

void ReadRow(const QSqlQuery& query, std::vector<quorex::PriceBar>& bars)
{
    const QByteArray date = query.value(0).toString().toUtf8();
    RowValues row;
    row.date = ParseDate(std::string_view(date.constData(), std::size_t(date.size())));
    row.open = ReadNumber(query.value(1), false);
    row.high = ReadNumber(query.value(2), false);
    row.low = ReadNumber(query.value(3), false);
    row.close = ReadNumber(query.value(4), false);
    row.volume = ReadNumber(query.value(5), true);
    if (!MakeBar(row, bars.emplace_back()))
        bars.pop_back();
}

// limit: the newest rows only, in date order from the newest; none: every row.
Rows QueryRows(QSqlDatabase& db, const QString& code, std::optional<qlonglong> limit)
{
    Rows rows;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(QString::fromLatin1(limit ? kNewestRowsQuery : kAllRowsQuery))) {
        rows.error = query.lastError();
        return rows;
    }
    query.addBindValue(code);
    if (limit)
        query.addBindValue(*limit);
    if (!query.exec()) {
        rows.error = query.lastError();
        return rows;
    }
    while (query.next()) {
        ReadRow(query, rows.bars);
        if (++rows.returned == kMaxRows) {
            rows.endless = true;
            break;
        }
    }
    if (query.lastError().isValid())
        rows.error = query.lastError();
    return rows;
}

// The code's rows, and whether ORDER BY date orders them as their days: every date in one
// such form, none twice (ties would be ordered otherwise than the rows are read).
struct DateForms {
    qlonglong rows = 0;
    bool ordered = false;
    std::optional<QSqlError> error;
};

DateForms QueryDateForms(QSqlDatabase& db, const QString& code)
{
    DateForms forms;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(QString::fromLatin1(kDateFormsQuery))) {
        forms.error = query.lastError();
        return forms;
    }
    query.addBindValue(code);
    if (!query.exec() || !query.next()) {
        forms.error = query.lastError();
        return forms;
    }
    forms.rows = query.value(0).toLongLong();
    const qlonglong dated = query.value(1).toLongLong();
    if (query.value(2).toLongLong() != dated)
        return forms;
    for (int column = kFirstFormColumn; column < kFirstFormColumn + kFormColumns; ++column) {
        if (query.value(column).toLongLong() == dated)
            forms.ordered = true;
    }
    return forms;
}

// The newest rows, enough to hold latestBars good ones (asking again for more when bad rows
// took their places); null when every row is to be read instead.
std::optional<Rows> QueryNewestRows(QSqlDatabase& db, const QString& code,
                                    std::size_t latestBars, qlonglong rowCount, bool& complete)
{
    if (latestBars >= std::size_t(rowCount))
        return std::nullopt;
    for (auto limit = qlonglong(latestBars); limit < rowCount;
         limit = std::min(limit * qlonglong(kLimitGrowth), rowCount)) {
        Rows rows = QueryRows(db, code, limit);
        if (rows.error)
            return IsBusy(*rows.error) ? std::optional<Rows>(std::move(rows)) : std::nullopt;
        if (rows.bars.size() >= latestBars) {
            complete = rows.returned < std::size_t(limit);
            return rows;
        }
    }
    return std::nullopt;
}

} // namespace

SqlitePriceReader::SqlitePriceReader(BusyDatabases& busy)
    : m_busy(busy)
{
}

SqlitePriceReader::Result SqlitePriceReader::Read(const std::string& path,
                                                  const std::string& code,
                                                  std::size_t latestBars)
{
    // Opening a missing file would create an empty database; read-only mode also forbids
    // that, but an early answer costs less.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {nullptr, DataProblem::DatabaseMissing, false};
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string key = error ? path : absolute.string();
    if (m_busy.IsBusy(key))
        return {nullptr, DataProblem::Busy, false};

    SqliteConnection connection(path, kBusyTimeout, kTimeLimit);
    if (!connection.IsOpen())
        return {nullptr, DataProblem::TableMissing, false};
    QSqlDatabase& db = connection.Database();
    const QString codeText = QString::fromUtf8(code.data(), qsizetype(code.size()));

    bool complete = true;
    std::optional<Rows> newest;
    if (latestBars > 0) {
        const DateForms forms = QueryDateForms(db, codeText);
        if (forms.error && IsBusy(*forms.error))
            newest = Rows{{}, 0, forms.error, false};
        else if (forms.ordered)
            newest = QueryNewestRows(db, codeText, latestBars, forms.rows, complete);
    }
    Rows rows = newest ? std::move(*newest) : QueryRows(db, codeText, std::nullopt);
    if (rows.error && !IsBusy(*rows.error))
        return {nullptr, DataProblem::TableMissing, false};
    if (rows.error || rows.endless) {
        m_busy.Remember(key);
        return {nullptr, DataProblem::Busy, false};
    }
    if (rows.returned == 0)
        return {nullptr, DataProblem::CodeMissing, false};
    PriceSeries::Ptr series = PriceSeries::FromRows(std::move(rows.bars));
    if (!series)
        return {nullptr, DataProblem::Unreadable, false};
    return {std::move(series), DataProblem::None, complete};
}

} // namespace brasko
