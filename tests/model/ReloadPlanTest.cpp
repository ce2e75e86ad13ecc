// What a reload decides, without a view: which thumbnails are made again, where the
// selection and the top of the grid go.
#include "model/ReloadPlan.h"

#include "support/TestFolders.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>

#include <string>
#include <vector>

using namespace mosgrid;

namespace {

struct RemakeCase {
    const char* name;
    std::optional<ItemOrigin> recorded;
    FileStamp now;
    bool remake;
};

void PrintTo(const RemakeCase& row, std::ostream* os) { *os << row.name; }

class NeedsRemakeTest : public ::testing::TestWithParam<RemakeCase> {};

TEST_P(NeedsRemakeTest, OnlyNewPricesOrDoubtMakeAgain)
{
    EXPECT_EQ(NeedsRemake(GetParam().recorded, GetParam().now), GetParam().remake);
}

const FileStamp kRead{1000, 5'000'000'000};

INSTANTIATE_TEST_SUITE_P(
    Rows, NeedsRemakeTest,
    ::testing::Values(
        RemakeCase{"Unchanged", ItemOrigin{"/p/a.csv", kRead, true}, kRead, false},
        RemakeCase{"Grown", ItemOrigin{"/p/a.csv", kRead, true}, {1040, kRead.modifiedNs},
                   true},
        RemakeCase{"Touched", ItemOrigin{"/p/a.csv", kRead, true}, {1000, kRead.modifiedNs + 1},
                   true},
        RemakeCase{"Removed", ItemOrigin{"/p/a.csv", kRead, true}, FileStamp{}, true},
        RemakeCase{"ReadWhileWritten", ItemOrigin{"/p/a.csv", kRead, false}, kRead, true},
        // No file named: the stamps are the source's.
        RemakeCase{"SourceStillMissing", ItemOrigin{"", FileStamp{}, true}, FileStamp{}, false},
        RemakeCase{"SourceAppeared", ItemOrigin{"", FileStamp{}, true}, kRead, true},
        RemakeCase{"SourceFolderChanged", ItemOrigin{"", kRead, true},
                   {kRead.size, kRead.modifiedNs + 1}, true},
        RemakeCase{"SourceFolderAsItWas", ItemOrigin{"", kRead, true}, kRead, false},
        RemakeCase{"NotReadYet", std::nullopt, kRead, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct FollowCase {
    const char* name;
    std::vector<int> next;  // per old index: its new index, or -1
    int selected;
    int top;
    int newSelected;
    int newTop;
};

void PrintTo(const FollowCase& row, std::ostream* os) { *os << row.name; }

class FollowTest : public ::testing::TestWithParam<FollowCase> {};

TEST_P(FollowTest, SelectionAndTopStayOnTheirSecurities)
{
    const FollowCase& row = GetParam();
    EXPECT_EQ(FollowSelection(row.next, row.selected), row.newSelected);
    EXPECT_EQ(FollowTop(row.next, row.top), row.newTop);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FollowTest,
    ::testing::Values(
        FollowCase{"Unchanged", {0, 1, 2, 3}, 2, 1, 2, 1},
        FollowCase{"TwoInsertedBefore", {2, 3, 4, 5}, 3, 2, 5, 4},
        FollowCase{"SelectedRemoved", {0, -1, 1}, 1, 0, -1, 0},
        FollowCase{"NothingSelected", {0, 1}, -1, 0, -1, 0},
        FollowCase{"TopRemovedTakesTheNextThere", {0, 1, -1, -1, 2}, 0, 2, 0, 2},
        FollowCase{"EverythingFromTopRemovedTakesTheLastBefore", {0, 1, -1, -1}, 0, 2, 0, 1},
        // At the very top the grid stays at the top, to show what was put in front.
        FollowCase{"AtTheTopStaysAtTheTop", {3, 4, 5}, 0, 0, 3, 0},
        FollowCase{"TopBeyondTheEnd", {1, 0}, 7, 9, -1, 0},
        FollowCase{"AllGone", {-1, -1}, 1, 1, -1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// cp -p and rsync -t put a new file in place by a rename, with the old size and time.
TEST(NeedsRemakeFile, AFileReplacedWithTheSameSizeAndTimeIsMadeAgain)
{
    QTemporaryDir dir;
    const std::string path = QFile::encodeName(dir.filePath(QStringLiteral("a.csv"))).data();
    const std::string next = path + ".new";
    ASSERT_TRUE(WriteFileBytes(QFile::decodeName(path.c_str()), "100\n"));
    ASSERT_TRUE(WriteFileBytes(QFile::decodeName(next.c_str()), "200\n"));
    const timespec times[2] = {{1'600'000'000, 0}, {1'600'000'000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    ASSERT_EQ(::utimensat(AT_FDCWD, next.c_str(), times, 0), 0);
    const ItemOrigin read{path, StampOf(path), true};
    EXPECT_FALSE(NeedsRemake(read, StampOf(path)));
    ASSERT_EQ(std::rename(next.c_str(), path.c_str()), 0);
    EXPECT_TRUE(NeedsRemake(read, StampOf(path)));
}

} // namespace
