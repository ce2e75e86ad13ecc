#include "CatalogTestSupport.h"

#include "catalog/DisplayText.h"

#include <random>
#include <string>

using namespace mosgrid;

using namespace std::string_literals;

namespace {

using catalog_test::PrintTo;

struct DisplayRow {
    std::string name;
    std::string bytes;
    QString text;
};

const DisplayRow kDisplayRows[] = {
    {"Empty", "", QString()},
    {"Ascii", "Toyota 7203", QStringLiteral("Toyota 7203")},
    {"Utf8Japanese", "\xE3\x83\x88\xE3\x83\xA8\xE3\x82\xBF", QStringLiteral("トヨタ")},
    {"ShiftJis", "\x83\x67\x83\x88\x83\x5E", QStringLiteral("トヨタ")},
    {"ShiftJisBackslashTrail", "\x95\x5C\x8E\xA6", QStringLiteral("表示")},
    {"ShiftJisWithAscii", "7203 \x83\x67", QStringLiteral("7203 ト")},
    {"HalfWidthKana", "\xB1\xB2", QStringLiteral("ｱｲ")},
    {"NecSpecialCharacter", "\x87\x40", QStringLiteral("①")},
    {"OverlongUtf8ReadAsShiftJis", "\xC0\xAF", QStringLiteral("ﾀｯ")},
    {"NulKept", "a\0b"s, QString::fromUtf8("a\0b", 3)},
    {"InvalidInBoth", "a\x80" "b", QStringLiteral("a\uFFFDb")},
    {"BadTrailKeepsAscii", "\x83,x", QStringLiteral("\uFFFD,x")},
    {"CutOffLeadByte", "\x83\x67\x83", QStringLiteral("ト\uFFFD")},
    {"ManyInvalid", "\xFF\xFF\xFF\xFF", QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD")},
};

class CatalogDisplayText : public testing::TestWithParam<DisplayRow> {
};

TEST_P(CatalogDisplayText, DecodesUtf8ElseShiftJis)
{
    EXPECT_EQ(DisplayText(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, CatalogDisplayText, testing::ValuesIn(kDisplayRows),
                         RowName<DisplayRow>);

TEST(CatalogDisplayTextRandom, AnyBytesGiveText)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(1 + random() % 4096, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        const QString text = DisplayText(bytes);
        EXPECT_FALSE(text.isEmpty());
        EXPECT_LE(text.size(), qsizetype(bytes.size()));
    }
}

} // namespace
