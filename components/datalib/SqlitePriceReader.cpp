#include "SqlitePriceReader.h"

#include "BarRules.h"
#include "BusyDatabases.h"
#include "DateParser.h"
#include "SqliteConnection.h"
#include "SqliteConnections.h"
#include "TextScan.h"

#include <QString>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>

namespace brasko {

namespace {

using quorex::DataProblem;

constexpr char kBeginRead[] = "BEGIN";
constexpr char kEndRead[] = "COMMIT";
constexpr char kAllRowsQuery[] =
    "SELECT date, open, high, low, close, volume FROM prices WHERE code = ?";
constexpr char kNewestRowsQuery[] =
    "SELECT date, open, high, low, close, volume FROM prices WHERE code = ? "
    "ORDER BY date DESC LIMIT ?";
// Every row's date, in the database's order of dates: with an index on (code, date) the
// index alone is read.
constexpr char kDatesQuery[] = "SELECT date FROM prices WHERE code = ? ORDER BY date";
// A short read that left too few good rows asks for this many times more.
constexpr std::size_t kLimitGrowth = 4;
// Four thousand years of trading days: a code with more rows is an endless query, whose
// rows would otherwise pile up until the time limit.
constexpr std::size_t kMaxRows = 1'000'000;
constexpr int kPrimaryCodeMask = 0xFF;
// Longer than any date: a yyyymmdd integer's digits.
constexpr std::size_t kNumberChars = 32;

// The date forms whose order in the database is the order of their days: integers
// (yyyymmdd) and fixed-width texts.
enum class DateForm { None, Integer, Dashes, Slashes, Dots, Digits };

// What one query gave.
// The dates of rows read newest first, as the database orders them.
struct DatesSeen {
    DateForm form = DateForm::None;
    bool dated = false;   // a date that is not NULL was read
    bool oneForm = true;  // every such date in one ordered form, none twice
    bool nullRead = false; // a NULL date was read: every row after it has one
    std::string lowestText; // the last date read, of a text form
    std::int64_t lowestNumber = 0; // of the integer form
};

struct Rows {
    std::vector<quorex::PriceBar> bars; // good rows, in the order returned
    std::size_t returned = 0;           // rows returned, good or bad
    int error = SQLITE_OK;              // primary result code of a failure
    bool endless = false;               // stopped at kMaxRows
    DatesSeen dates;                    // of a read of the newest rows
};

bool IsBusy(int error)
{
    return error == SQLITE_BUSY || error == SQLITE_LOCKED || error == SQLITE_INTERRUPT;
}

int LastError(sqlite3* db)
{
    const int code = sqlite3_errcode(db) & kPrimaryCodeMask;
    return code == SQLITE_OK ? SQLITE_ERROR : code;
}

std::string_view TextOf(sqlite3_stmt* statement, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? std::string_view(text, std::size_t(sqlite3_column_bytes(statement, column)))
                : std::string_view();
}

// The date as text the way a value of its kind is written out (a real number shortest).
std::int32_t ReadDate(sqlite3_stmt* statement)
{
    switch (sqlite3_column_type(statement, 0)) {
    case SQLITE_NULL:
        return 0;
    case SQLITE_INTEGER: {
        char digits[kNumberChars];
        const auto end = std::to_chars(digits, digits + sizeof digits,
                                       sqlite3_column_int64(statement, 0)).ptr;
        return ParseDate(std::string_view(digits, std::size_t(end - digits)));
    }
    case SQLITE_FLOAT: {
        const QByteArray text = QVariant(sqlite3_column_double(statement, 0)).toString().toUtf8();
        return ParseDate(std::string_view(text.constData(), std::size_t(text.size())));
    }
    default:
        return ParseDate(TextOf(statement, 0));
    }
}

// NULL is missing; numbers are taken as stored; text goes through the price files' rules.
FieldNumber ReadNumber(sqlite3_stmt* statement, int column, bool volume)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return FieldNumber::Missing();
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return FieldNumber::Of(sqlite3_column_double(statement, column));
    default: {
        const std::string_view text = TextOf(statement, column);
        return volume ? ParseVolume(text, ',') : ParsePrice(text, ',');
    }
    }
}

void ReadRow(sqlite3_stmt* statement, std::vector<quorex::PriceBar>& bars)
{
    RowValues row;
    row.date = ReadDate(statement);
    row.open = ReadNumber(statement, 1, false);
    row.high = ReadNumber(statement, 2, false);
    row.low = ReadNumber(statement, 3, false);
    row.close = ReadNumber(statement, 4, false);
    row.volume = ReadNumber(statement, 5, true);
    if (!MakeBar(row, bars.emplace_back()))
        bars.pop_back();
}

bool BindCode(sqlite3_stmt* statement, const std::string& code)
{
    return sqlite3_bind_text(statement, 1, code.data(), int(code.size()), SQLITE_STATIC)
           == SQLITE_OK;
}

void SeeDate(sqlite3_stmt* statement, DatesSeen& seen);

// limit: the newest rows only, in date order from the newest; none: every row.
Rows QueryRows(SqliteConnection& connection, const std::string& code,
               std::optional<std::int64_t> limit)
{
    Rows rows;
    sqlite3_stmt* statement = connection.Statement(limit ? kNewestRowsQuery : kAllRowsQuery);
    if (!statement || !BindCode(statement, code)
        || (limit && sqlite3_bind_int64(statement, 2, *limit) != SQLITE_OK)) {
        rows.error = LastError(connection.Handle());
        return rows;
    }
    if (limit)
        rows.bars.reserve(std::size_t(*limit));
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        if (limit)
            SeeDate(statement, rows.dates);
        ReadRow(statement, rows.bars);
        if (++rows.returned == kMaxRows) {
            rows.endless = true;
            break;
        }
    }
    if (step != SQLITE_ROW && step != SQLITE_DONE)
        rows.error = LastError(connection.Handle());
    sqlite3_reset(statement);
    return rows;
}

void RunStatement(SqliteConnection& connection, const char* sql)
{
    if (sqlite3_stmt* statement = connection.Statement(sql)) {
        sqlite3_step(statement);
        sqlite3_reset(statement);
    }
}

bool IsDigits(std::string_view text, std::initializer_list<std::size_t> at)
{
    return std::all_of(at.begin(), at.end(), [text](std::size_t i) { return IsDigit(text[i]); });
}

DateForm FormOf(sqlite3_stmt* statement)
{
    constexpr std::size_t kSeparated = 10;
    constexpr std::size_t kCompact = 8;
    const int type = sqlite3_column_type(statement, 0);
    if (type == SQLITE_INTEGER)
        return DateForm::Integer;
    if (type != SQLITE_TEXT)
        return DateForm::None;
    const std::string_view text = TextOf(statement, 0);
    if (text.size() == kCompact)
        return IsDigits(text, {0, 1, 2, 3, 4, 5, 6, 7}) ? DateForm::Digits : DateForm::None;
    if (text.size() != kSeparated || text[4] != text[7]
        || !IsDigits(text, {0, 1, 2, 3, 5, 6, 8, 9})) {
        return DateForm::None;
    }
    switch (text[4]) {
    case '-':
        return DateForm::Dashes;
    case '/':
        return DateForm::Slashes;
    case '.':
        return DateForm::Dots;
    default:
        return DateForm::None;
    }
}

void SeeDate(sqlite3_stmt* statement, DatesSeen& seen)
{
    if (sqlite3_column_type(statement, 0) == SQLITE_NULL) {
        seen.nullRead = true;
        return;
    }
    const DateForm form = FormOf(statement);
    if (form == DateForm::None || (seen.dated && form != seen.form)) {
        seen.oneForm = false;
        return;
    }
    // Newest first: a repeat is next to its first.
    if (form == DateForm::Integer) {
        const std::int64_t number = sqlite3_column_int64(statement, 0);
        seen.oneForm = seen.oneForm && !(seen.dated && number == seen.lowestNumber);
        seen.lowestNumber = number;
    } else {
        const std::string_view text = TextOf(statement, 0);
        seen.oneForm = seen.oneForm && !(seen.dated && text == seen.lowestText);
        seen.lowestText.assign(text);
    }
    seen.form = form;
    seen.dated = true;
}

// A probe of the code's rows through the index: whether the statement, with its further
// parameters bound by bind, gives a row, and its first column's value as text and type.
struct Probe {
    int error = SQLITE_OK;
    bool found = false;
    int type = SQLITE_NULL;
    std::string text;
    std::int64_t number = 0;
};

template <class Bind>
Probe RunProbe(SqliteConnection& connection, const char* sql, const std::string& code,
               Bind bind)
{
    Probe probe;
    sqlite3_stmt* statement = connection.Statement(sql);
    if (!statement || !BindCode(statement, code) || !bind(statement)) {
        probe.error = LastError(connection.Handle());
        return probe;
    }
    const int step = sqlite3_step(statement);
    if (step == SQLITE_ROW) {
        probe.found = true;
        probe.type = sqlite3_column_type(statement, 0);
        probe.number = sqlite3_column_int64(statement, 0);
        if (probe.type == SQLITE_TEXT)
            probe.text.assign(TextOf(statement, 0));
    } else if (step != SQLITE_DONE) {
        probe.error = LastError(connection.Handle());
    }
    sqlite3_reset(statement);
    return probe;
}

constexpr char kLowestDateQuery[] =
    "SELECT date FROM prices WHERE code = ?1 AND date IS NOT NULL ORDER BY date LIMIT 1";
constexpr char kSameDateQuery[] = "SELECT COUNT(*) FROM prices WHERE code = ?1 AND date = ?2";
constexpr char kDatesBetweenQuery[] =
    "SELECT 1 FROM prices WHERE code = ?1 AND date >= ?2 AND date < ?3 LIMIT 1";
// Two leading digits above this are no month: a text starting so is no US date.
constexpr int kMostMonth = 12;
constexpr std::size_t kYearDigits = 4;

bool BindText(sqlite3_stmt* statement, int index, const std::string& text)
{
    return sqlite3_bind_text(statement, index, text.data(), int(text.size()), SQLITE_STATIC)
           == SQLITE_OK;
}

// Whether the rows not read (those the database orders before the lowest date read) are
// all older than every good row read, or bad: then the rows read are the newest rows of
// the whole read, each of its own day. Cheap probes of the index, each of a few rows; a
// date form they cannot vouch for says no. error: a failure of a probe.
bool UnreadRowsAreOlder(SqliteConnection& connection, const std::string& code,
                        const DatesSeen& seen, int& error)
{
    if (!seen.oneForm)
        return false;
    if (seen.nullRead || !seen.dated)
        return true; // the database orders NULL first: the rest have no date at all
    const bool integers = seen.form == DateForm::Integer;
    // The lowest date read is not also a row not read.
    const Probe same = RunProbe(connection, kSameDateQuery, code, [&](sqlite3_stmt* s) {
        return integers ? sqlite3_bind_int64(s, 2, seen.lowestNumber) == SQLITE_OK
                        : BindText(s, 2, seen.lowestText);
    });
    error = same.error;
    if (error != SQLITE_OK || same.number != 1)
        return false;
    // Numbers, older yyyymmdd or no date, come before texts: rows of integers read first
    // mean there is no text, and those not read are smaller numbers.
    if (integers)
        return true;
    // Texts: none may be a number, and all must share the first two digits of the lowest
    // read (no month that high: no US date), so that a text before it is of an older year,
    // or of its year in the same form, or no date.
    const Probe lowest = RunProbe(connection, kLowestDateQuery, code,
                                  [](sqlite3_stmt*) { return true; });
    error = lowest.error;
    const std::string& v = seen.lowestText;
    if (error != SQLITE_OK || !lowest.found || lowest.type != SQLITE_TEXT
        || lowest.text.size() < 2 || lowest.text.compare(0, 2, v, 0, 2) != 0
        || (v[0] - '0') * 10 + (v[1] - '0') <= kMostMonth) {
        return false;
    }
    // Of its year, the other forms whose separator comes before its own.
    const std::string year = v.substr(0, kYearDigits);
    std::string from;
    std::string to;
    switch (seen.form) {
    case DateForm::Dashes:
        return true;
    case DateForm::Slashes:
        from = year + "-", to = year + "/";
        break;
    case DateForm::Dots:
        from = year + "-", to = year + ".";
        break;
    default: // digits
        from = year, to = year + "0";
        break;
    }
    const Probe other = RunProbe(connection, kDatesBetweenQuery, code, [&](sqlite3_stmt* s) {
        return BindText(s, 2, from) && BindText(s, 3, to);
    });
    error = other.error;
    return error == SQLITE_OK && !other.found;
}

// The newest rows, enough to hold latestBars good ones, when the rows read show them to be
// the newest of the whole read; null when that takes a judgement of all the code's rows.
std::optional<Rows> QueryProvenNewestRows(SqliteConnection& connection,
                                          const std::string& code, std::size_t latestBars,
                                          bool& complete)
{
    for (auto limit = std::int64_t(latestBars);; limit *= std::int64_t(kLimitGrowth)) {
        Rows rows = QueryRows(connection, code, limit);
        if (rows.error != SQLITE_OK)
            return IsBusy(rows.error) ? std::optional<Rows>(std::move(rows)) : std::nullopt;
        if (!rows.dates.oneForm)
            return std::nullopt;
        if (rows.returned < std::size_t(limit)) {
            complete = true; // every row of the code
            return rows;
        }
        if (rows.bars.size() >= latestBars) {
            int error = SQLITE_OK;
            if (UnreadRowsAreOlder(connection, code, rows.dates, error)) {
                complete = false;
                return rows;
            }
            if (IsBusy(error)) {
                rows.error = error;
                return rows;
            }
            return std::nullopt;
        }
        if (std::size_t(limit) >= kMaxRows)
            return std::nullopt;
    }
}

// The code's rows, and whether ORDER BY date orders them as their days: every date in one
// such form, none twice (ties would be ordered otherwise than the rows are read).
struct DateFacts {
    SqliteConnection::CodeFacts facts;
    int error = SQLITE_OK;
};

DateFacts QueryDateFacts(SqliteConnection& connection, const std::string& code)
{
    DateFacts result;
    sqlite3_stmt* statement = connection.Statement(kDatesQuery);
    if (!statement || !BindCode(statement, code)) {
        result.error = LastError(connection.Handle());
        return result;
    }
    DateForm form = DateForm::None;
    bool ordered = true;
    bool dated = false;
    std::string previous;
    std::int64_t previousNumber = 0;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        ++result.facts.rows;
        if (!ordered || sqlite3_column_type(statement, 0) == SQLITE_NULL)
            continue;
        const DateForm here = FormOf(statement);
        if (here == DateForm::None || (dated && here != form)) {
            ordered = false; // the rows are still counted: a read of them all follows
            continue;
        }
        // In date order a repeat is next to its first.
        if (here == DateForm::Integer) {
            const std::int64_t number = sqlite3_column_int64(statement, 0);
            ordered = !dated || number != previousNumber;
            previousNumber = number;
        } else {
            const std::string_view text = TextOf(statement, 0);
            ordered = !dated || text != previous;
            previous.assign(text);
        }
        form = here;
        dated = true;
    }
    if (step != SQLITE_DONE)
        result.error = LastError(connection.Handle());
    sqlite3_reset(statement);
    result.facts.ordered = ordered;
    return result;
}

// The newest rows, enough to hold latestBars good ones (asking again for more when bad rows
// took their places); null when every row is to be read instead.
std::optional<Rows> QueryNewestRows(SqliteConnection& connection, const std::string& code,
                                    std::size_t latestBars, std::int64_t rowCount,
                                    bool& complete)
{
    if (latestBars >= std::size_t(rowCount))
        return std::nullopt;
    for (auto limit = std::int64_t(latestBars); limit < rowCount;
         limit = std::min(limit * std::int64_t(kLimitGrowth), rowCount)) {
        Rows rows = QueryRows(connection, code, limit);
        if (rows.error != SQLITE_OK)
            return IsBusy(rows.error) ? std::optional<Rows>(std::move(rows)) : std::nullopt;
        if (rows.bars.size() >= latestBars) {
            complete = rows.returned < std::size_t(limit);
            return rows;
        }
    }
    return std::nullopt;
}

} // namespace

SqlitePriceReader::SqlitePriceReader(BusyDatabases& busy, SqliteConnections* connections)
    : m_busy(busy)
    , m_ownConnections(connections ? nullptr : std::make_unique<SqliteConnections>())
    , m_connections(connections ? *connections : *m_ownConnections)
{
}

SqlitePriceReader::~SqlitePriceReader() = default;

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

    SqliteConnections::Connection connection = m_connections.Take(key, kBusyTimeout);
    if (!connection->IsOpen())
        return {nullptr, DataProblem::TableMissing, false};
    connection->BeginRead(kTimeLimit);
    // One read transaction for the few statements of a read: the file is locked, and its
    // change counter looked at, once.
    RunStatement(*connection, kBeginRead);
    Result result = ReadWith(*connection, key, code, latestBars);
    RunStatement(*connection, kEndRead);
    // A connection still in its transaction would keep writers out: not kept.
    if (sqlite3_get_autocommit(connection->Handle()))
        m_connections.Give(key, std::move(connection));
    return result;
}

SqlitePriceReader::Result SqlitePriceReader::ReadWith(SqliteConnection& connection,
                                                      const std::string& key,
                                                      const std::string& code,
                                                      std::size_t latestBars)
{
    bool complete = true;
    std::optional<Rows> newest;
    // Without the index every probe would scan the table: then the code's dates are
    // judged in one scan instead.
    if (latestBars > 0 && !connection.FindFacts(code) && connection.HasCodeDateIndex()) {
        newest = QueryProvenNewestRows(connection, code, latestBars, complete);
    }
    if (latestBars > 0 && !newest) {
        const SqliteConnection::CodeFacts* known = connection.FindFacts(code);
        DateFacts judged;
        if (!known) {
            judged = QueryDateFacts(connection, code);
            if (judged.error == SQLITE_OK)
                connection.KeepFacts(code, judged.facts);
        }
        const SqliteConnection::CodeFacts& facts = known ? *known : judged.facts;
        if (IsBusy(judged.error)) {
            newest = Rows{};
            newest->error = judged.error;
        } else if (judged.error == SQLITE_OK && facts.ordered) {
            newest = QueryNewestRows(connection, code, latestBars, facts.rows, complete);
        }
    }
    Rows rows = newest ? std::move(*newest) : QueryRows(connection, code, std::nullopt);
    if (rows.error != SQLITE_OK && !IsBusy(rows.error))
        return {nullptr, DataProblem::TableMissing, false};
    if (rows.error != SQLITE_OK || rows.endless) {
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
