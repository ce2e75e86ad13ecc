#include "sheet/CPropGeneralSheet.h"

#include "base/DialogLayout.h"
#include "base/MessageBox.h"
#include "settings/SettingsStore.h"
#include "sheet/DialogResults.h"
#include "sheet/SettingsWriteProblem.h"
#include "sheet/SheetTexts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mosgrid {

namespace {

// The sheet's own buttons, sized like dialog buttons (dialog units).
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

QPushButton* AddButton(QHBoxLayout* row, const QString& text, int id, const QSize& size)
{
    auto* button = new QPushButton(text);
    button->setObjectName(QString::number(id));
    button->setFixedSize(size);
    row->addWidget(button);
    return button;
}

} // namespace

CPropGeneralSheet::CPropGeneralSheet(QWidget* parent, const ProgramPaths& paths, int selectPage)
    : QDialog(parent)
    , m_paths(paths)
    , m_nStartPage(selectPage)
    , m_pageGeneral(paths)
    , m_pageCommon(paths)
    , m_pageCharts(paths)
    , m_pageLabel(paths)
{
    setWindowTitle(SheetTexts::kSheetCaption);
    setFont(DialogFont());
    const QSize buttonSize = DluToPixels(BaseUnitsOf(font()), kButtonWidth, kButtonHeight);

    m_pTabs = new QTabWidget(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* ok = AddButton(buttons, SheetTexts::kOk, kIdOk, buttonSize);
    ok->setDefault(true);
    QPushButton* cancel = AddButton(buttons, SheetTexts::kCancel, kIdCancel, buttonSize);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addLayout(buttons);
    // A property sheet keeps the size its largest page gives it.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &CPropGeneralSheet::accept);
    connect(cancel, &QPushButton::clicked, this, &CPropGeneralSheet::reject);
    connect(m_pTabs, &QTabWidget::currentChanged, this, &CPropGeneralSheet::OnPageChanged);
    connect(&m_pageGeneral, &CPropGeneral::recommendedRequested, this,
            &CPropGeneralSheet::OnRecommended);
}

void CPropGeneralSheet::OnRecommended()
{
    m_bRecommended = true;
    for (int i = 0; i < m_pTabs->count(); ++i) {
        if (CPropertyPage* page = PageAt(i); page != nullptr && page->IsCreated())
            page->ApplyRecommended();
    }
}

CPropGeneralSheet::~CPropGeneralSheet()
{
    // The pages leave the tab widget as they are destroyed; the tab changes that causes
    // must not reach a sheet that is half gone.
    disconnect(m_pTabs, nullptr, this, nullptr);
}

int CPropGeneralSheet::DoModal()
{
    AddPages();
    return exec() == QDialog::Accepted ? kIdOk : kIdCancel;
}

void CPropGeneralSheet::Open()
{
    AddPages();
    open();
}

void CPropGeneralSheet::AddPages()
{
    if (m_bPagesAdded)
        return;
    m_bPagesAdded = true;
    for (CPropertyPage* page : {static_cast<CPropertyPage*>(&m_pageGeneral),
                                static_cast<CPropertyPage*>(&m_pageCommon),
                                static_cast<CPropertyPage*>(&m_pageCharts),
                                static_cast<CPropertyPage*>(&m_pageLabel)})
        m_pTabs->addTab(page, page->title());
    m_pTabs->setCurrentIndex(qBound(0, m_nStartPage, m_pTabs->count() - 1));
}

void CPropGeneralSheet::SetChartPreview(const std::shared_ptr<IChartPreview>& preview)
{
    m_pageCharts.SetChartPreview(preview);
    m_pageLabel.SetChartPreview(preview);
}

CPropertyPage* CPropGeneralSheet::PageAt(int index) const
{
    return qobject_cast<CPropertyPage*>(m_pTabs->widget(index));
}

void CPropGeneralSheet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    OnPageChanged(m_pTabs->currentIndex());
}

void CPropGeneralSheet::OnPageChanged(int index)
{
    // A page reads the settings the first time it is seen, not when it is added.
    if (!isVisible())
        return;
    CPropertyPage* page = PageAt(index);
    if (page == nullptr || page->IsCreated())
        return;
    page->Create();
    if (m_bRecommended)
        page->ApplyRecommended();
}

void CPropGeneralSheet::accept()
{
    if (CPropertyPage* current = PageAt(m_pTabs->currentIndex())) {
        if (!current->OnKillActive())
            return;
    }
    // One OK is one change of the file: every shown page's keys in a single replace.
    SettingsWriteBatch writes;
    for (int i = 0; i < m_pTabs->count(); ++i) {
        CPropertyPage* page = PageAt(i);
        if (page == nullptr || !page->IsCreated())
            continue;
        if (!page->OnApply(writes)) {
            // The page refused: it comes to the front, the sheet stays open, nothing is written.
            m_pTabs->setCurrentIndex(i);
            return;
        }
    }
    if (m_bRecommended) {
        for (int i = 0; i < m_pTabs->count(); ++i) {
            if (const CPropertyPage* page = PageAt(i); page != nullptr && !page->IsCreated())
                page->RecommendedWrites(writes);
        }
    }
    if (!SettingsStore(m_paths.iniFile).WriteTexts(writes)) {
        // Nothing typed is lost: the sheet stays open, to try again or cancel.
        ShowMessageBox(SettingsWriteFailedText(m_paths.iniFile));
        return;
    }
    QDialog::accept();
}

} // namespace mosgrid
