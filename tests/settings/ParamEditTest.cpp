// The controls of the common-parameters page and of the Add-chart dialog read and rewrite
// the same texts the chart control reads: tables of texts, the values read, the texts written.
#include "RowName.h"

#include "settings/ChartKinds.h"
#include "settings/CommonParams.h"
#include "settings/ParamText.h"

#include <gtest/gtest.h>

#include <QString>

#include <functional>
#include <string>
#include <vector>

using namespace mosgrid;

namespace {

// --- Reading the common parameters ---------------------------------------------------------

struct ReadRow {
    const char* name;
    const char* text;
    std::function<void(CommonParams&)> expect;  // applied to the defaults
};

void PrintTo(const ReadRow& row, std::ostream* os) { *os << row.name; }

class CommonParamsRead : public ::testing::TestWithParam<ReadRow> {};

TEST_P(CommonParamsRead, ReadsAsTheChartControlDoes)
{
    CommonParams expected;
    GetParam().expect(expected);
    EXPECT_EQ(ReadCommonParams(GetParam().text), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CommonParamsRead,
    ::testing::Values(
        ReadRow{"Empty", "", [](CommonParams&) {}},
        ReadRow{"BuiltIn", "AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0",
                [](CommonParams&) {}},
        ReadRow{"BareFlagIsOn", "AssistLine ShowScrollBar",
                [](CommonParams& p) { p.assistLine = p.showScrollBar = true; }},
        ReadRow{"NonZeroIsOn", "AssistLine=7", [](CommonParams& p) { p.assistLine = true; }},
        ReadRow{"BlanksAroundEquals", "fontsize = 12 ;dispnum=\t120",
                [](CommonParams& p) { p.fontSize = 12; p.dispNum = 120; }},
        ReadRow{"Clamped", "FontSize=100; DispNum=0",
                [](CommonParams& p) { p.fontSize = 72; p.dispNum = 1; }},
        ReadRow{"InvalidIgnored", "FontSize=big; DispNum=; AssistLine=yes; BackColor=-5",
                [](CommonParams&) {}},
        ReadRow{"LastWins", "FontSize=10; FontSize=11", [](CommonParams& p) { p.fontSize = 11; }},
        ReadRow{"Period", "Period=weekly",
                [](CommonParams& p) { p.period = PeriodChoice::Weekly; }},
        ReadRow{"UnknownPeriodIgnored", "Period=Yearly", [](CommonParams&) {}},
        ReadRow{"ColoursTopByteDropped", "UpColor=16777215; DownColor=0; LineColor=4278190335",
                [](CommonParams& p) {
                    p.upColor = 16777215;
                    p.downColor = 0;
                    p.lineColor = 255;
                }}),
    RowName<ReadRow>);

// --- Writing the common parameters ---------------------------------------------------------

struct WriteRow {
    const char* name;
    const char* before;
    std::function<void(CommonParams&)> change;
    const char* after;
};

void PrintTo(const WriteRow& row, std::ostream* os) { *os << row.name; }

class CommonParamsWrite : public ::testing::TestWithParam<WriteRow> {};

TEST_P(CommonParamsWrite, RewritesOnlyWhatChanged)
{
    const WriteRow& row = GetParam();
    CommonParams params = ReadCommonParams(row.before);
    row.change(params);
    const std::string written = WriteCommonParams(row.before, params);
    EXPECT_EQ(written, row.after);
    // What was written reads back as the controls show it.
    EXPECT_EQ(ReadCommonParams(written), params);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CommonParamsWrite,
    ::testing::Values(
        WriteRow{"NothingChangedKeepsEveryByte", "AssistLine = 0 ;; Foo=bar  FontSize=9",
                 [](CommonParams&) {}, "AssistLine = 0 ;; Foo=bar  FontSize=9"},
        WriteRow{"InPlaceKeepsUnknownAndOrder",
                 "Foo=1; AssistLine=0; Bar; FontSize=9; Baz=x",
                 [](CommonParams& p) { p.assistLine = true; p.fontSize = 14; },
                 "Foo=1; AssistLine=1; Bar; FontSize=14; Baz=x"},
        WriteRow{"AbsentIsAppended", "Foo=1;", [](CommonParams& p) { p.dispNum = 120; },
                 "Foo=1; DispNum=120"},
        WriteRow{"EmptyText", "", [](CommonParams& p) { p.showScrollBar = true; },
                 "ShowScrollBar=1"},
        WriteRow{"LastOfRepeatedIsEdited", "FontSize=10; X; FontSize=11",
                 [](CommonParams& p) { p.fontSize = 20; }, "FontSize=10; X; FontSize=20"},
        WriteRow{"InvalidValueReplaced", "FontSize=big; X",
                 [](CommonParams& p) { p.fontSize = 8; },
                 "FontSize=8; X"},
        WriteRow{"BareFlagTurnedOff", "AssistLine; X",
                 [](CommonParams& p) { p.assistLine = false; },
                 "AssistLine=0; X"},
        WriteRow{"PeriodSet", "X=1", [](CommonParams& p) { p.period = PeriodChoice::Monthly; },
                 "X=1; Period=Monthly"},
        WriteRow{"PeriodNoneRemovesEveryPeriod", "Period=Daily; X=1; period = weekly",
                 [](CommonParams& p) { p.period = PeriodChoice::Definitions; }, "X=1"},
        WriteRow{"PeriodNoneInTheMiddle", "A; Period=Daily; B",
                 [](CommonParams& p) { p.period = PeriodChoice::Definitions; }, "A; B"},
        WriteRow{"ColourAsDecimal", "DispNum=60", [](CommonParams& p) { p.upColor = 255; },
                 "DispNum=60; UpColor=255"},
        WriteRow{"ShiftJisUnknownKept", "\x83\x65\x83\x58\x83\x67=1; FontSize=9",
                 [](CommonParams& p) { p.fontSize = 10; },
                 "\x83\x65\x83\x58\x83\x67=1; FontSize=10"},
        WriteRow{"MultiLineKept", "AssistLine=0\nFontSize=9\nFoo",
                 [](CommonParams& p) { p.assistLine = true; }, "AssistLine=1\nFontSize=9\nFoo"}),
    RowName<WriteRow>);

// --- Definitions and the kind chooser -------------------------------------------------------

constexpr std::size_t kDaily = 0;
constexpr std::size_t kWeekly = 1;
constexpr std::size_t kVolume = 3;
constexpr std::size_t kRsi = 4;
constexpr std::size_t kMacd = 5;
constexpr std::size_t kRci = 7;

// A price kind's values: MA, DispMaxMin, EMA, BB, Ichimoku, Log, Style; unnamed ones empty.
std::vector<std::string> Price(std::vector<std::string> values)
{
    values.resize(ChartKinds::Table()[kDaily].options.size());
    return values;
}

struct DefinitionRow {
    const char* name;
    const char* before;
    std::size_t kind;
    std::vector<std::string> values;  // MA, DispMaxMin for the price kinds
    const char* after;
};

void PrintTo(const DefinitionRow& row, std::ostream* os) { *os << row.name; }

class DefinitionWrite : public ::testing::TestWithParam<DefinitionRow> {};

TEST_P(DefinitionWrite, FieldsWriteTheTextAndReadBack)
{
    const DefinitionRow& row = GetParam();
    const std::string written = ChartKinds::WriteDefinition(row.before, row.kind, row.values);
    EXPECT_EQ(written, row.after);
    const ChartKinds::Fields back = ChartKinds::ReadDefinition(written);
    ASSERT_EQ(back.kind, row.kind);
    for (std::size_t i = 0; i < row.values.size(); ++i) {
        // An unchecked flag reads back as not given or as "0".
        if (row.values[i] != "0") {
            EXPECT_EQ(back.values.at(i), row.values[i]) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Definitions, DefinitionWrite,
    ::testing::Values(
        DefinitionRow{"FromNothing", "", kDaily, {"5,25,75", "1"},
                      "Daily; MA=5,25,75; DispMaxMin=1"},
        DefinitionRow{"UnchangedKeepsSpacing", "daily  MA = 5, 25", kDaily, {"5,25", ""},
                      "daily  MA = 5, 25"},
        DefinitionRow{"KindChangedInPlace", "Daily; DispMaxMin=0; Foo", kWeekly, {"", "0"},
                      "Weekly; DispMaxMin=0; Foo"},
        DefinitionRow{"FlagOffWhenAbsentStaysAbsent", "Daily; MA=5", kDaily, {"5", "0"},
                      "Daily; MA=5"},
        DefinitionRow{"ClearedPeriodsRemoved", "Daily; MA=5,25; DispMaxMin=1", kDaily,
                      {"", "1"}, "Daily; DispMaxMin=1"},
        DefinitionRow{"UnknownKindReplaced", "Wekly MA=13,26", kWeekly, {"13,26", ""},
                      "Weekly MA=13,26"},
        DefinitionRow{"VolumeDropsPriceOptionsKeepsUnknown", "Daily; MA=5; Foo=1; DispMaxMin",
                      kVolume, {}, "Volume; Foo=1"},
        DefinitionRow{"Overlays", "Daily; MA=25", kDaily,
                      Price({"25", "", "12,26", "20,2.5", ChartKinds::kBare, "1", "Line"}),
                      "Daily; MA=25; EMA=12,26; BB=20,2.5; Ichimoku; Log=1; Style=Line"},
        DefinitionRow{"BareBandsGetNumbers", "Daily; BB; Ichimoku=9,26,52", kDaily,
                      Price({"", "", "", "20,3", "", "", "Bar"}), "Daily; BB=20,3; Style=Bar"},
        DefinitionRow{"NumbersBecomeBare", "Weekly; Ichimoku=9,26,52; Foo", kWeekly,
                      Price({"", "", "", "", ChartKinds::kBare}), "Weekly; Ichimoku; Foo"},
        DefinitionRow{"PaneFromPrice", "Daily; MA=5; EMA=12; Foo", kRsi, {"9"}, "RSI=9; Foo"},
        DefinitionRow{"PaneValueChanged", "macd = 12,26,9", kMacd, {"5,35,5"}, "MACD=5,35,5"},
        DefinitionRow{"PaneDefaultsBare", "RSI=14", kRsi, {""}, "RSI"},
        DefinitionRow{"PaneToPane", "MACD=12,26,9", kRci, {"9,26"}, "RCI=9,26"},
        DefinitionRow{"PaneToPrice", "RCI=9; Foo", kDaily, Price({"5"}), "Daily; Foo; MA=5"}),
    RowName<DefinitionRow>);

TEST(DefinitionRead, KindsAndOptionsAsWritten)
{
    struct Row {
        const char* text;
        std::optional<std::size_t> kind;
        std::vector<std::string> values;
    };
    const Row rows[] = {
        {"", std::nullopt, {}},
        {"   ", std::nullopt, {}},
        {"Wekly; MA=5", std::nullopt, {}},
        {"Daily=1", std::nullopt, {}},  // a kind takes no value
        {"MONTHLY", 2, Price({})},
        {"Daily; DispMaxMin", kDaily, Price({"", "1"})},
        {"Daily; DispMaxMin=x; MA=5; MA=10,20", kDaily, Price({"10,20", ""})},
        {"Volume; MA=5", kVolume, {}},
        {"Daily; BB; Ichimoku=9,26,52; EMA=12; Log; Style=line", kDaily,
         Price({"", "", "12", ChartKinds::kBare, "9,26,52", "1", "line"})},
        {"RSI=14", kRsi, {"14"}},
        {"rsi", kRsi, {""}},
        {"MACD=12,26,9; MA=5", kMacd, {"12,26,9"}},
        {"Volume=3", std::nullopt, {}},
    };
    for (const Row& row : rows) {
        const ChartKinds::Fields fields = ChartKinds::ReadDefinition(row.text);
        EXPECT_EQ(fields.kind, row.kind) << row.text;
        EXPECT_EQ(fields.values, row.values) << row.text;
    }
}

TEST(ChartKindTable, EveryRowIsComplete)
{
    // The dialog trusts the table: a row with a missing word, label or range would show an
    // empty choice or a field that accepts nothing.
    for (const ChartKinds::Kind& kind : ChartKinds::Table()) {
        EXPECT_TRUE(ChartKinds::KindIndex(kind.word).has_value()) << kind.word;
        EXPECT_STRNE(kind.label, "") << kind.word;
        for (const ChartKinds::OptionField& option : kind.options) {
            EXPECT_STRNE(option.label, "") << option.name;
            EXPECT_LE(option.minimum, option.maximum) << option.name;
            EXPECT_GE(option.maxCount, 1) << option.name;
            // A list of words shows a label for each.
            const bool choice = option.type == ChartKinds::FieldType::Choice;
            EXPECT_EQ(choice, option.choices != nullptr) << option.name;
            if (choice) {
                EXPECT_EQ(QString::fromUtf8(option.choices).count('|'),
                          QString::fromUtf8(option.choiceLabels).count('|')) << option.name;
            }
        }
        // A pane's value is its first item's.
        if (kind.valued) {
            ASSERT_FALSE(kind.options.empty()) << kind.word;
            EXPECT_STREQ(kind.options[0].name, kind.word);
        }
    }
}

} // namespace
