#pragma once

#include "PriceSeries.h"

#include <QuorexComponents.h>

#include <chrono>
#include <string>

namespace brasko {

class BusyDatabases;

// The series of one code from a SQLite price database, opened read-only:
//   prices(code TEXT, date TEXT, open REAL, high REAL, low REAL, close REAL, volume REAL)
// Dates take the price files' forms (an integer yyyymmdd also reads); rows follow the
// price files' rules. Each read has its own connection, so reads may run on several
// threads; busy databases are shared knowledge.
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

    explicit SqlitePriceReader(BusyDatabases& busy);

    // latestBars: bars needed from the newest, 0 for all. Only the newest rows are asked
    // for when the database's date order is provably that of the dates read.
    Result Read(const std::string& path, const std::string& code, std::size_t latestBars);

private:
    BusyDatabases& m_busy;
};

} // namespace brasko
