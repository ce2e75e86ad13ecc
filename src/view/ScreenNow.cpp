#include "view/ScreenNow.h"

#include "screen/ConditionParser.h"
#include "screen/ScreenRun.h"
#include "view/CCatalogView.h"
#include "model/GridArrangement.h"

namespace mosgrid {

std::optional<ScreenError> ScreenNow(CCatalogView& view, const QString& condition,
                                     std::vector<int> flags)
{
    const ConditionParser::Result parsed = ConditionParser::Parse(condition);
    if (!parsed.condition || !view.model().componentProvider())
        return parsed.error;
    std::vector<ScreenItem> items;
    items.reserve(view.model().items().size());
    for (const auto& item : view.model().items())
        items.push_back({item->m_nType, item->m_strSource, item->m_strCode});
    ScreenRun run(*view.model().componentProvider());
    run.Start(parsed.condition, std::move(items), std::move(flags), {});
    run.WaitForDone();
    view.arrangement().SetNarrowing(GridArrangement::Narrowing::Condition, run.Mask());
    return std::nullopt;
}

} // namespace mosgrid
