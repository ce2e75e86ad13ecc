#include "settings/IniLine.h"

#include "settings/IniText.h"

#include <cstring>

namespace mosgrid {

namespace {

// Bounds a line: its text ends at the first LF or CR; CR LF counts as one line end.
void LocateLine(std::string_view bytes, std::size_t begin, IniLine& line)
{
    const char* data = bytes.data();
    const std::size_t size = bytes.size();
    // The CR search is bounded by the LF, so a file with no CR stays linear.
    const void* lf = std::memchr(data + begin, '\n', size - begin);
    std::size_t end = lf ? std::size_t(static_cast<const char*>(lf) - data) : size;
    const void* cr = std::memchr(data + begin, '\r', end - begin);
    if (cr)
        end = std::size_t(static_cast<const char*>(cr) - data);

    std::size_t next = end;
    if (next < size && data[next] == '\r')
        ++next;
    if (next < size && data[next] == '\n')
        ++next;
    line.begin = begin;
    line.end = end;
    line.next = next;
}

void Classify(std::string_view text, IniLine& line)
{
    const std::string_view body = IniText::TrimLeft(text);
    line.kind = IniLine::Kind::Other;
    line.name = {};
    line.value = {};
    if (body.empty())
        return;
    if (body.front() == ';') {
        line.kind = IniLine::Kind::Comment;
        return;
    }
    if (body.front() == '[') {
        const std::size_t close = body.find(']');
        if (close == std::string_view::npos) {
            line.kind = IniLine::Kind::BrokenSection;
            return;
        }
        line.kind = IniLine::Kind::Section;
        line.name = IniText::Trim(body.substr(1, close - 1));
        return;
    }
    const std::size_t equals = body.find('=');
    if (equals == std::string_view::npos)
        return;
    line.kind = IniLine::Kind::Key;
    line.name = IniText::Trim(body.substr(0, equals));
    line.value = body.substr(equals + 1);
}

} // namespace

bool IniLineReader::Next(IniLine& line)
{
    if (m_pos >= m_bytes.size())
        return false;
    LocateLine(m_bytes, m_pos, line);
    Classify(m_bytes.substr(line.begin, line.end - line.begin), line);
    m_pos = line.next;
    return true;
}

std::string_view IniLineReader::FirstLineEnd(std::string_view bytes)
{
    IniLine line;
    if (bytes.empty())
        return {};
    LocateLine(bytes, 0, line);
    return bytes.substr(line.end, line.next - line.end);
}

} // namespace mosgrid
