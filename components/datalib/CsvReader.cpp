#include "CsvReader.h"

#include "TextScan.h"

#include <algorithm>

namespace brasko {

namespace {

// Enough lines to get past the title lines some sites put above the header.
constexpr int kSeparatorSampleLines = 20;

} // namespace

CsvReader::CsvReader(std::string& text, char separator)
    : m_pos(text.data())
    , m_end(text.data() + text.size())
    , m_separator(separator)
{
    // std::string keeps a NUL after its last byte: a stop that spares the end test per byte.
    for (char stop : {separator, '\n', '\r', '\0'})
        m_stops[static_cast<unsigned char>(stop)] = true;
}

void CsvReader::SkipRecordEnd()
{
    if (m_pos == m_end)
        return;
    if (*m_pos == '\r' && m_pos + 1 != m_end && m_pos[1] == '\n')
        ++m_pos;
    ++m_pos;
}

std::string_view CsvReader::ReadPlain()
{
    char* const start = m_pos;
    char* p = m_pos;
    for (;;) {
        while (!m_stops[static_cast<unsigned char>(*p)])
            ++p;
        if (*p != '\0' || p == m_end)
            break;
        ++p; // a NUL inside the text is data
    }
    m_pos = p;
    return {start, std::size_t(p - start)};
}

std::string_view CsvReader::ReadQuoted()
{
    char* const open = m_pos;
    char* close = open + 1;
    bool escaped = false;
    while (close != m_end) {
        if (*close == '"') {
            if (close + 1 == m_end || close[1] != '"')
                break;
            escaped = true;
            ++close;
        }
        ++close;
    }
    if (close == m_end) {
        // Never closed: rather than swallow the rest of the file, the quote is plain text
        // up to the line end, and the row is judged like any other.
        m_unclosedQuote = true;
        return ReadPlain();
    }
    char* const start = open + 1;
    char* out = close;
    if (escaped) {
        out = start;
        for (const char* in = start; in != close; ++in) {
            *out++ = *in;
            if (*in == '"')
                ++in; // the second of a doubled quote
        }
    }
    // Anything between the closing quote and the separator is dropped.
    m_pos = close + 1;
    while (m_pos != m_end && *m_pos != m_separator && *m_pos != '\n' && *m_pos != '\r')
        ++m_pos;
    return {start, std::size_t(out - start)};
}

char* CsvReader::NextRecordStart()
{
    while (m_pos != m_end && (*m_pos == '\n' || *m_pos == '\r'))
        ++m_pos;
    return m_pos == m_end ? nullptr : m_pos;
}

bool CsvReader::Next(std::vector<std::string_view>& fields)
{
    fields.clear();
    if (!NextRecordStart())
        return false;
    ReadFields(fields);
    return true;
}

bool CsvReader::SkipOpenQuotedField()
{
    // The closing quote, as ReadQuoted looks for it from inside the field.
    char* close = m_pos;
    while (close != m_end) {
        if (*close == '"') {
            if (close + 1 == m_end || close[1] != '"')
                break;
            ++close;
        }
        ++close;
    }
    if (close == m_end)
        return false;
    m_pos = close + 1;
    while (m_pos != m_end && *m_pos != m_separator && *m_pos != '\n' && *m_pos != '\r')
        ++m_pos;
    if (m_pos == m_end || *m_pos != m_separator) {
        SkipRecordEnd();
        return true;
    }
    ++m_pos;
    std::vector<std::string_view> fields;
    ReadFields(fields);
    return true;
}

void CsvReader::ReadFields(std::vector<std::string_view>& fields)
{
    for (;;) {
        // Blanks before a quote are skipped; a field that starts otherwise is plain, which
        // one test of its first byte settles for nearly every field.
        char* p = m_pos;
        if (IsBlank(*p) || *p == '"') {
            while (p != m_end && IsBlank(*p) && *p != m_separator)
                ++p;
        }
        if (p != m_end && *p == '"') {
            m_pos = p;
            fields.push_back(ReadQuoted());
        } else {
            fields.push_back(ReadPlain());
        }
        if (m_pos == m_end || *m_pos != m_separator) {
            SkipRecordEnd();
            return;
        }
        ++m_pos;
    }
}

std::optional<std::size_t> CsvReader::FirstCertainRecord(std::string_view text,
                                                          char separator)
{
    if (text.find('"') == std::string_view::npos)
        return 0; // no quoted field at all: the piece begins between records
    std::string insideText(text);
    CsvReader inside(insideText, separator);
    if (!inside.SkipOpenQuotedField())
        return 0; // no quote closes one: the piece cannot begin inside a quoted field
    std::string betweenText(text);
    CsvReader between(betweenText, separator);
    std::vector<std::string_view> fields;
    const char* a = between.NextRecordStart();
    const char* b = inside.NextRecordStart();
    while (a && b) {
        const std::ptrdiff_t atA = a - betweenText.data();
        const std::ptrdiff_t atB = b - insideText.data();
        if (atA == atB)
            return std::size_t(atA);
        if (atA < atB) {
            between.Next(fields);
            a = between.NextRecordStart();
        } else {
            inside.Next(fields);
            b = inside.NextRecordStart();
        }
    }
    return std::nullopt;
}

char CsvReader::DetectSeparator(std::string_view text)
{
    int tabs = 0;
    int semicolons = 0;
    int commas = 0;
    int lines = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '\n') {
            // A stray quote in a title line must not hide the lines below it.
            quoted = false;
            if (++lines == kSeparatorSampleLines)
                break;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == '\t') {
            ++tabs;
        } else if (c == ';') {
            ++semicolons;
        } else if (c == ',') {
            ++commas;
        }
    }
    if (tabs > 0)
        return '\t';
    return semicolons > commas ? ';' : ',';
}

bool CsvReader::HoldsSeparatorSample(std::string_view text)
{
    // Only as far as the sample: heads of many lines go through here.
    std::size_t at = 0;
    for (int lines = 0; lines < kSeparatorSampleLines; ++lines, ++at) {
        at = text.find('\n', at);
        if (at == std::string_view::npos)
            return false;
    }
    return true;
}

} // namespace brasko
