#include "view/ScreenController.h"

#include "screen/ConditionParser.h"
#include "screen/ScreenRun.h"
#include "screen/ScreenSettings.h"
#include "settings/SettingsStore.h"
#include "view/CCatalogView.h"
#include "model/CatalogModel.h"
#include "model/GridArrangement.h"

#include <QTimer>

namespace mosgrid {

namespace {

using Narrowing = GridArrangement::Narrowing;

} // namespace

ScreenController::ScreenController(CCatalogView& view, QObject* parent)
    : QObject(parent)
    , m_view(view)
{
    connect(&m_view.arrangement(), &GridArrangement::itemsChanged, this,
            &ScreenController::OnItemsChanged);
    // Each tab its own condition: the one left keeps its text, the one shown gets its own
    // back (a tab never screened takes the condition in force).
    m_pShownModel = &m_view.model();
    connect(&m_view, &CCatalogView::modelChanged, this, [this] {
        connect(&m_view.arrangement(), &GridArrangement::itemsChanged, this,
                &ScreenController::OnItemsChanged, Qt::UniqueConnection);
        if (m_pRun)
            m_pRun->Cancel();
        if (m_pShownModel != nullptr && !m_tabConditions.contains(m_pShownModel)) {
            // A closed tab's address may come back for a new one.
            connect(m_pShownModel, &QObject::destroyed, this,
                    [this, model = m_pShownModel] { m_tabConditions.erase(model); });
        }
        m_tabConditions[m_pShownModel] = m_strCondition;
        m_pShownModel = &m_view.model();
        const auto kept = m_tabConditions.find(m_pShownModel);
        if (kept != m_tabConditions.end()) {
            const ConditionParser::Result parsed = ConditionParser::Parse(kept->second);
            m_condition = parsed.condition;
            m_strCondition = parsed.condition ? kept->second : QString();
        }
        if (!m_condition)
            m_view.arrangement().SetNarrowing(Narrowing::Condition, {});
        else if (!m_view.model().items().empty())
            RestartSoon();
        emit conditionChanged();
        emit countsChanged();
    });
    // The condition of the last session; one that no longer parses is left unapplied.
    const QString active = ScreenSettings::ReadActive(SettingsStore(m_view.paths().iniFile));
    const ConditionParser::Result parsed = ConditionParser::Parse(active);
    if (parsed.condition) {
        m_condition = parsed.condition;
        m_strCondition = active;
        if (!m_view.model().items().empty())
            RestartSoon();
    }
}

ScreenController::~ScreenController() = default;

std::optional<ScreenError> ScreenController::Apply(const QString& text)
{
    const ConditionParser::Result parsed = ConditionParser::Parse(text);
    if (parsed.error)
        return parsed.error;
    if (!parsed.condition) {
        Clear();
        return std::nullopt;
    }
    if (text.trimmed() == m_strCondition.trimmed() && m_condition)
        return std::nullopt;
    m_condition = parsed.condition;
    m_strCondition = text.trimmed();
    Restart();
    return std::nullopt;
}

std::optional<ScreenError> ScreenController::Commit(const QString& text)
{
    std::optional<ScreenError> error = Apply(text);
    if (error)
        return error;
    SettingsStore settings(m_view.paths().iniFile);
    ScreenSettings::WriteActive(settings, m_strCondition);
    ScreenSettings::AddRecent(settings, m_strCondition);
    return std::nullopt;
}

void ScreenController::Clear()
{
    if (m_pRun)
        m_pRun->Cancel();
    m_condition.reset();
    m_strCondition.clear();
    m_view.arrangement().SetNarrowing(Narrowing::Condition, {});
    SettingsStore settings(m_view.paths().iniFile);
    ScreenSettings::WriteActive(settings, QString());
    emit countsChanged();
}

void ScreenController::Reevaluate()
{
    if (m_condition)
        Restart();
}

ScreenCounts ScreenController::counts() const
{
    return m_pRun && m_condition ? m_pRun->counts() : ScreenCounts{};
}

bool ScreenController::running() const
{
    return m_bRestartPending || (m_pRun && m_pRun->running());
}

void ScreenController::WaitForDone()
{
    if (m_pRun)
        m_pRun->WaitForDone();
}

QStringList ScreenController::recent() const
{
    return ScreenSettings::ReadRecent(SettingsStore(m_view.paths().iniFile));
}

void ScreenController::OnItemsChanged()
{
    if (!m_condition)
        return;
    // Results by index mean nothing for the new items: none shown until they come in.
    if (m_pRun)
        m_pRun->Cancel();
    m_view.arrangement().SetNarrowing(Narrowing::Condition,
                                      std::vector<char>(m_view.model().items().size(), 0));
    RestartSoon();
}

void ScreenController::RestartSoon()
{
    // Once the loading that told of the items is over.
    if (m_bRestartPending)
        return;
    m_bRestartPending = true;
    QTimer::singleShot(0, this, &ScreenController::Restart);
}

void ScreenController::Restart()
{
    m_bRestartPending = false;
    ScreenRun* run = RunFor(m_view.model().componentProvider());
    if (!m_condition || !run)
        return;
    std::vector<ScreenItem> items;
    std::vector<int> flags;
    items.reserve(m_view.model().items().size());
    for (std::size_t item = 0; item < m_view.model().items().size(); ++item) {
        const CatalogItem& line = *m_view.model().items()[item];
        items.push_back({line.m_nType, line.m_strSource, line.m_strCode});
        flags.push_back(m_flagOf ? m_flagOf(static_cast<int>(item)) : 0);
    }
    // The securities the grid shows first are evaluated first.
    const std::vector<int> order =
        m_view.arrangement().ItemsInSortOrderWithout(Narrowing::Condition, true);
    run->Start(m_condition, std::move(items), std::move(flags), order);
    emit countsChanged();
}

void ScreenController::OnProgress()
{
    if (!m_condition || !m_pRun)
        return;
    std::vector<char> mask = m_pRun->Mask();
    // Nothing left to narrow by (an empty list) must not read as "no narrowing" later.
    if (!mask.empty())
        m_view.arrangement().SetNarrowing(Narrowing::Condition, std::move(mask));
    emit countsChanged();
}

ScreenRun* ScreenController::RunFor(IComponentProvider* provider)
{
    if (!provider)
        return nullptr;
    if (!m_pRun || m_pRunProvider != provider) {
        m_pRun = std::make_unique<ScreenRun>(*provider);
        m_pRunProvider = provider;
        connect(m_pRun.get(), &ScreenRun::progressed, this, &ScreenController::OnProgress);
    }
    return m_pRun.get();
}

} // namespace mosgrid
