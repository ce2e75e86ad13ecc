#include "settings/ParamText.h"

#include <algorithm>
#include <charconv>

namespace mosgrid {

namespace ParamText {

namespace {

constexpr char kItemSeparator[] = "; ";

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

// Reads the value after '=' from pos; returns where it ends.
std::size_t ReadValue(std::string_view text, std::size_t pos, std::string& value)
{
    while (pos < text.size() && text[pos] != ';') {
        const std::size_t end = ScanUntil(text, pos, false);
        value.append(text.substr(pos, end - pos));
        const std::size_t next = SkipBlanks(text, end);
        const bool continues = next < text.size() && text[next] != ';'
            && (text[next] == ',' || (!value.empty() && value.back() == ','));
        if (!continues)
            return end;
        pos = next;
    }
    return pos;
}

std::string Joined(std::string_view text, std::string_view item)
{
    std::size_t end = text.size();
    while (end > 0 && IsSeparator(text[end - 1]))
        --end;
    if (end == 0)
        return std::string(item);
    std::string joined(text.substr(0, end));
    joined += kItemSeparator;
    joined += item;
    return joined;
}

} // namespace

std::vector<Item> Parse(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    std::vector<Item> items;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (IsSeparator(text[pos])) {
            ++pos;
            continue;
        }
        Item item;
        item.begin = pos;
        const std::size_t nameEnd = ScanUntil(text, pos, true);
        item.name.assign(text.substr(pos, nameEnd - pos));
        pos = item.end = nameEnd;
        const std::size_t afterName = SkipBlanks(text, pos);
        if (afterName < text.size() && text[afterName] == '=') {
            item.hasValue = true;
            pos = item.end = ReadValue(text, SkipBlanks(text, afterName + 1), item.value);
        }
        // A value without a name ("=5") is dropped, as the chart control drops it.
        if (!item.name.empty())
            items.push_back(std::move(item));
    }
    return items;
}

std::optional<Item> Find(std::string_view text, std::string_view name)
{
    std::optional<Item> found;
    for (Item& item : Parse(text)) {
        if (EqualsNoCase(item.name, name))
            found = std::move(item);
    }
    return found;
}

std::string With(std::string_view text, std::string_view name, std::string_view value)
{
    std::string item(name);
    item += '=';
    item += value;
    return WithItem(text, name, item);
}

std::string WithBare(std::string_view text, std::string_view name)
{
    return WithItem(text, name, name);
}

std::string WithItem(std::string_view text, std::string_view name, std::string_view item)
{
    const std::optional<Item> last = Find(text, name);
    if (!last)
        return Joined(text, item);
    std::string result(text);
    result.replace(last->begin, last->end - last->begin, item);
    return result;
}

std::string Without(std::string_view text, std::string_view name)
{
    std::string result(text);
    const std::vector<Item> items = Parse(text);
    // From the back, so earlier positions stay valid.
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (!EqualsNoCase(it->name, name))
            continue;
        std::size_t begin = it->begin;
        std::size_t end = it->end;
        // The separators after the item go with it; at the end, those before it.
        while (end < result.size() && IsSeparator(result[end]))
            ++end;
        if (end == result.size()) {
            while (begin > 0 && IsSeparator(result[begin - 1]))
                --begin;
        }
        result.erase(begin, end - begin);
    }
    return result;
}

std::string WithFirst(std::string_view text, std::string_view word)
{
    const std::vector<Item> items = Parse(text);
    if (items.empty())
        return std::string(word);
    std::string result(text);
    result.replace(items.front().begin, items.front().end - items.front().begin, word);
    return result;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::optional<long long> Integer(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<bool> Flag(const Item& item)
{
    if (!item.hasValue)
        return true;
    const std::optional<long long> value = Integer(item.value);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

} // namespace ParamText

} // namespace mosgrid
