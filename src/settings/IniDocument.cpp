#include "settings/IniDocument.h"

#include "settings/IniLine.h"
#include "settings/IniText.h"

#include <unordered_set>

namespace mosgrid {

namespace {

// Calls visit(line) for each line inside the first section named `section` (a later
// section of the same name is never read); stops early when visit returns false.
template <typename Visit>
void VisitFirstSection(std::string_view bytes, std::string_view section, Visit visit)
{
    IniLineReader reader(bytes);
    IniLine line;
    bool inside = false;
    while (reader.Next(line)) {
        if (line.startsSection()) {
            if (inside)
                return;
            inside = line.kind == IniLine::Kind::Section
                && IniText::EqualsNoCase(line.name, section);
            continue;
        }
        if (inside && !visit(line))
            return;
    }
}

} // namespace

std::string_view IniDocument::RequestedName(std::string_view name)
{
    return IniText::Trim(IniText::CutAtNul(name));
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const
{
    section = RequestedName(section);
    key = RequestedName(key);
    if (section.empty() || key.empty())
        return std::nullopt;

    std::optional<std::string_view> found;
    VisitFirstSection(m_bytes, section, [&](const IniLine& line) {
        if (line.kind == IniLine::Kind::Key && IniText::EqualsNoCase(line.name, key)) {
            found = IniText::ReadableValue(line.value);
            return false;
        }
        return true;
    });
    return found;
}

std::vector<IniEntry> IniDocument::Entries(std::string_view section) const
{
    std::vector<IniEntry> entries;
    section = RequestedName(section);
    if (section.empty())
        return entries;

    std::unordered_set<std::string> seen;
    VisitFirstSection(m_bytes, section, [&](const IniLine& line) {
        if (line.kind == IniLine::Kind::Key && !line.name.empty()
            && seen.insert(IniText::ToLower(line.name)).second)
            entries.push_back({line.name, IniText::ReadableValue(line.value)});
        return true;
    });
    return entries;
}

} // namespace mosgrid
