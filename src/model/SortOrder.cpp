#include "model/SortOrder.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace mosgrid {

namespace {

constexpr double kPercent = 100.0;

// A code of ASCII digits alone (after folding), as a number; nothing otherwise.
std::optional<qulonglong> CodeNumber(const QString& code)
{
    if (code.isEmpty() || code.size() > 18)
        return std::nullopt;
    for (const QChar c : code) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return code.toULongLong();
}

// <0, 0, >0 as a sorts before, with or after b in ascending order.
int CompareCodes(const QString& a, const QString& b)
{
    const std::optional<qulonglong> na = CodeNumber(a);
    const std::optional<qulonglong> nb = CodeNumber(b);
    if (na && nb)
        return *na < *nb ? -1 : (*na > *nb ? 1 : 0);
    if (na || nb)
        return na ? -1 : 1;
    return QString::compare(a, b);
}

int CompareValues(double a, double b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

std::optional<double> SortValue(const ItemFacts& facts, SortKey key)
{
    if (!facts.made || !facts.hasData)
        return std::nullopt;
    double value = 0;
    switch (key) {
    case SortKey::Change:
        if (!std::isfinite(facts.previousClose) || facts.previousClose == 0)
            return std::nullopt;
        value = (facts.lastClose - facts.previousClose) / facts.previousClose * kPercent;
        break;
    case SortKey::Last:
        value = facts.lastClose;
        break;
    case SortKey::Volume:
        value = facts.lastVolume;
        break;
    default:
        return std::nullopt;
    }
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<int> SortedItems(std::span<const SortEntry> entries, SortKey key,
                             bool descending)
{
    std::vector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    if (key == SortKey::List) {
        if (descending)
            std::reverse(order.begin(), order.end());
        return order;
    }
    const int direction = descending ? -1 : 1;

    if (key == SortKey::Code || key == SortKey::Name) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int c = key == SortKey::Code
                ? CompareCodes(entries[a].code, entries[b].code)
                : QString::compare(entries[a].name, entries[b].name);
            return c * direction < 0;
        });
        return order;
    }

    std::vector<std::optional<double>> values(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        values[i] = SortValue(entries[i].facts, key);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (!values[a] || !values[b])
            return values[a].has_value() && !values[b].has_value();
        return CompareValues(*values[a], *values[b]) * direction < 0;
    });
    return order;
}

} // namespace mosgrid
