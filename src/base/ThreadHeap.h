#pragma once

#include <cstddef>

namespace mosgrid {

// Room made ahead in the calling thread's heap for allocations that will stay, such as the
// series the data library keeps for every item of a build. glibc grows a thread's heap by
// just what an allocation lacks, with a system call each time (about 3 us here, for every
// thumbnail), and keeps the room it once reached when memory goes back. Blocks allocated
// and freed at once leave that room behind without holding memory. Nothing with another
// libc or another malloc.
void ReserveThreadHeap(std::size_t bytes);

} // namespace mosgrid
