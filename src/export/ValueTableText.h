#pragma once

#include "catalog/CatalogItem.h"
#include "export/ValueRow.h"

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <span>
#include <vector>

namespace mosgrid {

// The whole text of a value table: a heading line, then one line per security in the order
// given. The fixed columns come first; then one column per indicator line, in the order the
// lines first appear, a security without that line leaving its cell empty.
class ValueTableText {
public:
    // rows[i] belongs to items[order[i]]. staleDays: as the label's date badge (0: never);
    // today: yyyymmdd, against which a series is stale or in the future.
    static QByteArray Text(const CatalogItemList& items, std::span<const int> order,
                           std::span<const ValueRow> rows, int staleDays, std::int32_t today);

    // The indicator columns of rows: every name once, in the order of first appearance.
    static QStringList IndicatorColumns(std::span<const ValueRow> rows);
};

} // namespace mosgrid
