#pragma once

#include <cstdint>
#include <optional>

namespace mosgrid {

// The colour flags a security can carry, numbered as their keys 1–6; 0 is none.
enum class FlagColor : std::uint8_t { None = 0, Red, Orange, Yellow, Green, Blue, Purple };

inline constexpr int kFlagColorCount = 6;

// The flag a number names (0–6); nullopt for any other number.
inline std::optional<FlagColor> FlagColorOfNumber(int number)
{
    if (number < 0 || number > kFlagColorCount)
        return std::nullopt;
    return static_cast<FlagColor>(number);
}

inline int FlagNumber(FlagColor color)
{
    return static_cast<int>(color);
}

} // namespace mosgrid
