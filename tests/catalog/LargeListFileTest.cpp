#include "CatalogTestSupport.h"

#include "catalog/CatalogListLoader.h"
#include "support/Sanitizers.h"

#include <fstream>
#include <random>

using namespace mosgrid;

namespace {

using catalog_test::PrintTo;

constexpr std::size_t kMiB = 1024 * 1024;

// Peak resident set in KiB since the last reset.
long long PeakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        long long value = 0;
        if (key == "VmHWM:" && status >> value)
            return value;
    }
    return -1;
}

void ResetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// How many items the catalog keeps from a byte stream: lines that are not empty once
// CR LF reads as LF, up to 0x1A (dropped) or 0xFF (kept in its line).
class ExpectedItemCount {
public:
    void feed(unsigned char byte)
    {
        if (m_ended)
            return;
        if (byte == 0x1A) {
            finish();
            return;
        }
        if (byte == '\n') {
            m_count += m_lineBytes - (m_lastWasCr ? 1 : 0) > 0;
            m_lineBytes = 0;
            m_lastWasCr = false;
            return;
        }
        ++m_lineBytes;
        m_lastWasCr = byte == '\r';
        if (byte == 0xFF)
            finish();
    }
    void finish()
    {
        m_count += m_lineBytes > 0;
        m_lineBytes = 0;
        m_ended = true;
    }
    std::size_t count() const { return m_count; }

private:
    std::size_t m_count = 0;
    long long m_lineBytes = 0;
    bool m_lastWasCr = false;
    bool m_ended = false;
};

struct RandomRow {
    std::string name;
    bool withEndBytes; // false: 0x1A and 0xFF replaced, so the whole file is read
};

class CatalogLargeRandom : public testing::TestWithParam<RandomRow> {
};

TEST_P(CatalogLargeRandom, FiftyMegabytesOfRandomBytesLoadInBoundedMemory)
{
    constexpr std::size_t kSize = 50 * kMiB;
    QTemporaryDir dir;
    const std::string path = NativePath(dir.filePath(QStringLiteral("random.txt")));
    ExpectedItemCount expected;
    {
        std::mt19937 random(20240521);
        std::ofstream out(path, std::ios::binary);
        std::string chunk(kMiB, '\0');
        for (std::size_t written = 0; written < kSize; written += chunk.size()) {
            for (char& byte : chunk) {
                auto value = static_cast<unsigned char>(random());
                if (!GetParam().withEndBytes && (value == 0x1A || value == 0xFF))
                    value ^= 1;
                byte = static_cast<char>(value);
                expected.feed(value);
            }
            out.write(chunk.data(), std::streamsize(chunk.size()));
        }
        ASSERT_TRUE(out.good());
    }
    expected.finish();

    // Reading alone holds one buffer and one line at a time.
    ResetPeakResident();
    long long before = PeakResidentKiB();
    {
        CListFileReader reader;
        ASSERT_TRUE(reader.OpenFile(path, 0));
        while (!reader.AtEnd())
            reader.ReadUntil("\n");
        EXPECT_FALSE(reader.HasReadError());
    }
    if (!kUnderAddressSanitizer)
        EXPECT_LT(PeakResidentKiB() - before, 8 * 1024);

    ResetPeakResident();
    before = PeakResidentKiB();
    CatalogItemList items;
    const ListLoadOutcome outcome = LoadCatalogList(path, false, items);
    const long long growthKiB = PeakResidentKiB() - before;
    RecordProperty("peakGrowthKiB", std::to_string(growthKiB));

    EXPECT_TRUE(outcome.opened);
    EXPECT_TRUE(outcome.complete);
    EXPECT_EQ(items.size(), expected.count());
    // The items hold at most the file's bytes; the reader adds one buffer and one line.
    if (kUnderAddressSanitizer)
        GTEST_SKIP() << kMemoryBoundSkipReason;
    EXPECT_LT(growthKiB, static_cast<long long>(2 * kSize / 1024 + 32 * 1024));
}

INSTANTIATE_TEST_SUITE_P(Rows, CatalogLargeRandom,
                         testing::Values(RandomRow{"WithEndBytes", true},
                                         RandomRow{"WithoutEndBytes", false}),
                         RowName<RandomRow>);

struct LongLineRow {
    std::string name;
    std::string ending;
};

class CatalogLongLine : public testing::TestWithParam<LongLineRow> {
};

TEST_P(CatalogLongLine, TwentyMegabyteLineReadsWhole)
{
    std::string name(20 * kMiB, '\0');
    for (std::size_t i = 0; i < name.size(); ++i)
        name[i] = static_cast<char>('A' + i % 26);
    const std::string line = "7,src,code," + name;
    QTemporaryDir dir;
    const std::string path = WriteListFile(dir, line + GetParam().ending);

    CListFileReader reader;
    ASSERT_TRUE(reader.OpenFile(path, 0));
    EXPECT_TRUE(reader.ReadUntil("\n") == line);
    reader.Close();

    CatalogItemList items;
    EXPECT_TRUE(LoadCatalogList(path, false, items).complete);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->m_nType, 7);
    EXPECT_EQ(items[0]->m_strCode, "code");
    EXPECT_TRUE(items[0]->m_strName == name); // no 20 MB diff on failure
}

INSTANTIATE_TEST_SUITE_P(Rows, CatalogLongLine,
                         testing::Values(LongLineRow{"LineFeed", "\n"},
                                         LongLineRow{"CrLf", "\r\n"},
                                         LongLineRow{"NoLineFeed", ""}),
                         RowName<LongLineRow>);

} // namespace
