#pragma once

#include "screen/ConditionNode.h"

#include <Line.h>

#include <QString>

#include <cstddef>
#include <span>
#include <vector>

namespace mosgrid {

// The columns of one period's bars, as the indicator library reads them.
struct SeriesColumns {
    std::vector<double> open;
    std::vector<double> high;
    std::vector<double> low;
    std::vector<double> close;
    std::vector<double> volume;
};

// The functions a condition may call, each computed by the indicator library exactly as
// the chart control draws it.
namespace ScreenFunctions {

inline constexpr int kMaxPeriod = 1000;

struct Signature {
    const char16_t* name;  // lower case
    ScreenFunction function;
    int arguments;
    // The one argument that is a width (a real number) rather than a period, or -1.
    int widthArgument;
    int minPeriod;
};

// Null for a name that is no function.
const Signature* Find(const QString& lowerName);
// The function's name as written in help and messages ("MACDS").
QString NameOf(ScreenFunction function);

// Earlier bars a value of the function depends on.
std::size_t LookBack(ScreenFunction function, std::span<const double> arguments);

// The function's line over the whole series.
quorex::indicators::Line Compute(ScreenFunction function, std::span<const double> arguments,
                                 const SeriesColumns& columns);

} // namespace ScreenFunctions

} // namespace mosgrid
