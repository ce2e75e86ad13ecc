#include "app/ReloadStatus.h"

#include "base/FileTexts.h"

#include <QLocale>

namespace mosgrid {

QString ReloadStatusText(CCatalogView::ReloadResult result, bool byWatcher)
{
    using Result = CCatalogView::ReloadResult;
    switch (result) {
    case Result::Changed:
        return FileTexts::kStatusReloaded;
    case Result::Unchanged:
        return byWatcher ? QString() : FileTexts::kStatusUnchanged;
    case Result::Unreadable:
        return FileTexts::kStatusListUnreadable;
    case Result::Pending:
        return FileTexts::kStatusReloading;
    case Result::TooLong:
        return FileTexts::kStatusListTooLong.arg(
            QLocale(QLocale::Japanese).toString(qulonglong(AsyncListLoader::kMaxItems)));
    case Result::OutOfMemory:
        return FileTexts::kStatusListOutOfMemory;
    case Result::NotLoaded:
        break;
    }
    return {};
}

} // namespace mosgrid
