#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mosgrid {

// Reading and editing a chart definition or a common-parameters text item by item, the way
// the chart control reads it: items `Name` or `Name=Value`, separated by ';' and/or blanks,
// blanks tolerated around '=' and after a ',' in a value, names without regard to ASCII case,
// the last of a repeated name counting. Edits change one item in place, so every other byte
// of the text (unknown names, their order, the user's spacing) stays as it was.
namespace ParamText {

struct Item {
    std::string name;
    std::string value;
    bool hasValue = false;
    std::size_t begin = 0;  // the item's bytes in the text
    std::size_t end = 0;
};

std::vector<Item> Parse(std::string_view text);

// The last item of that name, which is the one that counts.
std::optional<Item> Find(std::string_view text, std::string_view name);

// The text with the item of that name set to `Name=value` (the last one, in place), or with
// it appended after "; " when there is none.
std::string With(std::string_view text, std::string_view name, std::string_view value);

// The same with the item written as the bare name (`Ichimoku`).
std::string WithBare(std::string_view text, std::string_view name);

// The same with the item written as `item`, whose name is `name`.
std::string WithItem(std::string_view text, std::string_view name, std::string_view item);

// The text without any item of that name, and without the separators it leaves behind.
std::string Without(std::string_view text, std::string_view name);

// The text with its first item replaced by `word` (a definition's kind), or `word` put in
// front when the text has no item.
std::string WithFirst(std::string_view text, std::string_view word);

bool EqualsNoCase(std::string_view a, std::string_view b);

// A whole decimal integer with an optional sign; nothing for anything else.
std::optional<long long> Integer(std::string_view text);

// A 0|1 item: a bare name or any non-zero integer is on.
std::optional<bool> Flag(const Item& item);

} // namespace ParamText

} // namespace mosgrid
