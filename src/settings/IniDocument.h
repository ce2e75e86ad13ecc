#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mosgrid {

// A key of a section as read: its name as spelled in the file and its readable value.
struct IniEntry {
    std::string_view key;
    std::string_view value;
};

// The bytes of a profile file and the read rules of the profile functions over them.
// Returned views point into the document and live as long as it does, unmoved.
class IniDocument {
public:
    IniDocument() = default;
    explicit IniDocument(std::string bytes) : m_bytes(std::move(bytes)) {}

    const std::string& bytes() const { return m_bytes; }

    // The value of the first matching key in the first matching section (names compare
    // ASCII case-insensitively, trimmed); nullopt when absent.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // Every key of the first matching section once, the first of duplicates, in file order.
    std::vector<IniEntry> Entries(std::string_view section) const;

    // A name as asked for: up to a NUL, trimmed.
    static std::string_view RequestedName(std::string_view name);

private:
    std::string m_bytes;
};

} // namespace mosgrid
