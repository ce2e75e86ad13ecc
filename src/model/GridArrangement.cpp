#include "model/GridArrangement.h"

#include "catalog/DisplayText.h"
#include "settings/SettingsStore.h"
#include "thumbnails/ThumbnailStore.h"
#include "model/SearchFold.h"
#include "model/SortOrder.h"

#include <algorithm>

namespace mosgrid {

namespace {

bool ReadsFacts(SortKey key)
{
    return key == SortKey::Change || key == SortKey::Last || key == SortKey::Volume;
}

} // namespace

GridArrangement::GridArrangement(const CatalogItemList& items, const ThumbnailStore& store,
                                 std::string iniFile, QObject* parent)
    : QObject(parent)
    , m_items(items)
    , m_store(store)
    , m_strIniFile(std::move(iniFile))
{
    m_resortTimer.setSingleShot(true);
    m_resortTimer.setInterval(kResortIntervalMs);
    connect(&m_resortTimer, &QTimer::timeout, this, &GridArrangement::Arrange);
}

const ShownOrder& GridArrangement::Current()
{
    if (m_store.size() != m_nArrangedSlots)
        Arrange();
    return m_order;
}

SortKey GridArrangement::sortKey() const
{
    return ReadSortKey(SettingsStore(m_strIniFile));
}

bool GridArrangement::sortDescending() const
{
    return ReadSortDescending(SettingsStore(m_strIniFile));
}

void GridArrangement::ItemsChanged()
{
    Refold();
    Arrange();
    emit itemsChanged();
}

void GridArrangement::Refold()
{
    // Folding every code and name costs more than a reload of a long list otherwise does, so
    // it waits until a search text or a sort by code or name needs it.
    m_foldedCodes.clear();
    m_foldedNames.clear();
    m_knownFacts.assign(m_items.size(), ItemFacts{});
}

void GridArrangement::Fold()
{
    if (m_foldedCodes.size() == m_items.size())
        return;
    m_foldedCodes.clear();
    m_foldedNames.clear();
    m_foldedCodes.reserve(m_items.size());
    m_foldedNames.reserve(m_items.size());
    for (const auto& item : m_items) {
        m_foldedCodes.push_back(FoldForSearch(DisplayText(item->m_strCode)));
        m_foldedNames.push_back(FoldForSearch(DisplayText(item->m_strName)));
    }
}

void GridArrangement::SetFilter(const QString& text)
{
    if (text == m_strFilter)
        return;
    m_strFilter = text;
    m_strFoldedFilter = FoldForSearch(text).trimmed();
    m_resortTimer.stop();
    ArrangeFor(Cause::Filter);
}

void GridArrangement::SetNarrowing(Narrowing which, std::vector<char> shownItems)
{
    std::vector<char>& mask = m_narrowings[static_cast<int>(which)];
    if (mask == shownItems)
        return;
    mask = std::move(shownItems);
    m_resortTimer.stop();
    ArrangeFor(Cause::Filter);
}

bool GridArrangement::isNarrowed() const
{
    return std::ranges::any_of(m_narrowings, [](const auto& mask) { return !mask.empty(); });
}

bool GridArrangement::Narrowed(int item) const
{
    // An item beyond a mask (one added since it was made) is not shown by it.
    return std::ranges::any_of(m_narrowings, [item](const std::vector<char>& mask) {
        return !mask.empty()
            && (item >= static_cast<int>(mask.size()) || !mask[static_cast<std::size_t>(item)]);
    });
}

void GridArrangement::SetSort(SortKey key, bool descending)
{
    SettingsStore settings(m_strIniFile);
    if (ReadSortKey(settings) != key)
        WriteSortKey(settings, key);
    if (ReadSortDescending(settings) != descending)
        WriteSortDescending(settings, descending);
    m_resortTimer.stop();
    ArrangeFor(Cause::Sort);
}

void GridArrangement::KeepSort()
{
    m_keptSort = std::make_pair(sortKey(), sortDescending());
}

void GridArrangement::RestoreSort()
{
    if (!m_keptSort || *m_keptSort == std::make_pair(sortKey(), sortDescending()))
        return;
    SettingsStore settings(m_strIniFile);
    WriteSortKey(settings, m_keptSort->first);
    WriteSortDescending(settings, m_keptSort->second);
    // Arranged as facts are: the tab's top and selection stay where they were.
    ArrangeFor(Cause::Facts);
}

void GridArrangement::FactsChanged()
{
    if (!m_resortTimer.isActive() && ReadsFacts(sortKey()))
        m_resortTimer.start();
}

void GridArrangement::Arrange()
{
    ArrangeFor(Cause::Facts);
}

void GridArrangement::ArrangeFor(Cause cause)
{
    const SettingsStore settings(m_strIniFile);
    const SortKey key = ReadSortKey(settings);
    const bool descending = ReadSortDescending(settings);
    if (m_knownFacts.size() != m_items.size())
        Refold();
    // The cells are the store's slots, as they always were; sorting needs the items too.
    m_nArrangedSlots = m_store.size();
    if (key == SortKey::List && !descending && m_strFoldedFilter.isEmpty() && !isNarrowed()) {
        Publish(ShownOrder::Identity(m_nArrangedSlots), cause);
        return;
    }
    const int count = std::min(static_cast<int>(m_items.size()), m_nArrangedSlots);
    Publish(ShownOrder(Sorted(key, descending, true), count), cause);
}

std::vector<int> GridArrangement::ItemsInSortOrderWithout(Narrowing which, bool filtered)
{
    std::vector<char> set;
    std::swap(set, m_narrowings[static_cast<int>(which)]);
    std::vector<int> items = ItemsInSortOrder(filtered);
    std::swap(set, m_narrowings[static_cast<int>(which)]);
    return items;
}

std::vector<int> GridArrangement::ItemsInSortOrder(bool filtered)
{
    const SettingsStore settings(m_strIniFile);
    if (m_knownFacts.size() != m_items.size())
        Refold();
    return Sorted(ReadSortKey(settings), ReadSortDescending(settings), filtered);
}

std::vector<int> GridArrangement::Sorted(SortKey key, bool descending, bool filtered)
{
    const int count = std::min(static_cast<int>(m_items.size()), m_store.size());
    const bool searching = filtered && !m_strFoldedFilter.isEmpty();
    const bool byText = key == SortKey::Code || key == SortKey::Name;
    if (searching || byText)
        Fold();
    const QString none;
    std::vector<int> kept;
    std::vector<SortEntry> entries;
    for (int i = 0; i < count; ++i) {
        if (Narrowed(i))
            continue;
        if (searching && !MatchesFilter(m_strFoldedFilter, m_foldedCodes[i], m_foldedNames[i]))
            continue;
        if (ReadsFacts(key)) {
            const ItemFacts facts = m_store.Facts(i);
            if (facts.made)
                m_knownFacts[i] = facts;
        }
        kept.push_back(i);
        entries.push_back({byText ? m_foldedCodes[i] : none, byText ? m_foldedNames[i] : none,
                           m_knownFacts[i]});
    }
    std::vector<int> sorted;
    sorted.reserve(kept.size());
    for (const int entry : mosgrid::SortedItems(entries, key, descending))
        sorted.push_back(kept[entry]);
    return sorted;
}

void GridArrangement::Publish(ShownOrder order, Cause cause)
{
    const bool filterChanged = cause == Cause::Filter;
    // A new search text is news even when it shows the same cells.
    if (order == m_order && !filterChanged)
        return;
    // List order over another number of slots (a new build) moves nothing on screen.
    const bool news = filterChanged || !order.isIdentity() || !m_order.isIdentity();
    m_order = std::move(order);
    ++m_nRevision;
    if (news)
        emit orderChanged(cause);
}

} // namespace mosgrid
