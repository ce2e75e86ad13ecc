#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace mosgrid {

// The edits made to a list as its bytes before and after each, to be undone and redone in
// order. The caller writes the bytes and then tells the history the step was taken, so a
// write that fails leaves the history where it was. The oldest edits go once all kept bytes
// pass the budget.
class ListEditHistory {
public:
    static constexpr std::size_t kDefaultByteBudget = 64 * 1024 * 1024;

    explicit ListEditHistory(std::size_t byteBudget = kDefaultByteBudget);

    // A new edit; whatever could be redone is dropped.
    void Record(std::string before, std::string after);
    void Clear();

    // Whether the last edit can be undone from current, the list's bytes now: they must be
    // what that edit wrote (a list changed in between has lost its history).
    bool CanUndo(const std::string& current) const;
    bool CanRedo(const std::string& current) const;
    // The bytes that undo or redo the next edit; only when CanUndo / CanRedo.
    const std::string& UndoBytes() const;
    const std::string& RedoBytes() const;
    // The step has been written.
    void Undone();
    void Redone();

    std::size_t UndoCount() const { return m_undoCount; }
    std::size_t RedoCount() const { return m_edits.size() - m_undoCount; }

private:
    struct Edit {
        std::string before;
        std::string after;
    };

    void DropOldest();

    std::deque<Edit> m_edits;    // oldest first; the first m_undoCount are done
    std::size_t m_undoCount = 0;
    std::size_t m_bytes = 0;
    std::size_t m_byteBudget;
};

} // namespace mosgrid
