#include "chart/PeriodParam.h"

namespace mosgrid {

namespace {

const char* ControlPeriodName(PeriodChoice period)
{
    switch (period) {
    case PeriodChoice::Daily:
        return "Daily";
    case PeriodChoice::Weekly:
        return "Weekly";
    case PeriodChoice::Monthly:
        return "Monthly";
    case PeriodChoice::Definitions:
        break;
    }
    return nullptr;
}

} // namespace

std::string WithPeriod(const std::string& parameters, PeriodChoice period)
{
    const char* name = ControlPeriodName(period);
    if (name == nullptr)
        return parameters;
    return parameters + "; " + kPeriodParamName + "=" + name;
}

} // namespace mosgrid
