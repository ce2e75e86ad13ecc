#pragma once

#include "catalog/CatalogItem.h"

#include <QString>

#include <vector>

class QMimeData;

namespace mosgrid {

// The selected securities as the clipboard takes them: plain text lines "code<TAB>name", and
// the same securities as list lines (type,source,code,name) under the list's own type, so a
// paste into a list keeps their sources.
inline const QString kListLinesMimeType = QStringLiteral("application/x-mosgrid-list-lines");

QMimeData* SelectionMimeData(const CatalogItemList& items, const std::vector<int>& selected);
// Puts them on the system clipboard; nothing selected leaves it as it was.
void CopySelection(const CatalogItemList& items, const std::vector<int>& selected);

} // namespace mosgrid
