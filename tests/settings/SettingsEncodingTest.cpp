#include "RowName.h"
#include "SettingsTestFolder.h"

#include "settings/SettingsStore.h"

#include <QString>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <string>

using namespace mosgrid;

using namespace std::string_literals;

namespace {

enum class Form { Utf8Bom, Utf16Le, Utf16Be };

// The bytes of a file of that form holding text (given as UTF-8).
std::string FileBytes(Form form, const std::string& text)
{
    if (form == Form::Utf8Bom)
        return "\xEF\xBB\xBF" + text;
    const bool little = form == Form::Utf16Le;
    QStringEncoder encoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    return std::string(little ? "\xFF\xFE" : "\xFE\xFF")
        + QByteArray(encoder.encode(QString::fromStdString(text))).toStdString();
}

struct EncodingRow {
    const char* name;
    Form form;
    std::string before;  // the file's text
    std::string section;
    std::string key;
    std::string read;    // what the key reads before the write (UTF-8)
    std::string value;   // written as the program passes it
    std::string after;   // the file's text after the write
    std::string readBack;
};

void PrintTo(const EncodingRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreEncoding : public ::testing::TestWithParam<EncodingRow> {};

// A file marked as Unicode is read as its text and written back in its own form.
TEST_P(SettingsStoreEncoding, ReadsAndWritesInTheFilesForm)
{
    const EncodingRow& row = GetParam();
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(FileBytes(row.form, row.before)));
    SettingsStore settings(folder.iniPath());
    EXPECT_EQ(settings.ReadText(row.section, row.key, "<absent>"), row.read);

    EXPECT_TRUE(settings.WriteText(row.section, row.key, row.value));
    EXPECT_EQ(folder.Read(), FileBytes(row.form, row.after));
    EXPECT_EQ(settings.ReadText(row.section, row.key, "<absent>"), row.readBack);
    EXPECT_EQ(SettingsStore(folder.iniPath()).ReadText(row.section, row.key, ""), row.readBack);
}

const std::string kFile = "[Chart]\r\nSizeX=640\r\n[Name]\r\nLabel=日本\r\n";

const EncodingRow kEncodingRows[] = {
    {"UTF-8 mark first section replaced in place", Form::Utf8Bom, kFile, "Chart", "SizeX",
     "640", "800", "[Chart]\r\nSizeX=800\r\n[Name]\r\nLabel=日本\r\n", "800"},
    {"UTF-8 mark key added to the first section", Form::Utf8Bom, kFile, "Chart", "Num",
     "<absent>", "2", "[Chart]\r\nSizeX=640\r\nNum=2\r\n[Name]\r\nLabel=日本\r\n", "2"},
    {"UTF-8 mark Shift-JIS value kept as its text", Form::Utf8Bom, kFile, "Name", "Label",
     "日本", "\x83\x5C", "[Chart]\r\nSizeX=640\r\n[Name]\r\nLabel=ソ\r\n", "ソ"},
    {"UTF-16LE replaced in place", Form::Utf16Le, kFile, "Chart", "SizeX", "640", "800",
     "[Chart]\r\nSizeX=800\r\n[Name]\r\nLabel=日本\r\n", "800"},
    {"UTF-16LE Japanese value read", Form::Utf16Le, kFile, "Name", "Label", "日本", "東京",
     "[Chart]\r\nSizeX=640\r\n[Name]\r\nLabel=東京\r\n", "東京"},
    {"UTF-16LE Shift-JIS value written as its text", Form::Utf16Le, kFile, "Name", "Label",
     "日本", "\x95\x5C", "[Chart]\r\nSizeX=640\r\n[Name]\r\nLabel=表\r\n", "表"},
    {"UTF-16LE section added", Form::Utf16Le, kFile, "Charts", "Param", "<absent>",
     "AssistLine=1", kFile + "[Charts]\r\nParam=AssistLine=1\r\n", "AssistLine=1"},
    {"UTF-16LE LF file stays LF", Form::Utf16Le, "[Chart]\nA=1\n", "Chart", "B", "<absent>",
     "2", "[Chart]\nA=1\nB=2\n", "2"},
    {"UTF-16BE replaced in place", Form::Utf16Be, kFile, "Chart", "SizeX", "640", "800",
     "[Chart]\r\nSizeX=800\r\n[Name]\r\nLabel=日本\r\n", "800"},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreEncoding, ::testing::ValuesIn(kEncodingRows),
                         RowName<EncodingRow>);

struct BrokenRow {
    const char* name;
    std::string bytes;
    std::string readA;  // what [S] A reads
};

void PrintTo(const BrokenRow& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsStoreBrokenUnicode : public ::testing::TestWithParam<BrokenRow> {};

// UTF-16 that would not come back byte for byte is read as far as it goes, never written.
TEST_P(SettingsStoreBrokenUnicode, ReadButNeverWritten)
{
    const BrokenRow& row = GetParam();
    SettingsTestFolder folder;
    ASSERT_TRUE(folder.Write(row.bytes));
    SettingsStore settings(folder.iniPath());
    EXPECT_EQ(settings.ReadText("S", "A", "<absent>"), row.readA);
    EXPECT_FALSE(settings.WriteText("S", "B", "1"));
    EXPECT_EQ(folder.Read(), row.bytes);
}

const BrokenRow kBrokenRows[] = {
    {"odd length", FileBytes(Form::Utf16Le, "[S]\r\nA=1\r\n") + "x", "1"},
    {"lone high surrogate", FileBytes(Form::Utf16Le, "[S]\r\nA=1\r\nC=") + "\x3D\xD8",
     "1"},
    {"lone low surrogate in a value",
     FileBytes(Form::Utf16Le, "[S]\r\nA=") + std::string("\x00\xDC", 2) + "\r\0\n\0"s,
     "\xEF\xBF\xBD"},
    {"big-endian odd length", FileBytes(Form::Utf16Be, "[S]\nA=2\n") + "\n", "2"},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsStoreBrokenUnicode, ::testing::ValuesIn(kBrokenRows),
                         RowName<BrokenRow>);

TEST(SettingsStoreEncoding, UnmarkedFileStaysBytes)
{
    SettingsTestFolder folder;
    const std::string sjis = "[S]\r\nA=\x83\x5C\r\n";
    ASSERT_TRUE(folder.Write(sjis));
    SettingsStore settings(folder.iniPath());
    EXPECT_EQ(settings.ReadText("S", "A", ""), "\x83\x5C");
    EXPECT_TRUE(settings.WriteText("S", "B", "\x95\x5C"));
    EXPECT_EQ(folder.Read(), sjis + "B=\x95\x5C\r\n");
}

} // namespace
