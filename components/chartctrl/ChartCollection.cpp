#include "ChartCollection.h"

#include "ChartHandle.h"

namespace quorex::chart {

std::unique_ptr<IChart> ChartCollection::Add(const std::string& definition)
{
    const auto parsed = ParseDefinition(definition);
    if (!parsed)
        return nullptr;
    auto entry = m_set->Add(*parsed);
    if (!entry)
        return nullptr;
    return std::make_unique<ChartHandle>(entry);
}

void ChartCollection::SetParam(const std::string& parameters)
{
    m_set->SetParams(ParseParams(parameters));
}

void ChartCollection::Clear()
{
    m_set->Clear();
}

} // namespace quorex::chart
