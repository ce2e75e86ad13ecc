#include "TimeAxis.h"

#include "PeriodBars.h"

#include <array>

namespace quorex::chart {

namespace {

struct Step {
    int months;          // 0: weeks
    int labelChars;      // "12/31", "2024/03", "2024"
};

constexpr std::array<Step, 8> kSteps{{
    {0, 5}, {1, 7}, {3, 7}, {6, 7}, {12, 4}, {24, 4}, {60, 4}, {120, 4},
}};

// Labels keep at least this many character widths apart.
constexpr int kLabelGapChars = 2;

long long Bucket(int date, const Step& step)
{
    if (step.months == 0)
        return PeriodKey(date, Period::Weekly);
    const long long monthIndex =
        static_cast<long long>(date / 10000) * 12 + (date / 100 % 100 - 1);
    return monthIndex / step.months;
}

QString Label(int date, const Step& step)
{
    const int year = date / 10000;
    const int month = date / 100 % 100;
    const int day = date % 100;
    if (step.months == 0)
        return QStringLiteral("%1/%2").arg(month).arg(day);
    if (step.months < 12)
        return QStringLiteral("%1/%2").arg(year).arg(month, 2, 10, QLatin1Char('0'));
    return QString::number(year);
}

// Indexes (from `first`) where the step's bucket changes.
std::vector<int> Boundaries(std::span<const PriceBar> bars, int first, int count,
                            const Step& step, int limit)
{
    std::vector<int> result;
    for (int i = first == 0 ? 1 : 0; i < count; ++i) {
        const int index = first + i;
        if (Bucket(bars[index].date, step) != Bucket(bars[index - 1].date, step)) {
            result.push_back(i);
            if (static_cast<int>(result.size()) > limit)
                break;
        }
    }
    return result;
}

} // namespace

std::vector<TimeMark> TimeMarks(std::span<const PriceBar> bars, int first, int count,
                                Period period, int plotWidth, int charWidth)
{
    std::vector<TimeMark> marks;
    if (count <= 0 || first < 0 || first + count > static_cast<int>(bars.size())
        || plotWidth <= 0 || charWidth <= 0)
        return marks;
    for (const Step& step : kSteps) {
        if (step.months == 0 && period != Period::Daily)
            continue;
        const int limit = plotWidth / ((step.labelChars + kLabelGapChars) * charWidth);
        const std::vector<int> indexes = Boundaries(bars, first, count, step, limit);
        if (static_cast<int>(indexes.size()) > limit)
            continue;
        for (const int index : indexes)
            marks.push_back({index, Label(bars[first + index].date, step)});
        return marks;
    }
    return marks;
}

} // namespace quorex::chart
