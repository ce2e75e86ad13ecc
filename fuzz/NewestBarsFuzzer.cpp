// Reading the newest bars of a price file from its newest end, on any file: the first three
// bytes choose the request (daily bars, weeks, months), the rest is the file. Property: what
// a partial read gives is exactly the newest part of what the whole file gives, and holds
// what was asked for (or the whole series).
#include "PriceChecks.h"

#include "DataLibrary.h"

#include <cstdint>
#include <string>

namespace {

constexpr std::size_t kRequestBytes = 3;
constexpr unsigned kMostBars = 400;
constexpr unsigned kMostWeeks = 60;
constexpr unsigned kMostMonths = 30;

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
