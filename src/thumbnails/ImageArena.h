#pragma once

#include <QImage>
#include <QSize>

#include <memory>

// Memory for thumbnails, carved from large blocks faulted in whole when mapped: a fresh
// thumbnail otherwise costs a page fault every 4 KB, which was a large part of making one.
// (Huge pages were tried: when the kernel has to compact memory for them, a build stalls
// for several times longer.) Memory of a thumbnail let go returns to the arena for the next
// one, across builds of the same size. Images handed out may outlive the arena.
// Thread-safe.
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

    // Blocks kept for the size asked last, and the chunks still mapped (for tests).
    std::size_t freeBlocks() const;
    std::size_t liveChunks() const;

    // Shared with every image handed out, which may outlive the arena.
    struct State;

private:
    std::shared_ptr<State> m_state;
};
