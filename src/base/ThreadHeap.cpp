#include "base/ThreadHeap.h"

#include <cstdlib>
#include <vector>

#if defined(__GLIBC__)
#include <dlfcn.h>
#endif

namespace mosgrid {

namespace {

#if defined(__GLIBC__)
// Whether malloc is glibc's own: a program may bring another (CMake's MOSGRID_ALLOCATOR),
// whose heap grows its own way.
bool MallocIsGlibcs()
{
    static const bool glibcs = [] {
        void* libc = ::dlopen("libc.so.6", RTLD_LAZY | RTLD_NOLOAD);
        const bool same = libc && ::dlsym(libc, "malloc") == ::dlsym(RTLD_DEFAULT, "malloc");
        if (libc)
            ::dlclose(libc);
        return same;
    }();
    return glibcs;
}
#endif

} // namespace

void ReserveThreadHeap(std::size_t bytes)
{
#if defined(__GLIBC__)
    if (!MallocIsGlibcs())
        return;
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
