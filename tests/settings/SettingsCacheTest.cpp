#include "RowName.h"
#include "SettingsTestFolder.h"

#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

using namespace mosgrid;

namespace {

// Fixed times, so that only the change under test tells the versions apart.
constexpr long long kFirstTime = 1700000000;

struct ChangeRow {
    const char* name;
    std::function<bool(const SettingsTestFolder&)> change;
    int expected;  // "S"/"A" after the change (default 0)
};

void PrintTo(const ChangeRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreFreshness : public ::testing::TestWithParam<ChangeRow> {};

// A change made behind the store's back is seen by the very next read.
TEST_P(SettingsStoreFreshness, SeesChangesByOthers)
{
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write("[S]\nA=1\n"));
    ASSERT_TRUE(SetModificationTime(folder.iniPath(), kFirstTime));
    const SettingsStore settings(folder.iniPath());
    ASSERT_EQ(settings.ReadInt("S", "A", 0), 1);

    ASSERT_TRUE(GetParam().change(folder));
    EXPECT_EQ(settings.ReadInt("S", "A", 0), GetParam().expected);
}

const ChangeRow kChangeRows[] = {
    {"same size, new time",
     [](const SettingsTestFolder& f) {
         return f.Write("[S]\nA=2\n") && SetModificationTime(f.iniPath(), kFirstTime, 1);
     },
     2},
    {"new size, same time",
     [](const SettingsTestFolder& f) {
         return f.Write("[S]\nA=33\n") && SetModificationTime(f.iniPath(), kFirstTime);
     },
     33},
    {"new inode, same size and time",
     [](const SettingsTestFolder& f) {
         const std::string other = f.filePath("other.ini");
         std::FILE* file = std::fopen(other.c_str(), "wb");
         const bool written = file && std::fputs("[S]\nA=4\n", file) >= 0;
         if (file)
             std::fclose(file);
         return written && SetModificationTime(other, kFirstTime)
             && std::rename(other.c_str(), f.iniPath().c_str()) == 0;
     },
     4},
    {"file removed",
     [](const SettingsTestFolder& f) { return ::unlink(f.iniPath().c_str()) == 0; }, 0},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreFreshness, ::testing::ValuesIn(kChangeRows),
                         RowName<ChangeRow>);

TEST(SettingsStoreFreshness, SeesAFileCreatedLater)
{
    SettingsTestFolder folder;
    const SettingsStore settings(folder.iniPath());
    ASSERT_EQ(settings.ReadInt("S", "A", 0), 0);
    ASSERT_TRUE(folder.Write("[S]\nA=5\n"));
    EXPECT_EQ(settings.ReadInt("S", "A", 0), 5);
}

TEST(SettingsStoreFreshness, EveryObjectOfThePathSeesAWrite)
{
    SettingsTestFolder folder;
    SettingsStore writer(folder.iniPath());
    const SettingsStore reader(folder.iniPath());
    const SettingsStore copy = reader;
    ASSERT_EQ(reader.ReadInt("S", "A", 0), 0);

    for (int value = 1; value <= 3; ++value) {
        ASSERT_TRUE(writer.WriteText("S", "A", std::to_string(value)));
        EXPECT_EQ(reader.ReadInt("S", "A", 0), value);
        EXPECT_EQ(copy.ReadInt("S", "A", 0), value);
        EXPECT_EQ(SettingsStore(folder.iniPath()).ReadInt("S", "A", 0), value);
    }
}

TEST(SettingsStoreConcurrency, ReadersSeeOnlyWrittenValuesInOrder)
{
    SettingsTestFolder folder;
    SettingsStore writer(folder.iniPath());
    ASSERT_TRUE(writer.WriteText("S", "A", "0"));
    constexpr int kLast = 40;

    std::atomic<bool> done = false;
    std::atomic<int> faults = 0;
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i) {
        readers.emplace_back([&] {
            const SettingsStore settings(folder.iniPath());
            int previous = 0;
            while (!done) {
                const int value = settings.ReadInt("S", "A", -1);
                if (value < previous || value > kLast)
                    ++faults;
                previous = value;
            }
        });
    }
    // Two writers of different keys: neither may lose the other's key.
    std::thread other([&] {
        SettingsStore settings(folder.iniPath());
        for (int value = 1; value <= kLast; ++value)
            settings.WriteText("S", "B", std::to_string(value));
    });
    for (int value = 1; value <= kLast; ++value)
        writer.WriteText("S", "A", std::to_string(value));
    other.join();
    done = true;
    for (std::thread& reader : readers)
        reader.join();

    EXPECT_EQ(faults, 0);
    EXPECT_EQ(writer.ReadInt("S", "A", 0), kLast);
    EXPECT_EQ(writer.ReadInt("S", "B", 0), kLast);
    const std::optional<std::string> bytes = folder.Read();
    ASSERT_TRUE(bytes);
    EXPECT_TRUE(*bytes == "[S]\r\nA=40\r\nB=40\r\n" || *bytes == "[S]\r\nB=40\r\nA=40\r\n")
        << *bytes;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"mosgrid.ini"});
}

} // namespace

namespace {

// The program lets a burst of reads trust the parsed file for a moment; the store's own
// writes are seen at once all the same, and others' changes once the interval is over.
TEST(SettingsStoreRecheckInterval, OthersChangesWaitForTheIntervalOwnWritesDoNot)
{
    struct Restore {
        ~Restore() { SettingsStore::SetRecheckInterval(std::chrono::nanoseconds(0)); }
    } restore;
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write("[S]\nA=1\n"));
    SettingsStore settings(folder.iniPath());
    SettingsStore::SetRecheckInterval(std::chrono::hours(1));
    ASSERT_EQ(settings.ReadInt("S", "A", 0), 1);

    ASSERT_TRUE(folder.Write("[S]\nA=22\n"));
    EXPECT_EQ(settings.ReadInt("S", "A", 0), 1) << "trusted within the interval";
    ASSERT_TRUE(settings.WriteText("S", "B", "5"));
    EXPECT_EQ(settings.ReadInt("S", "B", 0), 5) << "an own write is seen at once";

    SettingsStore::SetRecheckInterval(std::chrono::nanoseconds(0));
    ASSERT_TRUE(folder.Write("[S]\nA=333\n"));
    EXPECT_EQ(settings.ReadInt("S", "A", 0), 333);
}

} // namespace
