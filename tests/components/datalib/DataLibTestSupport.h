#pragma once

#include <QuorexComponents.h>

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

// Shared by the data library's tests.
namespace datalibtest {

// A bar as the tests write it: yyyymmdd, open, high, low, close, volume.
struct Bar {
    int date;
    double open, high, low, close, volume;
    bool operator==(const Bar&) const = default;
};

// Whether bars (in date order) hold more than `weeks` ISO weeks and more than `months`
// calendar months (0: none asked), by QDate rather than the library's own reckoning.
bool HoldsMorePeriods(const std::vector<Bar>& bars, std::size_t weeks, std::size_t months);

std::vector<Bar> BarsOf(const quorex::PriceDataPtr& data);
std::vector<int> DatesOf(const quorex::PriceDataPtr& data);

// Ascending dates, finite non-negative values, high >= low: what every series must hold.
::testing::AssertionResult IsSoundSeries(const quorex::PriceDataPtr& data);

// Parses a whole file's bytes as the library does.
quorex::PriceDataPtr ParseBytes(std::string bytes);

// The local 8-bit path of a file in a folder, for LoadData's source argument.
std::string LocalPath(const QString& path);

// Sets a file's modification time to this long before now (a negative age: after now).
void SetFileAge(const std::string& path, std::chrono::seconds age);
// Old enough for the whole file to be read, its last line included.
inline constexpr std::chrono::seconds kSettledAge{60};

// A database at path made of the given statements, through its own connection.
void MakeDatabase(const QString& path, const QStringList& statements);
inline const QString kCreatePrices = "CREATE TABLE prices(code TEXT, date TEXT, open REAL, "
                                     "high REAL, low REAL, close REAL, volume REAL)";

// Bytes as Shift-JIS (CP932), from UTF-8 text.
std::string ToCp932(const std::string& utf8);

} // namespace datalibtest

std::ostream& operator<<(std::ostream& out, const datalibtest::Bar& bar);
