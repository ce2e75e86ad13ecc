#include "ChartGrammar.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace quorex::chart {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsSeparator(char c)
{
    return c == ';' || IsBlank(c);
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Position of the first non-blank at or after pos (a ';' stops the scan).
std::size_t SkipBlanks(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    return pos;
}

std::size_t ScanUntil(std::string_view text, std::size_t pos, bool stopAtEquals)
{
    while (pos < text.size() && !IsSeparator(text[pos]) && !(stopAtEquals && text[pos] == '='))
        ++pos;
    return pos;
}

} // namespace

std::vector<GrammarItem> ParseItems(std::string_view text)
{
    // The text ends at a NUL byte, as a C string handed over would.
    text = text.substr(0, text.find('\0'));
    std::vector<GrammarItem> items;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (IsSeparator(text[pos])) {
            ++pos;
            continue;
        }
        GrammarItem item;
        const std::size_t nameEnd = ScanUntil(text, pos, true);
        item.name.assign(text.substr(pos, nameEnd - pos));
        pos = nameEnd;

        const std::size_t afterName = SkipBlanks(text, pos);
        if (afterName < text.size() && text[afterName] == '=') {
            item.hasValue = true;
            pos = SkipBlanks(text, afterName + 1);
            // A value runs to the next separator; a list goes on across blanks at a comma.
            while (pos < text.size() && text[pos] != ';') {
                const std::size_t end = ScanUntil(text, pos, false);
                item.value.append(text.substr(pos, end - pos));
                const std::size_t next = SkipBlanks(text, end);
                const bool continues = next < text.size() && text[next] != ';'
                    && (text[next] == ',' || (!item.value.empty() && item.value.back() == ','));
                if (!continues) {
                    pos = end;
                    break;
                }
                pos = next;
            }
        }
        if (!item.name.empty())
            items.push_back(std::move(item));
    }
    return items;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::optional<std::int64_t> ParseInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (end != text.data() + text.size())
        return std::nullopt;
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    if (error == std::errc::result_out_of_range || magnitude > static_cast<std::uint64_t>(kMax))
        return negative ? -kMax : kMax;
    const auto value = static_cast<std::int64_t>(magnitude);
    return negative ? -value : value;
}

std::optional<int> ItemInteger(const GrammarItem& item, int lo, int hi)
{
    if (!item.hasValue)
        return std::nullopt;
    const auto value = ParseInteger(item.value);
    if (!value)
        return std::nullopt;
    return static_cast<int>(std::clamp<std::int64_t>(*value, lo, hi));
}

std::optional<bool> ItemFlag(const GrammarItem& item)
{
    if (!item.hasValue)
        return true;
    const auto value = ParseInteger(item.value);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

} // namespace quorex::chart
