#include "DataLibTestSupport.h"

#include "DataLibrary.h"
#include "PriceFile.h"
#include "support/TestFolders.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using quorex::DataProblem;

// How the source of a case is laid out in its folder.
enum class Layout {
    FileItself,        // source: the price file
    InFolder,          // source: the folder holding <code>.csv
    MissingFolder,     // source: a folder that does not exist
    EmptySource,       // source: ""
    NulInSource,       // source: the folder, with a NUL after it
    NulInCode,         // code: with a NUL inside
    BrokenLink,        // source: a symbolic link to nothing
    OtherExtension,    // the folder holds <code>.TXT only
    FifoItself,        // source: a FIFO
    FifoInFolder,      // <code>.csv is a FIFO
    OverSizeLimit,     // the file is one byte over the limit (sparse)
    FolderNamedCsv,    // <code>.csv is a folder, <code>.txt the price file
    AbsoluteCode,      // code: an absolute path, less ".csv", of a file elsewhere
    AbsoluteCodeNoSource, // the same, the source a folder that does not exist
};

// The name of the file a layout's series comes from ("": none).
std::string OriginName(Layout layout)
{
    switch (layout) {
    case Layout::FileItself:
    case Layout::InFolder:
    case Layout::OverSizeLimit:
        return "7203.csv";
    case Layout::FolderNamedCsv:
        return "7203.txt";
    case Layout::AbsoluteCode:
        return "elsewhere.csv";
    default:
        return "";
    }
}

struct ProblemCase {
    const char* name;
    Layout layout;
    std::string bytes; // of the price file, where there is one
    DataProblem problem;
};

std::string RandomBytes(std::size_t size)
{
    std::mt19937 random(1234);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = char(random() & 0xFF);
    return bytes;
}

std::string Lines(const std::string& line, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line + "\n";
    return text;
}

const std::string kGood = "Date,Close\n2024-01-04,105\n2024-01-05,111\n";

class DataLibProblems
    : public ::testing::TestWithParam<std::tuple<ProblemCase, std::size_t>> {
protected:
    // The source and code for the case, its files made.
    std::pair<std::string, std::string> MakeSource(const ProblemCase& c)
    {
        const std::string folder = datalibtest::LocalPath(m_dir.path());
        const std::string file = folder + "/7203.csv";
        // Written long ago: the last line of every file counts.
        const auto write = [&c](const std::string& path) {
            const bool written = WriteFileBytes(QString::fromLocal8Bit(path.c_str()),
                                                QByteArray::fromStdString(c.bytes));
            datalibtest::SetFileAge(path, datalibtest::kSettledAge);
            return written;
        };
        switch (c.layout) {
        case Layout::FileItself:
            EXPECT_TRUE(write(file));
            return {file, "ignored"};
        case Layout::InFolder:
            EXPECT_TRUE(write(file));
            return {folder, "7203"};
        case Layout::MissingFolder:
            return {folder + "/nowhere", "7203"};
        case Layout::EmptySource:
            return {"", "7203"};
        case Layout::NulInSource:
            EXPECT_TRUE(write(file));
            return {folder + std::string("\0x", 2), "7203"};
        case Layout::NulInCode:
            EXPECT_TRUE(write(file));
            return {folder, std::string("7203\0", 5)};
        case Layout::BrokenLink:
            EXPECT_EQ(symlink((folder + "/gone.csv").c_str(), file.c_str()), 0);
            return {file, ""};
        case Layout::OtherExtension:
            EXPECT_TRUE(write(folder + "/7203.TXT"));
            return {folder, "7203"};
        case Layout::FifoItself:
            EXPECT_EQ(mkfifo(file.c_str(), 0600), 0);
            return {file, ""};
        case Layout::FifoInFolder:
            EXPECT_EQ(mkfifo(file.c_str(), 0600), 0);
            return {folder, "7203"};
        case Layout::OverSizeLimit:
            EXPECT_TRUE(write(file));
            EXPECT_EQ(truncate(file.c_str(), off_t(brasko::PriceFile::kMaxBytes + 1)), 0);
            return {file, ""};
        case Layout::FolderNamedCsv:
            EXPECT_TRUE(std::filesystem::create_directory(file));
            EXPECT_TRUE(write(folder + "/7203.txt"));
            return {folder, "7203"};
        case Layout::AbsoluteCode:
        case Layout::AbsoluteCodeNoSource:
            EXPECT_TRUE(std::filesystem::create_directory(folder + "/other"));
            EXPECT_TRUE(write(folder + "/other/elsewhere.csv"));
            return {c.layout == Layout::AbsoluteCode ? folder : folder + "/nowhere",
                    folder + "/other/elsewhere"};
        }
        return {};
    }

    QTemporaryDir m_dir;
    brasko::DataLibrary m_library{nullptr};
};

TEST_P(DataLibProblems, SaysWhyThereIsNoSeries)
{
    const auto& [c, latestBars] = GetParam();
    const auto [source, code] = MakeSource(c);
    const quorex::DataResult result = m_library.LoadData(source, code, 0, {latestBars});
    EXPECT_EQ(result.problem, c.problem);
    EXPECT_EQ(result.data != nullptr, c.problem == DataProblem::None);
    EXPECT_FALSE(result.unsettled);
    // The file read, good or bad, is named, so a change to it can be watched for.
    const std::string origin = OriginName(c.layout);
    if (!origin.empty())
        EXPECT_EQ(std::filesystem::path(result.origin).filename(), origin);
    else
        EXPECT_EQ(result.origin, "");
    // The old entry point agrees.
    EXPECT_EQ(m_library.LoadData(source, code, 0) != nullptr, c.problem == DataProblem::None);
}

const ProblemCase kCases[] = {
    {"GoodFileItself", Layout::FileItself, kGood, DataProblem::None},
    {"GoodFileInFolder", Layout::InFolder, kGood, DataProblem::None},
    {"MissingFolder", Layout::MissingFolder, kGood, DataProblem::SourceMissing},
    {"EmptySource", Layout::EmptySource, kGood, DataProblem::SourceMissing},
    {"NulInSource", Layout::NulInSource, kGood, DataProblem::SourceMissing},
    {"BrokenLink", Layout::BrokenLink, kGood, DataProblem::SourceMissing},
    {"NoFileForCode", Layout::OtherExtension, kGood, DataProblem::FileMissing},
    {"NulInCode", Layout::NulInCode, kGood, DataProblem::FileMissing},
    {"FifoItself", Layout::FifoItself, "", DataProblem::Unreadable},
    {"FifoInFolder", Layout::FifoInFolder, "", DataProblem::Unreadable},
    {"OverSizeLimit", Layout::OverSizeLimit, kGood, DataProblem::Unreadable},
    {"FolderNamedCsv", Layout::FolderNamedCsv, kGood, DataProblem::None},
    {"AbsoluteCode", Layout::AbsoluteCode, kGood, DataProblem::None},
    {"AbsoluteCodeNoSource", Layout::AbsoluteCodeNoSource, kGood, DataProblem::SourceMissing},
    {"Empty", Layout::InFolder, "", DataProblem::NoRows},
    {"LineBreaksOnly", Layout::InFolder, "\n\r\n\n", DataProblem::NoRows},
    {"ByteOrderMarkOnly", Layout::InFolder, "\xEF\xBB\xBF", DataProblem::NoRows},
    {"HeaderOnly", Layout::InFolder, "Date,Open,High,Low,Close,Volume\r\n",
     DataProblem::NoRows},
    {"BlankLinesOnly", Layout::InFolder, "  \n , \n\n   \n", DataProblem::NoRows},
    // Lines that are neither a header nor a row: not a price file at all.
    {"TitleLinesOnly", Layout::InFolder, "Sample Corp\nDaily prices\n",
     DataProblem::Unreadable},
    {"HtmlErrorPage", Layout::InFolder,
     "<!DOCTYPE html>\n<html><head><title>404 Not Found</title></head>\n"
     "<body><h1>Not Found</h1><p>The requested URL was not found.</p></body></html>\n",
     DataProblem::Unreadable},
    {"MemoStyleCsv", Layout::InFolder,
     "\xE3\x83\xA1\xE3\x83\xA2,\xE8\xB2\xB7\xE3\x81\x84\xE5\xA2\x97\xE3\x81\x97\n"
     "check,earnings next week\n",
     DataProblem::Unreadable},
    {"ShortJunk", Layout::InFolder, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01", 19),
     DataProblem::Unreadable},
    {"TitleAndHeaderOnly", Layout::InFolder, "Sample Corp\nDate,Close\n",
     DataProblem::NoRows},
    {"AllRowsBad", Layout::InFolder, "Date,Close\n2024-01-04,abc\n2024-13-01,5\n",
     DataProblem::Unreadable},
    {"OneBadRowWithoutHeader", Layout::InFolder, "2024-01-04,-105\n", DataProblem::Unreadable},
    {"ManyBadRows", Layout::InFolder,
     "Date,Open,High,Low,Close\n" + Lines("2024-01-04,5,4,6,5", 2000), DataProblem::Unreadable},
    {"HeaderWithoutClose", Layout::InFolder, "Date,Open\n2024-01-04,100\n",
     DataProblem::Unreadable},
    {"TextOfManyLines", Layout::InFolder, Lines("The quick brown fox, and the lazy dog", 3000),
     DataProblem::Unreadable},
    {"BinaryBytes", Layout::InFolder, RandomBytes(50000), DataProblem::Unreadable},
    {"NulBytes", Layout::InFolder, std::string(4096, '\0'), DataProblem::Unreadable},
    {"ControlCharacters", Layout::InFolder, "\x01\x02\x03\x04\n", DataProblem::Unreadable},
};

INSTANTIATE_TEST_SUITE_P(
    Fixtures, DataLibProblems,
    ::testing::Combine(::testing::ValuesIn(kCases), ::testing::Values(0, 60)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_"
               + std::to_string(std::get<1>(info.param));
    });

} // namespace
