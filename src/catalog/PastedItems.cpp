#include "catalog/PastedItems.h"

#include "catalog/CListFileReader.h"
#include "catalog/ListField.h"
#include "catalog/TypeField.h"

#include <algorithm>
#include <string>

namespace mosgrid {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kBlank = " \t\r\n\f\v";
// A line with this many commas or more is a whole list line.
constexpr int kListLineCommas = 2;

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kBlank);
    return text.substr(first, last - first + 1);
}

// The text up to separator and the text after it (up to a second one).
std::pair<std::string_view, std::string_view> SplitTwo(std::string_view line, char separator)
{
    const std::size_t at = line.find(separator);
    if (at == std::string_view::npos)
        return {line, {}};
    std::string_view rest = line.substr(at + 1);
    rest = rest.substr(0, rest.find(separator));
    return {line.substr(0, at), rest};
}

bool ParseLine(std::string_view line, const NewListItem& model, NewListItem& item)
{
    item = model;
    if (line.find('\t') != std::string_view::npos) {
        const auto [code, name] = SplitTwo(line, '\t');
        item.code = Trimmed(code);
        item.name = Trimmed(name);
    } else if (std::count(line.begin(), line.end(), ',') >= kListLineCommas) {
        item.type = ParseTypeField(CListFileReader::GetField(line, fieldType));
        item.source = CListFileReader::GetField(line, fieldSource);
        item.code = CListFileReader::GetField(line, fieldCode);
        item.name = CListFileReader::GetField(line, fieldName);
    } else {
        const auto [code, name] = SplitTwo(line, ',');
        item.code = Trimmed(code);
        item.name = Trimmed(name);
    }
    if (item.name.empty())
        item.name = item.code;
    return !item.code.empty();
}

} // namespace

std::vector<NewListItem> ParsePastedItems(std::string_view text, const NewListItem& model)
{
    if (text.starts_with(kUtf8Bom))
        text.remove_prefix(kUtf8Bom.size());
    std::vector<NewListItem> items;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (Trimmed(line).empty())
            continue;
        NewListItem item;
        if (ParseLine(line, model, item))
            items.push_back(std::move(item));
    }
    return items;
}

} // namespace mosgrid
