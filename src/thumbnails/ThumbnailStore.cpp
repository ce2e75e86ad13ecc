#include "thumbnails/ThumbnailStore.h"

#include "chart/StaleBadge.h"

#include <algorithm>

namespace mosgrid {

namespace {

// QImage's own header and the allocator's share of a pixel block.
constexpr std::uint64_t kImageHeaderBytes = 256;

} // namespace

ThumbnailStore::ThumbnailStore(std::uint64_t budgetBytes)
    : m_budget(budgetBytes)
{
}

std::uint64_t ThumbnailStore::SlotBytes()
{
    // Two recency lists of two links each.
    return sizeof(Slot) + 4 * sizeof(int);
}

std::uint64_t ThumbnailStore::ImageBytes(const QImage& image)
{
    return image.isNull() ? 0 : std::uint64_t(image.sizeInBytes()) + kImageHeaderBytes;
}

std::uint64_t ThumbnailStore::ImageBytesFor(QSize size)
{
    // Four bytes a pixel, rows already aligned.
    return std::uint64_t(size.width()) * std::uint64_t(size.height()) * 4 + kImageHeaderBytes;
}

void ThumbnailStore::Reset(int count, QSize size, std::uint64_t generation)
{
    std::vector<Slot> old;
    {
        const std::lock_guard lock(m_mutex);
        old.swap(m_slots);
        // Memory of another size is of no use to the new build.
        m_arena.SetSize(size);
        m_size = size;
        m_spareRoom = SpareRoomFor(size, m_budget);
        m_generation = generation;
        m_slots.resize(static_cast<std::size_t>(std::max(count, 0)));
        ResetListsLocked(count);
        std::vector<int> none;
        EvictLocked(none);
    }
    // The old thumbnails go outside the lock; their memory serves the new build as spares
    // while there is room.
}

void ThumbnailStore::ResetListsLocked(int count)
{
    m_neverShown.Reset(count);
    m_shown.Reset(count);
    m_pinned.clear();
    m_newestDate = 0;
    m_noData = 0;
    m_used = m_slots.size() * SlotBytes();
}

void ThumbnailStore::Carry(std::span<const int> previous, std::uint64_t generation)
{
    // Declared before the lock: the old slots left over are freed outside it.
    std::vector<Slot> old;
    std::vector<int> dropped;
    const std::int32_t today = TodayDate();  // the clock read outside the lock
    const std::lock_guard lock(m_mutex);
    old.swap(m_slots);
    m_generation = generation;
    const int count = static_cast<int>(previous.size());
    m_slots.resize(previous.size());
    ResetListsLocked(count);
    std::vector<std::uint8_t> taken(old.size(), 0);
    for (int i = 0; i < count; ++i) {
        const int from = previous[i];
        if (from < 0 || from >= static_cast<int>(old.size()) || taken[from])
            continue;
        taken[from] = 1;
        m_slots[i] = std::move(old[from]);
        m_slots[i].pinned = false;
        m_used += ImageBytes(m_slots[i].image);
        const ItemFacts& facts = m_slots[i].facts;
        m_newestDate =
            std::max(m_newestDate, ReferenceDateOf(facts.hasData, facts.lastDate, today));
        m_noData += CountsAsNoData(m_slots[i]) ? 1 : 0;
    }
    // The recency lists as they were: never shown in index order, the others by when.
    std::vector<int> shown;
    for (int i = 0; i < count; ++i) {
        if (m_slots[i].state != State::Ready)
            continue;
        if (m_slots[i].shownAt == 0)
            m_neverShown.PushBack(i);
        else
            shown.push_back(i);
    }
    std::sort(shown.begin(), shown.end(),
              [this](int a, int b) { return m_slots[a].shownAt < m_slots[b].shownAt; });
    for (const int index : shown)
        m_shown.PushBack(index);
    EvictLocked(dropped);
}

int ThumbnailStore::size() const
{
    const std::lock_guard lock(m_mutex);
    return static_cast<int>(m_slots.size());
}

QSize ThumbnailStore::imageSize() const
{
    const std::lock_guard lock(m_mutex);
    return m_size;
}

ThumbnailStore::Cell ThumbnailStore::ReadCell(int index) const
{
    const std::lock_guard lock(m_mutex);
    if (index < 0 || index >= static_cast<int>(m_slots.size()))
        return Cell{State::Missing, {}, {}, m_newestDate};
    const Slot& slot = m_slots[index];
    return Cell{slot.state, slot.image, slot.facts, m_newestDate};
}

ThumbnailStore::State ThumbnailStore::StateOf(int index) const
{
    const std::lock_guard lock(m_mutex);
    if (index < 0 || index >= static_cast<int>(m_slots.size()))
        return State::Missing;
    return m_slots[index].state;
}

QImage ThumbnailStore::Image(int index) const
{
    const std::lock_guard lock(m_mutex);
    if (index < 0 || index >= static_cast<int>(m_slots.size()))
        return {};
    return m_slots[index].image;
}

ItemFacts ThumbnailStore::Facts(int index) const
{
    const std::lock_guard lock(m_mutex);
    if (index < 0 || index >= static_cast<int>(m_slots.size()))
        return {};
    return m_slots[index].facts;
}

std::int32_t ThumbnailStore::NewestDate() const
{
    const std::lock_guard lock(m_mutex);
    return m_newestDate;
}

int ThumbnailStore::NoDataCount() const
{
    const std::lock_guard lock(m_mutex);
    return m_noData;
}

bool ThumbnailStore::CountsAsNoData(const Slot& slot)
{
    // A thumbnail that could not be made says nothing about the data.
    return slot.facts.made && !slot.facts.hasData && slot.state != State::Failed;
}

std::uint64_t ThumbnailStore::SpareRoomFor(QSize size, std::uint64_t budget)
{
    if (size.isEmpty())
        return 0;
    // Large thumbnails are few: the spares never take more than a share of the budget.
    const std::uint64_t one = ImageBytesFor(size);
    const std::uint64_t spares =
        std::min<std::uint64_t>(kMaxSpareBuffers, budget / kSpareShare / one);
    return spares * one;
}

std::uint64_t ThumbnailStore::BudgetFor(int items, int thumbnails, QSize size)
{
    const std::uint64_t base =
        std::uint64_t(items) * SlotBytes() + std::uint64_t(thumbnails) * ImageBytesFor(size);
    for (int spares = kMaxSpareBuffers; spares > 0; --spares) {
        const std::uint64_t budget = base + std::uint64_t(spares) * ImageBytesFor(size);
        if (SpareRoomFor(size, budget) == std::uint64_t(spares) * ImageBytesFor(size))
            return budget;
    }
    return base;
}

void ThumbnailStore::Unlink(int index)
{
    m_neverShown.Remove(index);
    m_shown.Remove(index);
}

void ThumbnailStore::Link(int index)
{
    const Slot& slot = m_slots[index];
    if (slot.pinned || slot.state != State::Ready)
        return;
    Unlink(index);
    if (slot.shownAt == 0)
        m_neverShown.PushBack(index);
    else
        m_shown.PushBack(index);
}

std::vector<int> ThumbnailStore::SetPinned(std::span<const int> pinned,
                                           std::span<const int> shown)
{
    std::vector<int> dropped;
    std::vector<QImage> freed;
    const std::lock_guard lock(m_mutex);
    const int count = static_cast<int>(m_slots.size());
    for (const int index : m_pinned)
        m_slots[index].pinned = false;
    std::vector<int> previous;
    previous.swap(m_pinned);
    for (const int index : pinned) {
        if (index < 0 || index >= count || m_slots[index].pinned)
            continue;
        m_slots[index].pinned = true;
        m_pinned.push_back(index);
        Unlink(index);
    }
    ++m_clock;
    for (const int index : shown) {
        if (index >= 0 && index < count)
            m_slots[index].shownAt = m_clock;
    }
    // Those that left the screen are the most recently shown now.
    for (const int index : previous)
        Link(index);
    EvictLocked(dropped);
    return dropped;
}

std::vector<int> ThumbnailStore::MissingAmong(std::span<const int> indices) const
{
    std::vector<int> missing;
    const std::lock_guard lock(m_mutex);
    for (const int index : indices) {
        if (index >= 0 && index < static_cast<int>(m_slots.size())
            && m_slots[index].state == State::Missing)
            missing.push_back(index);
    }
    return missing;
}

std::vector<int> ThumbnailStore::Put(std::uint64_t generation, int index, QImage image,
                                     const ItemFacts& facts, bool provisional)
{
    std::vector<int> dropped;
    // Declared before the lock: the image a slot held goes back to the arena outside it.
    QImage replaced;
    const std::int32_t today = TodayDate();  // the clock read outside the lock
    const std::lock_guard lock(m_mutex);
    if (generation != m_generation || index < 0 || index >= static_cast<int>(m_slots.size()))
        return dropped;
    Slot& slot = m_slots[index];
    if (provisional && slot.state == State::Ready) {
        slot.facts.unsettled = true;
        slot.facts.made = true;
        replaced = std::move(image);
        return dropped;
    }
    m_noData -= CountsAsNoData(slot) ? 1 : 0;
    m_used -= ImageBytes(slot.image);
    replaced = std::move(slot.image);
    slot.facts = facts;
    slot.facts.made = true;
    m_newestDate =
        std::max(m_newestDate, ReferenceDateOf(facts.hasData, facts.lastDate, today));
    if (image.isNull() || image.size() != m_size) {
        slot.image = QImage();
        slot.state = State::Failed;
        Unlink(index);
    } else {
        m_used += ImageBytes(image);
        slot.image = std::move(image);
        slot.state = State::Ready;
        Link(index);
    }
    m_noData += CountsAsNoData(slot) ? 1 : 0;
    EvictLocked(dropped);
    return dropped;
}

void ThumbnailStore::EvictLocked(std::vector<int>& dropped)
{
    while (m_used + m_spareRoom > m_budget) {
        int victim = m_neverShown.Back();
        if (victim < 0)
            victim = m_shown.Front();
        if (victim < 0)
            break;  // only what is on screen is left
        Unlink(victim);
        Slot& slot = m_slots[victim];
        slot.state = State::Missing;
        m_used -= ImageBytes(slot.image);
        // Its memory becomes a spare of the arena (a copy a paint holds keeps it until then).
        slot.image = QImage();
        dropped.push_back(victim);
    }
    // Spares give way to what is on screen.
    const std::uint64_t free = m_budget > m_used ? m_budget - m_used : 0;
    const std::uint64_t one = m_size.isEmpty() ? 0 : ImageBytesFor(m_size);
    m_arena.SetSpareLimit(one == 0 ? 0 : std::min(m_spareRoom, free) / one);
}

QImage ThumbnailStore::TakeBuffer()
{
    QSize size;
    {
        const std::lock_guard lock(m_mutex);
        size = m_size;
    }
    if (size.isEmpty())
        return {};
    return m_arena.Allocate(size);
}

void ThumbnailStore::ReleaseSpares()
{
    m_arena.Trim();
}

void ThumbnailStore::SetBudget(std::uint64_t bytes)
{
    std::vector<int> dropped;
    const std::lock_guard lock(m_mutex);
    m_budget = bytes;
    m_spareRoom = SpareRoomFor(m_size, m_budget);
    EvictLocked(dropped);
}

std::uint64_t ThumbnailStore::budgetBytes() const
{
    const std::lock_guard lock(m_mutex);
    return m_budget;
}

std::uint64_t ThumbnailStore::usedBytes() const
{
    const std::lock_guard lock(m_mutex);
    const std::uint64_t one = m_size.isEmpty() ? 0 : ImageBytesFor(m_size);
    return m_used + m_arena.spareBlocks() * one;
}

} // namespace mosgrid
