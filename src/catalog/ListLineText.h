#pragma once

#include "catalog/ListDocument.h"
#include "catalog/ListEditError.h"
#include "catalog/ListField.h"
#include "catalog/NewListItem.h"

#include <string>

namespace mosgrid {

struct ListLineText {
    ListEditError error = ListEditError::None;
    ListField field = fieldType; // the field refused
    std::string line;            // type,source,code,name without a line end
};

// The line that reads back as item, in the list's encoding, its source relative to the list's
// folder when inside it. A field the line cannot carry unchanged is refused.
ListLineText FormatListLine(const NewListItem& item, ListEncoding encoding,
                            const std::string& listPath);

} // namespace mosgrid
