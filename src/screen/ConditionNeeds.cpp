#include "screen/ConditionNeeds.h"

#include "screen/ScreenFunctions.h"

#include <algorithm>

namespace mosgrid {

namespace {

using quorex::indicators::BarPeriod;

// Bars of its own period that one leaf reads, counted from the newest.
std::size_t BarsOf(const ConditionNode& node)
{
    const std::size_t back = static_cast<std::size_t>(node.barsBack);
    if (node.kind == ConditionNode::Kind::Function)
        return ScreenFunctions::LookBack(node.function, node.arguments) + back + 1;
    if (node.fact == ScreenFact::Change || node.fact == ScreenFact::ChangePercent)
        return back + 2;
    return back + 1;
}

void Gather(const ConditionNode& node, quorex::DataRequest& request)
{
    if (node.left)
        Gather(*node.left, request);
    if (node.right)
        Gather(*node.right, request);
    const bool reads = node.kind == ConditionNode::Kind::Function
        || (node.kind == ConditionNode::Kind::Fact && node.fact != ScreenFact::Flag);
    if (!reads)
        return;
    std::size_t& count = node.period == BarPeriod::Weekly  ? request.latestWeeks
                       : node.period == BarPeriod::Monthly ? request.latestMonths
                                                           : request.latestBars;
    count = std::max(count, BarsOf(node));
}

} // namespace

quorex::DataRequest ConditionNeeds(const ConditionNode& condition)
{
    quorex::DataRequest request;
    Gather(condition, request);
    // Weeks and months are read only beside some daily bars; no bar at all would mean every.
    request.latestBars = std::max<std::size_t>(request.latestBars, 1);
    return request;
}

} // namespace mosgrid
