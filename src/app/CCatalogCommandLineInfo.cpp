#include "app/CCatalogCommandLineInfo.h"

#include "app/CCatalogApp.h"

namespace mosgrid {

namespace {

bool IsFlag(const std::string& param)
{
    if (param.empty())
        return false;
    if (param.front() == '-')
        return true;
    return param.front() == '/' && param.find('/', 1) == std::string::npos;
}

} // namespace

void CCatalogCommandLineInfo::ParseParam(const std::string& param, bool bFlag, bool bLast)
{
    if (bFlag) {
        // First match wins; the comparison is exact and case-sensitive. Other flags (such as
        // "Embedding" and "Automation", which another program may pass) are ignored.
        if (param == "rm") {
            if (CCatalogApp* app = CCatalogApp::instance())
                app->m_bRemoveListFile = true;
        } else if (param == "pt") {
            m_nShellCommand = FilePrintTo;
        } else if (param == "p") {
            m_nShellCommand = FilePrint;
        } else if (param == "dde") {
            m_nShellCommand = FileDDE;
        }
    } else if (m_strFileName.empty()) {
        m_strFileName = param;
    } else if (m_nShellCommand == FilePrintTo) {
        if (m_strPrinterName.empty())
            m_strPrinterName = param;
        else if (m_strDriverName.empty())
            m_strDriverName = param;
        else if (m_strPortName.empty())
            m_strPortName = param;
    }

    if (bLast && m_nShellCommand == FileNew && !m_strFileName.empty())
        m_nShellCommand = FileOpen;
}

bool AsksForPrinting(const std::vector<std::string>& args)
{
    // The shell command as ParseParam sets it: only these three flags change it.
    auto command = CCatalogCommandLineInfo::FileNew;
    for (const std::string& arg : args) {
        if (!IsFlag(arg))
            continue;
        const std::string flag = arg.substr(1);
        if (flag == "pt")
            command = CCatalogCommandLineInfo::FilePrintTo;
        else if (flag == "p")
            command = CCatalogCommandLineInfo::FilePrint;
        else if (flag == "dde")
            command = CCatalogCommandLineInfo::FileDDE;
    }
    return command == CCatalogCommandLineInfo::FilePrint
        || command == CCatalogCommandLineInfo::FilePrintTo;
}

void ParseCommandLine(CCatalogCommandLineInfo& info, const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool flag = IsFlag(arg);
        info.ParseParam(flag ? arg.substr(1) : arg, flag, i + 1 == args.size());
    }
}

} // namespace mosgrid
