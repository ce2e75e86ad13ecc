#include "thumbnails/BuildSummary.h"

#include "base/LabelTexts.h"
#include "thumbnails/ThumbnailStore.h"

#include <QLocale>

namespace mosgrid {

QString BuildSummaryText(int total, int noData)
{
    const QLocale numbers(QLocale::Japanese);
    return LabelTexts::kBuildSummary.arg(numbers.toString(total), numbers.toString(noData));
}

QString BuildSummaryOf(const ThumbnailStore& store)
{
    const int total = store.size();
    return total > 0 ? BuildSummaryText(total, store.NoDataCount()) : QString();
}

} // namespace mosgrid
