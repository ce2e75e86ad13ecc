#include "view/WholeSeries.h"

#include "chart/IComponentProvider.h"

#include <mutex>

namespace mosgrid {

WholeSeries WholeSeries::Load(IComponentProvider& provider, const CatalogItem& item)
{
    WholeSeries series;
    std::unique_ptr<quorex::IDataLibrary> library;
    {
        const std::lock_guard lock(provider.componentMutex());
        library = provider.CreateDataLibrary();
    }
    if (!library) {
        series.problem = quorex::DataProblem::Unreadable;
        return series;
    }
    // All zero: every bar of the source.
    quorex::DataResult loaded =
        library->LoadData(item.m_strSource, item.m_strCode, item.m_nType, quorex::DataRequest{});
    series.data = std::move(loaded.data);
    series.problem = series.data ? quorex::DataProblem::None : loaded.problem;
    if (series.data)
        series.facts = FactsOf(series.data->Bars());
    series.facts.problem = series.problem;
    const std::lock_guard lock(provider.componentMutex());
    library.reset();
    return series;
}

} // namespace mosgrid
