#include "app/CCatalogApp.h"
#include "app/CMainFrame.h"
#include "base/MessageBox.h"
#include "support/TestFolders.h"
#include "view/CCatalogView.h"
#include "view/ToolLauncher.h"

#include "FakeComponents.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>

using namespace mosgrid;

namespace {

// A stand-in for the data tool: records each argument it receives on a line of its own.
constexpr char kRecordingTool[] = R"(#!/bin/sh
out="$(dirname "$0")/args.txt"
for a in "$@"; do printf '%s\n' "$a"; done > "$out.part"
mv "$out.part" "$out"
)";

class LaunchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        const QString tool = m_folder.filePath(QStringLiteral("tarnel.exe"));
        ASSERT_TRUE(WriteFileBytes(tool, kRecordingTool));
        QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_view.model().SetThumbnailSize(QSize(100, 50));
    }

    void AddItem(int type, std::string source, std::string code, std::string name)
    {
        auto item = std::make_unique<CatalogItem>();
        item->m_nType = type;
        item->m_strSource = std::move(source);
        item->m_strCode = std::move(code);
        item->m_strName = std::move(name);
        CatalogItemList items;
        for (const auto& held : m_view.model().items())
            items.push_back(std::make_unique<CatalogItem>(*held));
        items.push_back(std::move(item));
        m_view.model().AdoptItems(std::move(items));
        FillStore(m_view.model().store(), QSize(100, 50),
                  std::vector<QImage>(m_view.model().items().size(),
                                      QImage(100, 50, QImage::Format_RGB32)));
    }

    // The arguments the stand-in received, once it has written them.
    QStringList ReceivedArguments()
    {
        const QString path = m_folder.filePath(QStringLiteral("args.txt"));
        if (!QTest::qWaitFor([&] { return QFile::exists(path); }, 10000))
            return {QStringLiteral("<the tool never ran>")};
        QString text = QString::fromUtf8(ReadFileBytes(path));
        text.chop(1);
        return text.split(QLatin1Char('\n'));
    }

    TestProgramFolder m_folder{QStringList{}, false};
    FakeProvider m_provider;
    CCatalogView m_view{ProgramPaths{m_folder.exeDir(), m_folder.iniFile()}, &m_provider};
};

TEST_F(LaunchTest, ToolReceivesTheArgumentsTheWindowsToolWould)
{
    AddItem(1, "C:\\data", "130", "Sample");
    m_view.OnLButtonDblClk(QPoint(10, 10));
    EXPECT_EQ(ReceivedArguments(), (QStringList{"/dSample(130)", "/dpacC:\\data,130"}));
}

TEST_F(LaunchTest, NameWithBlanksArrivesSplit)
{
    AddItem(2, "/srv/prices", "7203", "Toyota Motor");
    m_view.OnLButtonDblClk(QPoint(10, 10));
    EXPECT_EQ(ReceivedArguments(),
              (QStringList{"/dToyota", "Motor(7203)", "/fpac/srv/prices,7203"}));
}

TEST_F(LaunchTest, NoShellEverRunsTheName)
{
    const std::string marker = m_folder.exeDir() + "pwned";
    const std::string name = "a;touch " + marker + ";$(touch " + marker + ")`touch " + marker
                           + "`\"q x\"\\";
    AddItem(0, "s", "1", name);
    m_view.OnLButtonDblClk(QPoint(10, 10));
    const QStringList args = ReceivedArguments();
    // Split only where the C runtime splits: at blanks outside quotes; quotes removed; a
    // backslash not before a quote kept.
    const QString m = QString::fromStdString(marker);
    EXPECT_EQ(args, (QStringList{"/da;touch", m + ";$(touch", m + ")`touch", m + "`q x\\(1)",
                                 "/csvs,1"}));
    EXPECT_FALSE(QFile::exists(m));
}

TEST(ToolLookup, BesideTheProgramFirstThenOnPathAndNothingWhenMissing)
{
    TestProgramFolder beside({}, false);
    TestProgramFolder onPath({}, false);
    for (const QString& dir : {beside.path(), onPath.path()}) {
        const QString tool = dir + QStringLiteral("/tarnel.exe");
        ASSERT_TRUE(WriteFileBytes(tool, kRecordingTool));
        QFile::setPermissions(tool, QFile::ReadOwner | QFile::ExeOwner);
    }
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(onPath.path()) + ":" + oldPath);
    EXPECT_EQ(FindProgram("tarnel.exe", beside.exeDir()), beside.exeDir() + "tarnel.exe");
    TestProgramFolder empty({}, false);
    EXPECT_EQ(FindProgram("tarnel.exe", empty.exeDir()),
              QFile::encodeName(onPath.path()).toStdString() + "/tarnel.exe");
    qputenv("PATH", oldPath);
    EXPECT_EQ(FindProgram("tarnel.exe", empty.exeDir()), "");
    // A missing tool changes nothing and reports nothing.
    StartToolCommandLine("tarnel.exe  /dA(1) /csvx,1", empty.exeDir());
    EXPECT_FALSE(StartDetached("/nonexistent/tarnel.exe", {"tarnel.exe"}));
}

// Runs the built program on a private program folder, from the source tree, where the
// sample catalog's relative sources lie.
class PrintTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    // The exit status, or -1 when the program did not end by itself; headless: without any
    // display, the platform the program chooses itself.
    int RunProgram(const QStringList& args, bool headless = false, QString* errors = nullptr)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (headless) {
            for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                env.remove(QLatin1String(name));
        }
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(QStringLiteral(MOSGRID_SOURCE_DIR));
        process.start(m_folder.filePath(QStringLiteral("mosgrid")), args);
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (errors != nullptr)
            *errors = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // Start-up in this process, recording the message boxes instead of showing them;
    // items: how many the catalog view loaded.
    int StartInProcess(const std::vector<std::string>& args, QStringList* messages,
                       std::size_t* items = nullptr)
    {
        SetMessageBoxHandler([messages](const QString& text) { messages->append(text); });
        CCatalogApp app(m_folder.exeDir() + "mosgrid");
        const bool windowShown = app.InitInstance(args);
        SetMessageBoxHandler([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
        EXPECT_FALSE(windowShown);
        if (items != nullptr && app.mainFrame() != nullptr)
            *items = app.mainFrame()->GetCatalogView()->model().items().size();
        return app.exitCode();
    }

    TestProgramFolder m_folder;
};

TEST_F(PrintTest, PrintFlagsWriteOnePdfPageShowingTheGridAndEnd)
{
    const QString pdf = m_folder.filePath(QStringLiteral("out.pdf"));
    const QString list = QStringLiteral(MOSGRID_SOURCE_DIR "/examples/sample.lst");
    QString errors;
    ASSERT_EQ(RunProgram({"/pt", list, pdf, "driver", "port"}, false, &errors), 0)
        << errors.toStdString();
    ASSERT_TRUE(QFile::exists(pdf));

    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const QString prefix = m_folder.filePath(QStringLiteral("page"));
    ASSERT_EQ(QProcess::execute(pdftoppm, {"-png", "-r", "72", pdf, prefix}), 0);
    const QStringList pages = QDir(m_folder.path()).entryList({"page*.png"});
    ASSERT_EQ(pages.size(), 1) << "one page";
    const QImage page(m_folder.filePath(pages.front()));
    ASSERT_FALSE(page.isNull());
    // The grid fills the page's width from the top-left corner: the first thumbnail's label
    // background (64, 128, 128) is there, and the right half of the first row is charts,
    // not paper.
    auto near = [](QRgb pixel, int r, int g, int b) {
        return qAbs(qRed(pixel) - r) < 16 && qAbs(qGreen(pixel) - g) < 16
            && qAbs(qBlue(pixel) - b) < 16;
    };
    int labelPixels = 0;
    for (int y = 0; y < page.height() / 8; ++y)
        for (int x = 0; x < page.width() / 3; ++x)
            labelPixels += near(page.pixel(x, y), 64, 128, 128) ? 1 : 0;
    EXPECT_GT(labelPixels, 20);
    // The second thumbnail of the first row holds a chart: coloured candles, not paper.
    int chartPixels = 0;
    for (int y = page.height() / 50; y < page.height() / 7; ++y)
        for (int x = page.width() * 2 / 5; x < page.width() * 7 / 10; ++x) {
            const QRgb pixel = page.pixel(x, y);
            chartPixels += qAbs(qRed(pixel) - qBlue(pixel)) > 60 ? 1 : 0;
        }
    EXPECT_GT(chartPixels, 50);
}

TEST_F(PrintTest, UnknownNamedPrinterIsReportedAndTheExitStatusIsNonZero)
{
    const std::string list = MOSGRID_SOURCE_DIR "/examples/sample.lst";
    QStringList messages;
    EXPECT_NE(StartInProcess({"-pt", list, "no-such-printer-here", "d", "p"}, &messages), 0);
    EXPECT_EQ(messages, QStringList{QStringLiteral("プリンタ [no-such-printer-here] が見つかりません。")});
}

TEST_F(PrintTest, PrintWithoutAnyPrinterIsReportedAndTheExitStatusIsNonZero)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer; the test would print on it";
    const std::string list = MOSGRID_SOURCE_DIR "/examples/sample.lst";
    QStringList messages;
    EXPECT_NE(StartInProcess({"-p", list}, &messages), 0);
    EXPECT_EQ(messages, QStringList{QStringLiteral("印刷できるプリンタがありません。")});
}

const QString kComponents = QStringLiteral("components/");

// What cannot be printed whole makes no page and ends with a non-zero status, said why (a
// folder is no trouble: it prints as the catalog of its price files).
enum class Trouble { DevZero, HeldList, NoChartControl, NoDataLibrary };

struct TroubleRow {
    const char* name;
    Trouble trouble;
    QString message;  // %1: the list's path
};

void PrintTo(const TroubleRow& row, std::ostream* os)
{
    *os << row.name;
}

class PrintTroubleTest : public PrintTest, public ::testing::WithParamInterface<TroubleRow> {};

TEST_P(PrintTroubleTest, NoPageAndNonZeroStatus)
{
    const TroubleRow& row = GetParam();
    QString list = m_folder.filePath(QStringLiteral("list.lst"));
    ASSERT_TRUE(WriteFileBytes(list, "1,examples/data,1301,A\n"));
    int holder = -1;
    switch (row.trouble) {
    case Trouble::DevZero: list = QStringLiteral("/dev/zero"); break;
    case Trouble::HeldList:
        holder = ::open(QFile::encodeName(list).constData(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
        break;
    case Trouble::NoChartControl:
        ASSERT_TRUE(QFile::remove(m_folder.filePath(kComponents + "libxquorexctrl.so")));
        break;
    case Trouble::NoDataLibrary:
        ASSERT_TRUE(QFile::remove(m_folder.filePath(kComponents + "libbrasko.so")));
        break;
    }
    const std::string pdf = m_folder.exeDir() + "out.pdf";
    QStringList messages;
    EXPECT_NE(StartInProcess({"-pt", QFile::encodeName(list).toStdString(), pdf, "d", "p"},
                             &messages),
              0);
    EXPECT_EQ(messages, QStringList{row.message.arg(list)});
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
    if (holder >= 0)
        ::close(holder);
}

const QString kOpenFailedText = QStringLiteral("%1\nファイルを開けませんでした。");

INSTANTIATE_TEST_SUITE_P(
    Rows, PrintTroubleTest,
    ::testing::Values(
        TroubleRow{"DevZero", Trouble::DevZero, kOpenFailedText},
        TroubleRow{"ListHeldByAnotherProgram", Trouble::HeldList, kOpenFailedText},
        TroubleRow{"NoChartControl", Trouble::NoChartControl,
                   QStringLiteral("Can't Create Quorex.XQuorexCtrl")},
        TroubleRow{"NoDataLibrary", Trouble::NoDataLibrary,
                   QStringLiteral("Can't Create brasko.DLL")}),
    [](const auto& info) { return std::string(info.param.name); });

// A list from a pipe (mosgrid -pt <(make-list) ...) is read whole, once.
TEST_F(PrintTest, ListFromAFifoIsPrinted)
{
    const QByteArray fifo = QFile::encodeName(m_folder.filePath(QStringLiteral("list.fifo")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    const QByteArray list =
        ReadFileBytes(QStringLiteral(MOSGRID_SOURCE_DIR "/examples/sample.lst"));
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        int fd = -1;
        while (fd < 0 && !stop) {
            fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0)
                std::this_thread::yield();
        }
        if (fd < 0)
            return;
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        EXPECT_EQ(::write(fd, list.constData(), std::size_t(list.size())), list.size());
        ::close(fd);
    });
    const std::string pdf = m_folder.exeDir() + "out.pdf";
    QStringList messages;
    std::size_t items = 0;
    EXPECT_EQ(StartInProcess({"-pt", fifo.toStdString(), pdf, "d", "p"}, &messages, &items), 0);
    stop = true;
    writer.join();
    EXPECT_EQ(messages, QStringList{});
    EXPECT_EQ(items, std::size_t(list.count('\n')));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(pdf)));
}

// Printing, or a platform no one can see, shows no window: a message goes to standard error
// instead of a box that would wait for ever.
TEST_F(PrintTest, MessagesGoToStandardErrorWithoutAVisibleWindow)
{
    const QString missing = m_folder.filePath(QStringLiteral("missing.lst"));
    const QString pdf = m_folder.filePath(QStringLiteral("out.pdf"));
    const QString line = QStringLiteral("mosgrid: %1 ファイルを開けませんでした。").arg(missing);
    for (const QStringList& args : {QStringList{"-pt", missing, pdf, "d", "p"},
                                    QStringList{missing}}) {
        QString errors;
        EXPECT_EQ(RunProgram(args, false, &errors), 1) << args.join(' ').toStdString();
        // Qt may say something of its own there too.
        EXPECT_TRUE(errors.split(QLatin1Char('\n')).contains(line)) << errors.toStdString();
    }
    EXPECT_FALSE(QFile::exists(pdf));
}

// With no display at all, printing picks the offscreen platform itself.
TEST_F(PrintTest, PrintsWithoutAnyDisplay)
{
    const QString pdf = m_folder.filePath(QStringLiteral("out.pdf"));
    const QString list = QStringLiteral(MOSGRID_SOURCE_DIR "/examples/sample.lst");
    QString errors;
    EXPECT_EQ(RunProgram({"-pt", list, pdf, "driver", "port"}, true, &errors), 0)
        << errors.toStdString();
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST_F(PrintTest, UnopenableListEndsWithNonZeroStatusAndNoPage)
{
    QStringList messages;
    const std::string pdf = m_folder.exeDir() + "x.pdf";
    EXPECT_NE(StartInProcess({"-pt", m_folder.exeDir() + "missing.lst", pdf, "d", "p"},
                             &messages),
              0);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
}

} // namespace
