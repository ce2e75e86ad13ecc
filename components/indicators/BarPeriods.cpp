#include "BarPeriods.h"

#include "QuorexCalendar.h"

namespace quorex::indicators {

namespace {

// Keys outside every calendar range, so a bad date never joins a real period.
constexpr long long kBadDateKeyBase = 1LL << 40;

} // namespace

long long PeriodKey(std::int32_t date, BarPeriod period)
{
    if (period == BarPeriod::Daily)
        return date;
    const std::optional<std::int64_t> day = DayNumber(date);
    if (!day)
        return kBadDateKeyBase + date;
    if (period == BarPeriod::Monthly)
        return date / 100;
    return MondayOf(*day);
}

} // namespace quorex::indicators
