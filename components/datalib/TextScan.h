#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace brasko {

// Small byte-level helpers shared by the parsers; ASCII only, so they are safe on UTF-8.

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

inline std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

inline char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// Case-insensitive for ASCII letters; other bytes compare exactly.
inline bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

inline bool IsLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// The LF bytes of text, eight at a time: heads and whole files are counted for their lines.
inline std::size_t CountLineFeeds(std::string_view text)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr std::uint64_t kNewlines = kOnes * '\n';
    std::size_t lines = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    for (; end - p >= std::ptrdiff_t(sizeof(std::uint64_t)); p += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, sizeof word);
        const std::uint64_t x = word ^ kNewlines;
        // High bit of each byte set where x's byte is not zero, exactly (no carries); the
        // zero bytes' ones summed into the top byte by the multiply.
        const std::uint64_t nonzero = ((x & kLow7) + kLow7) | x;
        lines += std::size_t((((~nonzero & ~kLow7) >> 7) * kOnes) >> 56);
    }
    for (; p != end; ++p)
        lines += *p == '\n';
    return lines;
}

// Leaves out what follows the last line end (a line still being written); true when there
// was something.
inline bool DropUnfinishedLine(std::string& text)
{
    if (text.empty() || IsLineEnd(text.back()))
        return false;
    const std::size_t end = text.find_last_of("\r\n");
    text.resize(end == std::string::npos ? 0 : end + 1);
    return true;
}

} // namespace brasko
