// The arena's memory: spares kept up to a limit, the rest given back, counted per arena.
#include "thumbnails/ImageArena.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <vector>

using namespace mosgrid;

namespace {

const QSize kSize(300, 180);

// Whether every page of the bytes at data is in memory.
bool Resident(const uchar* data, std::size_t bytes)
{
    const std::size_t page = std::size_t(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(data) / page * page;
    const std::size_t length = reinterpret_cast<std::uintptr_t>(data) + bytes - start;
    std::vector<unsigned char> pages((length + page - 1) / page);
    if (::mincore(reinterpret_cast<void*>(start), length, pages.data()) != 0)
        return false;
    for (const unsigned char in : pages) {
        if ((in & 1) == 0)
            return false;
    }
    return true;
}

TEST(ImageArena, KeepsSparesUpToItsLimitAndGivesTheRestBack)
{
    ImageArena arena;
    arena.SetSpareLimit(2);
    std::vector<QImage> images;
    std::vector<const uchar*> memory;
    for (int i = 0; i < 4; ++i) {
        images.push_back(arena.Allocate(kSize));
        ASSERT_EQ(images.back().size(), kSize);
        images.back().fill(Qt::red);
        memory.push_back(images.back().constBits());
    }
    const std::size_t bytes = std::size_t(images.front().sizeInBytes());
    images.clear();
    EXPECT_EQ(arena.spareBlocks(), 2u);
    // The first two let go are the spares, still in memory; the others were given back.
    EXPECT_TRUE(Resident(memory[0], bytes));
    EXPECT_FALSE(Resident(memory[3], bytes));
    // A spare is handed out again before fresh memory.
    const QImage again = arena.Allocate(kSize);
    EXPECT_EQ(again.constBits(), memory[1]);
    EXPECT_EQ(arena.spareBlocks(), 1u);
    // Unused for a while: every spare goes back.
    arena.Trim();
    EXPECT_EQ(arena.spareBlocks(), 0u);
    EXPECT_FALSE(Resident(memory[0], bytes));
    EXPECT_GE(arena.freeBlocks(), 3u);
}

TEST(ImageArena, ChunksAreCountedPerArenaAndImagesOutliveIt)
{
    QImage survivor;
    ImageArena other;
    {
        ImageArena arena;
        EXPECT_EQ(arena.liveChunks(), 0u) << "nothing mapped before the first image";
        survivor = arena.Allocate(kSize);
        EXPECT_EQ(arena.liveChunks(), 1u);
        EXPECT_EQ(other.liveChunks(), 0u);
        arena.SetSize(QSize(10, 10));
        EXPECT_EQ(arena.freeBlocks(), 0u) << "memory of another size is let go";
    }
    survivor.fill(Qt::blue);
    EXPECT_EQ(survivor.pixel(299, 179), QColor(Qt::blue).rgb());
    survivor = QImage();
    const QImage fresh = other.Allocate(QSize(5000, 5000));
    EXPECT_EQ(fresh.size(), QSize(5000, 5000)) << "larger than a chunk: a mapping of its own";
    EXPECT_EQ(other.liveChunks(), 1u);
}

} // namespace
