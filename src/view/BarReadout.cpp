#include "view/BarReadout.h"

#include "base/GridTexts.h"

#include <QLocale>

#include <cmath>

namespace mosgrid {

namespace {

constexpr int kYearFactor = 10000;
constexpr int kMonthFactor = 100;

QString DateText(std::int32_t date)
{
    return QStringLiteral("%1/%2/%3")
        .arg(date / kYearFactor)
        .arg(date / kMonthFactor % kMonthFactor, 2, 10, QLatin1Char('0'))
        .arg(date % kMonthFactor, 2, 10, QLatin1Char('0'));
}

QString NumberText(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("-");
    return QLocale(QLocale::Japanese).toString(value, 'f', decimals);
}

QString Line(const QString& name, const QString& value)
{
    return name + QLatin1Char(' ') + value;
}

} // namespace

QStringList BarReadout(const quorex::PriceBar& bar, int decimals)
{
    return {Line(GridTexts::kBarDate, DateText(bar.date)),
            Line(GridTexts::kBarOpen, NumberText(bar.open, decimals)),
            Line(GridTexts::kBarHigh, NumberText(bar.high, decimals)),
            Line(GridTexts::kBarLow, NumberText(bar.low, decimals)),
            Line(GridTexts::kBarClose, NumberText(bar.close, decimals)),
            Line(GridTexts::kBarVolume, NumberText(bar.volume, 0))};
}

QStringList IndicatorReadout(const std::vector<quorex::IndicatorValue>& values)
{
    constexpr int kSignificantDigits = 6;
    QStringList lines;
    for (const quorex::IndicatorValue& value : values) {
        if (std::isfinite(value.value))
            lines << QString::fromStdString(value.name) + QLatin1Char(' ')
                    + QString::number(value.value, 'g', kSignificantDigits);
    }
    return lines;
}

} // namespace mosgrid
