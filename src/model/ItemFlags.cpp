#include "model/ItemFlags.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace mosgrid {

ItemFlags::ItemFlags(std::string flagsFile, QObject* parent)
    : ItemFlags(std::make_shared<FlagStore>(std::move(flagsFile)), parent)
{
}

ItemFlags::ItemFlags(std::shared_ptr<FlagStore> store, QObject* parent)
    : QObject(parent)
    , m_store(std::move(store))
{
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(kSaveDelayMs);
    connect(&m_saveTimer, &QTimer::timeout, this, &ItemFlags::SaveNow);
}

ItemFlags::~ItemFlags()
{
    SaveNow();
}

void ItemFlags::SetList(const std::string& listPath, const CatalogItemList& items)
{
    m_nList = listPath.empty() ? -1 : m_store->Open(listPath);
    m_pItems = &items;
    // Most lists carry no flag: a million of them are then not looked up one by one.
    if (m_nList < 0 || m_store->List(m_nList).codes.empty()) {
        m_colors.assign(items.size(), FlagColor::None);
    } else {
        m_colors.clear();
        m_colors.reserve(items.size());
        for (const auto& item : items)
            m_colors.push_back(m_store->ColorOf(m_nList, item->m_strCode));
    }
    // A list followed through a rename is written under its new name.
    if (m_store->isDirty())
        m_saveTimer.start();
    emit flagsChanged();
}

FlagColor ItemFlags::ColorOf(int item) const
{
    if (item < 0 || item >= static_cast<int>(m_colors.size()))
        return FlagColor::None;
    return m_colors[std::size_t(item)];
}

void ItemFlags::ApplyKey(FlagColor color)
{
    if (!m_selection)
        return;
    std::vector<int> items = m_selection();
    if (color != FlagColor::None
        && std::ranges::all_of(items, [this, color](int item) { return ColorOf(item) == color; }))
        color = FlagColor::None;  // the same key again takes the flag off
    Apply(items, color);
}

void ItemFlags::Apply(std::span<const int> items, FlagColor color)
{
    if (m_nList < 0)
        return;
    if (m_pItems == nullptr)
        return;
    // The items may have gone since the list was set (FreeItems): only those still there.
    const std::size_t count = std::min(m_pItems->size(), m_colors.size());
    std::unordered_set<std::string_view> touched;
    for (const int item : items) {
        if (item < 0 || std::size_t(item) >= count)
            continue;
        const std::string& code = (*m_pItems)[std::size_t(item)]->m_strCode;
        if (m_store->Set(m_nList, code, color))
            touched.insert(code);
    }
    if (touched.empty())
        return;
    // Every line of the list with a code carries its flag.
    for (std::size_t i = 0; i < count; ++i) {
        if (touched.contains((*m_pItems)[i]->m_strCode))
            m_colors[i] = color;
    }
    m_saveTimer.start();
    emit flagsChanged();
}

void ItemFlags::SetFilter(Filter filter)
{
    if (filter.kind != Filter::Kind::One)
        filter.color = FlagColor::None;
    if (filter == m_filter)
        return;
    m_filter = filter;
    emit flagsChanged();
}

std::vector<char> ItemFlags::Mask() const
{
    if (m_filter.kind == Filter::Kind::Off)
        return {};
    std::vector<char> mask(m_colors.size());
    std::ranges::transform(m_colors, mask.begin(), [this](FlagColor color) -> char {
        return m_filter.kind == Filter::Kind::Any ? color != FlagColor::None
                                                  : color == m_filter.color;
    });
    return mask;
}

bool ItemFlags::SaveNow()
{
    m_saveTimer.stop();
    return m_store->Save();
}

} // namespace mosgrid
