#pragma once

#include "settings/ViewChoices.h"

#include <string>
#include <vector>

namespace mosgrid {

// The texts the chart window hands the chart control, made from the catalog's own.
namespace ChartWindowInputs {

// The common parameters drawing `bars` bars in `period`, without the control's scroll bar
// (the window scrolls through the series itself).
std::string Params(const std::string& common, int bars, PeriodChoice period);

// The definitions with every price chart on a log scale when `log`; unchanged otherwise.
std::vector<std::string> WithLogScale(std::vector<std::string> definitions, bool log);

// The period the window counts its bars in: the chosen one, else the one the common
// parameters force, else that of the first price chart (daily when there is none).
PeriodChoice CountingPeriod(const std::string& common,
                            const std::vector<std::string>& definitions, PeriodChoice period);

// The bars the thumbnails show: DispNum of the common parameters.
int ThumbnailBars(const std::string& common);

} // namespace ChartWindowInputs

} // namespace mosgrid
