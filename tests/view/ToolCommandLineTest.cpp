#include "catalog/CatalogItem.h"
#include "view/ToolCommandLine.h"

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

CatalogItem Item(int type, std::string source, std::string code, std::string name)
{
    CatalogItem item;
    item.m_nType = type;
    item.m_strSource = std::move(source);
    item.m_strCode = std::move(code);
    item.m_strName = std::move(name);
    return item;
}

TEST(ToolCommandLine, TemplateByTypeWithTheFieldsUnchanged)
{
    const struct {
        int type;
        const char* expected;
    } rows[] = {
        {1, "tarnel.exe  /dSample(130) /dpacC:\\data,130"},
        {2, "tarnel.exe  /dSample(130) /fpacC:\\data,130"},
        {5, "tarnel.exe  /dSample(130) /pandbC:\\data,130"},
        {0, "tarnel.exe  /dSample(130) /csvC:\\data,130"},
        {3, "tarnel.exe  /dSample(130) /csvC:\\data,130"},
        {-1, "tarnel.exe  /dSample(130) /csvC:\\data,130"},
        {2147483647, "tarnel.exe  /dSample(130) /csvC:\\data,130"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormatToolCommandLine(Item(row.type, "C:\\data", "130", "Sample")),
                  row.expected)
            << row.type;
}

TEST(ToolCommandLine, BytesPassThroughAndPercentSignsAreNotFormats)
{
    const std::string sjisName("\x83\x54\x83\x93\x83\x76\x83\x8b", 8);  // サンプル in CP932
    EXPECT_EQ(FormatToolCommandLine(Item(1, "%s%d", "7203", sjisName)),
              "tarnel.exe  /d" + sjisName + "(7203) /dpac%s%d,7203");
}

struct SplitCase {
    const char* name;
    const char* line;
    std::vector<std::string> args;
};

void PrintTo(const SplitCase& c, std::ostream* os)
{
    *os << c.name;
}

class SplitTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTable, AsTheCRuntimeSplitsIt)
{
    EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().args);
}

const SplitCase kSplitCases[] = {
    {"ToolLine", "tarnel.exe  /dSample(130) /dpacC:\\data,130",
     {"tarnel.exe", "/dSample(130)", "/dpacC:\\data,130"}},
    {"NameWithBlanksArrivesSplit", "tarnel.exe  /dNew York(1) /csvx,1",
     {"tarnel.exe", "/dNew", "York(1)", "/csvx,1"}},
    {"TabsSeparate", "a\tb\t\tc", {"a", "b", "c"}},
    {"QuotesGroup", "a \"b c\" d", {"a", "b c", "d"}},
    {"QuoteInsideAWord", "a x\"y z\"w", {"a", "xy zw"}},
    {"EscapedQuote", "a \\\"b", {"a", "\"b"}},
    {"BackslashesAloneAreLiteral", "a C:\\dir\\file", {"a", "C:\\dir\\file"}},
    {"TwoBackslashesBeforeAQuote", "a \\\\\"b c\"", {"a", "\\b c"}},
    {"ThreeBackslashesBeforeAQuote", "a \\\\\\\"b", {"a", "\\\"b"}},
    {"DoubledQuoteInsideQuotes", "a \"x\"\"y\"", {"a", "x\"y"}},
    {"UnclosedQuoteRunsToTheEnd", "a \"b c", {"a", "b c"}},
    {"EmptyQuotedArgument", "a \"\" b", {"a", "", "b"}},
    {"ShellCharactersAreOrdinary", "t $(rm -rf x);`id`|&", {"t", "$(rm", "-rf", "x);`id`|&"}},
    {"ProgramNameIgnoresBackslashEscapes", "\"c:\\a b\\t.exe\" x", {"c:\\a b\\t.exe", "x"}},
    {"TrailingBlanks", "a b  ", {"a", "b"}},
    {"Empty", "", {}},
    {"BlanksOnly", "   ", {}},
    // Shift-JIS lines: a trail byte 0x5C is part of its character, not a backslash.
    {"SoBeforeAClosingQuote", "t \"\x83\x5C\" x", {"t", "\x83\x5C", "x"}},
    {"HyoInsideQuotes", "t \"a \x95\x5C\"(1) b", {"t", "a \x95\x5C(1)", "b"}},
    {"NouBeforeAnOpeningQuote", "t \x94\x5C\"a b\"", {"t", "\x94\x5C" "a b"}},
    {"ToolLineWithSo", "tarnel.exe  /d\x83\x5C\x83\x6E\x81\x5B(9) /csvx,9",
     {"tarnel.exe", "/d\x83\x5C\x83\x6E\x81\x5B(9)", "/csvx,9"}},
    {"RealBackslashAfterSoEscapes", "t \x83\x5C\\\"q", {"t", "\x83\x5C\"q"}},
    {"LeadByteAtTheEnd", "t a\x83", {"t", "a\x83"}},
    {"TrailByteIsTakenWhatever", "t \x83 b", {"t", "\x83 b"}},
    {"SingleByteKatakanaAreSingle", "t \xB1\\\"b", {"t", "\xB1\"b"}},
    {"ProgramNameKeepsPairs", "\x83\" x\xE0", {"\x83\"", "x\xE0"}},
    // UTF-8 lines: no byte pairs, so a blank after a continuation byte still separates.
    {"Utf8NameThenBlank", "t \xE3\x81\x82 \"b c\"", {"t", "\xE3\x81\x82", "b c"}},
    {"Utf8BackslashStillEscapes", "t \xE6\x97\xA5\\\"x", {"t", "\xE6\x97\xA5\"x"}},
};

INSTANTIATE_TEST_SUITE_P(Rules, SplitTable, ::testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
