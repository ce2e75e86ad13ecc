#include "thumbnails/ImageArena.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

namespace mosgrid {

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr QImage::Format kFormat = QImage::Format_RGB32;

using ChunkCounter = std::shared_ptr<std::atomic<std::size_t>>;

// Blocks start and end on a page, so the memory of one can be given back alone.
std::size_t PageBytes()
{
    static const std::size_t bytes = [] {
        const long page = ::sysconf(_SC_PAGESIZE);
        return page > 0 ? std::size_t(page) : std::size_t(4096);
    }();
    return bytes;
}

// One mapping; unmapped when the last block cut from it is gone.
class Chunk {
public:
    static std::shared_ptr<Chunk> Map(std::size_t bytes, ChunkCounter counter)
    {
        // Mapped a huge page larger, so the chunk starts on a huge-page boundary, where the
        // kernel may still back it with huge pages of its own accord.
        const std::size_t mapped = bytes + kHugePage;
        void* raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw == MAP_FAILED)
            return nullptr;
        auto* start = static_cast<uchar*>(raw);
        const std::size_t lead =
            (kHugePage - reinterpret_cast<std::uintptr_t>(start) % kHugePage) % kHugePage;
        if (lead > 0)
            ::munmap(start, lead);
        if (mapped - lead > bytes)
            ::munmap(start + lead + bytes, mapped - lead - bytes);
        ++*counter;
        return std::shared_ptr<Chunk>(new Chunk(start + lead, bytes, std::move(counter)));
    }
    ~Chunk()
    {
        ::munmap(m_base, m_bytes);
        --*m_counter;
    }
    uchar* base() const { return m_base; }
    std::size_t bytes() const { return m_bytes; }

private:
    Chunk(uchar* base, std::size_t bytes, ChunkCounter counter)
        : m_base(base), m_bytes(bytes), m_counter(std::move(counter)) {}
    uchar* m_base;
    std::size_t m_bytes;
    ChunkCounter m_counter;
};

struct Block {
    uchar* data = nullptr;
    std::shared_ptr<Chunk> chunk;
};

} // namespace

struct ImageArena::State {
    std::mutex mutex;
    QSize size;
    std::size_t blockBytes = 0;
    std::size_t spareLimit = 0;
    std::vector<Block> spares;  // let go, still in memory
    std::vector<Block> cold;    // never used, or given back: faulted in when handed out
    ChunkCounter liveChunks = std::make_shared<std::atomic<std::size_t>>(0);

    static std::size_t BlockBytesFor(QSize size)
    {
        const std::size_t imageBytes =
            std::size_t(size.width()) * 4 * std::size_t(std::max(size.height(), 0));
        return (imageBytes + PageBytes() - 1) / PageBytes() * PageBytes();
    }
    void SetSize(QSize newSize)
    {
        if (newSize == size)
            return;
        size = newSize;
        blockBytes = BlockBytesFor(newSize);
        spares.clear();
        cold.clear();
    }

    void GiveBack(Block block)
    {
        ::madvise(block.data, blockBytes, MADV_DONTNEED);
        cold.push_back(std::move(block));
    }
    void KeepAtMost(std::size_t count)
    {
        while (spares.size() > count) {
            Block block = std::move(spares.back());
            spares.pop_back();
            GiveBack(std::move(block));
        }
    }
};

namespace {

struct Handout {
    std::weak_ptr<ImageArena::State> state;
    std::size_t blockBytes;
    Block block;
};

} // namespace

ImageArena::ImageArena()
    : m_state(std::make_shared<State>())
{
}

ImageArena::~ImageArena()
{
    // The blocks go outside the lock: the last of a chunk unmaps it.
    std::vector<Block> spares;
    std::vector<Block> cold;
    const std::lock_guard lock(m_state->mutex);
    spares.swap(m_state->spares);
    cold.swap(m_state->cold);
}

QImage ImageArena::Allocate(QSize size)
{
    if (size.isEmpty())
        return {};
    const std::size_t rowBytes = std::size_t(size.width()) * 4;
    const std::size_t blockBytes = State::BlockBytesFor(size);

    Block block;
    bool inMemory = false;
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->SetSize(size);
        if (!m_state->spares.empty()) {
            block = std::move(m_state->spares.back());
            m_state->spares.pop_back();
            inMemory = true;
        } else {
            if (m_state->cold.empty()) {
                // A chunk holds as many blocks as fit; a thumbnail larger than a chunk has one.
                const std::size_t chunkBytes = blockBytes > kChunkBytes
                    ? (blockBytes + kHugePage - 1) / kHugePage * kHugePage : kChunkBytes;
                if (const auto chunk = Chunk::Map(chunkBytes, m_state->liveChunks)) {
                    // Highest first, so blocks are handed out from the chunk's start.
                    for (std::size_t at = chunk->bytes() / blockBytes; at-- > 0;)
                        m_state->cold.push_back(Block{chunk->base() + at * blockBytes, chunk});
                }
            }
            if (!m_state->cold.empty()) {
                block = std::move(m_state->cold.back());
                m_state->cold.pop_back();
            }
        }
    }
    if (!block.data)
        return QImage(size, kFormat);
    // Faulted in whole: one call instead of a fault every page as the pixels are drawn.
    if (!inMemory)
        ::madvise(block.data, blockBytes, MADV_POPULATE_WRITE);

    auto* handout = new Handout{m_state, blockBytes, std::move(block)};
    const auto release = [](void* info) {
        std::unique_ptr<Handout> done(static_cast<Handout*>(info));
        if (const std::shared_ptr<State> state = done->state.lock()) {
            const std::lock_guard lock(state->mutex);
            if (state->blockBytes != done->blockBytes)
                return;  // the arena serves another size now: the block goes
            if (state->spares.size() < state->spareLimit)
                state->spares.push_back(std::move(done->block));
            else
                state->GiveBack(std::move(done->block));
        }
        // The arena is gone or serves another size: the chunk goes with its last block.
    };
    QImage image(handout->block.data, size.width(), size.height(), qsizetype(rowBytes),
                 kFormat, release, handout);
    return image;
}

void ImageArena::SetSize(QSize size)
{
    const std::lock_guard lock(m_state->mutex);
    m_state->SetSize(size);
}

void ImageArena::SetSpareLimit(std::size_t blocks)
{
    const std::lock_guard lock(m_state->mutex);
    m_state->spareLimit = blocks;
    m_state->KeepAtMost(blocks);
}

void ImageArena::Trim()
{
    const std::lock_guard lock(m_state->mutex);
    m_state->KeepAtMost(0);
}

std::size_t ImageArena::spareBlocks() const
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->spares.size();
}

std::size_t ImageArena::freeBlocks() const
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->spares.size() + m_state->cold.size();
}

std::size_t ImageArena::liveChunks() const
{
    return m_state->liveChunks->load();
}

} // namespace mosgrid
