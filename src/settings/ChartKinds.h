#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mosgrid {

// The kinds of chart a definition can start with and the options each takes, in one table:
// the Add-chart dialog builds its chooser and fields from it. A new kind or option is one
// row here.
namespace ChartKinds {

enum class FieldType {
    Flag,         // 0|1, a check box; off is left out of the text
    IntegerList,  // comma-separated integers, e.g. periods "5,25,75"
    Integer,      // one integer
    NumberList,   // comma-separated numbers, decimals allowed
    OptionalList, // a check box and numbers: given bare (kBare) or with its numbers
    Choice,       // one word of `choices`; empty leaves the option out
    Text,         // one word as written, such as a security's code
};

// The value of an OptionalList given without numbers ("Ichimoku"): never a value's text,
// since ';' always ends an item.
inline constexpr char kBare[] = ";";

struct OptionField {
    const char* name;   // the name in the definition text
    const char* label;  // what the dialog shows (UTF-8)
    FieldType type;
    int minimum;        // Integer and IntegerList: the range of one number
    int maximum;
    int maxCount;       // IntegerList: how many numbers are used
    const char* hint;   // an example or a short explanation (UTF-8)
    // Choice: the words, '|'-separated, and what the dialog shows for each (UTF-8).
    const char* choices;
    const char* choiceLabels;
};

struct Kind {
    const char* word;   // the definition's first item
    const char* label;  // the chooser's text (UTF-8)
    std::vector<OptionField> options;
    // The first item carries a value (`RSI=14`): options[0] is that value, named as the word;
    // empty writes the word alone, which takes the defaults.
    bool valued = false;
};

const std::vector<Kind>& Table();

// The row of a kind word (any ASCII case), or nothing.
std::optional<std::size_t> KindIndex(std::string_view word);

// What the definition gives for each option of its kind: the value text as written (the last
// of a repeated name), "1"/"0" for a flag, empty for an option not given.
struct Fields {
    std::optional<std::size_t> kind;  // nothing: empty text or an unknown kind
    std::vector<std::string> values;  // one per option of the kind
};
Fields ReadDefinition(std::string_view definition);

// The values the definition gives for the options of `kind`, whatever its own first item:
// what a change of kind keeps.
std::vector<std::string> ReadOptions(std::string_view definition, std::size_t kind);

// The definition with its kind set to the row's word and each option set to `values`
// (one per option of the kind; empty removes the option, so does an unchecked flag that
// the text does not give). Other items keep their bytes and their order.
std::string WriteDefinition(std::string_view definition, std::size_t kind,
                            const std::vector<std::string>& values);

} // namespace ChartKinds

} // namespace mosgrid
