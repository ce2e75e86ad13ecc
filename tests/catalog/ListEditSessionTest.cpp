#include "ListWriterTestSupport.h"

#include "catalog/ListEditSession.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <functional>

using namespace mosgrid;

namespace {

using catalog_test::PrintTo;

using Step = std::function<ListEditOutcome(ListEditSession&)>;

Step Insert(int position, std::string code)
{
    return [=](ListEditSession& s) { return s.Insert(position, {{1, "/s", code, code}}); };
}
Step Delete(std::vector<int> items)
{
    return [=](ListEditSession& s) { return s.Delete(items); };
}
Step Move(std::vector<int> items, int step)
{
    return [=](ListEditSession& s) { return s.Move(items, step); };
}
Step Undo()
{
    return [](ListEditSession& s) { return s.Undo(); };
}
Step Redo()
{
    return [](ListEditSession& s) { return s.Redo(); };
}

struct SessionRow {
    std::string name;
    std::string list;
    std::vector<Step> steps;
    std::vector<ListEditStatus> statuses;  // of each step
    std::string expected;                  // the file at the end
    std::vector<int> lastSelection;
};

class ListEditSessionTest : public testing::TestWithParam<SessionRow> {};

// Every step is written at once: the file is re-read before each one, as the commands do.
TEST_P(ListEditSessionTest, WritesEachStep)
{
    const SessionRow& row = GetParam();
    QTemporaryDir dir;
    const std::string path = WriteListFile(dir, row.list);
    ListEditSession session;
    ListEditOutcome outcome;
    for (std::size_t i = 0; i < row.steps.size(); ++i) {
        ASSERT_EQ(session.Read(path), ListFileError::None);
        outcome = row.steps[i](session);
        EXPECT_EQ(outcome.status, row.statuses[i]) << "step " << i;
    }
    EXPECT_EQ(ReadBytes(path), row.expected);
    EXPECT_EQ(outcome.selection, row.lastSelection);
}

constexpr auto kDone = ListEditStatus::Done;
constexpr auto kRefused = ListEditStatus::Refused;
constexpr auto kNothing = ListEditStatus::NothingToDo;
// An empty line the reader skips stays where it is.
const std::string kAbc = "1,/s,a,a\r\n\r\n1,/s,b,b\r\n1,/s,c,c\r\n";

INSTANTIATE_TEST_SUITE_P(
    Scripts, ListEditSessionTest,
    testing::Values(
        SessionRow{"InsertSelectsNew", kAbc, {Insert(1, "x")}, {kDone},
                   "1,/s,a,a\r\n\r\n1,/s,x,x\r\n1,/s,b,b\r\n1,/s,c,c\r\n", {1}},
        SessionRow{"DeleteSelectsNext", kAbc, {Delete({1, 0})}, {kDone}, "\r\n1,/s,c,c\r\n",
                   {0}},
        SessionRow{"DeleteLastSelectsNewLast", kAbc, {Delete({2})}, {kDone},
                   "1,/s,a,a\r\n\r\n1,/s,b,b\r\n", {1}},
        SessionRow{"MoveBlockUp", kAbc, {Move({2, 1}, -1)}, {kDone},
                   "1,/s,b,b\r\n\r\n1,/s,c,c\r\n1,/s,a,a\r\n", {0, 1}},
        SessionRow{"MoveBlockDown", kAbc, {Move({0, 1}, 1)}, {kDone},
                   "1,/s,c,c\r\n\r\n1,/s,a,a\r\n1,/s,b,b\r\n", {1, 2}},
        SessionRow{"MovePastEdgeRefusedWhole", kAbc, {Move({0, 2}, -1)}, {kRefused}, kAbc, {}},
        SessionRow{"UndoRedoRoundTrip", kAbc,
                   {Delete({0}), Insert(0, "x"), Undo(), Undo(), Redo()},
                   {kDone, kDone, kDone, kDone, kDone}, "\r\n1,/s,b,b\r\n1,/s,c,c\r\n", {}},
        SessionRow{"NewEditDropsRedo", kAbc, {Delete({0}), Undo(), Move({1}, 1), Redo()},
                   {kDone, kDone, kDone, kNothing},
                   "1,/s,a,a\r\n\r\n1,/s,c,c\r\n1,/s,b,b\r\n", {}},
        SessionRow{"NothingToUndo", kAbc, {Undo(), Redo(), Delete({})},
                   {kNothing, kNothing, kNothing}, kAbc, {}},
        SessionRow{"RefusedEditLeavesNoHistory", kAbc, {Delete({9}), Undo()}, {kRefused, kNothing},
                   kAbc, {}}),
    RowName<SessionRow>);

// Another program's change since the read is never overwritten, and breaks the undo chain.
TEST(ListEditSessionConcurrencyTest, ChangeOnDiskIsNotOverwritten)
{
    struct Change {
        std::string name;
        std::function<void(const std::string& path)> apply;
    };
    const std::vector<Change> changes{
        {"RewrittenInPlace",
         [](const std::string& path) {
             ASSERT_TRUE(WriteFileBytes(QString::fromStdString(path), "1,/s,z,z\n"));
         }},
        {"ReplacedByRename",
         [](const std::string& path) {
             const std::string temp = path + ".new";
             ASSERT_TRUE(WriteFileBytes(QString::fromStdString(temp), "1,/s,z,z\n"));
             ASSERT_EQ(::rename(temp.c_str(), path.c_str()), 0);
         }},
        {"Removed", [](const std::string& path) { ASSERT_EQ(::unlink(path.c_str()), 0); }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        QTemporaryDir dir;
        const std::string path = WriteListFile(dir, "1,/s,a,a\n1,/s,b,b\n");
        ListEditSession session;
        ASSERT_EQ(session.Read(path), ListFileError::None);
        ASSERT_TRUE(session.Delete({0}).done());
        change.apply(path);
        const bool existed = ::access(path.c_str(), F_OK) == 0;
        const std::string after = existed ? ReadBytes(path) : std::string();
        const ListEditOutcome undo = session.Undo();
        EXPECT_EQ(undo.status, ListEditStatus::FileProblem);
        EXPECT_EQ(undo.fileError, ListFileError::ChangedOnDisk);
        EXPECT_EQ(::access(path.c_str(), F_OK) == 0, existed);
        if (existed) {
            EXPECT_EQ(ReadBytes(path), after);
            // Read again, the list has lost the history of the bytes it no longer holds.
            ASSERT_EQ(session.Read(path), ListFileError::None);
            EXPECT_FALSE(session.CanUndo());
            EXPECT_TRUE(session.Delete({0}).done());
            EXPECT_EQ(ReadBytes(path), "");
        }
    }
}

TEST(ListEditSessionFilesTest, ListsThatCannotBeRewrittenSayWhy)
{
    QTemporaryDir dir;
    const std::string readOnly = WriteListFile(dir, "1,/s,a,a\n", QStringLiteral("ro.txt"));
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    const std::string fifo = NativePath(dir.filePath(QStringLiteral("pipe")));
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    ListEditSession session;
    ASSERT_EQ(session.Read(readOnly), ListFileError::None);
    const ListEditOutcome outcome = session.Delete({0});
    EXPECT_EQ(outcome.fileError, ListFileError::ReadOnly);
    EXPECT_EQ(ReadBytes(readOnly), "1,/s,a,a\n");
    EXPECT_EQ(session.Read(fifo), ListFileError::NotRegularFile);
    EXPECT_EQ(session.Read(NativePath(dir.filePath(QStringLiteral("gone")))),
              ListFileError::CannotRead);
}

} // namespace
