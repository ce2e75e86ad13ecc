#include "settings/ChartKinds.h"

#include "settings/ParamText.h"

namespace ChartKinds {

namespace {

constexpr int kMaxPeriod = 5000;
constexpr int kMaxAverages = 4;

std::vector<OptionField> PriceOptions()
{
    return {
        {"MA", "移動平均線(期間)", FieldType::IntegerList, 1, kMaxPeriod, kMaxAverages,
         "終値の平均を結んだ線。期間をカンマで 4 つまで(例: 5,25,75)"},
        {"DispMaxMin", "高値・安値の値を表示", FieldType::Flag, 0, 1, 1,
         "表示しているバーの最高値と最安値を、その足の上と下に書きます"},
    };
}

bool HasOption(const Kind& kind, std::string_view name)
{
    for (const OptionField& option : kind.options) {
        if (ParamText::EqualsNoCase(option.name, name))
            return true;
    }
    return false;
}

} // namespace

const std::vector<Kind>& Table()
{
    static const std::vector<Kind> table = {
        {"Daily", "日足(ローソク足)", PriceOptions()},
        {"Weekly", "週足(ローソク足)", PriceOptions()},
        {"Monthly", "月足(ローソク足)", PriceOptions()},
        {"Volume", "出来高", {}},
    };
    return table;
}

std::optional<std::size_t> KindIndex(std::string_view word)
{
    const std::vector<Kind>& table = Table();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (ParamText::EqualsNoCase(word, table[i].word))
            return i;
    }
    return std::nullopt;
}

Fields ReadDefinition(std::string_view definition)
{
    Fields fields;
    const std::vector<ParamText::Item> items = ParamText::Parse(definition);
    if (items.empty() || items.front().hasValue)
        return fields;
    fields.kind = KindIndex(items.front().name);
    if (fields.kind)
        fields.values = ReadOptions(definition, *fields.kind);
    return fields;
}

std::vector<std::string> ReadOptions(std::string_view definition, std::size_t kind)
{
    const std::vector<OptionField>& options = Table().at(kind).options;
    std::vector<std::string> values(options.size());
    for (std::size_t i = 0; i < options.size(); ++i) {
        const std::optional<ParamText::Item> item = ParamText::Find(definition, options[i].name);
        if (!item)
            continue;
        if (options[i].type == FieldType::Flag) {
            const std::optional<bool> on = ParamText::Flag(*item);
            values[i] = on ? (*on ? "1" : "0") : "";
        } else {
            values[i] = item->value;
        }
    }
    return values;
}

std::string WriteDefinition(std::string_view definition, std::size_t kind,
                            const std::vector<std::string>& values)
{
    const Kind& row = Table().at(kind);
    std::string result(definition);
    const Fields before = ReadDefinition(definition);
    if (before.kind != kind) {
        // Options the old kind took and the new one does not would only be ignored.
        if (before.kind) {
            for (const OptionField& old : Table()[*before.kind].options) {
                if (!HasOption(row, old.name))
                    result = ParamText::Without(result, old.name);
            }
        }
        result = ParamText::WithFirst(result, row.word);
    }
    const Fields now = ReadDefinition(result);
    for (std::size_t i = 0; i < row.options.size(); ++i) {
        const OptionField& option = row.options[i];
        const std::string value = i < values.size() ? values[i] : std::string();
        if (i < now.values.size() && now.values[i] == value)
            continue;  // reads the same: the user's bytes stay
        const bool given = ParamText::Find(result, option.name).has_value();
        const bool flagOff = option.type == FieldType::Flag && value == "0";
        if (value.empty() || (flagOff && !given))
            result = ParamText::Without(result, option.name);
        else
            result = ParamText::With(result, option.name, value);
    }
    return result;
}

} // namespace ChartKinds
