#include "app/CCatalogApp.h"
#include "app/CCatalogCommandLineInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mosgrid;

namespace {

using Cmd = CCatalogCommandLineInfo;

struct ParseCase {
    const char* name;
    std::vector<std::string> args;
    Cmd::ShellCommand shell;
    std::string file;
    bool remove;
    std::string printer = {};
    std::string driver = {};
    std::string port = {};
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.name;
}

class CommandLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineTest, ParsesLikeTheFramework)
{
    const ParseCase& c = GetParam();
    CCatalogApp app("/opt/mosgrid/mosgrid");
    Cmd info;
    ParseCommandLine(info, c.args);

    EXPECT_EQ(info.m_nShellCommand, c.shell);
    EXPECT_EQ(info.m_strFileName, c.file);
    EXPECT_EQ(app.m_bRemoveListFile, c.remove);
    EXPECT_EQ(info.m_strPrinterName, c.printer);
    EXPECT_EQ(info.m_strDriverName, c.driver);
    EXPECT_EQ(info.m_strPortName, c.port);
}

// The look-ahead made before anything exists agrees with the parse itself.
TEST_P(CommandLineTest, AsksForPrintingExactlyWhenTheParsePrints)
{
    const ParseCase& c = GetParam();
    EXPECT_EQ(AsksForPrinting(c.args), c.shell == Cmd::FilePrint || c.shell == Cmd::FilePrintTo);
}

const ParseCase kCases[] = {
    {"NoParameters", {}, Cmd::FileNew, "", false},
    {"PathAlone", {"list.txt"}, Cmd::FileOpen, "list.txt", false},
    {"PathThenRemove", {"list.txt", "/rm"}, Cmd::FileOpen, "list.txt", true},
    {"RemoveThenPath", {"/rm", "list.txt"}, Cmd::FileOpen, "list.txt", true},
    {"HyphenRemove", {"-rm", "list.txt"}, Cmd::FileOpen, "list.txt", true},
    {"UpperCaseRemoveIgnored", {"/RM", "list.txt"}, Cmd::FileOpen, "list.txt", false},
    {"MixedCaseRemoveIgnored", {"/Rm"}, Cmd::FileNew, "", false},
    {"RemoveAlone", {"/rm"}, Cmd::FileNew, "", true},
    {"TwoPlainParameters", {"a.txt", "b.txt"}, Cmd::FileOpen, "a.txt", false},
    {"PrintToWithFiveParameters",
     {"/pt", "list.txt", "printer", "driver", "port", "fifth"},
     Cmd::FilePrintTo, "list.txt", false, "printer", "driver", "port"},
    {"PrintToFlagLast", {"list.txt", "/pt"}, Cmd::FilePrintTo, "list.txt", false},
    {"Print", {"/p", "list.txt"}, Cmd::FilePrint, "list.txt", false},
    {"PrintWithExtraParameterIgnored", {"-p", "list.txt", "printer"}, Cmd::FilePrint,
     "list.txt", false},
    {"EmbeddingIgnored", {"/Embedding", "list.txt"}, Cmd::FileOpen, "list.txt", false},
    {"AutomationIgnored", {"-Automation", "list.txt"}, Cmd::FileOpen, "list.txt", false},
    {"Dde", {"/dde"}, Cmd::FileDDE, "", false},
    {"DdeWithFileStaysDde", {"/dde", "list.txt"}, Cmd::FileDDE, "list.txt", false},
    {"UnknownFlagIgnored", {"/x", "list.txt"}, Cmd::FileOpen, "list.txt", false},
    {"UnknownFlagNeverTheFile", {"/x"}, Cmd::FileNew, "", false},
    {"AbsolutePathIsNoFlag", {"/home/user/list.txt"}, Cmd::FileOpen, "/home/user/list.txt",
     false},
    {"RootFileWithDoubleSlash", {"//list.txt"}, Cmd::FileOpen, "//list.txt", false},
    {"LoneSlashIsAnEmptyFlag", {"/"}, Cmd::FileNew, "", false},
    {"PathWithBlanks", {"/tmp/my list.txt", "/rm"}, Cmd::FileOpen, "/tmp/my list.txt", true},
    {"PrintThenDde", {"/p", "list.txt", "/dde"}, Cmd::FileDDE, "list.txt", false},
    {"DdeThenPrint", {"/dde", "-p", "list.txt"}, Cmd::FilePrint, "list.txt", false},
    {"PrintToThenPrint", {"-pt", "-p", "l"}, Cmd::FilePrint, "l", false},
    {"PrintPathIsNoFlag", {"/tmp/p", "/home/pt"}, Cmd::FileOpen, "/tmp/p", false},
};

INSTANTIATE_TEST_SUITE_P(Table, CommandLineTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CatalogAppPaths, ExecutableDirectoryEndsInSeparatorAndSettingsFileSitsInIt)
{
    CCatalogApp app("/opt/Apps/Catalog/mosgrid");
    EXPECT_EQ(app.m_strExeDir, "/opt/Apps/Catalog/");
    // That folder does not exist, so it cannot be written: the settings file is the per-user
    // one (ReadOnlyProgramFolderTest); in a folder that can be written it sits beside the
    // program (WritableProgramFolder).
    EXPECT_TRUE(app.m_strIniFile.ends_with("/mosgrid/mosgrid.ini")) << app.m_strIniFile;
    EXPECT_TRUE(app.m_strListFile.empty());
    EXPECT_FALSE(app.m_bRemoveListFile);
    EXPECT_EQ(CCatalogApp::instance(), &app);
}

TEST(CatalogAppPaths, RunningExecutableIsUsedWhenNoneIsGiven)
{
    CCatalogApp app;
    ASSERT_FALSE(app.m_strExeDir.empty());
    EXPECT_EQ(app.m_strExeDir.front(), '/');
    EXPECT_EQ(app.m_strExeDir.back(), '/');
}

} // namespace
