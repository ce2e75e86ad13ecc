#pragma once

#include "catalog/ListDocument.h"
#include "catalog/ListEditError.h"
#include "catalog/ListEditHistory.h"
#include "catalog/ListField.h"
#include "catalog/ListFileWriter.h"
#include "catalog/NewListItem.h"

#include <memory>
#include <string>
#include <vector>

namespace mosgrid {

enum class ListEditStatus {
    Done,
    Refused,       // the edit itself cannot be made (error says why); nothing written
    FileProblem,   // reading or writing the file failed (fileError says how)
    NothingToDo,   // nothing to undo or redo, or no item given
};

struct ListEditOutcome {
    ListEditStatus status = ListEditStatus::NothingToDo;
    ListEditError error = ListEditError::None;
    ListFileError fileError = ListFileError::None;
    int newItem = -1;             // the new item refused, when one was
    ListField field = fieldType;  // and its field
    std::vector<int> selection;   // the items to select after the edit

    bool done() const { return status == ListEditStatus::Done; }
};

// The edits of one list file: each one made on the bytes just read, written at once, and
// never over a change made by another program since (the file's stamp is compared first).
// The history follows the file: opening another path starts it afresh.
class ListEditSession {
public:
    // Reads path's bytes as the base of the next edit.
    ListFileError Read(const std::string& path);
    const ListDocument& Document() const { return m_document; }
    const std::string& Path() const { return m_path; }

    ListEditOutcome Insert(int position, const std::vector<NewListItem>& items);
    ListEditOutcome Delete(const std::vector<int>& items);
    // Every item one step up (-1) or down (1) in list order, as a block; refused when one
    // would leave the list.
    ListEditOutcome Move(std::vector<int> items, int step);
    ListEditOutcome Undo();
    ListEditOutcome Redo();
    bool CanUndo() const;
    bool CanRedo() const;

private:
    ListEditOutcome Commit(const ListDocument& after, std::vector<int> selection);
    ListEditOutcome WriteBytes(const std::string& bytes);

    std::string m_path;
    std::unique_ptr<ListFileWriter> m_writer;
    ListDocument m_document;
    ListEditHistory m_history;
};

} // namespace mosgrid
