#include "view/CatalogTabs.h"

#include "catalog/DisplayText.h"
#include "model/CatalogModel.h"

#include <QMouseEvent>
#include <QTabBar>

#include <algorithm>
#include <filesystem>

namespace mosgrid {

namespace {

QString TitleOf(const std::string& path)
{
    return path.empty() ? QString() : DisplayText(std::filesystem::path(path).filename().string());
}

} // namespace

CatalogTabs::CatalogTabs(ModelMaker makeModel, QWidget* barParent)
    : m_makeModel(std::move(makeModel))
    , m_pBar(new QTabBar(barParent))
{
    m_pBar->setObjectName(QStringLiteral("catalogTabs"));
    m_pBar->setDocumentMode(true);
    m_pBar->setExpanding(false);
    m_pBar->setTabsClosable(true);
    m_pBar->setFocusPolicy(Qt::NoFocus);
    AddTab(m_makeModel());
    connect(m_pBar, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            Switch(index);
    });
    connect(m_pBar, &QTabBar::tabCloseRequested, this, [this](int index) { Close(index); });
    // The middle button closes the tab under it, as in browsers.
    m_pBar->installEventFilter(this);
    ShowBar();
}

CatalogTabs::~CatalogTabs() = default;

std::vector<std::string> CatalogTabs::files() const
{
    std::vector<std::string> paths;
    for (const auto& model : m_models)
        paths.push_back(model->listFile());
    return paths;
}

void CatalogTabs::AddTab(std::unique_ptr<CatalogModel> model)
{
    const QString title = TitleOf(model->listFile());
    m_models.push_back(std::move(model));
    const QSignalBlocker quiet(m_pBar);
    m_pBar->addTab(title);
    m_pBar->setTabToolTip(count() - 1, DisplayText(m_models.back()->listFile()));
}

void CatalogTabs::Open(std::string path)
{
    std::unique_ptr<CatalogModel> model = m_makeModel();
    model->SetListFile(std::move(path), false);
    AddTab(std::move(model));
    Switch(count() - 1);
    ShowBar();
}

void CatalogTabs::Switch(int index)
{
    if (index < 0 || index >= count() || index == m_nCurrent) {
        const QSignalBlocker quiet(m_pBar);
        m_pBar->setCurrentIndex(m_nCurrent);
        return;
    }
    CatalogModel& previous = current();
    m_nCurrent = index;
    {
        const QSignalBlocker quiet(m_pBar);
        m_pBar->setCurrentIndex(index);
    }
    emit currentChanged(previous, current());
    emit tabsChanged();
}

void CatalogTabs::Step(int step)
{
    if (count() > 1)
        Switch(((m_nCurrent + step) % count() + count()) % count());
}

bool CatalogTabs::Close(int index)
{
    if (count() <= 1 || index < 0 || index >= count())
        return false;
    if (index == m_nCurrent)
        Switch(index + 1 < count() ? index + 1 : index - 1);
    // The shown one is another: this model builds nothing and nobody listens to it.
    std::unique_ptr<CatalogModel> closed = std::move(m_models[static_cast<std::size_t>(index)]);
    m_models.erase(m_models.begin() + index);
    if (m_nCurrent > index)
        --m_nCurrent;
    {
        const QSignalBlocker quiet(m_pBar);
        m_pBar->removeTab(index);
        m_pBar->setCurrentIndex(m_nCurrent);
    }
    closed.reset();
    ShowBar();
    emit tabsChanged();
    return true;
}

void CatalogTabs::Retitle(int index)
{
    if (index < 0 || index >= count())
        return;
    m_pBar->setTabText(index, TitleOf(at(index).listFile()));
    m_pBar->setTabToolTip(index, DisplayText(at(index).listFile()));
    emit tabsChanged();
}

bool CatalogTabs::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pBar && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const int index = m_pBar->tabAt(mouse->position().toPoint());
        if (mouse->button() == Qt::MiddleButton && index >= 0) {
            Close(index);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void CatalogTabs::ShowBar()
{
    m_pBar->setVisible(count() > 1);
}

} // namespace mosgrid
