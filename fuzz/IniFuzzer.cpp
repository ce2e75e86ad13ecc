// The profile-file rules on any bytes: the document's reads and the editor's writes.
// Properties: a value written reads back as written (as a read returns it: one line,
// trimmed, unquoted); every other key of the file reads as before; a name the editor
// refuses leaves the file as it was.
#include "FuzzSupport.h"

#include "settings/IniDocument.h"
#include "settings/IniEditor.h"
#include "settings/IniLine.h"
#include "settings/IniText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>

using namespace mosgrid;

namespace {

using Name = std::pair<std::string, std::string>;

// Every section/key pair a read could ask for, as spelled in the file.
std::set<Name> NamesIn(std::string_view bytes)
{
    std::set<Name> names;
    IniLineReader reader(bytes);
    IniLine line;
    std::string section;
    while (reader.Next(line)) {
        if (line.kind == IniLine::Kind::Section)
            section = std::string(line.name);
        else if (line.kind == IniLine::Kind::Key && !section.empty())
            names.emplace(section, std::string(line.name));
    }
    return names;
}

bool SameName(const Name& a, std::string_view section, std::string_view key)
{
    return IniText::EqualsNoCase(IniDocument::RequestedName(a.first),
                                 IniDocument::RequestedName(section))
        && IniText::EqualsNoCase(IniDocument::RequestedName(a.second),
                                 IniDocument::RequestedName(key));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(32);
    const std::string key = input.ConsumeRandomLengthString(32);
    const std::string value = input.ConsumeRandomLengthString(256);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    const IniDocument before(bytes);
    for (const Name& name : NamesIn(bytes)) {
        (void)before.Find(name.first, name.second);
        (void)before.Entries(name.first);
    }

    const std::optional<std::string> edited = IniEditor::SetValue(bytes, section, key, value);
    if (!edited)
        return 0;
    const IniDocument after(*edited);
    const std::string flat = IniText::FlattenLineBreaks(IniText::CutAtNul(value));
    const std::optional<std::string_view> readBack = after.Find(section, key);
    fuzz::Check(readBack.has_value(), "a written key is found");
    fuzz::Check(*readBack == IniText::ReadableValue(flat), "a written value reads back");

    for (const Name& name : NamesIn(bytes)) {
        if (SameName(name, section, key))
            continue;
        fuzz::Check(before.Find(name.first, name.second) == after.Find(name.first, name.second),
                    "every other key reads as before");
    }
    // Writing the same again changes nothing more.
    fuzz::Check(IniEditor::SetValue(*edited, section, key, value) == edited,
                "a second write of the same value is no change");
    return 0;
}
