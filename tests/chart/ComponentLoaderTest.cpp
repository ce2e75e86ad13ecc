#include "chart/ChartHost.h"
#include "chart/ComponentLoader.h"

#include "app/CCatalogApp.h"
#include "base/MessageBox.h"
#include "catalog/CatalogItem.h"
#include "chart/PluginComponentProvider.h"
#include "support/TestFolders.h"
#include "view/CCatalogView.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <random>

using namespace mosgrid;

namespace {

enum class Content {
    DataLibrary,
    ChartControl,
    WrongInterface,
    Unloadable,   // right metadata, but needs a library that is not there
    RandomBytes,
    Truncated,    // cut inside its code: the metadata check refuses it
};

// Long enough to hold the headers, too short to hold the code of any build.
constexpr qsizetype kTruncatedSize = 8192;

QString PluginPath(Content content)
{
    switch (content) {
    case Content::DataLibrary:
        return QStringLiteral(TEST_DATALIB_PLUGIN);
    case Content::ChartControl:
        return QStringLiteral(TEST_CHARTCTRL_PLUGIN);
    case Content::WrongInterface:
        return QStringLiteral(TEST_WRONGINTERFACE_PLUGIN);
    case Content::Unloadable:
        return QStringLiteral(TEST_UNLOADABLE_PLUGIN);
    default:
        return {};
    }
}

QByteArray RandomBytes(std::size_t count)
{
    std::mt19937 generator(20240105);
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i)
        bytes.append(static_cast<char>(generator() & 0xff));
    return bytes;
}

void Place(const QString& folder, const QString& name, Content content)
{
    const QString target = folder + '/' + name;
    QByteArray bytes;
    if (content == Content::RandomBytes) {
        bytes = RandomBytes(64 * 1024);
    } else if (content == Content::Truncated) {
        bytes = ReadFileBytes(PluginPath(Content::DataLibrary)).left(kTruncatedSize);
    } else {
        bytes = ReadFileBytes(PluginPath(content));
    }
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_TRUE(WriteFileBytes(target, bytes));
}

struct FolderFile {
    const char* name;
    Content content;
};

struct LoaderCase {
    const char* name;
    std::vector<FolderFile> files;
    const char* progId;
    bool found;
};

} // namespace

class ComponentLoaderTest : public ::testing::TestWithParam<LoaderCase> {};

TEST_P(ComponentLoaderTest, FindsTheDataLibraryByNameOnly)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const FolderFile& file : GetParam().files)
        Place(folder.path(), QLatin1String(file.name), file.content);

    ComponentLoader loader(folder.path());
    auto* factory = loader.Load<quorex::IDataLibraryFactory>(QLatin1String(GetParam().progId));
    ASSERT_EQ(factory != nullptr, GetParam().found) << loader.errorString().toStdString();
    if (factory) {
        EXPECT_TRUE(loader.errorString().isEmpty());
        const auto library = factory->CreateDataLibrary();
        ASSERT_NE(library, nullptr);
        EXPECT_NE(library->LoadData("", "1", 0), nullptr);
    } else {
        EXPECT_FALSE(loader.errorString().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ComponentLoaderTest,
    ::testing::Values(
        LoaderCase{"Found", {{"libdata.so", Content::DataLibrary}}, "brasko.Automation", true},
        LoaderCase{"NameCaseIgnored", {{"libdata.so", Content::DataLibrary}},
                   "BRASKO.automation", true},
        LoaderCase{"OtherName", {{"libdata.so", Content::DataLibrary}}, "other.Automation",
                   false},
        LoaderCase{"EmptyFolder", {}, "brasko.Automation", false},
        LoaderCase{"OtherInterface", {{"libctrl.so", Content::ChartControl}},
                   "brasko.Automation", false},
        LoaderCase{"WrongInterface", {{"libwrong.so", Content::WrongInterface}},
                   "brasko.Automation", false},
        LoaderCase{"WrongInterfaceThenGood",
                   {{"liba.so", Content::WrongInterface}, {"libb.so", Content::DataLibrary}},
                   "brasko.Automation", true},
        LoaderCase{"RandomBytes", {{"libbroken.so", Content::RandomBytes}},
                   "brasko.Automation", false},
        LoaderCase{"RandomBytesThenGood",
                   {{"liba.so", Content::RandomBytes}, {"libb.so", Content::DataLibrary}},
                   "brasko.Automation", true},
        LoaderCase{"Unloadable", {{"libdata.so", Content::Unloadable}}, "brasko.Automation",
                   false},
        LoaderCase{"UnloadableThenGood",
                   {{"liba.so", Content::Unloadable}, {"libb.so", Content::DataLibrary}},
                   "brasko.Automation", true},
        LoaderCase{"Truncated", {{"libdata.so", Content::Truncated}}, "brasko.Automation",
                   false},
        LoaderCase{"NotNamedAsLibrary", {{"data.txt", Content::DataLibrary}},
                   "brasko.Automation", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComponentLoaderFolderTest, MissingFolderFindsNothing)
{
    ComponentLoader loader(QStringLiteral("/nonexistent/mosgrid/components"));
    EXPECT_EQ(loader.Load<quorex::IDataLibraryFactory>(QStringLiteral("brasko.Automation")),
              nullptr);
    EXPECT_FALSE(loader.errorString().isEmpty());
}

// The host with no provider of its own: the plugins of its program folder.
class PluginHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageBoxHandler([this](const QString& text) { m_messages.push_back(text); });
    }
    void TearDown() override
    {
        SetMessageBoxHandler([](const QString& text) {
            ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        });
    }
    void Install(Content content, const char* name)
    {
        Place(m_folder.filePath(QStringLiteral("components")), QLatin1String(name), content);
    }
    int CreateHostOnce()
    {
        ChartHost host(m_provider, m_folder.iniFile());
        const int result = host.CreateHost(64, 48);
        host.DestroyWindow();
        return result;
    }
    // A rebuild of a one-item catalog: the number of thumbnail slots it starts with.
    int RebuildOnce()
    {
        CCatalogView view(ProgramPaths{m_folder.exeDir(), m_folder.iniFile()}, &m_provider);
        {
        CatalogItemList one;
        one.push_back(std::make_unique<CatalogItem>());
        view.model().AdoptItems(std::move(one));
    }
        view.model().RebuildThumbnails();
        return view.model().store().size();
    }

    TestProgramFolder m_folder{{}, false};
    CCatalogApp m_app{m_folder.exeDir() + "mosgrid"};
    PluginComponentProvider m_provider{m_folder.exeDir()};
    std::vector<QString> m_messages;
};

TEST_F(PluginHostTest, MissingDataLibraryIsReportedOncePerRebuild)
{
    Install(Content::ChartControl, "libctrl.so");
    EXPECT_EQ(CreateHostOnce(), 0);
    EXPECT_TRUE(m_messages.empty()) << "the host itself says nothing";
    EXPECT_EQ(RebuildOnce(), 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], QStringLiteral("Can't Create brasko.DLL"));
    EXPECT_EQ(RebuildOnce(), 0);
    EXPECT_EQ(m_messages.size(), 2u);
}

TEST_F(PluginHostTest, BrokenDataLibraryIsReportedLikeAMissingOne)
{
    Install(Content::ChartControl, "libctrl.so");
    Install(Content::Unloadable, "libbrasko.so");
    Install(Content::Truncated, "libbrasko2.so");
    EXPECT_EQ(CreateHostOnce(), 0);
    EXPECT_EQ(RebuildOnce(), 0);
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(PluginHostTest, MissingControlIsReportedOncePerRebuildLikeTheDataLibrary)
{
    Install(Content::DataLibrary, "libdata.so");
    EXPECT_EQ(CreateHostOnce(), 0);
    EXPECT_TRUE(m_messages.empty()) << "the host itself says nothing";
    EXPECT_EQ(RebuildOnce(), 0);
    EXPECT_EQ(m_messages, std::vector<QString>{QStringLiteral("Can't Create Quorex.XQuorexCtrl")});
    EXPECT_EQ(RebuildOnce(), 0);
    EXPECT_EQ(m_messages.size(), 2u);
}

TEST_F(PluginHostTest, BothPluginsDrawTheItemsThatHaveData)
{
    Install(Content::ChartControl, "libctrl.so");
    Install(Content::DataLibrary, "libdata.so");
    ChartHost host(m_provider, m_folder.iniFile());
    ASSERT_EQ(host.CreateHost(64, 48), 1);
    QImage withData(64, 48, QImage::Format_RGB32);
    QImage withoutData(64, 48, QImage::Format_RGB32);
    CatalogItem item;
    item.m_strCode = "1";
    {
        QPainter painter(&withData);
        host.RenderItem(item);
        host.CaptureItem(painter, 0, 0, item);
    }
    item.m_strCode = "2";
    {
        QPainter painter(&withoutData);
        host.RenderItem(item);
        host.CaptureItem(painter, 0, 0, item);
    }
    EXPECT_EQ(host.DestroyWindow(), 1);
    EXPECT_EQ(withData.pixel(63, 47), qRgb(0, 255, 0));
    EXPECT_EQ(withoutData.pixel(63, 47), qRgb(255, 255, 255));
    EXPECT_TRUE(m_messages.empty());
}
