#include "NumberParser.h"

#include "TextScan.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace brasko {

namespace {

// Longer fields are not numbers anyone exports; the bound keeps the scratch on the stack.
constexpr std::size_t kMaxNumberChars = 64;

bool IsMissingMark(std::string_view text)
{
    return text.empty() || text == "-" || EqualsNoCase(text, "null") || EqualsNoCase(text, "n/a");
}

// "1,234,567.5": groups of three digits after the first group of one to three.
bool HasThousandsGrouping(std::string_view text)
{
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::size_t group = 0;
    bool first = true;
    for (char c : whole) {
        if (c == ',') {
            if (group == 0 || group > 3 || (!first && group != 3))
                return false;
            first = false;
            group = 0;
        } else if (IsDigit(c)) {
            ++group;
        } else {
            return false;
        }
    }
    return !first && group == 3 && text.find(',', point) == std::string_view::npos;
}

// Removes thousands separators or turns a decimal comma into a point, into scratch.
bool NormalizeCommas(std::string_view text, char separator, char* scratch, std::size_t& length)
{
    length = 0;
    if (HasThousandsGrouping(text)) {
        for (char c : text) {
            if (c != ',')
                scratch[length++] = c;
        }
        return true;
    }
    const std::size_t comma = text.find(',');
    const bool lone = text.find(',', comma + 1) == std::string_view::npos;
    if (separator == ',' || !lone || text.find('.') != std::string_view::npos)
        return false;
    for (char c : text)
        scratch[length++] = (c == ',') ? '.' : c;
    return true;
}

FieldNumber Scaled(double value, double scale)
{
    value *= scale;
    return std::isfinite(value) ? FieldNumber::Of(value) : FieldNumber::Bad();
}

// "1,234,567.5" in one pass, as HasThousandsGrouping and ParsePlainDecimal read it once
// its commas are gone: what quoted broker values are, nearly all.
bool ParseGroupedDecimal(std::string_view text, double& value)
{
    std::uint64_t mantissa = 0;
    std::ptrdiff_t digits = 0;
    std::size_t group = 0;
    std::size_t groups = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != '.'; ++i) {
        const char c = text[i];
        if (c == ',') {
            if (group == 0 || group > 3 || (groups > 0 && group != 3))
                return false;
            ++groups;
            group = 0;
        } else if (IsDigit(c)) {
            mantissa = mantissa * 10 + std::uint64_t(c - '0');
            ++digits;
            ++group;
        } else {
            return false;
        }
    }
    if (groups == 0 || group != 3)
        return false;
    std::ptrdiff_t fraction = 0;
    if (i < text.size()) {
        for (++i; i < text.size(); ++i, ++fraction) {
            if (!IsDigit(text[i]))
                return false;
            mantissa = mantissa * 10 + std::uint64_t(text[i] - '0');
        }
    }
    if (digits + fraction > kMaxExactDigits)
        return false;
    value = DecimalValue(mantissa, fraction);
    return true;
}

// Everything but a plain decimal: blanks, missing marks, sign, '$', commas, exponents.
FieldNumber ParseDecorated(std::string_view field, char separator, double scale)
{
    if (double value = 0; ParseGroupedDecimal(field, value))
        return Scaled(value, scale);
    std::string_view text = TrimBlanks(field);
    if (IsMissingMark(text))
        return FieldNumber::Missing();
    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '$')
        text.remove_prefix(1);
    // from_chars takes no sign of its own here: "--5" and "-$-5" stay bad.
    if (text.empty() || text.size() > kMaxNumberChars || text.front() == '-'
        || text.front() == '+') {
        return FieldNumber::Bad();
    }
    char scratch[kMaxNumberChars];
    if (text.find(',') != std::string_view::npos) {
        std::size_t length = 0;
        if (!NormalizeCommas(text, separator, scratch, length))
            return FieldNumber::Bad();
        text = std::string_view(scratch, length);
    }
    double value = 0;
    if (!ParsePlainDecimal(text, value)) {
        const char* const end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        if (error != std::errc() || stop != end || !std::isfinite(value))
            return FieldNumber::Bad();
    }
    return Scaled(negative ? -value : value, scale);
}

FieldNumber ParseNumber(std::string_view field, char separator, double scale)
{
    double value = 0;
    if (ParsePlainDecimal(field, value))
        return Scaled(value, scale);
    return ParseDecorated(field, separator, scale);
}

double SuffixScale(char suffix)
{
    switch (AsciiLower(suffix)) {
    case 'k':
        return 1e3;
    case 'm':
        return 1e6;
    case 'b':
        return 1e9;
    default:
        return 0;
    }
}

} // namespace

FieldNumber ParseDecoratedPrice(std::string_view field, char separator)
{
    return ParseDecorated(field, separator, 1);
}

FieldNumber ParseDecoratedVolume(std::string_view field, char separator)
{
    std::string_view text = TrimBlanks(field);
    if (!text.empty()) {
        if (const double scale = SuffixScale(text.back()); scale != 0) {
            text.remove_suffix(1);
            if (IsMissingMark(TrimBlanks(text)))
                return FieldNumber::Bad();
            return ParseNumber(text, separator, scale);
        }
    }
    return ParseNumber(text, separator, 1);
}

} // namespace brasko
