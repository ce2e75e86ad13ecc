#pragma once

#include <QuorexComponents.h>

#include <string>

namespace brasko {

// The series of one code from a SQLite price database, opened read-only:
//   prices(code TEXT, date TEXT, open REAL, high REAL, low REAL, close REAL, volume REAL)
// Dates take the price files' forms (an integer yyyymmdd also reads); rows follow the
// price files' rules. Null for a missing file, a file that is no such database, or no
// good row. Each call has its own connection, so calls may run on several threads.
quorex::PriceDataPtr ReadSqlitePrices(const std::string& path, const std::string& code);

} // namespace brasko
