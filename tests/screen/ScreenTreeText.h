#pragma once

#include "screen/ConditionNode.h"

#include <QString>

using namespace mosgrid;

// A parsed condition written out in prefix form, "(and (> close MA(25)) (> change% 2))",
// so a test can state the grouping it expects.
QString TreeText(const ConditionNode& node);
