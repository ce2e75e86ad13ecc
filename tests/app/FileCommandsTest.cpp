// Opening, remembering, dropping, watching and exporting lists in the program's window.
#include "../view/FakeComponents.h"
#include "../view/PriceFolder.h"

#include "app/CCatalogApp.h"
#include "app/CMainFrame.h"
#include "app/FileCommands.h"
#include "base/FileTexts.h"
#include "base/MessageBox.h"
#include "export/ExportOverwrite.h"
#include "settings/SettingsStore.h"
#include "support/TestFolders.h"
#include "thumbnails/ThumbnailStore.h"
#include "view/CCatalogView.h"
#include "view/EmptyHint.h"

#include <QAction>
#include <QDir>
#include <QStatusBar>
#include <QSignalSpy>
#include <QTimer>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

using namespace mosgrid;

namespace {

constexpr int kOld = 3600;
constexpr int kWaitMs = 20000;

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(WriteFileBytes(m_folder.filePath(QStringLiteral("mosgrid.ini")),
                                   "[Chart]\nSizeX=100\nSizeY=50\n"));
        m_provider.readPriceFiles = true;
    }

    void TearDown() override
    {
        SetMessageBoxHandler([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    }

    void Start(const std::vector<std::string>& args)
    {
        m_app.reset();
        m_app = std::make_unique<CCatalogApp>(m_folder.exeDir() + "mosgrid");
        ASSERT_TRUE(m_app->InitInstance(args));
        m_frame = m_app->mainFrame();
        m_view = m_frame->GetCatalogView();
        m_view->model().SetComponentProvider(&m_provider);
        m_view->model().builder().SetWorkerCount(1);
        m_commands = m_frame->fileCommands();
        ASSERT_NE(m_commands, nullptr);
        if (!args.empty()) {
            m_view->LoadList();
            Built();
        }
    }

    void Built() { ASSERT_TRUE(m_view->model().builder().WaitUntilBuilt()); }

    // A list of count securities with their price files; its path.
    std::string MakeList(const QString& name, int count, int firstClose = 100)
    {
        std::string list;
        for (int i = 0; i < count; ++i) {
            const std::string code = "s" + std::to_string(i);
            EXPECT_TRUE(m_prices.Write(code, std::to_string(firstClose + i) + "\n", kOld));
            list += ListLine(m_prices.source(), code, code);
        }
        const QString path = m_folder.filePath(name);
        EXPECT_TRUE(WriteFileBytes(path, QByteArray::fromStdString(list)));
        return QFile::encodeName(path).toStdString();
    }

    std::vector<std::string> TakeLoaded()
    {
        const std::lock_guard lock(m_provider.counters.codesMutex);
        std::vector<std::string> codes;
        codes.swap(m_provider.counters.loadedCodes);
        return codes;
    }

    // Until the watcher has been told what to watch.
    void Watching()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_commands->watcher().watchCount() > 0; },
                                    kWaitMs));
    }

    void WaitForReloads(int count)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_commands->reloadCount() >= count; },
                                    kWaitMs))
            << "reloads: " << m_commands->reloadCount();
    }

    QRgb Shown(int index) const { return m_view->model().store().Image(index).pixel(50, 48); }

    TestProgramFolder m_folder{QStringList{}, false};
    PriceFolder m_prices{m_folder.filePath(QStringLiteral("prices"))};
    FakeProvider m_provider;
    std::unique_ptr<CCatalogApp> m_app;
    CMainFrame* m_frame = nullptr;
    CCatalogView* m_view = nullptr;
    FileCommands* m_commands = nullptr;
};

QStringList Texts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

TEST_F(FileCommandsTest, OpenedListsAreRememberedNewestFirstEachOnce)
{
    Start({});
    const std::string a = MakeList(QStringLiteral("a.lst"), 2);
    const std::string b = MakeList(QStringLiteral("b.lst"), 3);
    m_commands->SetOpenChooser([&] { return QFile::decodeName(a.c_str()); });
    m_commands->openAction()->trigger();
    Built();
    EXPECT_EQ(m_view->listFile(), a);
    EXPECT_EQ(m_view->model().items().size(), 2u);
    EXPECT_TRUE(m_commands->OpenList(b));
    EXPECT_TRUE(m_commands->OpenList(a));
    Built();
    EXPECT_EQ(m_commands->recentFiles(), (std::vector<std::string>{a, b}));

    const SettingsStore settings(m_folder.iniFile());
    EXPECT_EQ(settings.ReadText("Recent", "File1", ""), a);
    EXPECT_EQ(settings.ReadText("Recent", "File2", ""), b);
    EXPECT_EQ(settings.ReadText("Recent", "File3", ""), "");

    // The next start offers them in the File menu, above its last item.
    Start({});
    const QStringList texts = Texts(m_frame->menuBar()->actions().value(0)->menu());
    const QString shownA = QStringLiteral("&1 ") + QFile::decodeName(a.c_str());
    const QString shownB = QStringLiteral("&2 ") + QFile::decodeName(b.c_str());
    EXPECT_EQ(texts, (QStringList{"新規一覧", "開く(&O)...", "新しいタブで開く(&T)...",
                                  "タブを閉じる(&W)", "フォルダを開く…", "再読み込み(&R)",
                                  "エクスポート(&E)...", "名前を付けて保存…",
                                  "表示中の銘柄を一覧として保存…", "-",
                                  "設定", "-", shownA, shownB, "-", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}));
    m_commands->recentActions().value(1)->trigger();
    Built();
    EXPECT_EQ(m_view->listFile(), b);
    EXPECT_EQ(m_commands->recentFiles(), (std::vector<std::string>{b, a}));
}

TEST_F(FileCommandsTest, ARecentListThatIsGoneIsReportedAndForgotten)
{
    Start({});
    const std::string a = MakeList(QStringLiteral("a.lst"), 1);
    ASSERT_TRUE(m_commands->OpenList(a));
    Built();
    ASSERT_TRUE(QFile::remove(QFile::decodeName(a.c_str())));
    QStringList messages;
    SetMessageBoxHandler([&](const QString& text) { messages << text; });
    m_commands->recentActions().value(0)->trigger();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QFile::decodeName(a.c_str())));
    EXPECT_TRUE(m_commands->recentFiles().empty());
    EXPECT_TRUE(m_commands->recentActions().isEmpty());
    EXPECT_EQ(m_view->model().items().size(), 1u) << "what is shown stays";
}

TEST_F(FileCommandsTest, DroppingAListFileOnTheWindowOpensIt)
{
    Start({});
    const std::string a = MakeList(QStringLiteral("dropped.lst"), 4);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QFile::decodeName(a.c_str()))});
    const QPoint centre = m_frame->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(centre, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_frame, &drop);
    Built();
    EXPECT_EQ(m_view->listFile(), a);
    EXPECT_EQ(m_view->model().items().size(), 4u);
}

TEST_F(FileCommandsTest, WithoutAListTheGridSaysHowToOpenOne)
{
    Start({});
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_view->model().isLoaded(); }, kWaitMs));
    const auto hintPixels = [](const QImage& shot) {
        int count = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x)
                count += (shot.pixel(x, y) & 0xffffff) == (kEmptyHintRgb & 0xffffff);
        }
        return count;
    };
    const QImage empty = m_view->viewport()->grab().toImage();
    EXPECT_GT(hintPixels(empty), 50);
    EXPECT_EQ(empty.pixel(2, 2) & 0xffffff, 0u) << "black around it";
    EXPECT_EQ(hintPixels(empty.copy(0, 0, empty.width(), empty.height() / 4)), 0)
        << "in the middle, not at the top";
    ASSERT_TRUE(m_commands->OpenList(MakeList(QStringLiteral("a.lst"), 1)));
    Built();
    EXPECT_EQ(hintPixels(m_view->viewport()->grab().toImage()), 0);
}

TEST_F(FileCommandsTest, AutoReloadIsOnByDefaultAndRemembered)
{
    Start({});
    EXPECT_TRUE(m_commands->autoReloadAction()->isCheckable());
    EXPECT_TRUE(m_commands->autoReloadAction()->isChecked());
    EXPECT_TRUE(m_commands->watcher().isEnabled());
    m_commands->autoReloadAction()->trigger();
    EXPECT_FALSE(m_commands->watcher().isEnabled());
    EXPECT_EQ(SettingsStore(m_folder.iniFile()).ReadInt("View", "AutoReload", 1), 0);
    Start({});
    EXPECT_FALSE(m_commands->autoReloadAction()->isChecked());
    EXPECT_FALSE(m_commands->watcher().isEnabled());
}

TEST_F(FileCommandsTest, TheWindowComesBackWhereItWasLeftWhenItFits)
{
    Start({});
    m_frame->setGeometry(QRect(40, 50, 520, 410));
    m_frame->close();
    Start({});
    EXPECT_EQ(m_frame->geometry(), QRect(40, 50, 520, 410));

    // Left on a screen that is gone: the size comes back, not the place.
    SettingsStore settings(m_folder.iniFile());
    settings.WriteText("Window", "Left", "9000");
    Start({});
    EXPECT_EQ(m_frame->size(), QSize(520, 410));
    EXPECT_NE(m_frame->geometry().left(), 9000);

    settings.WriteText("Window", "Left", "40");
    settings.WriteText("Window", "Maximized", "1");
    Start({});
    EXPECT_TRUE(m_frame->isMaximized());

    // Saved at another display scale, larger than this screen: shown within it, and kept as
    // saved for a scale with room unless the user resizes it here.
    settings.WriteText("Window", "Maximized", "0");
    settings.WriteText("Window", "Width", "5000");
    settings.WriteText("Window", "Height", "3000");
    Start({});
    const QSize available = QGuiApplication::primaryScreen()->availableSize();
    EXPECT_EQ(m_frame->size(), QSize(5000, 3000).boundedTo(available));
    m_frame->close();
    EXPECT_EQ(settings.ReadInt("Window", "Width", 0), 5000);
    EXPECT_EQ(settings.ReadInt("Window", "Height", 0), 3000);
    Start({});
    m_frame->resize(400, 300);
    m_frame->close();
    EXPECT_EQ(settings.ReadInt("Window", "Width", 0), 400);
    EXPECT_EQ(settings.ReadInt("Window", "Height", 0), 300);
}

TEST_F(FileCommandsTest, ABurstOfChangesGivesOneReloadOfEveryChangedSecurity)
{
    // More price files than are watched one by one: their folder is watched.
    constexpr int kCount = 80;
    Start({MakeList(QStringLiteral("long.lst"), kCount)});
    Watching();
    TakeLoaded();
    const int before = m_commands->reloadCount();
    // A vendor rewrites every file in place.
    for (int i = 0; i < kCount; ++i)
        ASSERT_TRUE(m_prices.Write("s" + std::to_string(i), std::to_string(300 + i) + "\n",
                                   kOld - 10));
    WaitForReloads(before + 1);
    Built();
    QTest::qWait(CatalogWatcher::kQuietMs * 2);
    EXPECT_EQ(m_commands->reloadCount(), before + 1);
    EXPECT_EQ(TakeLoaded().size(), std::size_t(kCount));
    EXPECT_EQ(Shown(0), PriceColour(300).rgb());
    EXPECT_EQ(Shown(kCount - 1), PriceColour(300 + kCount - 1).rgb());
}

TEST_F(FileCommandsTest, AFileSeenBeingWrittenIsReadAgainOnceItHasSettled)
{
    Start({MakeList(QStringLiteral("short.lst"), 3)});
    Watching();
    const int before = m_commands->reloadCount();
    ASSERT_TRUE(m_prices.Write("s1", "150\n13", kOld - 10));
    WaitForReloads(before + 1);
    Built();
    EXPECT_EQ(Shown(1), PriceColour(101).rgb());
    // No further change: the settle delay reads it again.
    WaitForReloads(before + 2);
    Built();
    ASSERT_TRUE(m_prices.Write("s1", "150\n130\n", kOld - 20));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown(1) == PriceColour(130).rgb(); }, kWaitMs));
}

TEST_F(FileCommandsTest, ExportFromTheMenuWritesEverySecurityAndKeepsOthersFiles)
{
    Start({MakeList(QStringLiteral("a.lst"), 5)});
    const std::string pdf = QFile::encodeName(m_folder.filePath("a.pdf")).toStdString();
    EXPECT_EQ(m_commands->ExportTo(pdf).status, ExportStatus::Done);
    EXPECT_TRUE(IsExportedFile(ExportKind::Pdf, pdf));
    EXPECT_EQ(m_commands->ExportTo(pdf).written, 5) << "its own export is replaced";

    const QString foreign = m_folder.filePath(QStringLiteral("mine.png"));
    ASSERT_TRUE(WriteFileBytes(foreign, "not an export"));
    QStringList messages;
    SetMessageBoxHandler([&](const QString& text) { messages << text; });
    EXPECT_EQ(m_commands->ExportTo(QFile::encodeName(foreign).toStdString()).status,
              ExportStatus::Refused);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], FileTexts::kExportNotOverwritable.arg(foreign));
    EXPECT_EQ(ReadFileBytes(foreign), QByteArray("not an export"));
    // Once the save dialog has asked, the user's answer replaces it.
    EXPECT_EQ(m_commands->ExportTo(QFile::encodeName(foreign).toStdString(), true).status,
              ExportStatus::Done);
    EXPECT_TRUE(IsExportedFile(ExportKind::PngSheet, QFile::encodeName(foreign).data()));
    // The view's own cells are wanted again afterwards.
    EXPECT_TRUE(m_view->model().builder().WaitUntilBuilt());
}

// F5 (or another list) while an export runs waits for the export: the export writes every
// security of the list as it was when it started, and its count has separators.
TEST_F(FileCommandsTest, AReloadDuringAnExportDoesNotDisturbIt)
{
    const std::string list = MakeList(QStringLiteral("a.lst"), 1000);
    Start({list});
    QTimer::singleShot(0, m_commands, [&] {
        ASSERT_TRUE(WriteFileBytes(QFile::decodeName(list.c_str()), "1,x,only,Only\n"));
        m_commands->reloadAction()->trigger();
        EXPECT_FALSE(m_commands->OpenList(list));
    });
    const QString folder = m_folder.filePath(QStringLiteral("out"));
    const ExportOutcome outcome =
        m_commands->ExportTo(QFile::encodeName(folder).toStdString() + "/");
    EXPECT_EQ(outcome.status, ExportStatus::Done) << outcome.message.toStdString();
    EXPECT_EQ(outcome.written, 1000);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1000);
    EXPECT_EQ(QImage(folder + QStringLiteral("/1000_s999.png")).pixel(50, 48),
              PriceColour(1099).rgb());
    EXPECT_TRUE(m_frame->statusBar()->currentMessage().startsWith(QStringLiteral("1,000 件")))
        << m_frame->statusBar()->currentMessage().toStdString();
    // Afterwards the reload is the user's again.
    m_commands->OnReload();
    EXPECT_EQ(m_view->model().items().size(), 1u);
}

// A list given as a pipe (mosgrid <(cat list)) is read once: F5 says it cannot read it
// again and the catalog stays, instead of waiting for a writer or emptying the grid.
TEST_F(FileCommandsTest, AStreamIsReadOnceAndNeverAgain)
{
    const std::string list = MakeList(QStringLiteral("a.lst"), 3);
    const QByteArray bytes = ReadFileBytes(QFile::decodeName(list.c_str()));
    const std::string fifo = QFile::encodeName(m_folder.filePath("pipe.lst")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto writeOnce = [&fifo](QByteArray text) {
        const int fd = ::open(fifo.c_str(), O_WRONLY);
        if (fd >= 0) {
            EXPECT_EQ(::write(fd, text.constData(), std::size_t(text.size())), text.size());
            ::close(fd);
        }
    };
    std::thread writer(writeOnce, bytes);
    Start({fifo});
    writer.join();
    ASSERT_EQ(m_view->model().items().size(), 3u);

    // Should the reload read the pipe after all, a late writer ends its wait with nothing.
    std::thread late([&] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    m_commands->OnReload();
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), FileTexts::kStatusStreamNotReread);
    EXPECT_EQ(m_view->model().items().size(), 3u);
    late.join();
}

// F5 on a list too large to read at once: the window goes on while a worker reads it, the
// status says so, and the reload ends (status, watch, signal) only once it is applied.
TEST_F(FileCommandsTest, ALargeListIsReloadedWithoutHoldingTheWindow)
{
    const std::string list = MakeList(QStringLiteral("a.lst"), 3);
    Start({list});
    ASSERT_EQ(m_view->model().items().size(), 3u);
    QByteArray bytes = ReadFileBytes(QFile::decodeName(list.c_str()));
    bytes += "1,x,pad," + QByteArray(AsyncListLoader::kQuickReadBytes, 'x') + "\n";
    ASSERT_TRUE(WriteFileBytes(QFile::decodeName(list.c_str()), bytes));
    QSignalSpy reloaded(m_commands, &FileCommands::reloaded);
    m_commands->OnReload();
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), FileTexts::kStatusReloading);
    EXPECT_TRUE(reloaded.isEmpty());
    EXPECT_EQ(m_view->model().items().size(), 3u);
    ASSERT_TRUE(reloaded.wait(20000));
    EXPECT_EQ(m_frame->statusBar()->currentMessage(), FileTexts::kStatusReloaded);
    EXPECT_EQ(m_view->model().items().size(), 4u);
}

// The grid behind an export goes on showing its cells, however small the store's budget.
TEST_F(FileCommandsTest, TheGridKeepsItsCellsDuringAnExport)
{
    Start({MakeList(QStringLiteral("a.lst"), 400)});
    constexpr std::uint64_t kRoomForSixty = 60 * 100 * 50 * 4;
    m_view->model().SetThumbnailMemoryBudget(kRoomForSixty);
    bool shown = true;
    int looks = 0;
    QTimer look;
    look.setInterval(0);
    QObject::connect(&look, &QTimer::timeout, [&] {
        ++looks;
        shown = shown && m_view->model().store().StateOf(0) == ThumbnailStore::State::Ready;
    });
    look.start();
    const QString folder = m_folder.filePath(QStringLiteral("out"));
    EXPECT_EQ(m_commands->ExportTo(QFile::encodeName(folder).toStdString() + "/").status,
              ExportStatus::Done);
    look.stop();
    EXPECT_GT(looks, 5);
    EXPECT_TRUE(shown);
}

} // namespace
