#include "settings/IniEditor.h"

#include "settings/IniDocument.h"
#include "settings/IniLine.h"
#include "settings/IniText.h"

namespace mosgrid {

namespace IniEditor {

namespace {

// What a file written by the Windows functions uses, so a new file reads there too.
constexpr std::string_view kNewFileLineEnd = "\r\n";

bool EndsWithLineEnd(std::string_view bytes)
{
    return !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r');
}

} // namespace

bool IsWritableSection(std::string_view name)
{
    return !name.empty() && !IniText::HasLineBreak(name)
        && name.find(']') == std::string_view::npos;
}

bool IsWritableKey(std::string_view name)
{
    return !name.empty() && !IniText::HasLineBreak(name)
        && name.find('=') == std::string_view::npos && name.front() != ';'
        && name.front() != '[';
}

std::optional<std::string> SetValue(std::string_view bytes, std::string_view section,
                                    std::string_view key, std::string_view value)
{
    section = IniDocument::RequestedName(section);
    key = IniDocument::RequestedName(key);
    if (!IsWritableSection(section) || !IsWritableKey(key))
        return std::nullopt;
    const std::string flatValue = IniText::FlattenLineBreaks(IniText::CutAtNul(value));

    std::string_view lineEnd = IniLineReader::FirstLineEnd(bytes);
    if (lineEnd.empty())
        lineEnd = kNewFileLineEnd;

    // Find the key in the first matching section, remembering where a new key would go.
    IniLineReader reader(bytes);
    IniLine line;
    std::optional<IniLine> anchor;
    bool inside = false;
    while (reader.Next(line)) {
        if (line.startsSection()) {
            if (inside)
                break;
            inside = !anchor && line.kind == IniLine::Kind::Section
                && IniText::EqualsNoCase(line.name, section);
            if (inside)
                anchor = line;
            continue;
        }
        if (!inside || line.kind != IniLine::Kind::Key)
            continue;
        if (IniText::EqualsNoCase(line.name, key)) {
            std::string edited(bytes.substr(0, line.begin));
            edited.append(line.name).append("=").append(flatValue);
            edited.append(bytes.substr(line.end));
            return edited;
        }
        anchor = line;
    }

    std::string newKey(key);
    newKey.append("=").append(flatValue).append(lineEnd);
    std::string edited;
    edited.reserve(bytes.size() + newKey.size() + section.size() + 2 + lineEnd.size() * 2);
    if (anchor) {
        edited.append(bytes.substr(0, anchor->next));
        if (!anchor->hasLineEnd())
            edited.append(lineEnd);
        edited.append(newKey);
        edited.append(bytes.substr(anchor->next));
        return edited;
    }
    edited.append(bytes);
    if (!edited.empty() && !EndsWithLineEnd(edited))
        edited.append(lineEnd);
    edited.append("[").append(section).append("]").append(lineEnd).append(newKey);
    return edited;
}

} // namespace IniEditor

} // namespace mosgrid
