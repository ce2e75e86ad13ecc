#include "Averages.h"

#include <cmath>

namespace quorex::indicators {

Line SimpleAverage(Input values, int period)
{
    Line line = UndefinedLine(values.size());
    if (period < 1)
        return line;
    const auto length = static_cast<std::size_t>(period);
    double sum = 0;
    std::size_t run = 0;   // finite values in a row up to i
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!std::isfinite(values[i])) {
            run = 0;
            sum = 0;
            continue;
        }
        sum += values[i];
        ++run;
        if (run > length)
            sum -= values[i - length];
        if (run >= length) {
            // Summed afresh now and then, so rounding never drifts over long series.
            if (run % 4096 == 0) {
                sum = 0;
                for (std::size_t k = i + 1 - length; k <= i; ++k)
                    sum += values[k];
            }
            line.values[i] = sum / period;
        }
    }
    FindFirst(line);
    return line;
}

Line SeededAverage(Input values, int period, double alpha)
{
    Line line = UndefinedLine(values.size());
    if (period < 1)
        return line;
    const auto length = static_cast<std::size_t>(period);
    double average = 0;
    std::size_t run = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double value = values[i];
        if (!std::isfinite(value)) {
            run = 0;
            average = 0;
            continue;
        }
        ++run;
        if (run < length) {
            average += value;
            continue;
        }
        if (run == length)
            average = (average + value) / period;
        else
            average += alpha * (value - average);
        line.values[i] = average;
    }
    FindFirst(line);
    return line;
}

Line ExponentialAverage(Input values, int period)
{
    return SeededAverage(values, period, 2.0 / (period + 1.0));
}

} // namespace quorex::indicators
