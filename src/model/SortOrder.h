#pragma once

#include "chart/ItemFacts.h"
#include "settings/ViewChoices.h"

#include <QString>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mosgrid {

// What sorting reads of one security: its code and name as folded for search, and the
// facts of its series (made = false: not known yet).
struct SortEntry {
    QString code;
    QString name;
    ItemFacts facts;
};

// The value a security sorts by under a key of its facts (change in percent, last close,
// last volume); nothing without data, before its facts are known, or when the value is not a
// number (a change with one bar or a previous close of 0).
std::optional<double> SortValue(const ItemFacts& facts, SortKey key);

// The entries' indices in shown order. Codes compare as numbers when both are whole numbers
// (numbers first), else as text; names as text. Securities without a value sort last in
// either direction; equal keys keep list order in either direction. List order: as given.
std::vector<int> SortedItems(std::span<const SortEntry> entries, SortKey key,
                             bool descending);

} // namespace mosgrid
