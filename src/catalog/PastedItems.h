#pragma once

#include "catalog/NewListItem.h"

#include <string_view>
#include <vector>

namespace mosgrid {

// The securities in pasted text, one a line: "code", "code<TAB>name", "code,name", or a
// whole list line "type,source,code[,name]". A code alone takes type and source from model;
// a missing name is the code. Blank lines are skipped.
std::vector<NewListItem> ParsePastedItems(std::string_view text, const NewListItem& model);

} // namespace mosgrid
