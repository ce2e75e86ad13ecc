#include "base/ThreadHeap.h"

#include <cstdlib>
#include <vector>

namespace mosgrid {

void ReserveThreadHeap(std::size_t bytes)
{
#if defined(__GLIBC__)
    // Under the size from which glibc maps a block of its own (128 KB at first), so that the
    // blocks come from the thread's heap.
    constexpr std::size_t kBlockBytes = 120 * 1024;
    std::vector<void*> blocks;
    blocks.reserve(bytes / kBlockBytes + 1);
    for (std::size_t reserved = 0; reserved < bytes; reserved += kBlockBytes) {
        void* block = std::malloc(kBlockBytes);
        if (!block)
            break;
        blocks.push_back(block);
    }
    for (void* block : blocks)
        std::free(block);
#else
    (void)bytes;
#endif
}

} // namespace mosgrid
