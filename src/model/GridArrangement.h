#pragma once

#include "catalog/CatalogItem.h"
#include "chart/ItemFacts.h"
#include "settings/ViewChoices.h"
#include "model/ShownOrder.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>
#include <utility>

#include <cstdint>
#include <string>
#include <vector>

namespace mosgrid {

class ThumbnailStore;

// Sort and filter: makes the grid's ShownOrder from the catalog, the facts the workers
// record and the search text. The sort key is read from the settings at every arrangement.
// While facts come in, the order follows them at most every kResortIntervalMs, so cells do
// not jump under the user at every thumbnail.
class GridArrangement : public QObject {
    Q_OBJECT
public:
    static constexpr int kResortIntervalMs = 400;

    // Why the order changed: facts came in (or the items did), the user chose another sort,
    // or the search text changed.
    enum class Cause { Facts, Sort, Filter };

    GridArrangement(const CatalogItemList& items, const ThumbnailStore& store,
                    std::string iniFile, QObject* parent = nullptr);

    // The order over the store's slots as they are now (arranged again when a build has
    // changed their number).
    const ShownOrder& Current();
    // Counts every new order, for whoever remembers what it asked for.
    std::uint64_t revision() const { return m_nRevision; }
    const QString& filter() const { return m_strFilter; }

    // The list was (re)loaded: codes and names folded again, facts forgotten.
    void ItemsChanged();
    // Shows only securities whose code or name contains text (folded alike).
    void SetFilter(const QString& text);
    // What else narrows the shown securities besides the search text. Each narrowing is a
    // mask over the items (true: shown); an empty mask narrows nothing. Exports and printing
    // honour the narrowings, never the search text.
    enum class Narrowing { Condition, Flag };
    void SetNarrowing(Narrowing which, std::vector<char> shownItems);
    bool isNarrowed() const;
    // Stores the sort in the settings and arranges by it.
    void SetSort(SortKey key, bool descending);
    // New facts in the store: arranged again soon when the sort reads them.
    void FactsChanged();
    // Arranged now from what is known.
    void Arrange();
    // Every item the narrowings show, in the sort order in force; filtered: only those the
    // search text shows as well.
    std::vector<int> ItemsInSortOrder(bool filtered);
    // The same as if one narrowing were not there: what a new mask of it chooses from.
    std::vector<int> ItemsInSortOrderWithout(Narrowing which, bool filtered);

    // Tabs: the one left keeps the sort it shows (the settings hold the shown tab's), and
    // the one shown gets its own back.
    void KeepSort();
    void RestoreSort();

    SortKey sortKey() const;
    bool sortDescending() const;

signals:
    void orderChanged(GridArrangement::Cause cause);
    // The list was (re)loaded: whatever was worked out per item is to be worked out again.
    void itemsChanged();

private:
    // New items: facts forgotten, folded texts dropped until Fold makes them again.
    void Refold();
    void Fold();
    // True when a narrowing leaves the item out.
    bool Narrowed(int item) const;
    void ArrangeFor(Cause cause);
    std::vector<int> Sorted(SortKey key, bool descending, bool filtered);
    void Publish(ShownOrder order, Cause cause);

    const CatalogItemList& m_items;
    const ThumbnailStore& m_store;
    std::string m_strIniFile;
    QString m_strFilter;
    QString m_strFoldedFilter;
    std::vector<QString> m_foldedCodes;
    std::vector<QString> m_foldedNames;
    // The newest facts known per item: a new build (another period) keeps the order it had
    // until its own facts arrive.
    std::vector<ItemFacts> m_knownFacts;
    std::optional<std::pair<SortKey, bool>> m_keptSort;
    std::vector<char> m_narrowings[2];
    ShownOrder m_order;
    int m_nArrangedSlots = 0;
    std::uint64_t m_nRevision = 0;
    QTimer m_resortTimer;
};

} // namespace mosgrid
