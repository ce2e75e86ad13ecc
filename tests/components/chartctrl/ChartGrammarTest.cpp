#include "ChartDefinition.h"
#include "ChartGrammar.h"
#include "ChartParams.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <random>

namespace quorex::chart {

void PrintTo(const GrammarItem& item, std::ostream* out)
{
    *out << item.name << (item.hasValue ? "=" + item.value : "");
}

} // namespace quorex::chart

using namespace quorex::chart;

namespace {

// Rows are named by their place in the table.
constexpr auto RowIndex = [](const auto& info) { return "row" + std::to_string(info.index); };

struct ItemsRow {
    std::string_view text;
    std::vector<GrammarItem> expected;
};

class ChartGrammarItems : public testing::TestWithParam<ItemsRow> {};

TEST_P(ChartGrammarItems, SplitsItems)
{
    EXPECT_EQ(ParseItems(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Rows, ChartGrammarItems, testing::Values(
    ItemsRow{"", {}},
    ItemsRow{" ;\t;\r\n ", {}},
    ItemsRow{"Daily", {{"Daily", "", false}}},
    ItemsRow{"Daily; DispMaxMin=0", {{"Daily", "", false}, {"DispMaxMin", "0", true}}},
    ItemsRow{"Daily DispMaxMin=1", {{"Daily", "", false}, {"DispMaxMin", "1", true}}},
    ItemsRow{"Daily\n\tDispMaxMin=1;;", {{"Daily", "", false}, {"DispMaxMin", "1", true}}},
    ItemsRow{"MA = 5, 25 ,75;X", {{"MA", "5,25,75", true}, {"X", "", false}}},
    ItemsRow{"MA=5,\r\n25", {{"MA", "5,25", true}}},
    ItemsRow{"A= ;B", {{"A", "", true}, {"B", "", false}}},
    ItemsRow{"=5 A=B=C", {{"A", "B=C", true}}},
    ItemsRow{"MA=5, ;Y", {{"MA", "5,", true}, {"Y", "", false}}},
    ItemsRow{std::string_view("A=1\0B=2", 7), {{"A", "1", true}}}), RowIndex);

struct DefinitionRow {
    const char* text;
    bool valid;
    ChartKind kind;
    bool dispMaxMin;
    std::vector<int> averages;
};

class ChartGrammarDefinition : public testing::TestWithParam<DefinitionRow> {};

TEST_P(ChartGrammarDefinition, ReadsKindAndOptions)
{
    const DefinitionRow& row = GetParam();
    const auto definition = ParseDefinition(row.text);
    ASSERT_EQ(definition.has_value(), row.valid) << row.text;
    if (!definition)
        return;
    EXPECT_EQ(definition->kind, row.kind) << row.text;
    EXPECT_EQ(definition->dispMaxMin, row.dispMaxMin) << row.text;
    EXPECT_EQ(definition->movingAverages, row.averages) << row.text;
}

INSTANTIATE_TEST_SUITE_P(Rows, ChartGrammarDefinition, testing::Values(
    DefinitionRow{"Daily; DispMaxMin=0", true, ChartKind::Daily, false, {}},
    DefinitionRow{"Weekly", true, ChartKind::Weekly, false, {}},
    DefinitionRow{"monthly;dispmaxmin=1", true, ChartKind::Monthly, true, {}},
    DefinitionRow{"VOLUME", true, ChartKind::Volume, false, {}},
    DefinitionRow{"  \r\n\tDaily\r\nDispMaxMin=1\r\n", true, ChartKind::Daily, true, {}},
    DefinitionRow{"Daily DispMaxMin", true, ChartKind::Daily, true, {}},
    DefinitionRow{"Daily; DispMaxMin=7", true, ChartKind::Daily, true, {}},
    DefinitionRow{"Daily; DispMaxMin=yes", true, ChartKind::Daily, false, {}},
    DefinitionRow{"Daily; MA=5,25,75", true, ChartKind::Daily, false, {5, 25, 75}},
    DefinitionRow{"Daily; ma=5,x,0,-3,25,75,100,200", true, ChartKind::Daily, false,
                  {5, 25, 75, 100}},
    DefinitionRow{"Daily; MA=5; MA=13", true, ChartKind::Daily, false, {13}},
    DefinitionRow{"Daily; MA=99999", true, ChartKind::Daily, false, {}},
    DefinitionRow{"Daily; Colour=3; Foo; DispMaxMin=1", true, ChartKind::Daily, true, {}},
    DefinitionRow{"Daily=1", true, ChartKind::Daily, false, {}},
    DefinitionRow{"", false, ChartKind::Daily, false, {}},
    DefinitionRow{" \t\r\n;; ", false, ChartKind::Daily, false, {}},
    DefinitionRow{"Hourly; DispMaxMin=1", false, ChartKind::Daily, false, {}},
    DefinitionRow{"DispMaxMin=1; Daily", false, ChartKind::Daily, false, {}},
    DefinitionRow{"Dail", false, ChartKind::Daily, false, {}},
    DefinitionRow{"\xc6\xfc\x91\xab", false, ChartKind::Daily, false, {}}), RowIndex);

// The overlays, scales, styles and indicator panes: the whole definition as read.
struct IndicatorRow {
    const char* text;
    ChartDefinition expected;
};

ChartDefinition Defined(ChartKind kind, void (*change)(ChartDefinition&))
{
    ChartDefinition definition;
    definition.kind = kind;
    definition.periods = DefaultPeriods(kind);
    change(definition);
    return definition;
}

class ChartGrammarIndicators : public testing::TestWithParam<IndicatorRow> {};

TEST_P(ChartGrammarIndicators, ReadsOverlaysAndPanes)
{
    const auto definition = ParseDefinition(GetParam().text);
    ASSERT_TRUE(definition) << GetParam().text;
    EXPECT_EQ(*definition, GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Rows, ChartGrammarIndicators, testing::Values(
    IndicatorRow{"Daily; MA=5,25,75; BB=20,2; Ichimoku", Defined(ChartKind::Daily, [](auto& d) {
                     d.movingAverages = {5, 25, 75};
                     d.bands = BandsSpec{20, 2};
                     d.ichimoku = IchimokuSpec{9, 26, 52};
                 })},
    IndicatorRow{"weekly; ema = 12, 26; bb; ichimoku=7,22; log; style=LINE",
                 Defined(ChartKind::Weekly, [](auto& d) {
                     d.exponentialAverages = {12, 26};
                     d.bands = BandsSpec{};
                     d.ichimoku = IchimokuSpec{7, 22, 52};
                     d.logScale = true;
                     d.style = PriceStyle::Line;
                 })},
    IndicatorRow{"Monthly; BB=10,2.5; EMA=0,x,3; Style=Bar; Log=0",
                 Defined(ChartKind::Monthly, [](auto& d) {
                     d.bands = BandsSpec{10, 2.5};
                     d.exponentialAverages = {3};
                     d.style = PriceStyle::Bar;
                 })},
    // Bad values are ignored: the option stays as it was.
    IndicatorRow{"Daily; BB=20,0; Ichimoku=9,0; Style=Kagi; Log=on; BB=1,11",
                 Defined(ChartKind::Daily, [](auto&) {})},
    IndicatorRow{"RSI", Defined(ChartKind::Rsi, [](auto&) {})},
    IndicatorRow{"rsi=9", Defined(ChartKind::Rsi, [](auto& d) { d.periods = {9}; })},
    IndicatorRow{"RSI=0", Defined(ChartKind::Rsi, [](auto&) {})},
    IndicatorRow{"MACD=5,35", Defined(ChartKind::Macd, [](auto& d) { d.periods = {5, 35, 9}; })},
    IndicatorRow{"MACD=1,2,3,4", Defined(ChartKind::Macd, [](auto&) {})},
    IndicatorRow{"Stoch=9,3,5", Defined(ChartKind::Stoch, [](auto& d) { d.periods = {9, 3, 5}; })},
    IndicatorRow{"RCI=9,26,52", Defined(ChartKind::Rci, [](auto& d) { d.periods = {9, 26, 52}; })},
    IndicatorRow{"RCI=1", Defined(ChartKind::Rci, [](auto&) {})},
    IndicatorRow{"RCI=9; MA=5", Defined(ChartKind::Rci, [](auto&) {})}), RowIndex);

struct ParamsRow {
    const char* text;
    ChartParams expected;
};

ChartParams With(void (*change)(ChartParams&))
{
    ChartParams params;
    change(params);
    return params;
}

class ChartGrammarParams : public testing::TestWithParam<ParamsRow> {};

TEST_P(ChartGrammarParams, ReadsParameters)
{
    EXPECT_EQ(ParseParams(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Rows, ChartGrammarParams, testing::Values(
    ParamsRow{"", ChartParams{}},
    ParamsRow{"AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0", ChartParams{}},
    ParamsRow{"assistline=1\nFONTSIZE=12\tdispnum=120 showscrollbar=1", With([](ChartParams& p) {
                  p.assistLine = true;
                  p.fontSize = 12;
                  p.dispNum = 120;
                  p.showScrollBar = true;
              })},
    ParamsRow{"FontSize=1; DispNum=0", With([](ChartParams& p) {
                  p.fontSize = kMinFontSize;
                  p.dispNum = kMinDispNum;
              })},
    ParamsRow{"FontSize=999999999999999999999; DispNum=-99999999999999999999",
              With([](ChartParams& p) {
                  p.fontSize = kMaxFontSize;
                  p.dispNum = kMinDispNum;
              })},
    ParamsRow{"DispNum=9000; FontSize=12pt; FontSize; DispNum=", With([](ChartParams& p) {
                  p.dispNum = kMaxDispNum;
              })},
    ParamsRow{"BackColor=8421440; UpColor=255; DownColor=16711680; LineColor=0",
              With([](ChartParams& p) {
                  p.backColor = MakeColorRef(64, 128, 128);
                  p.upColor = MakeColorRef(255, 0, 0);
                  p.downColor = MakeColorRef(0, 0, 255);
                  p.lineColor = 0;
              })},
    ParamsRow{"BackColor=-1; UpColor=red; DownColor=4294967295; LineColor=0x10",
              With([](ChartParams& p) { p.downColor = 0xFFFFFF; })},
    ParamsRow{"Unknown=5; AssistLine; Daily", With([](ChartParams& p) {
                  p.assistLine = true;
              })},
    ParamsRow{"Period=Weekly", With([](ChartParams& p) { p.period = Period::Weekly; })},
    ParamsRow{"period = MONTHLY", With([](ChartParams& p) { p.period = Period::Monthly; })},
    ParamsRow{"Period=Monthly; Period=daily", With([](ChartParams& p) {
                  p.period = Period::Daily;
              })},
    ParamsRow{"Period=Weekly; Period=Volume", With([](ChartParams& p) {
                  p.period = Period::Weekly;
              })},
    ParamsRow{"Period=Hourly", ChartParams{}},
    ParamsRow{"Period", ChartParams{}},
    ParamsRow{"Period=", ChartParams{}}), RowIndex);

TEST(ChartGrammarRandomBytes, NeverCrashAndStayInRange)
{
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> length(0, 200);
    std::uniform_int_distribution<int> byte(0, 255);
    const char interesting[] = ";=, \t\r\n0123456789DailyMAFontSize";
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int size = length(random);
        for (int i = 0; i < size; ++i) {
            const int pick = byte(random);
            text.push_back(pick < 128 ? interesting[pick % (sizeof interesting - 1)]
                                      : static_cast<char>(pick));
        }
        const ChartParams params = ParseParams(text);
        EXPECT_GE(params.fontSize, kMinFontSize);
        EXPECT_LE(params.fontSize, kMaxFontSize);
        EXPECT_GE(params.dispNum, kMinDispNum);
        EXPECT_LE(params.dispNum, kMaxDispNum);
        if (const auto definition = ParseDefinition(text)) {
            EXPECT_LE(definition->movingAverages.size(), std::size_t(kMaxMovingAverages));
            for (const int period : definition->movingAverages)
                EXPECT_GE(period, 1);
        }
    }
}

} // namespace

namespace {

// The help page the Add-chart dialog opens documents every name the grammar knows.
TEST(ChartGrammarHelp, PageNamesEveryKindOptionAndParameter)
{
    const QByteArray page = ReadFileBytes(QStringLiteral(MOSGRID_SOURCE_DIR "/help/x/Charts.htm"));
    ASSERT_FALSE(page.isEmpty());
    EXPECT_TRUE(page.contains("<meta charset=\"utf-8\">"));
    EXPECT_TRUE(QString::fromUtf8(page).toUtf8() == page);   // valid UTF-8
    for (const char* name : {"Daily", "Weekly", "Monthly", "Volume", "DispMaxMin", "MA=",
                             "AssistLine", "FontSize", "DispNum", "ShowScrollBar", "BackColor",
                             "UpColor", "DownColor", "LineColor", "Period=", "EMA=", "BB=",
                             "Ichimoku", "Log", "Style=", "RSI", "MACD", "Stoch", "RCI"}) {
        EXPECT_TRUE(page.contains(name)) << name;
    }
    const ChartParams defaults;
    for (const ColorRef colour : {defaults.backColor, defaults.upColor, defaults.downColor,
                                  defaults.lineColor})
        EXPECT_TRUE(page.contains(QByteArray::number(colour))) << colour;
}

} // namespace
