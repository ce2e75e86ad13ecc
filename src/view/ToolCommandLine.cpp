#include "view/ToolCommandLine.h"

#include "base/Cp932Text.h"
#include "catalog/CatalogItem.h"

namespace mosgrid {

namespace {

// The data tool's command-line templates, by item type; every other type reads CSV.
constexpr char kTemplateDpac[] = "tarnel.exe %s /d%s(%s) /dpac%s,%s";
constexpr char kTemplateFpac[] = "tarnel.exe %s /d%s(%s) /fpac%s,%s";
constexpr char kTemplatePandb[] = "tarnel.exe %s /d%s(%s) /pandb%s,%s";
constexpr char kTemplateCsv[] = "tarnel.exe %s /d%s(%s) /csv%s,%s";

std::string_view TemplateFor(int type)
{
    switch (type) {
    case 1:
        return kTemplateDpac;
    case 2:
        return kTemplateFpac;
    case 5:
        return kTemplatePandb;
    default:
        return kTemplateCsv;
    }
}

// Replaces each "%s" of the template, in order, with the next value, inserted unchanged.
std::string FormatTemplate(std::string_view format, std::initializer_list<std::string_view> values)
{
    std::string out;
    auto next = values.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's'
            && next != values.end()) {
            out += *next++;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The first byte of a Shift-JIS (CP932) double-byte character.
bool IsCp932LeadByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace

std::string FormatToolCommandLine(const CatalogItem& item)
{
    // The first placeholder is always empty, so two blanks follow the program's name.
    return FormatTemplate(TemplateFor(item.m_nType), {std::string_view(), item.m_strName,
                                                      item.m_strCode, item.m_strSource,
                                                      item.m_strCode});
}

std::vector<std::string> SplitCommandLine(std::string_view line)
{
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = line.size();
    // A line that is not UTF-8 came from a Shift-JIS list: its double-byte characters are
    // kept whole, so a trail byte 0x5C (as in ソ, 表, 能) is no backslash, as for the C
    // runtime of the original platform. UTF-8 lines are split byte by byte.
    const bool doubleBytes = !IsValidUtf8(line);
    const auto isPair = [&](std::size_t at) {
        return doubleBytes && IsCp932LeadByte(line[at]) && at + 1 < n;
    };

    // The program name: quotes group, no escapes, ends at a blank outside quotes.
    while (i < n && IsBlank(line[i]))
        ++i;
    if (i >= n)
        return args;
    {
        std::string program;
        bool inQuotes = false;
        for (; i < n; ++i) {
            const char c = line[i];
            if (isPair(i)) {
                program.append(line.substr(i, 2));
                ++i;
                continue;
            }
            if (c == '"') {
                inQuotes = !inQuotes;
                continue;
            }
            if (!inQuotes && IsBlank(c))
                break;
            program += c;
        }
        args.push_back(std::move(program));
    }

    // The arguments.
    for (;;) {
        while (i < n && IsBlank(line[i]))
            ++i;
        if (i >= n)
            break;
        std::string arg;
        bool inQuotes = false;
        while (i < n) {
            std::size_t backslashes = 0;
            while (i < n && line[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < n && line[i] == '"') {
                arg.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    arg += '"';  // an escaped quote
                    ++i;
                    continue;
                }
                if (inQuotes && i + 1 < n && line[i + 1] == '"') {
                    arg += '"';  // a doubled quote inside quotes stands for one
                    i += 2;
                    continue;
                }
                inQuotes = !inQuotes;
                ++i;
                continue;
            }
            arg.append(backslashes, '\\');
            if (i >= n || (!inQuotes && IsBlank(line[i])))
                break;
            if (isPair(i)) {
                arg.append(line.substr(i, 2));
                i += 2;
                continue;
            }
            arg += line[i++];
        }
        args.push_back(std::move(arg));
    }
    return args;
}

} // namespace mosgrid
