#pragma once

#include <string>
#include <vector>

namespace mosgrid {

// The command-line record: the framework's fields and the catalog's own parse of them.
class CCatalogCommandLineInfo {
public:
    enum ShellCommand {
        FileNew = 0,
        FileOpen = 1,
        FilePrint = 2,
        FilePrintTo = 3,
        FileDDE = 4,
    };

    virtual ~CCatalogCommandLineInfo() = default;

    // One parameter: flag without its leading '-' or '/', whether it was a flag, whether it
    // is the last parameter.
    virtual void ParseParam(const std::string& param, bool bFlag, bool bLast);

    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;
    std::string m_strPrinterName;
    std::string m_strDriverName;
    std::string m_strPortName;
};

// Feeds argv[1..] (already split and unquoted by the shell) to ParseParam in order.
// A parameter beginning with '-' is a flag; one beginning with '/' is a flag only when it holds
// no other '/', so absolute paths stay paths ("//list.txt" names a file at the root).
void ParseCommandLine(CCatalogCommandLineInfo& info, const std::vector<std::string>& args);

// Whether the parse of args would end with a print command (the flags p and pt, unless a
// later dde replaces them), which shows no window. Changes nothing, so it can run before
// anything else exists.
bool AsksForPrinting(const std::vector<std::string>& args);

} // namespace mosgrid
