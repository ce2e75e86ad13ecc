#include "SqlitePriceReader.h"

#include "BarRules.h"
#include "DateParser.h"
#include "PriceSeries.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>
#include <filesystem>

namespace brasko {

namespace {

constexpr char kDriver[] = "QSQLITE";
constexpr char kConnectOptions[] = "QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI";
constexpr char kQuery[] =
    "SELECT date, open, high, low, close, volume FROM prices WHERE code = ?";

// The path as a SQLite URI with every byte kept: a Shift-JIS folder name from a list file
// would not survive a trip through QString, percent-escapes do.
QString DatabaseUri(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const QByteArray bytes = QByteArray::fromStdString(error ? path : absolute.string());
    return QStringLiteral("file:") + QString::fromLatin1(bytes.toPercentEncoding("/"))
           + QStringLiteral("?mode=ro");
}

QString UniqueConnectionName()
{
    static std::atomic<unsigned long long> counter{0};
    return QStringLiteral("brasko-prices-%1").arg(counter.fetch_add(1));
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

std::vector<quorex::PriceBar> QueryRows(QSqlDatabase& db, const std::string& code)
{
    std::vector<quorex::PriceBar> bars;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(QString::fromLatin1(kQuery)))
        return bars; // no prices table
    query.addBindValue(QString::fromUtf8(code.data(), qsizetype(code.size())));
    if (!query.exec())
        return bars;
    while (query.next()) {
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
    return bars;
}

} // namespace

quorex::PriceDataPtr ReadSqlitePrices(const std::string& path, const std::string& code)
{
    // Opening a missing file would create an empty database; read-only mode also forbids
    // that, but an early answer costs less.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return nullptr;

    const QString connection = UniqueConnectionName();
    std::vector<quorex::PriceBar> bars;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QString::fromLatin1(kDriver), connection);
        db.setDatabaseName(DatabaseUri(path));
        db.setConnectOptions(QString::fromLatin1(kConnectOptions));
        if (db.open()) {
            bars = QueryRows(db, code);
            db.close();
        }
    }
    // Only after every handle on the connection is gone.
    QSqlDatabase::removeDatabase(connection);
    return PriceSeries::FromRows(std::move(bars));
}

} // namespace brasko
