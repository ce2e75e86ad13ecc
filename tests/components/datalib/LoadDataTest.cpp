#include "DataLibTestSupport.h"

#include "DataLibrary.h"
#include "PriceFile.h"
#include "SeriesCache.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

using datalibtest::LocalPath;

const QByteArray kFile = "Date,Open,High,Low,Close,Volume\n"
                         "2024-01-04,100,110,95,105,1000\n"
                         "2024-01-05,105,112,101,111,2000\n";

class DataLibLoad : public ::testing::Test {
protected:
    std::string Folder() const { return LocalPath(m_dir.path()); }
    QString File(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    brasko::DataLibrary m_library{nullptr};
};

// Which file a folder source and a code find.
struct LocateCase {
    const char* fileName;
    const char* code;
    bool found;
};

class DataLibLocate : public DataLibLoad, public ::testing::WithParamInterface<LocateCase> {};

TEST_P(DataLibLocate, FindsCodeWithItsExtension)
{
    ASSERT_TRUE(WriteFileBytes(File(GetParam().fileName), kFile));
    const auto data = m_library.LoadData(Folder(), GetParam().code, 0);
    EXPECT_EQ(data != nullptr, GetParam().found) << GetParam().fileName;
}

INSTANTIATE_TEST_SUITE_P(Names, DataLibLocate, ::testing::Values(
    LocateCase{"7203.csv", "7203", true},
    LocateCase{"7203.CSV", "7203", true},
    LocateCase{"7203.txt", "7203", true},
    LocateCase{"7203.TXT", "7203", false},
    LocateCase{"7203.dat", "7203", false},
    LocateCase{"7203.csv", "720", false},
    LocateCase{"7203.csv", "", false}));

TEST_F(DataLibLoad, SourceFileItselfIgnoresTheCode)
{
    ASSERT_TRUE(WriteFileBytes(File("daily.csv"), kFile));
    EXPECT_EQ(datalibtest::DatesOf(m_library.LoadData(LocalPath(File("daily.csv")), "x", 2)),
              (std::vector<int>{20240104, 20240105}));
}

TEST_F(DataLibLoad, EveryTypeButFiveReadsPriceFiles)
{
    ASSERT_TRUE(WriteFileBytes(File("7203.csv"), kFile));
    for (int type : {0, 1, 2, 3, 4, 6, -1, 2147483647})
        EXPECT_NE(m_library.LoadData(Folder(), "7203", type), nullptr) << type;
    EXPECT_EQ(m_library.LoadData(Folder(), "7203", 5), nullptr);
}

TEST_F(DataLibLoad, RelativeSourceFollowsTheCurrentDirectory)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("data"));
    ASSERT_TRUE(WriteFileBytes(File("data/7203.csv"), kFile));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const auto inside = m_library.LoadData("data", "7203", 0);
    const auto dotted = m_library.LoadData("./data/7203.csv", "", 0);
    QDir::setCurrent(before);
    EXPECT_NE(inside, nullptr);
    EXPECT_NE(dotted, nullptr);
    EXPECT_EQ(m_library.LoadData("data", "7203", 0), nullptr) << "found from elsewhere";
}

TEST_F(DataLibLoad, PathBytesArePassedUnchanged)
{
    const std::string folder = Folder() + "/\x8A\x94\x89\xBF"; // "株価" in Shift-JIS
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    std::ofstream(folder + "/\x83\x65.csv", std::ios::binary) << kFile.toStdString();
    EXPECT_NE(m_library.LoadData(folder, "\x83\x65", 0), nullptr);
}

TEST_F(DataLibLoad, NothingToReadGivesNull)
{
    ASSERT_TRUE(WriteFileBytes(File("7203.csv"), kFile));
    ASSERT_EQ(mkfifo(QFile::encodeName(File("fifo.csv")).constData(), 0600), 0);
    EXPECT_EQ(m_library.LoadData(Folder() + "/nowhere", "7203", 0), nullptr);
    EXPECT_EQ(m_library.LoadData("", "7203", 0), nullptr);
    EXPECT_EQ(m_library.LoadData(Folder(), "fifo", 0), nullptr);      // must not block
    EXPECT_EQ(m_library.LoadData(LocalPath(File("fifo.csv")), "", 0), nullptr);
    EXPECT_EQ(m_library.LoadData(Folder() + std::string("\0x", 2), "7203", 0), nullptr);
    EXPECT_EQ(m_library.LoadData(Folder(), std::string("7203\0", 5), 0), nullptr);
}

TEST_F(DataLibLoad, UnreadableFileGivesNull)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    ASSERT_TRUE(WriteFileBytes(File("7203.csv"), kFile));
    ASSERT_TRUE(QFile::setPermissions(File("7203.csv"), QFileDevice::WriteOwner));
    EXPECT_EQ(m_library.LoadData(Folder(), "7203", 0), nullptr);
}

// A file of the given size that starts with good rows and is sparse after them.
bool MakeSparseFile(const QString& path, std::uint64_t size)
{
    if (!WriteFileBytes(path, kFile))
        return false;
    return truncate(QFile::encodeName(path).constData(), off_t(size)) == 0;
}

TEST_F(DataLibLoad, SizeLimitIsExact)
{
    constexpr std::uint64_t limit = brasko::PriceFile::kMaxBytes;
    ASSERT_TRUE(MakeSparseFile(File("at.csv"), limit));
    ASSERT_TRUE(MakeSparseFile(File("over.csv"), limit + 1));
    EXPECT_NE(m_library.LoadData(LocalPath(File("at.csv")), "", 0), nullptr);
    EXPECT_EQ(m_library.LoadData(LocalPath(File("over.csv")), "", 0), nullptr);
}

TEST_F(DataLibLoad, GigabyteFileIsRefusedUnread)
{
    ASSERT_TRUE(MakeSparseFile(File("huge.csv"), 1ull << 30));
    brasko::PriceFile file;
    ASSERT_TRUE(file.Open(LocalPath(File("huge.csv"))));
    EXPECT_TRUE(file.IsTooLarge());
    std::string bytes;
    EXPECT_FALSE(file.ReadAll(bytes));
    EXPECT_EQ(bytes.capacity() < 1024, true) << "buffer was allocated";
    EXPECT_EQ(m_library.LoadData(LocalPath(File("huge.csv")), "", 0), nullptr);
}

TEST_F(DataLibLoad, RandomBytesNeverBreakTheSeries)
{
    std::mt19937 random(20241230);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 20000);
    // Mostly raw noise; every third file is noise made of the characters prices use.
    const std::string alphabet = "0123456789-/.,;\t\"\n\r $KMBT年月日NnaAl";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int i = 0; i < 300; ++i) {
        std::string bytes(std::size_t(length(random)), '\0');
        for (char& c : bytes)
            c = (i % 3 == 2) ? alphabet[pick(random)] : char(byte(random));
        if (i % 3 == 1)
            bytes.insert(0, "Date,Open,High,Low,Close,Volume\n");
        EXPECT_TRUE(datalibtest::IsSoundSeries(datalibtest::ParseBytes(bytes))) << "file " << i;
    }
}

TEST_F(DataLibLoad, CacheServesUnchangedFilesOnly)
{
    auto cache = std::make_shared<brasko::SeriesCache>();
    brasko::DataLibrary first(cache);
    ASSERT_TRUE(WriteFileBytes(File("7203.csv"), kFile));
    const auto parsed = first.LoadData(Folder(), "7203", 0);
    ASSERT_NE(parsed, nullptr);

    brasko::DataLibrary second(cache); // a later rebuild's library
    EXPECT_EQ(second.LoadData(Folder(), "7203", 0), parsed);
    EXPECT_EQ(second.LoadData(LocalPath(File("7203.csv")), "", 0), parsed) << "same file";

    // Same size, new time: read again.
    QByteArray changed = kFile;
    changed.replace("2024-01-05,105", "2024-01-06,105");
    ASSERT_TRUE(WriteFileBytes(File("7203.csv"), changed));
    const auto stamp = std::filesystem::last_write_time(LocalPath(File("7203.csv")));
    std::filesystem::last_write_time(LocalPath(File("7203.csv")),
                                     stamp + std::chrono::seconds(5));
    const auto reread = second.LoadData(Folder(), "7203", 0);
    EXPECT_EQ(datalibtest::DatesOf(reread), (std::vector<int>{20240104, 20240106}));

    // Same time, new size: read again.
    const auto sameTime = std::filesystem::last_write_time(LocalPath(File("7203.csv")));
    ASSERT_TRUE(WriteFileBytes(File("7203.csv"), kFile + "2024-01-09,1,1,1,1,1\n"));
    std::filesystem::last_write_time(LocalPath(File("7203.csv")), sameTime);
    EXPECT_EQ(datalibtest::DatesOf(second.LoadData(Folder(), "7203", 0)).size(), 3u);
}

} // namespace
