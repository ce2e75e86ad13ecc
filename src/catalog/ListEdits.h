#pragma once

#include "catalog/ListDocument.h"
#include "catalog/ListEditError.h"
#include "catalog/ListField.h"
#include "catalog/NewListItem.h"

#include <string>
#include <vector>

namespace mosgrid {

struct ListEditResult {
    ListEditError error = ListEditError::None;
    int newItem = -1;            // the new item refused, when one was
    ListField field = fieldType; // and its field
    ListDocument document;       // the list after the edit; empty when refused

    bool ok() const { return error == ListEditError::None; }
};

// Edits of a list that leave every line they do not touch byte for byte. Each result is read
// back with the catalog's own reader and refused unless it gives exactly the intended items.

// The items as new lines before item position (0 to ItemCount(); at ItemCount() after the
// last item), in the list's encoding and dominant line end.
ListEditResult InsertListItems(const ListDocument& list, int position,
                               const std::vector<NewListItem>& items,
                               const std::string& listPath);

// Removes the lines of the items (in any order, duplicates ignored).
ListEditResult DeleteListItems(const ListDocument& list, std::vector<int> items);

// Swaps the item with the one before it (step -1) or after it (step 1) in list order; each
// line end stays where it was.
ListEditResult MoveListItem(const ListDocument& list, int item, int step);

} // namespace mosgrid
