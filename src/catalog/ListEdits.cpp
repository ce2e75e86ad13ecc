#include "catalog/ListEdits.h"

#include "catalog/ListLineText.h"

#include <algorithm>
#include <string_view>

namespace mosgrid {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The new bytes of a list, line by line.
class ListBytesBuilder {
public:
    ListBytesBuilder(const ListDocument& list, std::size_t extra)
    {
        m_bytes.reserve(list.Bytes().size() + extra);
        if (list.HasByteOrderMark())
            m_bytes += kUtf8Bom;
    }
    void Add(std::string_view content, ListLineEnd end)
    {
        m_bytes += content;
        m_bytes += ListDocument::EndBytes(end);
    }
    void AddLine(const ListDocument& list, int line)
    {
        Add(list.LineContent(line), list.LineEnd(line));
    }
    std::string Take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

ListEditResult Refused(ListEditError error)
{
    ListEditResult result;
    result.error = error;
    return result;
}

// The edit stands only when its bytes read back as the items it meant to leave.
ListEditResult Checked(std::string bytes, const std::vector<std::string>& expected)
{
    ListEditResult result;
    result.document = ListDocument(std::move(bytes));
    if (result.document.ItemTexts() != expected)
        return Refused(ListEditError::WouldChangeOtherItems);
    return result;
}

bool IsItem(const ListDocument& list, int item)
{
    return item >= 0 && item < list.ItemCount();
}

bool EndsReading(const ListDocument& list, int item)
{
    return list.LineOfItem(item) == list.StopLine();
}

// The line before which new lines go for an insert before item position.
int InsertionLine(const ListDocument& list, int position)
{
    if (position < list.ItemCount())
        return list.LineOfItem(position);
    if (list.ItemCount() > 0)
        return list.LineOfItem(list.ItemCount() - 1) + 1;
    return list.StopLine() >= 0 ? list.StopLine() : 0;
}

} // namespace

ListEditResult InsertListItems(const ListDocument& list, int position,
                               const std::vector<NewListItem>& items,
                               const std::string& listPath)
{
    if (position < 0 || position > list.ItemCount())
        return Refused(ListEditError::NoSuchItem);
    if (position == list.ItemCount() && position > 0 && EndsReading(list, position - 1))
        return Refused(ListEditError::LineEndsReading);

    std::vector<std::string> lines;
    std::size_t newBytes = 0;
    for (const NewListItem& item : items) {
        ListLineText text = FormatListLine(item, list.Encoding(), listPath);
        if (text.error != ListEditError::None) {
            ListEditResult result = Refused(text.error);
            result.newItem = int(lines.size());
            result.field = text.field;
            return result;
        }
        newBytes += text.line.size() + ListDocument::EndBytes(ListLineEnd::CrLf).size();
        lines.push_back(std::move(text.line));
    }

    const int at = InsertionLine(list, position);
    const ListLineEnd newEnd = list.DominantLineEnd();
    // After a last line without an end, that line takes one and the new last line goes without.
    const bool atUnendedEnd = at == list.LineCount() && at > 0
        && list.LineEnd(at - 1) == ListLineEnd::None;
    ListBytesBuilder bytes(list, newBytes);
    for (int line = 0; line < at; ++line) {
        if (atUnendedEnd && line == at - 1)
            bytes.Add(list.LineContent(line), newEnd);
        else
            bytes.AddLine(list, line);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool last = atUnendedEnd && i + 1 == lines.size();
        bytes.Add(lines[i], last ? ListLineEnd::None : newEnd);
    }
    for (int line = at; line < list.LineCount(); ++line)
        bytes.AddLine(list, line);

    std::vector<std::string> expected = list.ItemTexts();
    expected.insert(expected.begin() + position, lines.begin(), lines.end());
    return Checked(bytes.Take(), expected);
}

ListEditResult DeleteListItems(const ListDocument& list, std::vector<int> items)
{
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
    for (const int item : items) {
        if (!IsItem(list, item))
            return Refused(ListEditError::NoSuchItem);
        if (EndsReading(list, item))
            return Refused(ListEditError::LineEndsReading);
    }

    ListBytesBuilder bytes(list, 0);
    std::vector<std::string> expected;
    expected.reserve(list.ItemCount() - items.size());
    auto next = items.begin();
    for (int line = 0; line < list.LineCount(); ++line) {
        const int item = list.ItemOfLine(line);
        if (next != items.end() && item == *next) {
            ++next;
            continue;
        }
        bytes.AddLine(list, line);
        if (item >= 0)
            expected.push_back(list.ItemText(item));
    }
    return Checked(bytes.Take(), expected);
}

ListEditResult MoveListItem(const ListDocument& list, int item, int step)
{
    const int other = item + step;
    if ((step != -1 && step != 1) || !IsItem(list, item) || !IsItem(list, other))
        return Refused(ListEditError::NoSuchItem);
    if (EndsReading(list, item) || EndsReading(list, other))
        return Refused(ListEditError::LineEndsReading);

    const int lineA = list.LineOfItem(item);
    const int lineB = list.LineOfItem(other);
    ListBytesBuilder bytes(list, 0);
    for (int line = 0; line < list.LineCount(); ++line) {
        const int source = line == lineA ? lineB : line == lineB ? lineA : line;
        bytes.Add(list.LineContent(source), list.LineEnd(line));
    }
    std::vector<std::string> expected = list.ItemTexts();
    std::swap(expected[item], expected[other]);
    return Checked(bytes.Take(), expected);
}

} // namespace mosgrid
