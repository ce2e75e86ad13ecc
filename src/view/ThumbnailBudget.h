#pragma once

#include <cstdint>

// How many bytes of thumbnails a rebuild may hold: half of the machine's physical memory by
// default, so a large size times a long list never exhausts the machine.
class ThumbnailBudget {
public:
    static std::uint64_t DefaultBytes();

    explicit ThumbnailBudget(std::uint64_t limitBytes);

    // Takes the bytes of one more thumbnail when they fit; false when they do not.
    bool Take(std::uint64_t bytes);
    std::uint64_t used() const { return m_used; }

private:
    std::uint64_t m_limit;
    std::uint64_t m_used = 0;
};
