#include "catalog/ListItemLines.h"

#include "catalog/CListFileReader.h"

#include <string_view>

namespace mosgrid {

namespace {

constexpr std::string_view kLineDelimiters = "\n";
// Spreadsheet programs put one in front of "CSV UTF-8" files.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

} // namespace

ListItemLines::ListItemLines(CListFileReader& reader)
    : m_reader(reader)
{
}

bool ListItemLines::Next(std::string& line)
{
    while (!m_reader.AtEnd()) {
        m_reader.ReadUntil(kLineDelimiters, line);
        if (m_firstLine && std::string_view(line).substr(0, kUtf8Bom.size()) == kUtf8Bom)
            line.erase(0, kUtf8Bom.size());
        m_firstLine = false;
        if (!line.empty())
            return true;
    }
    return false;
}

} // namespace mosgrid
