#include "settings/ChartKinds.h"

#include "settings/ParamText.h"

namespace mosgrid {

namespace ChartKinds {

namespace {

constexpr int kMaxPeriod = 5000;
constexpr int kMaxAverages = 4;
constexpr int kMaxRankPeriods = 3;

std::vector<OptionField> PriceOptions()
{
    return {
        {"MA", "移動平均線(期間)", FieldType::IntegerList, 1, kMaxPeriod, kMaxAverages,
         "終値の平均を結んだ線。期間をカンマで 4 つまで(例: 5,25,75)", nullptr, nullptr},
        {"DispMaxMin", "高値・安値の値を表示", FieldType::Flag, 0, 1, 1,
         "表示しているバーの最高値と最安値を、その足の上と下に書きます", nullptr, nullptr},
        {"EMA", "指数平滑移動平均(期間)", FieldType::IntegerList, 1, kMaxPeriod, kMaxAverages,
         "最近の終値ほど重く平均した線。期間をカンマで 4 つまで(例: 12,26)", nullptr, nullptr},
        {"BB", "ボリンジャーバンド", FieldType::OptionalList, 1, kMaxPeriod, 2,
         "平均線と、その上下に標準偏差の k 倍の帯。期間,k(空欄は 20,2。例: 20,2.5)", nullptr,
         nullptr},
        {"Ichimoku", "一目均衡表", FieldType::OptionalList, 1, kMaxPeriod, 3,
         "転換線・基準線・先行スパンと雲。期間 a,b,c(空欄は 9,26,52)", nullptr, nullptr},
        {"Log", "対数目盛り", FieldType::Flag, 0, 1, 1,
         "同じ率の上げ下げが同じ高さに見える目盛りにします", nullptr, nullptr},
        {"Style", "足の形", FieldType::Choice, 0, 0, 1,
         "ローソク足、始値・高値・安値・終値のバー、または終値を結んだ線", "Candle|Bar|Line",
         "ローソク足|バー|終値の線"},
    };
}

// The one option of a pane whose first item carries its periods.
std::vector<OptionField> PaneOptions(const char* word, const char* label, int minimum,
                                     int count, const char* hint)
{
    return {{word, label, FieldType::IntegerList, minimum, kMaxPeriod, count, hint, nullptr,
             nullptr}};
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
        {"Daily", "日足(ローソク足)", PriceOptions(), false},
        {"Weekly", "週足(ローソク足)", PriceOptions(), false},
        {"Monthly", "月足(ローソク足)", PriceOptions(), false},
        {"Volume", "出来高", {}, false},
        {"RSI", "RSI(買われ過ぎ・売られ過ぎ)",
         PaneOptions("RSI", "期間", 1, 1, "上げ幅の割合、0〜100。空欄は 14。30 と 70 に目安の線"),
         true},
        {"MACD", "MACD(二つの平均の差)",
         PaneOptions("MACD", "期間", 1, 3,
                     "短期,長期,シグナルの期間(空欄は 12,26,9)。ヒストグラムは差とシグナルの差"),
         true},
        {"Stoch", "ストキャスティクス(スロー)",
         PaneOptions("Stoch", "期間", 1, 3,
                     "%K の期間,%K の平均,%D の平均(空欄は 14,3,3)。20 と 80 に目安の線"),
         true},
        {"RCI", "RCI(日付と価格の順位相関)",
         PaneOptions("RCI", "期間", 2, kMaxRankPeriods,
                     "期間をカンマで 3 つまで(空欄は 9)。-80 と +80 に目安の線"),
         true},
        {"RS", "RS(ほかの銘柄との比)",
         {{"RS", "比べる銘柄", FieldType::Text, 0, 0, 1,
           "同じ取得元の銘柄コード(例: 1321)。終値の比を最初の足で 100 として描きます",
           nullptr, nullptr}},
         true},
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
    if (items.empty())
        return fields;
    fields.kind = KindIndex(items.front().name);
    // A value on the first item belongs only to the kinds that take one.
    if (fields.kind && items.front().hasValue && !Table()[*fields.kind].valued)
        fields.kind.reset();
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
        } else if (options[i].type == FieldType::OptionalList && !item->hasValue) {
            values[i] = kBare;
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
            const Kind& was = Table()[*before.kind];
            // A pane's value is its first item, which the new word replaces below.
            for (std::size_t i = was.valued ? 1 : 0; i < was.options.size(); ++i) {
                if (!HasOption(row, was.options[i].name))
                    result = ParamText::Without(result, was.options[i].name);
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
        if (row.valued && i == 0) {
            // The first item itself: the word, with the value when there is one.
            result = ParamText::WithFirst(result, value.empty() ? std::string(row.word)
                                                                : row.word + ("=" + value));
            continue;
        }
        const bool given = ParamText::Find(result, option.name).has_value();
        const bool flagOff = option.type == FieldType::Flag && value == "0";
        if (value == kBare)
            result = ParamText::WithBare(result, option.name);
        else if (value.empty() || (flagOff && !given))
            result = ParamText::Without(result, option.name);
        else
            result = ParamText::With(result, option.name, value);
    }
    return result;
}

} // namespace ChartKinds

} // namespace mosgrid
