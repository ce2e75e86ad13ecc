#include "catalog/ListEditSession.h"

#include "catalog/ListEdits.h"

#include <algorithm>

namespace mosgrid {

namespace {

ListEditOutcome Refusal(const ListEditResult& result)
{
    ListEditOutcome outcome;
    outcome.status = ListEditStatus::Refused;
    outcome.error = result.error;
    outcome.newItem = result.newItem;
    outcome.field = result.field;
    return outcome;
}

ListEditOutcome FileFailure(ListFileError error)
{
    ListEditOutcome outcome;
    outcome.status = ListEditStatus::FileProblem;
    outcome.fileError = error;
    return outcome;
}

} // namespace

ListFileError ListEditSession::Read(const std::string& path)
{
    if (path != m_path || !m_writer) {
        m_path = path;
        m_writer = std::make_unique<ListFileWriter>(path);
        m_history.Clear();
    }
    std::string bytes;
    const ListFileError error = m_writer->Read(bytes);
    m_document = ListDocument(error == ListFileError::None ? std::move(bytes) : std::string());
    return error;
}

ListEditOutcome ListEditSession::WriteBytes(const std::string& bytes)
{
    if (!m_writer)
        return FileFailure(ListFileError::CannotRead);
    const ListFileError error = m_writer->Write(bytes);
    if (error != ListFileError::None)
        return FileFailure(error);
    ListEditOutcome outcome;
    outcome.status = ListEditStatus::Done;
    return outcome;
}

ListEditOutcome ListEditSession::Commit(const ListDocument& after, std::vector<int> selection)
{
    ListEditOutcome outcome = WriteBytes(after.Bytes());
    if (!outcome.done())
        return outcome;
    m_history.Record(m_document.Bytes(), after.Bytes());
    m_document = after;
    outcome.selection = std::move(selection);
    return outcome;
}

ListEditOutcome ListEditSession::Insert(int position, const std::vector<NewListItem>& items)
{
    if (items.empty())
        return {};
    ListEditResult result = InsertListItems(m_document, position, items, m_path);
    if (!result.ok())
        return Refusal(result);
    std::vector<int> selection(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        selection[i] = position + int(i);
    return Commit(result.document, std::move(selection));
}

ListEditOutcome ListEditSession::Delete(const std::vector<int>& items)
{
    if (items.empty())
        return {};
    ListEditResult result = DeleteListItems(m_document, items);
    if (!result.ok())
        return Refusal(result);
    // The security after the first one removed takes the selection, else the new last one.
    const int first = *std::min_element(items.begin(), items.end());
    const int count = result.document.ItemCount();
    std::vector<int> selection;
    if (count > 0)
        selection.push_back(std::min(first, count - 1));
    return Commit(result.document, std::move(selection));
}

ListEditOutcome ListEditSession::Move(std::vector<int> items, int step)
{
    if (items.empty() || (step != -1 && step != 1))
        return {};
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
    // The item nearest the edge it moves to goes first, so the block keeps its order.
    if (step > 0)
        std::reverse(items.begin(), items.end());
    ListDocument document = m_document;
    for (const int item : items) {
        ListEditResult result = MoveListItem(document, item, step);
        if (!result.ok())
            return Refusal(result);
        document = std::move(result.document);
    }
    std::vector<int> selection;
    for (const int item : items)
        selection.push_back(item + step);
    std::sort(selection.begin(), selection.end());
    return Commit(document, std::move(selection));
}

bool ListEditSession::CanUndo() const
{
    return m_history.CanUndo(m_document.Bytes());
}

bool ListEditSession::CanRedo() const
{
    return m_history.CanRedo(m_document.Bytes());
}

ListEditOutcome ListEditSession::Undo()
{
    if (!CanUndo())
        return {};
    const std::string bytes = m_history.UndoBytes();
    ListEditOutcome outcome = WriteBytes(bytes);
    if (outcome.done()) {
        m_history.Undone();
        m_document = ListDocument(bytes);
    }
    return outcome;
}

ListEditOutcome ListEditSession::Redo()
{
    if (!CanRedo())
        return {};
    const std::string bytes = m_history.RedoBytes();
    ListEditOutcome outcome = WriteBytes(bytes);
    if (outcome.done()) {
        m_history.Redone();
        m_document = ListDocument(bytes);
    }
    return outcome;
}

} // namespace mosgrid
