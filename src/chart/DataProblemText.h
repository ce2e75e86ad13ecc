#pragma once

#include "QuorexComponents.h"

#include <QString>

namespace mosgrid {

// What the thumbnail of a security without a series says about why, in its plot area.
// DataProblem::None (no series, no reason given) says only that there is no data.
QString DataProblemText(quorex::DataProblem problem);

} // namespace mosgrid
