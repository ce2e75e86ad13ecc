#include "ChartCollection.h"

#include "ChartHandle.h"
#include "ParsedTexts.h"

namespace quorex::chart {

std::unique_ptr<IChart> ChartCollection::Add(const std::string& definition)
{
    const auto reading = CachedDefinition(definition);
    if (!reading->definition) {
        // Refused, but its pane tells the user why nothing is drawn for it.
        if (!reading->blank)
            m_set->Add(UnreadableDefinition(definition));
        return nullptr;
    }
    auto entry = m_set->Add(*reading->definition);
    if (!entry)
        return nullptr;
    return std::make_unique<ChartHandle>(entry);
}

void ChartCollection::SetParam(const std::string& parameters)
{
    m_set->SetParams(*CachedParams(parameters));
}

void ChartCollection::Clear()
{
    m_set->Clear();
}

} // namespace quorex::chart
