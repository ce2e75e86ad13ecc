#include "../view/FakeComponents.h"

#include "app/CAboutBox.h"
#include "app/CCatalogApp.h"
#include "app/CMainFrame.h"
#include "sheet/CPropGeneralSheet.h"
#include "support/TestFolders.h"
#include "view/CCatalogView.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>
#include <optional>

using namespace mosgrid;

namespace {

constexpr char kConfigVariable[] = "XDG_CONFIG_HOME";

// XDG_CONFIG_HOME set for a test's lifetime, then as it was.
class ScopedConfigHome {
public:
    explicit ScopedConfigHome(const QString& folder)
        : m_wasSet(qEnvironmentVariableIsSet(kConfigVariable))
        , m_previous(qgetenv(kConfigVariable))
    {
        qputenv(kConfigVariable, QFile::encodeName(folder));
    }
    ~ScopedConfigHome()
    {
        if (m_wasSet)
            qputenv(kConfigVariable, m_previous);
        else
            qunsetenv(kConfigVariable);
    }
    ScopedConfigHome(const ScopedConfigHome&) = delete;
    ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;

private:
    bool m_wasSet;
    QByteArray m_previous;
};

// An installed program: its folder cannot be written (mode 0555 holds root too), and the
// per-user settings live under a private XDG_CONFIG_HOME.
struct FolderRow {
    std::string name;
    std::optional<QByteArray> systemWide;  // mosgrid.ini beside the program
    QSize firstSize;                       // the thumbnails of the first start
};

void PrintTo(const FolderRow& row, std::ostream* out)
{
    *out << row.name;
}

class ReadOnlyProgramFolderTest : public ::testing::TestWithParam<FolderRow> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid() && m_config.isValid() && m_lists.isValid());
        m_list = m_lists.filePath(QStringLiteral("list.txt"));
        ASSERT_TRUE(WriteFileBytes(m_list, "1,s,a,A\n2,s,b,B\n"));
        if (GetParam().systemWide) {
            ASSERT_TRUE(WriteFileBytes(m_folder.filePath(QStringLiteral("mosgrid.ini")),
                                       *GetParam().systemWide));
        }
        m_configHome = std::make_unique<ScopedConfigHome>(m_config.path());
        ASSERT_EQ(::chmod(QFile::encodeName(m_folder.path()).constData(), 0555), 0);
    }

    void TearDown() override
    {
        ::chmod(QFile::encodeName(m_folder.path()).constData(), 0700);
        m_configHome.reset();
    }

    // Starts the program on the list with the fake components and waits for its thumbnails.
    std::unique_ptr<CCatalogApp> Start()
    {
        auto app = std::make_unique<CCatalogApp>(m_folder.exeDir() + "mosgrid");
        EXPECT_TRUE(app->InitInstance({m_list.toStdString()}));
        CCatalogView* view = app->mainFrame()->GetCatalogView();
        view->model().SetComponentProvider(&m_provider);
        view->model().builder().SetWorkerCount(1);
        view->LoadList();
        EXPECT_TRUE(view->model().builder().WaitUntilBuilt());
        return app;
    }

    static QSize FirstThumbnailSize(CCatalogApp& app)
    {
        return app.mainFrame()->GetCatalogView()->model().store().Image(0).size();
    }

    QString UserFile() const { return m_config.filePath(QStringLiteral("mosgrid/mosgrid.ini")); }
    QString BesideFile() const { return m_folder.filePath(QStringLiteral("mosgrid.ini")); }

    TestProgramFolder m_folder{QStringList{}, false};
    QTemporaryDir m_config;
    QTemporaryDir m_lists;
    QString m_list;
    std::unique_ptr<ScopedConfigHome> m_configHome;
    FakeProvider m_provider;
};

TEST_P(ReadOnlyProgramFolderTest, SettingsOkIsKeptAcrossARestart)
{
    {
        const std::unique_ptr<CCatalogApp> app = Start();
        EXPECT_EQ(app->m_strIniFile, QFile::encodeName(UserFile()).toStdString());
        EXPECT_EQ(FirstThumbnailSize(*app), GetParam().firstSize);
        QTimer::singleShot(0, [] {
            auto* sheet = qobject_cast<CPropGeneralSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            sheet->findChild<QLineEdit*>(QStringLiteral("1005"))->setText(QStringLiteral("200"));
            sheet->findChild<QLineEdit*>(QStringLiteral("1006"))->setText(QStringLiteral("100"));
            sheet->accept();
        });
        app->mainFrame()->OnSettings();
        ASSERT_TRUE(app->mainFrame()->GetCatalogView()->model().builder().WaitUntilBuilt());
        EXPECT_EQ(FirstThumbnailSize(*app), QSize(200, 100));
    }
    EXPECT_TRUE(QFile::exists(UserFile()));
    // The file beside the program is what it was (or still absent).
    if (GetParam().systemWide)
        EXPECT_EQ(ReadFileBytes(BesideFile()), *GetParam().systemWide);
    else
        EXPECT_FALSE(QFile::exists(BesideFile()));

    const std::unique_ptr<CCatalogApp> restarted = Start();
    EXPECT_EQ(FirstThumbnailSize(*restarted), QSize(200, 100));
}

TEST_P(ReadOnlyProgramFolderTest, AboutBoxNamesTheFileInUse)
{
    const std::unique_ptr<CCatalogApp> app = Start();
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<CAboutBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("settingsFile")))
            shown = label->toolTip();
        box->accept();
    });
    app->mainFrame()->aboutAction()->trigger();
    EXPECT_EQ(shown, UserFile());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadOnlyProgramFolderTest,
    ::testing::Values(FolderRow{"WithoutASettingsFile", std::nullopt, QSize(300, 180)},
                      FolderRow{"WithASystemWideFile",
                                QByteArray("[Chart]\r\nSizeX=250\r\nSizeY=120\r\n"),
                                QSize(250, 120)}),
    [](const ::testing::TestParamInfo<FolderRow>& info) { return info.param.name; });

TEST(WritableProgramFolder, SettingsStayBesideTheProgram)
{
    TestProgramFolder folder({}, false);
    QTemporaryDir config;
    const ScopedConfigHome configHome(config.path());
    CCatalogApp app(folder.exeDir() + "mosgrid");
    // The format "%s/mosgrid.ini" doubles the separator; the file system reads it as one.
    EXPECT_EQ(app.m_strIniFile, folder.exeDir() + "/mosgrid.ini");
    // The About box shows it with one.
    const QString single = QFile::decodeName(QByteArray::fromStdString(folder.exeDir()))
        + QStringLiteral("mosgrid.ini");
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<CAboutBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->findChild<QLabel*>(QStringLiteral("settingsFile"))->toolTip();
        box->accept();
    });
    app.OnAppAbout();
    EXPECT_EQ(shown, single);
}

TEST(AboutBoxSettingsFile, LongPathIsCutInTheMiddleAndShownWholeAsToolTip)
{
    const QString path = QStringLiteral("/home/user/") + QString(300, QLatin1Char('x'))
        + QStringLiteral("/mosgrid.ini");
    CAboutBox box(nullptr, path);
    auto* label = box.findChild<QLabel*>(QStringLiteral("settingsFile"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->toolTip(), path);
    EXPECT_TRUE(label->text().endsWith(QStringLiteral("mosgrid.ini")));
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
    EXPECT_LE(label->geometry().right(), box.width());
    // Below the copyright line, and not there without a path.
    EXPECT_LT(box.findChild<QLabel*>(QStringLiteral("copyright"))->geometry().bottom(),
              label->geometry().top());
    EXPECT_EQ(CAboutBox().findChild<QLabel*>(QStringLiteral("settingsFile")), nullptr);
}

} // namespace
