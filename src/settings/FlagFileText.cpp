#include "settings/FlagFileText.h"

#include "settings/IniLine.h"
#include "settings/IniText.h"

#include <algorithm>

namespace mosgrid {

namespace {

constexpr char kFileIdKey[] = "@file";
constexpr char kHeader[] =
    "; mosgrid flags: [list file], code=flag (1 red, 2 orange, 3 yellow, 4 green, 5 blue,"
    " 6 purple)\n";
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsControl(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7f;
}

// Every byte of text that needs must be escaped, and blanks at either end.
template <typename Needs>
std::string Encode(std::string_view text, Needs needs)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool atEnd = i == 0 || i + 1 == text.size();
        if (byte == '%' || IsControl(byte) || needs(byte) || (atEnd && byte == ' ')) {
            out += '%';
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xf];
        } else {
            out += char(byte);
        }
    }
    return out;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<FlagColor> ColorOfValue(std::string_view value)
{
    const std::string_view digits = IniText::Trim(value);
    if (digits.size() != 1 || digits[0] < '1' || digits[0] > '9')
        return std::nullopt;
    const std::optional<FlagColor> color = FlagColorOfNumber(digits[0] - '0');
    return color && *color != FlagColor::None ? color : std::nullopt;
}

} // namespace

namespace FlagFileText {

std::string EncodePath(std::string_view path)
{
    return Encode(path, [](unsigned char byte) { return byte == '[' || byte == ']'; });
}

std::string EncodeCode(std::string_view code)
{
    return Encode(code, [](unsigned char byte) {
        return byte == ' ' || byte == '=' || byte == ';' || byte == '[' || byte == ']'
            || byte == '@';
    });
}

bool Decode(std::string_view text, std::string& out)
{
    out.clear();
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return false;
        out += char(high * 16 + low);
        i += 2;
    }
    return true;
}

Parsed Parse(std::string_view bytes)
{
    Parsed parsed;
    IniLineReader reader(bytes);
    IniLine line;
    ListFlags* list = nullptr;
    bool inBadSection = false;
    std::string decoded;
    const auto bad = [&parsed] { ++parsed.badLines; };
    while (reader.Next(line)) {
        switch (line.kind) {
        case IniLine::Kind::Comment:
            break;
        case IniLine::Kind::Other:
            if (!IniText::Trim(bytes.substr(line.begin, line.end - line.begin)).empty())
                bad();
            break;
        case IniLine::Kind::BrokenSection:
            list = nullptr;
            inBadSection = true;
            bad();
            break;
        case IniLine::Kind::Section: {
            list = nullptr;
            inBadSection = !Decode(line.name, decoded) || decoded.empty()
                || decoded.front() != '/';
            if (inBadSection) {
                bad();
                break;
            }
            const auto same = std::ranges::find(parsed.lists, decoded, &ListFlags::path);
            list = same != parsed.lists.end() ? &*same
                                              : &parsed.lists.emplace_back(ListFlags{decoded});
            break;
        }
        case IniLine::Kind::Key: {
            if (!list) {
                // The lines of a list that could not be read are counted with it.
                if (!inBadSection)
                    bad();
                break;
            }
            if (line.name == kFileIdKey) {
                list->fileId = std::string(IniText::Trim(line.value));
                break;
            }
            const std::optional<FlagColor> color = ColorOfValue(line.value);
            if (!color || line.name.empty() || !Decode(line.name, decoded)) {
                bad();
                break;
            }
            list->codes.insert_or_assign(decoded, *color);
            break;
        }
        }
    }
    return parsed;
}

std::string Write(const std::vector<ListFlags>& lists)
{
    std::string out(kHeader);
    for (const ListFlags& list : lists) {
        if (list.codes.empty())
            continue;
        out += '[';
        out += EncodePath(list.path);
        out += "]\n";
        if (!list.fileId.empty()) {
            out += kFileIdKey;
            out += '=';
            out += list.fileId;
            out += '\n';
        }
        for (const auto& [code, color] : list.codes) {
            out += EncodeCode(code);
            out += '=';
            out += char('0' + FlagNumber(color));
            out += '\n';
        }
    }
    return out;
}

} // namespace FlagFileText

} // namespace mosgrid
