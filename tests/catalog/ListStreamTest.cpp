// Lists that are not regular files: streams are read whole, anything else is refused
// before it is opened.
#include "CatalogTestSupport.h"

#include "catalog/CatalogListLoader.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <thread>
#include <vector>

using namespace mosgrid;

namespace {

using catalog_test::PrintTo;

// A list of `lines` lines, "<i>,src,<i>,name <i>".
std::string ListOf(int lines)
{
    std::string bytes;
    for (int i = 0; i < lines; ++i)
        bytes += std::to_string(i) + ",src," + std::to_string(i) + ",name " + std::to_string(i)
            + "\n";
    return bytes;
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += std::size_t(written);
    }
    return true;
}

// Writes bytes into a FIFO once a reader has it open, as `cat list > fifo` would; gives up
// when stopped before any reader came.
class FifoWriter {
public:
    FifoWriter(const std::string& path, std::string bytes)
        : m_thread([this, path, bytes = std::move(bytes)] {
            int fd = -1;
            while (fd < 0 && !m_stop) {
                fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd < 0)
                    std::this_thread::yield();
            }
            if (fd < 0)
                return;
            const int flags = ::fcntl(fd, F_GETFL);
            ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
            m_written = WriteAll(fd, bytes);
            ::close(fd);
        })
    {
    }
    ~FifoWriter() { Join(); }
    void Join()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    bool written() const { return m_written; }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_written{false};
    std::thread m_thread;
};

struct StreamRow {
    std::string name;
    int lines;
};

class CatalogListStream : public testing::TestWithParam<StreamRow> {
};

std::vector<std::string> Names(const CatalogItemList& items)
{
    std::vector<std::string> names;
    for (const auto& item : items)
        names.push_back(item->m_strName);
    return names;
}

std::vector<std::string> ExpectedNames(int lines)
{
    std::vector<std::string> names;
    for (int i = 0; i < lines; ++i)
        names.push_back("name " + std::to_string(i));
    return names;
}

// A named FIFO whose writer comes after the reader opened it.
TEST_P(CatalogListStream, NamedFifoIsReadWhole)
{
    QTemporaryDir dir;
    const std::string path = NativePath(dir.filePath(QStringLiteral("list.fifo")));
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    FifoWriter writer(path, ListOf(GetParam().lines));
    CatalogItemList items;
    const ListLoadOutcome outcome = LoadCatalogList(path, false, items);
    writer.Join();
    EXPECT_TRUE(outcome.opened);
    EXPECT_TRUE(outcome.complete);
    EXPECT_EQ(Names(items), ExpectedNames(GetParam().lines));
}

// A process substitution: a pipe named /dev/fd/N, its writer working while it is read.
TEST_P(CatalogListStream, ProcessSubstitutionIsReadWhole)
{
    // A writer left alone by a reader that gave up gets EPIPE, not the signal.
    std::signal(SIGPIPE, SIG_IGN);
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    const std::string bytes = ListOf(GetParam().lines);
    std::thread writer([&] {
        WriteAll(fds[1], bytes);
        ::close(fds[1]);
    });
    CatalogItemList items;
    const ListLoadOutcome outcome =
        LoadCatalogList("/dev/fd/" + std::to_string(fds[0]), false, items);
    ::close(fds[0]);
    writer.join();
    EXPECT_TRUE(outcome.opened);
    EXPECT_TRUE(outcome.complete);
    EXPECT_EQ(Names(items), ExpectedNames(GetParam().lines));
}

const StreamRow kStreamRows[] = {
    {"Empty", 0},
    {"OneLine", 1},
    {"BeyondOnePipeBuffer", 20000},
};

INSTANTIATE_TEST_SUITE_P(Rows, CatalogListStream, testing::ValuesIn(kStreamRows),
                         RowName<StreamRow>);

TEST(CatalogListStream, WriterDoneBeforeTheReadStillGivesEverything)
{
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    ASSERT_TRUE(WriteAll(fds[1], ListOf(3)));
    ::close(fds[1]);
    CatalogItemList items;
    const ListLoadOutcome outcome =
        LoadCatalogList("/dev/fd/" + std::to_string(fds[0]), false, items);
    ::close(fds[0]);
    EXPECT_TRUE(outcome.complete);
    EXPECT_EQ(Names(items), ExpectedNames(3));
}

enum class Kind { Regular, Missing, Folder, Zero, Null, Fifo, Locked, EmbeddedNul };

struct CanOpenRow {
    std::string name;
    Kind kind;
    bool opens;
};

class CatalogListCanOpen : public testing::TestWithParam<CanOpenRow> {
};

// The check of the document open says what the reader will do, without taking a stream's
// bytes or waking its writer.
TEST_P(CatalogListCanOpen, AgreesWithTheReader)
{
    const CanOpenRow& row = GetParam();
    QTemporaryDir dir;
    std::string path = WriteListFile(dir, "1,a,b,c\n");
    int holder = -1;
    switch (row.kind) {
    case Kind::Regular: break;
    case Kind::Missing: path += ".missing"; break;
    case Kind::Folder: path = NativePath(dir.path()); break;
    case Kind::Zero: path = "/dev/zero"; break;
    case Kind::Null: path = "/dev/null"; break;
    case Kind::Fifo:
        path = NativePath(dir.filePath(QStringLiteral("fifo")));
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        break;
    case Kind::Locked:
        holder = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
        break;
    case Kind::EmbeddedNul: path += std::string(1, '\0'); break;
    }
    EXPECT_EQ(CListFileReader::CanOpen(path), row.opens);
    if (row.kind == Kind::Fifo) {
        // Nobody holds it for reading: a writer would not have been let through.
        EXPECT_LT(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC), 0);
        EXPECT_EQ(errno, ENXIO);
    } else {
        CListFileReader reader;
        EXPECT_EQ(reader.OpenFile(path, 0), row.opens);
    }
    if (holder >= 0)
        ::close(holder);
}

const CanOpenRow kCanOpenRows[] = {
    {"Regular", Kind::Regular, true},
    {"Missing", Kind::Missing, false},
    {"Folder", Kind::Folder, false},
    {"DevZero", Kind::Zero, false},
    {"DevNull", Kind::Null, false},
    {"FifoWithoutWriter", Kind::Fifo, true},
    {"LockedByAnother", Kind::Locked, false},
    {"EmbeddedNul", Kind::EmbeddedNul, false},
};

INSTANTIATE_TEST_SUITE_P(Rows, CatalogListCanOpen, testing::ValuesIn(kCanOpenRows),
                         RowName<CanOpenRow>);

} // namespace
