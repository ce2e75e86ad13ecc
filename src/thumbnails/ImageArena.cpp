#include "thumbnails/ImageArena.h"

#include <sys/mman.h>

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kAlignment = 64;
constexpr QImage::Format kFormat = QImage::Format_RGB32;

std::atomic<std::size_t> g_liveChunks{0};

// One mapping; unmapped when the last block cut from it is gone.
class Chunk {
public:
    static std::shared_ptr<Chunk> Map(std::size_t bytes)
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
        // Faulted in whole: one call instead of a fault every 4 KB as the pixels are drawn.
        ::madvise(start + lead, bytes, MADV_POPULATE_WRITE);
        ++g_liveChunks;
        return std::shared_ptr<Chunk>(new Chunk(start + lead, bytes));
    }
    ~Chunk()
    {
        ::munmap(m_base, m_bytes);
        --g_liveChunks;
    }
    uchar* base() const { return m_base; }
    std::size_t bytes() const { return m_bytes; }

private:
    Chunk(uchar* base, std::size_t bytes) : m_base(base), m_bytes(bytes) {}
    uchar* m_base;
    std::size_t m_bytes;
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
    std::vector<Block> free;
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
    const std::lock_guard lock(m_state->mutex);
    m_state->free.clear();
}

QImage ImageArena::Allocate(QSize size)
{
    if (size.isEmpty())
        return {};
    const std::size_t rowBytes = std::size_t(size.width()) * 4;
    const std::size_t imageBytes = rowBytes * std::size_t(size.height());
    const std::size_t blockBytes = (imageBytes + kAlignment - 1) / kAlignment * kAlignment;

    Block block;
    {
        const std::lock_guard lock(m_state->mutex);
        if (size != m_state->size) {
            m_state->size = size;
            m_state->blockBytes = blockBytes;
            m_state->free.clear();
        }
        if (m_state->free.empty()) {
            // A chunk holds as many blocks as fit; a thumbnail larger than a chunk has one.
            const std::size_t chunkBytes = blockBytes > kChunkBytes
                ? (blockBytes + kHugePage - 1) / kHugePage * kHugePage : kChunkBytes;
            if (const std::shared_ptr<Chunk> chunk = Chunk::Map(chunkBytes)) {
                for (std::size_t at = 0; at + blockBytes <= chunk->bytes(); at += blockBytes)
                    m_state->free.push_back(Block{chunk->base() + at, chunk});
            }
        }
        if (!m_state->free.empty()) {
            block = std::move(m_state->free.back());
            m_state->free.pop_back();
        }
    }
    if (!block.data)
        return QImage(size, kFormat);

    auto* handout = new Handout{m_state, blockBytes, std::move(block)};
    const auto release = [](void* info) {
        std::unique_ptr<Handout> done(static_cast<Handout*>(info));
        if (const std::shared_ptr<State> state = done->state.lock()) {
            const std::lock_guard lock(state->mutex);
            if (state->blockBytes == done->blockBytes) {
                state->free.push_back(std::move(done->block));
                return;
            }
        }
        // The arena is gone or serves another size: the chunk goes with its last block.
    };
    QImage image(handout->block.data, size.width(), size.height(), qsizetype(rowBytes),
                 kFormat, release, handout);
    return image;
}

std::size_t ImageArena::freeBlocks() const
{
    const std::lock_guard lock(m_state->mutex);
    return m_state->free.size();
}

std::size_t ImageArena::liveChunks() const
{
    return g_liveChunks.load();
}
