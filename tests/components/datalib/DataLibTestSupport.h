#pragma once

#include <QuorexComponents.h>

#include <QString>

#include <gtest/gtest.h>

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

std::vector<Bar> BarsOf(const quorex::PriceDataPtr& data);
std::vector<int> DatesOf(const quorex::PriceDataPtr& data);

// Ascending dates, finite non-negative values, high >= low: what every series must hold.
::testing::AssertionResult IsSoundSeries(const quorex::PriceDataPtr& data);

// Parses a whole file's bytes as the library does.
quorex::PriceDataPtr ParseBytes(std::string bytes);

// The local 8-bit path of a file in a folder, for LoadData's source argument.
std::string LocalPath(const QString& path);

// Bytes as Shift-JIS (CP932), from UTF-8 text.
std::string ToCp932(const std::string& utf8);

} // namespace datalibtest

std::ostream& operator<<(std::ostream& out, const datalibtest::Bar& bar);
