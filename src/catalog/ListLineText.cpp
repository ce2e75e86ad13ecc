#include "catalog/ListLineText.h"

#include "base/Cp932Text.h"
#include "catalog/ListSourceText.h"
#include "catalog/ShiftJisEncoder.h"

#include <string_view>

namespace mosgrid {

namespace {

constexpr char kFieldSeparator = ',';
// Bytes that would split the field, end its line or end the reading of the list.
constexpr std::string_view kBytesNoFieldHolds("\x2C\x0A\x0D\x1A\xFF\x00", 6);

ListEditError CheckText(std::string_view text, ListEncoding encoding, std::string& bytes)
{
    if (text.find_first_of(kBytesNoFieldHolds) != std::string_view::npos)
        return ListEditError::FieldHasSeparator;
    if (!IsValidUtf8(text))
        return ListEditError::FieldNotUtf8;
    if (encoding != ListEncoding::ShiftJis) {
        bytes.assign(text);
        return ListEditError::None;
    }
    std::optional<std::string> encoded = EncodeShiftJis(text);
    if (!encoded)
        return ListEditError::NotInShiftJis;
    bytes = std::move(*encoded);
    return ListEditError::None;
}

} // namespace

ListLineText FormatListLine(const NewListItem& item, ListEncoding encoding,
                            const std::string& listPath)
{
    ListLineText result;
    const auto refused = [&result](ListEditError error, ListField field) {
        result.error = error;
        result.field = field;
        return result;
    };
    const std::string source = SourceRelativeToList(listPath, item.source);
    if (source.find_first_of(kBytesNoFieldHolds) != std::string::npos)
        return refused(ListEditError::FieldHasSeparator, fieldSource);
    std::string code;
    ListEditError error = CheckText(item.code, encoding, code);
    if (error != ListEditError::None)
        return refused(error, fieldCode);
    std::string name;
    error = CheckText(item.name, encoding, name);
    if (error != ListEditError::None)
        return refused(error, fieldName);

    result.line = std::to_string(item.type);
    for (const std::string_view text : {std::string_view(source), std::string_view(code),
                                        std::string_view(name)}) {
        result.line += kFieldSeparator;
        result.line += text;
    }
    return result;
}

} // namespace mosgrid
