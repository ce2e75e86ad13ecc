#include "ScreenCatalog.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace benchscreen {

namespace {

constexpr unsigned kFirstCode = 1000;
constexpr double kDailyDeviationPercent = 1.6;

std::string PriceText(unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> step(0.0, kDailyDeviationPercent);
    std::vector<std::chrono::sys_days> days;
    std::chrono::sys_days day = std::chrono::year(2026) / 12 / 4;
    while (static_cast<int>(days.size()) < kBars) {
        const std::chrono::weekday weekday(day);
        if (weekday != std::chrono::Saturday && weekday != std::chrono::Sunday)
            days.push_back(day);
        day -= std::chrono::days(1);
    }
    std::string text = "Date,Open,High,Low,Close,Adj Close,Volume\n";
    double close = 500 + seed % 3000;
    char line[160];
    for (auto it = days.rbegin(); it != days.rend(); ++it) {
        const std::chrono::year_month_day ymd(*it);
        const double open = close;
        close = std::max(10.0, open * (1 + std::clamp(step(random), -5.0, 5.0) / 100));
        const long volume = 100000 + static_cast<long>(random() % 9000000);
        std::snprintf(line, sizeof line, "%04d-%02u-%02u,%.1f,%.1f,%.1f,%.1f,%.1f,%ld\n",
                      int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day()), open,
                      std::max(open, close) * 1.004, std::min(open, close) * 0.996, close,
                      close, volume);
        text += line;
    }
    return text;
}

} // namespace

std::string CodeOf(int index)
{
    return std::to_string(kFirstCode + static_cast<unsigned>(index));
}

bool MakeCatalog(const std::string& folder, int count)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path prices = fs::path(folder) / "prices";
    fs::create_directories(prices, error);
    std::ofstream list(fs::path(folder) / "catalog.lst", std::ios::binary | std::ios::trunc);
    for (int i = 0; i < count; ++i) {
        const std::string code = CodeOf(i);
        const fs::path file = prices / (code + ".csv");
        if (!fs::exists(file)) {
            std::ofstream out(file, std::ios::binary);
            out << PriceText(static_cast<unsigned>(i));
            if (!out)
                return false;
        }
        list << "1," << prices.string() << "," << code << ",Security " << code << "\n";
    }
    return static_cast<bool>(list);
}

} // namespace benchscreen
