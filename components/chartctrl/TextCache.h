#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quorex::chart {

// What parsing a text gave, kept per distinct text and shared by every thread. Each text is
// parsed once while it stays cached; a full cache drops the entry used longest ago. Texts
// longer than kMaxTextBytes are parsed every time rather than held.
template <class T>
class TextCache {
public:
    explicit TextCache(std::size_t capacity) : m_capacity(std::max<std::size_t>(capacity, 1)) {}

    template <class Parse>
    std::shared_ptr<const T> Get(std::string_view text, Parse&& parse)
    {
        std::lock_guard lock(m_mutex);
        if (text.size() > kMaxTextBytes) {
            ++m_parses;
            return std::make_shared<const T>(parse(text));
        }
        ++m_clock;
        std::string key(text);
        if (const auto found = m_entries.find(key); found != m_entries.end()) {
            found->second.lastUse = m_clock;
            return found->second.value;
        }
        if (m_entries.size() >= m_capacity)
            DropOldest();
        // Parsing under the lock keeps "once per text" exact; a parse takes microseconds.
        ++m_parses;
        auto value = std::make_shared<const T>(parse(text));
        m_entries.emplace(std::move(key), Entry{value, m_clock});
        return value;
    }

    std::size_t parses() const
    {
        std::lock_guard lock(m_mutex);
        return m_parses;
    }
    std::size_t size() const
    {
        std::lock_guard lock(m_mutex);
        return m_entries.size();
    }
    std::size_t capacity() const { return m_capacity; }

    static constexpr std::size_t kMaxTextBytes = 4096;

private:
    struct Entry {
        std::shared_ptr<const T> value;
        std::uint64_t lastUse = 0;
    };

    void DropOldest()
    {
        const auto oldest = std::min_element(m_entries.begin(), m_entries.end(),
            [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        if (oldest != m_entries.end())
            m_entries.erase(oldest);
    }

    const std::size_t m_capacity;
    mutable std::mutex m_mutex;
    std::unordered_map<std::string, Entry> m_entries;
    std::uint64_t m_clock = 0;
    std::size_t m_parses = 0;
};

} // namespace quorex::chart
