#pragma once

#include <string_view>

namespace brasko {

// One numeric field of a price row.
struct FieldNumber {
    enum class State { Value, Missing, Bad };
    State state = State::Missing;
    double value = 0;

    static FieldNumber Missing() { return {}; }
    static FieldNumber Bad() { return {State::Bad, 0}; }
    static FieldNumber Of(double v) { return {State::Value, v}; }
};

// A price: blanks around it, a leading '$' and thousands separators ("1,234.5") are allowed.
// Empty, "-", "null" and "N/A" are missing; NaN, infinities and anything else unreadable
// are bad. In a file not separated by commas, a lone comma without a point that does not
// group thousands is the decimal mark ("12,5"; "1,234" stays 1234). Negative values come
// back as they are: the row rules reject them.
FieldNumber ParsePrice(std::string_view field, char separator);

// A volume: as a price, and may end in K, M or B (thousands, millions, billions).
FieldNumber ParseVolume(std::string_view field, char separator);

} // namespace brasko
