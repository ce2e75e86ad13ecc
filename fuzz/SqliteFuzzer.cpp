// The data library's SQLite reader on price databases: database files mutated from good
// ones, and databases built from the input (schemas, views, values of every storage class).
// Properties: it ends, and what it gives is a series the control may rely on (see
// PriceChecks.h).
#include "PriceChecks.h"

#include "BusyDatabases.h"
#include "SqlitePriceReader.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>

#include <cstdint>
#include <string>

namespace {

const char* const kCodes[] = {"8035", "1301", "7203", "", "x"};

// Tables and views a price database may hold, good and bad.
const char* const kSchemas[] = {
    "CREATE TABLE prices(code TEXT, date TEXT, open REAL, high REAL, low REAL, close REAL,"
    " volume REAL)",
    "CREATE TABLE prices(code, date, open, high, low, close, volume)",
    "CREATE TABLE p0(code, date, open, high, low, close, volume);"
    "CREATE VIEW prices AS SELECT * FROM p0",
    "CREATE TABLE Prices(CODE, DATE, OPEN, HIGH, LOW, CLOSE, VOLUME, extra)",
    "CREATE TABLE prices(code TEXT, date INTEGER, close REAL)",
    "CREATE TABLE p0(code, date, open, high, low, close, volume);"
    "CREATE VIEW prices AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r)"
    " SELECT p0.code, p0.date, r.n AS open, p0.high, p0.low, p0.close, p0.volume"
    " FROM p0, r",
};

QVariant Value(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 5)) {
    case 0: return QVariant();
    case 1: return input.ConsumeFloatingPoint<double>();
    case 2: return input.ConsumeFloatingPointInRange<double>(0, 100000);
    case 3: return qlonglong(input.ConsumeIntegral<std::int64_t>());
    case 4: return QByteArray::fromStdString(input.ConsumeRandomLengthString(16));
    default: return QString::fromStdString(input.ConsumeRandomLengthString(16));
    }
}

QVariant Date(FuzzedDataProvider& input)
{
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: return qlonglong(input.ConsumeIntegralInRange(19000101, 21001231));
    case 1: return QString::asprintf("%04d/%02d/%02d", input.ConsumeIntegralInRange(1900, 2100),
                                     input.ConsumeIntegralInRange(0, 13),
                                     input.ConsumeIntegralInRange(0, 32));
    default: return Value(input);
    }
}

// A database made from the input; false when it could not be made.
bool BuildDatabase(const std::string& path, FuzzedDataProvider& input)
{
    static int serial = 0;
    const QString connection = QStringLiteral("fuzz-build-%1").arg(++serial);
    bool built = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QString::fromStdString(path));
        if (db.open()) {
            QSqlQuery query(db);
            const std::string schema =
                kSchemas[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kSchemas) - 1)];
            built = true;
            for (const QString& statement : QString::fromStdString(schema).split(';'))
                built = built && query.exec(statement);
            const bool wide = schema.find("volume") != std::string::npos;
            const QString table = schema.find("p0") != std::string::npos ? "p0" : "prices";
            query.prepare(wide ? "INSERT INTO " + table + " VALUES (?, ?, ?, ?, ?, ?, ?)"
                               : "INSERT INTO prices VALUES (?, ?, ?)");
            db.transaction();
            const int rows = input.ConsumeIntegralInRange(0, 64);
            for (int row = 0; built && row < rows; ++row) {
                query.addBindValue(input.ConsumeBool()
                    ? QString::fromLatin1(kCodes[input.ConsumeIntegralInRange(0, 4)])
                    : Value(input));
                query.addBindValue(Date(input));
                for (int column = 0; column < (wide ? 5 : 1); ++column)
                    query.addBindValue(Value(input));
                query.exec();
            }
            db.commit();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return built;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    // The SQL driver is a Qt plugin, found through the application's library paths.
    fuzz::EnsureGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte: a built or a mutated database, the code asked for, and whether only
    // the newest bars are.
    const bool build = data[0] & 1;
    const std::string code = kCodes[(data[0] >> 1) % std::size(kCodes)];
    const std::size_t latestBars = (data[0] & 0x80) ? 60 : 0;
    const std::string path = fuzz::ScratchFolder() + "prices.db";
    ::unlink(path.c_str());
    if (build) {
        FuzzedDataProvider input(data + 1, size - 1);
        if (!BuildDatabase(path, input))
            return 0;
    } else {
        fuzz::Check(fuzz::WriteFile(path, data + 1, size - 1), "write the database");
    }
    // A database that seemed busy would be skipped for a while: every input is read.
    brasko::BusyDatabases busy;
    brasko::SqlitePriceReader reader(busy);
    const brasko::SqlitePriceReader::Result result = reader.Read(path, code, latestBars);
    fuzz::Check(!result.series || result.problem == quorex::DataProblem::None,
                "a series comes without a problem");
    fuzz::CheckSeries(result.series);
    return 0;
}
