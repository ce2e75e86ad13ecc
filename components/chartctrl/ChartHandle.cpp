#include "ChartHandle.h"

namespace quorex::chart {

void ChartHandle::Refresh()
{
    // The picture itself is painted by the control's next update.
    if (const auto entry = m_entry.lock())
        entry->shown = true;
}

} // namespace quorex::chart
