#include "OptionValues.h"

#include "ChartGrammar.h"

#include <charconv>
#include <cmath>

namespace quorex::chart {

std::vector<std::string_view> ListEntries(std::string_view list)
{
    std::vector<std::string_view> entries;
    while (true) {
        const std::size_t comma = list.find(',');
        entries.push_back(list.substr(0, comma));
        if (comma == std::string_view::npos)
            return entries;
        list.remove_prefix(comma + 1);
    }
}

std::optional<std::vector<int>> IntegerList(std::string_view list, std::size_t most, int lo,
                                            int hi)
{
    const std::vector<std::string_view> entries = ListEntries(list);
    if (entries.size() > most)
        return std::nullopt;
    std::vector<int> values;
    for (const std::string_view entry : entries) {
        const auto value = ParseInteger(entry);
        if (!value || *value < lo || *value > hi)
            return std::nullopt;
        values.push_back(static_cast<int>(*value));
    }
    return values;
}

std::optional<double> DecimalValue(std::string_view text)
{
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.'))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace quorex::chart
