#pragma once

#include "catalog/CatalogItem.h"
#include "settings/FlagColor.h"
#include "settings/FlagStore.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mosgrid {

// The flags of the items shown: each item's flag, looked up by its code once per load so a
// paint only reads a vector, and the flag filter. Changes are saved shortly after the last
// one (and when it goes), so a run of keys writes the file once.
// User-interface thread only.
class ItemFlags : public QObject {
    Q_OBJECT
public:
    // Which flagged securities the grid shows: all (no filter), those with any flag, or
    // those with one colour.
    struct Filter {
        enum class Kind { Off, Any, One };
        Kind kind = Kind::Off;
        FlagColor color = FlagColor::None;
        bool operator==(const Filter&) const = default;
    };

    static constexpr int kSaveDelayMs = 300;

    // flagsFile: empty keeps the flags for the session only.
    explicit ItemFlags(std::string flagsFile, QObject* parent = nullptr);
    // Several catalogs (tabs) share one store, so none writes over another's flags.
    explicit ItemFlags(std::shared_ptr<FlagStore> store, QObject* parent = nullptr);
    ~ItemFlags() override;

    // The items of a list file, loaded or read again: their flags looked up anew. The items
    // are kept by reference: they must outlive this, or be set again before they change.
    void SetList(const std::string& listPath, const CatalogItemList& items);
    // Who says which items a flag key acts on (by default none).
    using SelectionSource = std::function<std::vector<int>()>;
    void SetSelectionSource(SelectionSource source) { m_selection = std::move(source); }

    FlagColor ColorOf(int item) const;
    // A flag key: 1–6 flag the selected items with that colour, or clear them when every one
    // has it already; 0 clears them.
    void ApplyKey(FlagColor color);
    void Apply(std::span<const int> items, FlagColor color);

    const Filter& filter() const { return m_filter; }
    void SetFilter(Filter filter);
    // The items the filter shows (true), one per item; empty when the filter is off.
    std::vector<char> Mask() const;

    FlagStore& store() { return *m_store; }
    // Writes what is waiting now; false when the file could not be written.
    bool SaveNow();

signals:
    // A flag or the filter changed: repaint, narrow the grid again.
    void flagsChanged();

private:
    std::shared_ptr<FlagStore> m_store;
    int m_nList = -1;
    // The items of the last SetList; the model calls SetList again whenever they change.
    const CatalogItemList* m_pItems = nullptr;
    std::vector<FlagColor> m_colors;
    Filter m_filter;
    SelectionSource m_selection;
    QTimer m_saveTimer;
};

} // namespace mosgrid
