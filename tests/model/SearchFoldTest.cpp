#include "model/SearchFold.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace mosgrid;

namespace {

struct FoldCase {
    const char* name;
    const char* typed;    // what the user types
    const char* code;
    const char* listed;   // the name in the list file
    bool found;
};

void PrintTo(const FoldCase& c, std::ostream* out)
{
    *out << c.name;
}

class FoldTable : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldTable, FindsTheSecurityWhateverFormItIsWrittenIn)
{
    const FoldCase& c = GetParam();
    const QString filter = FoldForSearch(QString::fromUtf8(c.typed));
    EXPECT_EQ(MatchesFilter(filter, FoldForSearch(QString::fromUtf8(c.code)),
                            FoldForSearch(QString::fromUtf8(c.listed))),
              c.found);
}

INSTANTIATE_TEST_SUITE_P(Forms, FoldTable, ::testing::Values(
    FoldCase{"HalfWidthKatakanaFindsFullWidth", "ﾄﾖﾀ", "7203", "トヨタ自動車", true},
    FoldCase{"FullWidthFindsHalfWidthName", "トヨタ", "7203", "ﾄﾖﾀ自動車", true},
    FoldCase{"HalfWidthVoicedMarkJoins", "ﾃﾞﾝｿｰ", "6902", "デンソー", true},
    FoldCase{"HalfWidthSemiVoicedMarkJoins", "ﾊﾟﾅ", "6752", "パナソニック", true},
    FoldCase{"FullWidthDigitsFindTheCode", "７２０３", "7203", "トヨタ自動車", true},
    FoldCase{"HalfWidthDigitsFindFullWidthCode", "72", "７２０３", "トヨタ", true},
    FoldCase{"HiraganaFindsKatakana", "とよた", "7203", "トヨタ自動車", true},
    FoldCase{"KatakanaFindsHiragana", "キョクヨウ", "1301", "きょくよう水産", true},
    FoldCase{"CaseIgnored", "aPpL", "AAPL", "Apple Inc.", true},
    FoldCase{"FullWidthLettersIgnoreCase", "ａｐｐｌｅ", "AAPL", "APPLE", true},
    FoldCase{"KanjiAsTyped", "自動車", "7203", "トヨタ自動車", true},
    FoldCase{"PartOfTheCode", "20", "7203", "トヨタ", true},
    FoldCase{"VoicedIsNotUnvoiced", "テンソー", "6902", "デンソー", false},
    FoldCase{"OtherTextNotFound", "ホンダ", "7267", "本田技研", false},
    FoldCase{"EmptyFilterShowsEverything", "", "1", "x", true}),
    [](const ::testing::TestParamInfo<FoldCase>& info) { return std::string(info.param.name); });

TEST(SearchFold, FoldsToOneForm)
{
    EXPECT_EQ(FoldForSearch(QStringLiteral("ｶﾞｷﾞｸﾞ")), QStringLiteral("ガギグ"));
    EXPECT_EQ(FoldForSearch(QStringLiteral("がぎぐゝ")), QStringLiteral("ガギグヽ"));
    EXPECT_EQ(FoldForSearch(QStringLiteral("ＡＢＣ１２３")), QStringLiteral("abc123"));
    // Letters outside the kana keep their own code points.
    EXPECT_EQ(FoldForSearch(QStringLiteral("極洋")), QStringLiteral("極洋"));
}

} // namespace
