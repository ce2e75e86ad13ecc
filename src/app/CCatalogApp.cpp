#include "app/CCatalogApp.h"

#include "app/CAboutBox.h"
#include "app/CCatalogCommandLineInfo.h"
#include "app/CMainFrame.h"
#include "app/TabCommands.h"
#include "app/DisplayChoice.h"
#include "app/CommandLineExport.h"
#include "app/ListOpenCheck.h"
#include "app/PrintTarget.h"
#include "app/QtTranslations.h"
#include "base/AppTexts.h"
#include "base/DialogLayout.h"
#include "base/FileTexts.h"
#include "base/MessageBox.h"
#include "catalog/CatalogListLoader.h"
#include "chart/PluginComponentProvider.h"
#include "settings/FlagStore.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsLocation.h"
#include "view/CCatalogView.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QPrinter>

#include <unistd.h>

#include <array>
#include <cassert>

// Resources compiled into a static library must be registered by hand, and outside any
// namespace.
static void InitResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace mosgrid {

namespace {

CCatalogApp* g_app = nullptr;

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;

std::string RunningExecutablePath()
{
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0)
        return {};
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

// The directory component of a path, ending in '/'.
std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return "./";
    return path.substr(0, slash + 1);
}

QIcon ApplicationIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/mosgrid-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

CCatalogApp::CCatalogApp(std::string executablePath)
    : m_executablePath(executablePath.empty() ? RunningExecutablePath()
                                              : std::move(executablePath))
{
    assert(g_app == nullptr && "one application object per process");
    InitResources();
    g_app = this;
    // The paths are fixed before anything else can ask for them.
    m_strExeDir = DirectoryOf(m_executablePath);
    // Beside the program while its folder can be written, else a per-user file that reads
    // the one beside the program until it is first written.
    const SettingsLocation location =
        SettingsLocation::Choose(m_strExeDir, SettingsLocation::CurrentEnvironment());
    m_strIniFile = location.iniFile();
    SettingsStore::SetSeedFile(m_strIniFile, location.seedFile());
}

CCatalogApp::~CCatalogApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CCatalogApp* CCatalogApp::instance()
{
    return g_app;
}

CCatalogApp& theApp()
{
    assert(g_app != nullptr);
    return *g_app;
}

bool CCatalogApp::InitInstance(const std::vector<std::string>& args)
{
    // The framework keeps its own values under this name; the program stores nothing there.
    QCoreApplication::setOrganizationName(AppTexts::kOrganization);
    QCoreApplication::setApplicationName(AppTexts::kAppName);
    InstallFontSubstitutes();
    // Without the catalogue Qt's dialogs simply stay in English.
    InstallQtTranslations();
    // Only this program writes the file in the normal course; a hand edit is seen within the
    // interval, and a rebuild's burst of reads need not stat the file each time.
    SettingsStore::SetRecheckInterval(SettingsStore::kRecheckInterval);
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(ApplicationIcon());

    std::vector<std::string> params = args;
    const ExportOptions exportOptions = TakeExportOptions(params);
    CCatalogCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo, params);
    // Printing and exporting show no window, nor does a platform without a screen: a box
    // there would wait for ever, so messages go to standard error.
    const bool printing = cmdInfo.m_nShellCommand == CCatalogCommandLineInfo::FilePrint
        || cmdInfo.m_nShellCommand == CCatalogCommandLineInfo::FilePrintTo;
    SetMessagesToStandardError(printing || exportOptions.requested
                               || IsScreenlessPlatform(QGuiApplication::platformName()));
    // Before the view exists, so the load once it is shown finds the path.
    m_strListFile = cmdInfo.m_strFileName;
    if (exportOptions.requested)
        return ExportFromCommandLine(exportOptions);

    if (!ProcessShellCommand(cmdInfo))
        return false;

    m_pMainFrame->show();
    return true;
}

bool CCatalogApp::ProcessShellCommand(const CCatalogCommandLineInfo& info)
{
    m_pComponents = std::make_unique<PluginComponentProvider>(m_strExeDir);
    m_pMainFrame = std::make_unique<CMainFrame>(
        ProgramPaths{m_strExeDir, m_strIniFile, FlagStore::CurrentDefaultFile()},
        m_pComponents.get());
    if (m_pMainFrame->OnCreate() != 0) {
        m_nExitCode = kExitFailure;
        return false;
    }
    // The view reads the list once it is shown (a print reads it first).
    m_pMainFrame->GetCatalogView()->SetListFile(m_strListFile, m_bRemoveListFile);
    // Without a list the tabs of the last session come back (none kept: as always).
    if (m_strListFile.empty())
        m_pMainFrame->tabCommands()->Restore();

    switch (info.m_nShellCommand) {
    // There is no DDE here: a "dde" start opens the window like a plain start.
    case CCatalogCommandLineInfo::FileNew:
    case CCatalogCommandLineInfo::FileDDE:
        return true;
    case CCatalogCommandLineInfo::FileOpen:
        if (!ConfirmListOpens(info.m_strFileName)) {
            m_nExitCode = kExitFailure;
            return false;
        }
        return true;
    case CCatalogCommandLineInfo::FilePrint:
    case CCatalogCommandLineInfo::FilePrintTo:
        if (!ConfirmListOpens(info.m_strFileName)) {
            m_nExitCode = kExitFailure;
            return false;
        }
        // The program ends after printing, without showing its window. Under /rm the list
        // goes only once it has been printed.
        m_pMainFrame->GetCatalogView()->SetListFile(m_strListFile, false);
        m_nExitCode = PrintDocument(info) ? kExitSuccess : kExitFailure;
        if (m_nExitCode == kExitSuccess && m_bRemoveListFile
            && !RemoveListFile(m_strListFile)) {
            ShowMessageBox(FileTexts::kListNotRemoved.arg(
                QFile::decodeName(QByteArray::fromStdString(m_strListFile))));
            m_nExitCode = kExitFailure;
        }
        return false;
    }
    return false;
}

bool CCatalogApp::PrintDocument(const CCatalogCommandLineInfo& info)
{
    QString error;
    const std::unique_ptr<QPrinter> printer = CreatePrintTarget(info, &error);
    if (!printer) {
        ShowMessageBox(error);
        return false;
    }
    CCatalogView* view = m_pMainFrame->GetCatalogView();
    if (view == nullptr || !LoadForPrinting(*view, info.m_strFileName))
        return false;
    // The window is laid out as it would be shown, but never put on the screen: the page shows
    // the grid as the client area would.
    m_pMainFrame->setAttribute(Qt::WA_DontShowOnScreen);
    m_pMainFrame->show();
    const bool printed = view->PrintPage(*printer);
    m_pMainFrame->hide();
    if (!printed)
        ShowMessageBox(AppTexts::kPrintFailed);
    return printed;
}

bool CCatalogApp::LoadForPrinting(CCatalogView& view, const std::string& path)
{
    // Read before the page is begun: what cannot be printed whole makes no page.
    if (!view.model().isLoaded())
        view.LoadList();
    const QString shown = QFile::decodeName(QByteArray::fromStdString(path));
    if (!view.model().loadOutcome().opened) {
        ShowMessageBox(AppTexts::kOpenFailed.arg(shown));
        return false;
    }
    if (!view.model().loadOutcome().complete) {
        ShowMessageBox(AppTexts::kReadFailed.arg(shown));
        return false;
    }
    // A missing component has been told by the rebuild; no thumbnail could be made.
    return view.model().components() == ThumbnailBuilder::Components::Ready;
}

bool CCatalogApp::ExportFromCommandLine(const ExportOptions& options)
{
    // No window: the list is exported and the program ends.
    m_pComponents = std::make_unique<PluginComponentProvider>(m_strExeDir);
    const ProgramPaths paths{m_strExeDir, m_strIniFile, FlagStore::CurrentDefaultFile()};
    m_nExitCode = RunCommandLineExport(options, m_strListFile, m_bRemoveListFile, paths,
                                       m_pComponents.get(), ReportOnStandardError);
    return false;
}

void CCatalogApp::OnAppAbout()
{
    CAboutBox aboutBox(m_pMainFrame.get(),
                       QFile::decodeName(QByteArray::fromStdString(m_strIniFile)));
    aboutBox.exec();
}

} // namespace mosgrid
