#pragma once

#include "screen/ConditionNode.h"
#include "screen/ScreenError.h"
#include "screen/ScreenItem.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

namespace mosgrid {

class CCatalogView;
class CatalogModel;
class IComponentProvider;
class ScreenRun;

// Screening the grid by a condition: evaluates it over every security on worker threads and
// narrows the shown order to those it holds for as the results come in (the shown
// securities first). The active condition is [View] Screen= of the settings, applied again
// whenever the list is loaded or reloaded.
//
// Threads: the user-interface thread only.
class ScreenController : public QObject {
    Q_OBJECT
public:
    explicit ScreenController(CCatalogView& view, QObject* parent = nullptr);
    ~ScreenController() override;

    // Narrows by text (a blank text ends the narrowing). An error leaves the narrowing as
    // it was and is returned.
    std::optional<ScreenError> Apply(const QString& text);
    // Apply, and on success keeps text as the active condition, first of the recent ones.
    std::optional<ScreenError> Commit(const QString& text);
    // No condition: every security shown again, the active condition forgotten.
    void Clear();
    // Evaluates the condition in force again (the flags it reads changed).
    void Reevaluate();

    // The text of the condition in force (empty: none).
    const QString& condition() const { return m_strCondition; }
    ScreenCounts counts() const;
    // From a start (or a load that starts one) until its last results are applied.
    bool running() const;
    // Blocks until the run in hand is done and its narrowing applied (printing, tests).
    void WaitForDone();
    QStringList recent() const;

    // The flag number of an item (0: none) that `flag` in a condition reads; asked for every
    // item on the user-interface thread when a run starts.
    void SetFlagLookup(std::function<int(int item)> lookup) { m_flagOf = std::move(lookup); }

signals:
    // The counts or the condition changed.
    void countsChanged();
    // Another tab brought its own condition: the field shows it.
    void conditionChanged();

private:
    void OnItemsChanged();
    void RestartSoon();
    void Restart();
    void OnProgress();
    ScreenRun* RunFor(IComponentProvider* provider);

    CCatalogView& m_view;
    std::unique_ptr<ScreenRun> m_pRun;
    IComponentProvider* m_pRunProvider = nullptr;
    std::shared_ptr<const ConditionNode> m_condition;
    QString m_strCondition;
    std::function<int(int item)> m_flagOf;
    bool m_bRestartPending = false;
    // The condition of each tab not shown, by its catalog; the shown one's is in force.
    const CatalogModel* m_pShownModel = nullptr;
    std::unordered_map<const CatalogModel*, QString> m_tabConditions;
};

} // namespace mosgrid
