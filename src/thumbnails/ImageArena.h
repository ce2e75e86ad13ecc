#pragma once

#include <QImage>
#include <QSize>

#include <memory>

namespace mosgrid {

// Memory for thumbnails, carved from large mappings: a block is faulted in whole by one call
// when handed out, where a fresh thumbnail would otherwise cost a page fault every 4 KB.
// (Huge pages were tried: when the kernel has to compact memory for them, a build stalls
// for several times longer.) A mapping is only address space until its blocks are handed
// out. A block let go stays in memory as a spare for the next thumbnail while there is room
// for spares; beyond that, or after Trim, its memory goes back to the system. Images handed
// out may outlive the arena.
//
// Threads: any. One lock guards the free blocks; it is the innermost lock of the program
// (the store calls in under its own; nothing is called while it is held but the kernel).
class ImageArena {
public:
    // Address space asked of the kernel at a time.
    static constexpr std::size_t kChunkBytes = std::size_t(32) << 20;

    ImageArena();
    ~ImageArena();
    ImageArena(const ImageArena&) = delete;
    ImageArena& operator=(const ImageArena&) = delete;

    // An RGB32 image of size over arena memory, or an ordinary one when the arena has none.
    // A new size lets go of the memory kept for the old one.
    QImage Allocate(QSize size);
    // The size of the images to come: the spares of another size go now, and images of it
    // let go later are not kept.
    void SetSize(QSize size);

    // Blocks of the current size kept in memory for the next images; those let go beyond it
    // give their memory back at once. Lowering it gives back the spares above it.
    void SetSpareLimit(std::size_t blocks);
    // Gives back the memory of every spare block (it stays mapped, to be faulted in again).
    void Trim();

    // Blocks let go and still in memory (counted by the store as its spares).
    std::size_t spareBlocks() const;
    // Blocks free, in memory or not.
    std::size_t freeBlocks() const;
    // Mappings of this arena still alive (images handed out keep theirs).
    std::size_t liveChunks() const;

    // Shared with every image handed out, which may outlive the arena.
    struct State;

private:
    std::shared_ptr<State> m_state;
};

} // namespace mosgrid
