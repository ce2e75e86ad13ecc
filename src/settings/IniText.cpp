#include "settings/IniText.h"

#include <algorithm>

namespace mosgrid {

namespace IniText {

namespace {

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

} // namespace

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsBlankText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), IsBlank);
}

std::string_view TrimLeft(std::string_view text)
{
    std::size_t first = 0;
    while (first < text.size() && IsBlank(text[first]))
        ++first;
    return text.substr(first);
}

std::string_view Trim(std::string_view text)
{
    text = TrimLeft(text);
    std::size_t size = text.size();
    while (size > 0 && IsBlank(text[size - 1]))
        --size;
    return text.substr(0, size);
}

std::string_view CutAtNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

std::string_view Unquote(std::string_view text)
{
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'')
        && text.back() == text.front())
        return text.substr(1, text.size() - 2);
    return text;
}

std::string_view ReadableValue(std::string_view raw)
{
    return Unquote(Trim(CutAtNul(raw)));
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string ToLower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower;
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string FlattenLineBreaks(std::string_view text)
{
    std::string flat;
    flat.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        flat += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return flat;
}

} // namespace IniText

} // namespace mosgrid
