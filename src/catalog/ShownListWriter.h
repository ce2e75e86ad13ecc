#pragma once

#include "catalog/CatalogItem.h"
#include "catalog/ListDocument.h"

#include <string>
#include <vector>

namespace mosgrid {

// New list files made of securities of the catalog shown: each line taken over as it stands.

// The lines of items (in that order) as list holds them, byte for byte, with the list's
// byte-order mark and each line's own end (a last line without one takes the list's usual
// end). Lines the reader skips are left out; unknown items are ignored.
std::string ShownListBytes(const ListDocument& list, const std::vector<int>& items);

// List lines made from loaded items when no list bytes are at hand (a folder or database,
// a list removed after reading or read from a pipe): the fields' bytes as loaded, sources
// inside listPath's folder relative to it, LF ends. An item whose fields the format cannot
// hold (a comma, a line break) is left out and counted in skipped.
std::string ItemListBytes(const CatalogItemList& loaded, const std::vector<int>& items,
                          const std::string& listPath, int& skipped);

// Writes bytes as the file path, atomically (the old file, if any, stays whole until the new
// one is complete). 0 when written, else the errno of the failure.
int WriteListFileAtomically(const std::string& path, const std::string& bytes);

} // namespace mosgrid
