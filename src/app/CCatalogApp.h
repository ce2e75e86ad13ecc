#pragma once

#include <memory>
#include <string>
#include <vector>

namespace mosgrid {

class CMainFrame;
class PluginComponentProvider;
class CCatalogCommandLineInfo;
class CCatalogView;
struct ExportOptions;

// The one application object: start-up fixes its four values, nothing changes them later.
class CCatalogApp {
public:
    // executablePath: empty for the running executable (/proc/self/exe); tests pass the
    // path of a program inside a copied program folder.
    explicit CCatalogApp(std::string executablePath = {});
    ~CCatalogApp();
    CCatalogApp(const CCatalogApp&) = delete;
    CCatalogApp& operator=(const CCatalogApp&) = delete;

    // The application object of this process (null before one is constructed).
    static CCatalogApp* instance();

    // Start-up with argv[1..]. False: the program ends (see exitCode()).
    bool InitInstance(const std::vector<std::string>& args);
    // The process exit status when InitInstance returned false or after printing.
    int exitCode() const { return m_nExitCode; }

    void OnAppAbout();

    CMainFrame* mainFrame() const { return m_pMainFrame.get(); }

    std::string m_strListFile;
    bool m_bRemoveListFile = false;
    std::string m_strIniFile;
    std::string m_strExeDir;

private:
    bool ProcessShellCommand(const CCatalogCommandLineInfo& info);
    bool PrintDocument(const CCatalogCommandLineInfo& info);
    // Loads the list for the page; false (after saying why) when it cannot be printed whole.
    bool LoadForPrinting(CCatalogView& view, const std::string& path);
    bool ExportFromCommandLine(const ExportOptions& options);

    std::string m_executablePath;
    std::unique_ptr<PluginComponentProvider> m_pComponents;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    int m_nExitCode = 0;
};

// The application object, for code that runs after start-up.
CCatalogApp& theApp();

} // namespace mosgrid
