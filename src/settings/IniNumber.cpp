#include "settings/IniNumber.h"

#include "settings/IniText.h"

#include <cstdint>

namespace mosgrid {

namespace {

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return -1;
}

unsigned BaseOfPrefix(std::string_view text)
{
    if (text.size() < 2 || text[0] != '0')
        return 10;
    switch (text[1]) {
    case 'x': return 16;
    case 'o': return 8;
    case 'b': return 2;
    default: return 10;
    }
}

} // namespace

int ParseProfileInt(std::string_view text)
{
    text = IniText::Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const unsigned base = BaseOfPrefix(text);
    if (base != 10)
        text.remove_prefix(2);

    // Unsigned arithmetic wraps modulo 2^32 by definition, as the original does.
    std::uint32_t value = 0;
    for (const char c : text) {
        const int digit = DigitValue(c);
        if (digit < 0 || unsigned(digit) >= base)
            break;
        value = value * base + std::uint32_t(digit);
    }
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

} // namespace mosgrid
