#pragma once

#include "chart/ItemFacts.h"
#include "thumbnails/ImageArena.h"
#include "thumbnails/IndexList.h"

#include <QImage>
#include <QSize>

#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace mosgrid {

// The thumbnails of one build, one slot per catalog item in item order, within a memory
// budget. Thumbnails off screen are dropped when the budget is exceeded (those never shown
// first, newest made first; then the least recently shown), and made again when they come
// back into view. The facts of every item stay.
//
// Threads: workers call TakeBuffer and Put; the user-interface thread calls everything else
// (Reset, Carry, SetPinned, ReadCell and the other reads). One lock guards every member; a
// read of a cell takes it once. Under it the store calls nothing of another class but its
// ImageArena, whose lock is the innermost of the program.
class ThumbnailStore {
public:
    // Room for about 150 thumbnails of 300 x 180 besides the slots, whatever the catalog's
    // length: the screens on and around the view (pinned, kept beyond the budget if need
    // be) and some more. A thumbnail dropped is made again from the data library's cached
    // series in a fraction of a millisecond, while every byte held is memory faulted in
    // fresh by the first build: with 128 MiB that was a third of the cost of a thumbnail.
    static constexpr std::uint64_t kDefaultBudgetBytes = 32ull * 1024 * 1024;
    // Buffers of dropped thumbnails kept in memory for the next ones to be made (fresh
    // memory costs its page faults on every thumbnail). Room for them is kept within the
    // budget; ReleaseSpares gives them back.
    static constexpr int kMaxSpareBuffers = 8;
    // ... and never more than this share of it (1 / kSpareShare).
    static constexpr std::uint64_t kSpareShare = 8;

    enum class State : std::uint8_t {
        Missing,  // not made in this build yet, or dropped: painted as a placeholder
        Ready,    // the thumbnail is here
        Failed,   // made, but its image could not be had: painted as background
    };

    explicit ThumbnailStore(std::uint64_t budgetBytes = kDefaultBudgetBytes);

    // A new build: count empty slots for thumbnails of size, under generation. Puts of any
    // other generation are ignored from now on.
    void Reset(int count, QSize size, std::uint64_t generation);

    // A new build over a changed item list that keeps what the build before made: slot i
    // takes old slot previous[i] (-1 or a slot already taken: an empty one), thumbnail,
    // facts and recency alike. Size and budget stay; old thumbnails no slot takes are freed.
    void Carry(std::span<const int> previous, std::uint64_t generation);

    int size() const;
    bool empty() const { return size() == 0; }
    QSize imageSize() const;

    // What a paint needs of one item, read at once: a worker's eviction between two reads
    // cannot make a Ready cell paint without its image.
    struct Cell {
        State state = State::Missing;
        QImage image;           // a shared copy; null unless Ready
        ItemFacts facts;
        std::int32_t newestDate = 0;  // NewestDate() at the same moment
    };
    Cell ReadCell(int index) const;

    State StateOf(int index) const;
    // A shared copy; null unless Ready.
    QImage Image(int index) const;
    ItemFacts Facts(int index) const;
    // The newest last bar (yyyymmdd) of every series made in this build that is not after
    // today; 0 before any.
    std::int32_t NewestDate() const;
    // Items made in this build that had no series.
    int NoDataCount() const;

    // The slots on screen and the rows kept ready around them are never dropped; those on
    // screen count as shown now. Returns the indices dropped to fit the budget.
    std::vector<int> SetPinned(std::span<const int> pinned, std::span<const int> shown);
    // Those of indices whose thumbnail is Missing (not made yet, or dropped).
    std::vector<int> MissingAmong(std::span<const int> indices) const;

    // A worker's thumbnail (null: it could not be made) and facts. Returns the indices
    // dropped to fit the budget. A provisional thumbnail (made from a file still being
    // written) never replaces one the slot holds: the older picture stays, marked unsettled.
    std::vector<int> Put(std::uint64_t generation, int index, QImage image,
                         const ItemFacts& facts, bool provisional = false);

    // A buffer of imageSize() to draw the next thumbnail in (a dropped one's when spare);
    // null when none can be had.
    QImage TakeBuffer();
    // Gives the spare buffers' memory back to the system (when nothing has been made for a
    // while); the next thumbnails fault theirs in again.
    void ReleaseSpares();

    void SetBudget(std::uint64_t bytes);
    std::uint64_t budgetBytes() const;
    // Everything counted against the budget: slots, thumbnails, spare buffers.
    std::uint64_t usedBytes() const;

    // Counted per item besides its pixels: the slot with its facts and list links.
    static std::uint64_t SlotBytes();
    // Counted per image: its pixels and Qt's header.
    static std::uint64_t ImageBytes(const QImage& image);
    static std::uint64_t ImageBytesFor(QSize size);
    // The budget that holds the slots of `items` and exactly `thumbnails` thumbnails of
    // size, with the spare buffers such a budget keeps room for.
    static std::uint64_t BudgetFor(int items, int thumbnails, QSize size);

private:
    struct Slot {
        QImage image;
        ItemFacts facts;
        std::uint64_t shownAt = 0;  // 0: never on screen
        State state = State::Missing;
        bool pinned = false;
    };

    static bool CountsAsNoData(const Slot& slot);
    void ResetListsLocked(int count);
    void Unlink(int index);
    // Back into the recency lists after it leaves the screen, or once made.
    void Link(int index);
    void EvictLocked(std::vector<int>& dropped);
    static std::uint64_t SpareRoomFor(QSize size, std::uint64_t budget);

    mutable std::mutex m_mutex;
    std::vector<Slot> m_slots;
    QSize m_size;
    std::uint64_t m_generation = 0;
    std::uint64_t m_budget;
    std::uint64_t m_used = 0;           // slots and thumbnails
    std::uint64_t m_spareRoom = 0;      // kept free of thumbnails for the arena's spares
    std::uint64_t m_clock = 0;
    std::int32_t m_newestDate = 0;
    int m_noData = 0;
    IndexList m_neverShown;         // made, never on screen; in the order made
    IndexList m_shown;              // least recently shown first
    std::vector<int> m_pinned;
    // Thumbnails' memory; its spare blocks count against the budget.
    ImageArena m_arena;
};

} // namespace mosgrid
