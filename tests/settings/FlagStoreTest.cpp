// The flags file: per list and per code, read back after a restart and after a rename of
// the list, bad files left alone, written privately and atomically.
#include "RowName.h"
#include "SettingsTestFolder.h"

#include "settings/FlagFileText.h"
#include "settings/FlagStore.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using namespace mosgrid;

namespace {

using Codes = std::map<std::string, FlagColor, std::less<>>;

struct ParseRow {
    const char* name;
    std::string bytes;
    std::map<std::string, Codes> lists;  // path -> codes
    int badLines;
};

void PrintTo(const ParseRow& row, std::ostream* out) { *out << row.name; }

class FlagFileParseTest : public ::testing::TestWithParam<ParseRow> {};

TEST_P(FlagFileParseTest, ReadsWhatItCanAndCountsTheRest)
{
    const FlagFileText::Parsed parsed = FlagFileText::Parse(GetParam().bytes);
    std::map<std::string, Codes> lists;
    for (const ListFlags& list : parsed.lists)
        lists[list.path] = list.codes;
    EXPECT_EQ(lists, GetParam().lists);
    EXPECT_EQ(parsed.badLines, GetParam().badLines);
}

const ParseRow kParseRows[] = {
    {"empty", "", {}, 0},
    {"two lists", "; c\n[/a.txt]\n@file=1:2\n7203=1\n6758=6\n\n[/b.txt]\n7203=3\n",
     {{"/a.txt", {{"7203", FlagColor::Red}, {"6758", FlagColor::Purple}}},
      {"/b.txt", {{"7203", FlagColor::Yellow}}}},
     0},
    {"CR LF and blanks", "[/a.txt]\r\n  7203 = 2 \r\n", {{"/a.txt", {{"7203", FlagColor::Orange}}}},
     0},
    {"escaped names", "[/my%20lists/%5Bx%5D.txt]\nA%3DB=4\n%40file=5\n",
     {{"/my lists/[x].txt", {{"A=B", FlagColor::Green}, {"@file", FlagColor::Blue}}}}, 0},
    {"list named twice is merged", "[/a.txt]\n1=1\n[/a.txt]\n2=2\n",
     {{"/a.txt", {{"1", FlagColor::Red}, {"2", FlagColor::Orange}}}}, 0},
    {"later value wins", "[/a.txt]\n1=1\n1=5\n", {{"/a.txt", {{"1", FlagColor::Blue}}}}, 0},
    {"bad values", "[/a.txt]\n1=0\n2=7\n3=x\n4=12\n5=\n6=6\n",
     {{"/a.txt", {{"6", FlagColor::Purple}}}}, 5},
    {"key before any list", "1=1\n[/a.txt]\n2=2\n", {{"/a.txt", {{"2", FlagColor::Orange}}}}, 1},
    {"relative or broken list names skip their keys",
     "[a.txt]\n1=1\n[/b%2.txt]\n2=2\n[/c.txt\n3=3\n[/d.txt]\n4=4\n",
     {{"/d.txt", {{"4", FlagColor::Green}}}}, 3},
    {"garbage lines", "[/a.txt]\nhello\n\x01\x02\n1=1\n", {{"/a.txt", {{"1", FlagColor::Red}}}},
     2},
    {"binary", std::string("\0\xff\xfe[\n=\n", 7), {}, 2},
};

INSTANTIATE_TEST_SUITE_P(Rows, FlagFileParseTest, ::testing::ValuesIn(kParseRows),
                         RowName<ParseRow>);

TEST(FlagFileText, WrittenNamesReadBackByteForByte)
{
    const std::vector<std::string> codes = {
        "7203", "A=B", ";x", "[y]", "@file", " lead", "trail ", "a b", "100%",
        "\x93\xfa\x96\x7b", "tab\there", "new\nline", "cr\r",
    };
    ListFlags list{"/lists/odd [name] 100%.txt ", "9:9"};
    for (std::size_t i = 0; i < codes.size(); ++i)
        list.codes[codes[i]] = static_cast<FlagColor>(i % kFlagColorCount + 1);
    const FlagFileText::Parsed parsed = FlagFileText::Parse(FlagFileText::Write({list}));
    ASSERT_EQ(parsed.lists.size(), 1u);
    EXPECT_EQ(parsed.badLines, 0);
    EXPECT_EQ(parsed.lists[0].path, list.path);
    EXPECT_EQ(parsed.lists[0].fileId, list.fileId);
    EXPECT_EQ(parsed.lists[0].codes, list.codes);
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A folder with a flags file and list files, each store a fresh start of the program.
class FlagStoreTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return m_folder.filePath(name); }
    std::string FlagsFile() const { return Path("data/mosgrid/flags.ini"); }

    std::string List(const std::string& name) const
    {
        WriteBytes(Path(name), "0,src,7203,Toyota\n");
        return Path(name);
    }

    SettingsTestFolder m_folder;
};

struct Flag {
    std::string list;
    std::string code;
    FlagColor color;
};

TEST_F(FlagStoreTest, FlagsArePerListAndPerCodeAndSurviveARestart)
{
    const std::string a = List("a.txt");
    const std::string b = List("b.txt");
    const std::vector<Flag> set = {
        {a, "7203", FlagColor::Red}, {a, "6758", FlagColor::Blue}, {b, "7203", FlagColor::Green},
        {a, "6758", FlagColor::Purple}, {b, "9984", FlagColor::Yellow},
        {b, "9984", FlagColor::None},
    };
    {
        FlagStore store(FlagsFile());
        for (const Flag& flag : set)
            store.Set(store.Open(flag.list), flag.code, flag.color);
        ASSERT_TRUE(store.Save());
    }
    const std::vector<Flag> expected = {
        {a, "7203", FlagColor::Red}, {a, "6758", FlagColor::Purple}, {a, "9984", FlagColor::None},
        {b, "7203", FlagColor::Green}, {b, "6758", FlagColor::None}, {b, "9984", FlagColor::None},
        {Path("c.txt"), "7203", FlagColor::None},
    };
    FlagStore store(FlagsFile());
    for (const Flag& flag : expected)
        EXPECT_EQ(store.ColorOf(store.Open(flag.list), flag.code), flag.color)
            << flag.list << ' ' << flag.code;
    EXPECT_EQ(store.loadState(), FlagStore::LoadState::Read);
    // Only what it was given: its own folder made private, the file the owner's alone.
    struct stat info;
    ASSERT_EQ(::stat(FlagsFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(Path("data/mosgrid").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(FlagStoreTest, RelativeAndDottedPathsNameTheSameList)
{
    const std::string a = List("a.txt");
    FlagStore store(FlagsFile());
    store.Set(store.Open(a), "7203", FlagColor::Red);
    EXPECT_EQ(store.Open(m_folder.folder() + "/./x/../a.txt"), store.Open(a));
}

struct RenameRow {
    const char* name;
    bool byProgram;      // told with FollowRename, else found by the file
    bool replaceTarget;  // a list already kept under the new name
};

void PrintTo(const RenameRow& row, std::ostream* out) { *out << row.name; }

class FlagStoreRenameTest : public FlagStoreTest, public ::testing::WithParamInterface<RenameRow> {};

TEST_P(FlagStoreRenameTest, FlagsFollowTheListToItsNewName)
{
    const std::string from = List("old.txt");
    const std::string to = Path("new.txt");
    {
        FlagStore store(FlagsFile());
        store.Set(store.Open(from), "7203", FlagColor::Orange);
        if (GetParam().replaceTarget)
            store.Set(store.Open(to), "7203", FlagColor::Blue);
        ASSERT_TRUE(store.Save());
    }
    ASSERT_EQ(std::rename(from.c_str(), to.c_str()), 0);
    {
        FlagStore store(FlagsFile());
        if (GetParam().byProgram)
            store.FollowRename(from, to);
        const int list = store.Open(to);
        EXPECT_EQ(store.ColorOf(list, "7203"),
                  GetParam().replaceTarget && !GetParam().byProgram ? FlagColor::Blue
                                                                    : FlagColor::Orange);
        ASSERT_TRUE(store.Save());
    }
    // Kept under the new name after the next start too. A new file at the old name starts
    // without flags, unless the rename went unseen: a path kept goes first, so the flags
    // stayed with the old name.
    const bool unseen = GetParam().replaceTarget && !GetParam().byProgram;
    List("old.txt");
    FlagStore store(FlagsFile());
    EXPECT_NE(store.ColorOf(store.Open(to), "7203"), FlagColor::None);
    EXPECT_EQ(store.ColorOf(store.Open(from), "7203"),
              unseen ? FlagColor::Orange : FlagColor::None);
}

INSTANTIATE_TEST_SUITE_P(Rows, FlagStoreRenameTest,
                         ::testing::Values(RenameRow{"outside the program", false, false},
                                           RenameRow{"by the program", true, false},
                                           RenameRow{"by the program over a list", true, true},
                                           RenameRow{"outside over a kept list", false, true}),
                         RowName<RenameRow>);

struct BadFileRow {
    const char* name;
    // Puts something bad at the flags file's place.
    void (*plant)(const std::string& flags, const std::string& folder);
    FlagStore::LoadState state;
    bool writesOver;
};

void PrintTo(const BadFileRow& row, std::ostream* out) { *out << row.name; }

class FlagStoreBadFileTest : public FlagStoreTest,
                             public ::testing::WithParamInterface<BadFileRow> {};

TEST_P(FlagStoreBadFileTest, IgnoredWithoutLosingAnything)
{
    ASSERT_EQ(::mkdir(Path("data").c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(Path("data/mosgrid").c_str(), 0700), 0);
    GetParam().plant(FlagsFile(), m_folder.folder());
    // Read only what is written over (a pipe would block the read).
    const std::string before = GetParam().writesOver ? ReadBytes(FlagsFile()) : std::string();
    FlagStore store(FlagsFile());
    const int list = store.Open(List("a.txt"));
    EXPECT_EQ(store.ColorOf(list, "7203"), FlagColor::None);
    EXPECT_EQ(store.loadState(), GetParam().state);
    // Flags still work for the session.
    store.Set(list, "7203", FlagColor::Red);
    EXPECT_EQ(store.ColorOf(list, "7203"), FlagColor::Red);
    EXPECT_EQ(store.Save(), GetParam().writesOver);
    if (!GetParam().writesOver)
        return;
    // What was there is kept beside the new file.
    EXPECT_EQ(ReadBytes(FlagsFile() + FlagStore::kBadSuffix), before);
    FlagStore again(FlagsFile());
    EXPECT_EQ(again.ColorOf(again.Open(Path("a.txt")), "7203"), FlagColor::Red);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FlagStoreBadFileTest,
    ::testing::Values(
        BadFileRow{"a folder",
                   [](const std::string& flags, const std::string&) {
                       ::mkdir(flags.c_str(), 0700);
                   },
                   FlagStore::LoadState::Unreadable, false},
        BadFileRow{"a link",
                   [](const std::string& flags, const std::string& folder) {
                       WriteBytes(folder + "/elsewhere.ini", "[/x]\n1=1\n");
                       (void)::symlink((folder + "/elsewhere.ini").c_str(), flags.c_str());
                   },
                   FlagStore::LoadState::Unreadable, false},
        BadFileRow{"a pipe",
                   [](const std::string& flags, const std::string&) {
                       ::mkfifo(flags.c_str(), 0600);
                   },
                   FlagStore::LoadState::Unreadable, false},
        BadFileRow{"binary garbage",
                   [](const std::string& flags, const std::string&) {
                       WriteBytes(flags, std::string("\x7f" "ELF\0\x01\n[\n==\n", 12));
                   },
                   FlagStore::LoadState::Read, true},
        BadFileRow{"empty", [](const std::string& flags,
                               const std::string&) { WriteBytes(flags, ""); },
                   FlagStore::LoadState::Read, true}),
    RowName<BadFileRow>);

TEST_F(FlagStoreTest, ALinkAtTheNameIsNeverWrittenThrough)
{
    ASSERT_EQ(::mkdir(Path("data").c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(Path("data/mosgrid").c_str(), 0700), 0);
    WriteBytes(Path("target.ini"), "precious");
    ASSERT_EQ(::symlink(Path("target.ini").c_str(), FlagsFile().c_str()), 0);
    FlagStore store(FlagsFile());
    store.Set(store.Open(List("a.txt")), "7203", FlagColor::Red);
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(ReadBytes(Path("target.ini")), "precious");
}

TEST_F(FlagStoreTest, NoFileKeepsFlagsForTheSession)
{
    FlagStore store("");
    const int list = store.Open(List("a.txt"));
    EXPECT_TRUE(store.Set(list, "7203", FlagColor::Red));
    EXPECT_FALSE(store.Set(list, "7203", FlagColor::Red));
    EXPECT_EQ(store.ColorOf(list, "7203"), FlagColor::Red);
    EXPECT_FALSE(store.Save());
}

struct LocationRow {
    const char* name;
    const char* xdgDataHome;
    const char* home;
    const char* file;
};

void PrintTo(const LocationRow& row, std::ostream* out) { *out << row.name; }

class FlagStoreLocationTest : public ::testing::TestWithParam<LocationRow> {};

TEST_P(FlagStoreLocationTest, DataHomeOrHome)
{
    EXPECT_EQ(FlagStore::DefaultFile(GetParam().xdgDataHome, GetParam().home), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FlagStoreLocationTest,
    ::testing::Values(
        LocationRow{"data home", "/d", "/h", "/d/mosgrid/flags.ini"},
        LocationRow{"trailing slashes", "/d//", "/h", "/d/mosgrid/flags.ini"},
        LocationRow{"relative data home ignored", "d", "/h", "/h/.local/share/mosgrid/flags.ini"},
        LocationRow{"no data home", "", "/h", "/h/.local/share/mosgrid/flags.ini"},
        LocationRow{"nothing known", "", "", ""}),
    RowName<LocationRow>);

} // namespace
