#pragma once

#include "PriceSeries.h"

#include <QuorexComponents.h>

#include <chrono>
#include <memory>
#include <string>

namespace brasko {

class BusyDatabases;
class SqliteConnection;
class SqliteConnections;

// The series of one code from a SQLite price database, opened read-only:
//   prices(code TEXT, date TEXT, open REAL, high REAL, low REAL, close REAL, volume REAL)
// Dates take the price files' forms (an integer yyyymmdd also reads); rows follow the
// price files' rules. Reads on several threads use connections of their own, kept for the
// next read of the same thread; busy databases are shared knowledge. Whether a code's
// dates are in an order the database can sort by is judged once per state of the file.
// An index on prices(code, date) makes a read cost a few dozen rows; without one each read
// scans the table.
class SqlitePriceReader {
public:
    // A writer's commit is over in milliseconds; a lock held longer is not waited out.
    static constexpr std::chrono::milliseconds kBusyTimeout{100};
    // No query of one security's rows takes this long unless something is wrong; such a
    // query, or one of endless rows, counts as busy.
    static constexpr std::chrono::milliseconds kTimeLimit{1000};

    struct Result {
        PriceSeries::Ptr series;
        quorex::DataProblem problem = quorex::DataProblem::None;
        bool complete = false; // series holds every bar of the code
    };

    // connections: kept for later reads; null for connections of this reader's own.
    explicit SqlitePriceReader(BusyDatabases& busy, SqliteConnections* connections = nullptr);
    ~SqlitePriceReader();

    // latestBars: bars needed from the newest, 0 for all. Only the newest rows are asked
    // for when the database's date order is provably that of the dates read.
    Result Read(const std::string& path, const std::string& code, std::size_t latestBars);

private:
    Result ReadWith(SqliteConnection& connection, const std::string& key,
                    const std::string& code, std::size_t latestBars);

    BusyDatabases& m_busy;
    std::unique_ptr<SqliteConnections> m_ownConnections;
    SqliteConnections& m_connections;
};

} // namespace brasko
