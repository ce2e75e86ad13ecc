// Reading the newest bars of a price file from its newest end, on any file: the first three
// bytes choose the request (daily bars, weeks, months), the rest is the file. Property: what
// a partial read gives is a series, and holds what was asked for (or the whole series); for
// a file whose rows are in date order it is exactly the newest part of what the whole file
// gives. (Order is checked at the ends read, never in between: a stray row in the middle of
// a file in order at both ends is not seen by a partial read.)
#include "PriceChecks.h"

#include "CsvPriceParser.h"
#include "DataLibrary.h"
#include "TextDecoder.h"
#include "TextScan.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kRequestBytes = 3;
constexpr unsigned kMostBars = 400;
constexpr unsigned kMostWeeks = 60;
constexpr unsigned kMostMonths = 30;

// The file's rows as the whole read sees them (a fresh file: its unfinished last line left
// out), in date order one way or the other, repeats allowed.
bool InDateOrder(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    brasko::DecodeToUtf8(text);
    brasko::DropUnfinishedLine(text);
    const std::vector<quorex::PriceBar> bars = brasko::ReadPriceRows(text).bars;
    const auto earlier = [](const quorex::PriceBar& a, const quorex::PriceBar& b) {
        return a.date < b.date;
    };
    const auto later = [](const quorex::PriceBar& a, const quorex::PriceBar& b) {
        return a.date > b.date;
    };
    return std::is_sorted(bars.begin(), bars.end(), earlier)
           || std::is_sorted(bars.begin(), bars.end(), later);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kRequestBytes)
        return 0;
    quorex::DataRequest need;
    need.latestBars = 1 + (data[0] * 7u) % kMostBars;
    need.latestWeeks = data[1] % kMostWeeks;
    need.latestMonths = data[2] % kMostMonths;
    const std::string path = fuzz::ScratchFolder() + "prices.csv";
    if (!fuzz::WriteFile(path, data + kRequestBytes, size - kRequestBytes))
        return 0;

    brasko::DataLibrary library(nullptr);
    const quorex::PriceDataPtr whole = library.LoadData(path, "", 0);
    const quorex::DataResult newest = library.LoadData(path, "", 0, need);
    fuzz::CheckSeries(newest.data);
    fuzz::Check((whole == nullptr) == (newest.data == nullptr),
                "a partial read finds a series when the whole read does");
    if (!whole)
        return 0;
    const auto all = whole->Bars();
    const auto part = newest.data->Bars();
    fuzz::Check(part.size() <= all.size(), "no more bars than the whole file");
    fuzz::Check(part.size() >= std::min(need.latestBars, all.size()),
                "at least the bars asked for");
    if (!InDateOrder(data + kRequestBytes, size - kRequestBytes))
        return 0;
    const std::size_t first = all.size() - part.size();
    for (std::size_t i = 0; i < part.size(); ++i) {
        const quorex::PriceBar& a = all[first + i];
        const quorex::PriceBar& b = part[i];
        fuzz::Check(a.date == b.date && a.open == b.open && a.high == b.high && a.low == b.low
                        && a.close == b.close && a.volume == b.volume,
                    "the newest bars are those of the whole read");
    }
    return 0;
}
