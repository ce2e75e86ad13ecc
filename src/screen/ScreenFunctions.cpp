#include "screen/ScreenFunctions.h"

#include <Averages.h>
#include <Bollinger.h>
#include <Extremes.h>
#include <LookBack.h>
#include <Macd.h>
#include <Rci.h>
#include <Rsi.h>
#include <Stochastics.h>

namespace mosgrid {

namespace ScreenFunctions {

namespace ind = quorex::indicators;

namespace {

constexpr int kNoWidth = -1;

constexpr Signature kSignatures[] = {
    {u"ma", ScreenFunction::MA, 1, kNoWidth, 1},
    {u"ema", ScreenFunction::EMA, 1, kNoWidth, 1},
    {u"rsi", ScreenFunction::RSI, 1, kNoWidth, 1},
    {u"bbu", ScreenFunction::BBU, 2, 1, 1},
    {u"bbl", ScreenFunction::BBL, 2, 1, 1},
    {u"macd", ScreenFunction::MACD, 3, kNoWidth, 1},
    {u"macds", ScreenFunction::MACDS, 3, kNoWidth, 1},
    {u"stochk", ScreenFunction::STOCHK, 3, kNoWidth, 1},
    {u"rci", ScreenFunction::RCI, 1, kNoWidth, 2},
    {u"high", ScreenFunction::HIGH, 1, kNoWidth, 1},
    {u"low", ScreenFunction::LOW, 1, kNoWidth, 1},
    {u"avgvol", ScreenFunction::AVGVOL, 1, kNoWidth, 1},
};

int Period(std::span<const double> arguments, std::size_t index)
{
    return static_cast<int>(arguments[index]);
}

} // namespace

const Signature* Find(const QString& lowerName)
{
    for (const Signature& signature : kSignatures) {
        if (lowerName == QString::fromUtf16(signature.name))
            return &signature;
    }
    return nullptr;
}

QString NameOf(ScreenFunction function)
{
    for (const Signature& signature : kSignatures) {
        if (signature.function == function)
            return QString::fromUtf16(signature.name).toUpper();
    }
    return {};
}

std::size_t LookBack(ScreenFunction function, std::span<const double> a)
{
    switch (function) {
    case ScreenFunction::MA:
    case ScreenFunction::HIGH:
    case ScreenFunction::LOW:
    case ScreenFunction::AVGVOL:
        return ind::SimpleAverageLookBack(Period(a, 0));
    case ScreenFunction::EMA:
        return ind::ExponentialAverageLookBack(Period(a, 0));
    case ScreenFunction::RSI:
        return ind::RsiLookBack(Period(a, 0));
    case ScreenFunction::BBU:
    case ScreenFunction::BBL:
        return ind::BollingerLookBack(Period(a, 0));
    case ScreenFunction::MACD:
    case ScreenFunction::MACDS:
        return ind::MacdLookBack(Period(a, 0), Period(a, 1), Period(a, 2));
    case ScreenFunction::STOCHK:
        // (k, d, s): %K over k bars slowed over s; %D over d.
        return ind::StochasticsLookBack(Period(a, 0), Period(a, 2), Period(a, 1));
    case ScreenFunction::RCI:
        return ind::RciLookBack(Period(a, 0));
    }
    return 0;
}

ind::Line Compute(ScreenFunction function, std::span<const double> a, const SeriesColumns& c)
{
    switch (function) {
    case ScreenFunction::MA:
        return ind::SimpleAverage(c.close, Period(a, 0));
    case ScreenFunction::EMA:
        return ind::ExponentialAverage(c.close, Period(a, 0));
    case ScreenFunction::RSI:
        return ind::Rsi(c.close, Period(a, 0));
    case ScreenFunction::BBU:
        return ind::Bollinger(c.close, Period(a, 0), a[1]).upper;
    case ScreenFunction::BBL:
        return ind::Bollinger(c.close, Period(a, 0), a[1]).lower;
    case ScreenFunction::MACD:
        return ind::Macd(c.close, Period(a, 0), Period(a, 1), Period(a, 2)).macd;
    case ScreenFunction::MACDS:
        return ind::Macd(c.close, Period(a, 0), Period(a, 1), Period(a, 2)).signal;
    case ScreenFunction::STOCHK:
        return ind::Stochastics(c.high, c.low, c.close, Period(a, 0), Period(a, 2),
                                Period(a, 1))
            .k;
    case ScreenFunction::RCI:
        return ind::Rci(c.close, Period(a, 0));
    case ScreenFunction::HIGH:
        return ind::Highest(c.high, Period(a, 0));
    case ScreenFunction::LOW:
        return ind::Lowest(c.low, Period(a, 0));
    case ScreenFunction::AVGVOL:
        return ind::SimpleAverage(c.volume, Period(a, 0));
    }
    return ind::UndefinedLine(c.close.size());
}

} // namespace ScreenFunctions

} // namespace mosgrid
