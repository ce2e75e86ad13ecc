#include "sheet/CPropCharts.h"

#include "settings/SettingsStore.h"
#include "settings/IChartPreview.h"
#include "settings/RecommendedSettings.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsValues.h"
#include "sheet/CAddChartDlg.h"
#include "sheet/DialogResults.h"
#include "sheet/SheetTexts.h"
#include "sheet/StoredText.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <cstdio>
#include <string>

namespace mosgrid {

namespace {

// Dialog 106, in dialog units.
constexpr int kWidth = 210;
constexpr int kHeight = 154;

constexpr int kIdAdd = 1001;
constexpr int kIdDelete = 1002;
constexpr int kIdList = 1003;

// The buttons beside the dialog's own two, in dialog units.
constexpr int kExtraButtonsTop = 61;
constexpr int kExtraButtonStep = 18;
constexpr int kExtraButtonHeight = 15;

// An entry read from the file keeps its bytes, so an unedited Shift-JIS definition is
// written back unchanged.
constexpr int kStoredBytesRole = Qt::UserRole;

std::string ChartKey(int index)
{
    char key[32];
    std::snprintf(key, sizeof key, SettingsKeys::kChartFormat, index);
    return key;
}

void AppendEntry(QListWidget* list, const std::string& stored)
{
    auto* item = new QListWidgetItem(ShownText(stored), list);
    item->setData(kStoredBytesRole, QByteArray::fromStdString(stored));
}

std::string EntryBytes(const QListWidgetItem* item)
{
    return StoredBytes(item->text(), item->data(kStoredBytesRole).toByteArray().toStdString());
}

} // namespace

CPropCharts::CPropCharts(const ProgramPaths& paths, QWidget* parent)
    : CPropertyPage(SheetTexts::kChartsTitle, kWidth, kHeight, paths, parent)
{
    auto* add = new QPushButton(SheetTexts::kAdd, this);
    add->setObjectName(QString::number(kIdAdd));
    add->setGeometry(Dlu(159, 13, 46, 19));
    auto* remove = new QPushButton(SheetTexts::kDelete, this);
    remove->setObjectName(QString::number(kIdDelete));
    remove->setGeometry(Dlu(159, 37, 46, 19));

    m_listCharts = new QListWidget(this);
    m_listCharts->setObjectName(QString::number(kIdList));
    m_listCharts->setGeometry(Dlu(6, 13, 146, 75));
    m_listCharts->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listCharts->setSortingEnabled(false);
    m_listCharts->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    const std::pair<int, QString> extra[] = {
        {kIdEdit, SheetTexts::kEdit}, {kIdDuplicate, SheetTexts::kDuplicate},
        {kIdUp, SheetTexts::kUp}, {kIdDown, SheetTexts::kDown}};
    int top = kExtraButtonsTop;
    for (const auto& [id, text] : extra) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::number(id));
        button->setGeometry(Dlu(159, top, 46, kExtraButtonHeight));
        top += kExtraButtonStep;
        m_selectionButtons.push_back(button);
    }
    auto* intro = new QLabel(SheetTexts::kChartsExplain, this);
    intro->setTextFormat(Qt::PlainText);
    intro->setWordWrap(true);
    intro->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    intro->setGeometry(Dlu(6, 94, 146, 56));

    connect(add, &QPushButton::clicked, this, &CPropCharts::OnAddChart);
    connect(remove, &QPushButton::clicked, this, &CPropCharts::OnDeleteChart);
    connect(m_selectionButtons[0], &QPushButton::clicked, this, &CPropCharts::OnEditChart);
    connect(m_selectionButtons[1], &QPushButton::clicked, this, &CPropCharts::OnDuplicateChart);
    connect(m_selectionButtons[2], &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(m_selectionButtons[3], &QPushButton::clicked, this, [this] { MoveSelected(1); });
    connect(m_listCharts, &QListWidget::itemDoubleClicked, this, &CPropCharts::OnEditChart);
    connect(m_listCharts, &QListWidget::itemSelectionChanged, this,
            &CPropCharts::EnableSelectionButtons);
    EnableSelectionButtons();
}

int CPropCharts::SelectedRow() const
{
    const QList<QListWidgetItem*> selected = m_listCharts->selectedItems();
    return selected.isEmpty() ? -1 : m_listCharts->row(selected.front());
}

void CPropCharts::SelectRow(int row)
{
    m_listCharts->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void CPropCharts::EnableSelectionButtons()
{
    const int row = SelectedRow();
    const int last = m_listCharts->count() - 1;
    m_selectionButtons[0]->setEnabled(row >= 0);
    m_selectionButtons[1]->setEnabled(row >= 0);
    m_selectionButtons[2]->setEnabled(row > 0);
    m_selectionButtons[3]->setEnabled(row >= 0 && row < last);
}

void CPropCharts::OnEditChart()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    QListWidgetItem* item = m_listCharts->item(row);
    CAddChartDlg dlg(paths().exeDir, this);
    dlg.setWindowTitle(SheetTexts::kEditChartTitle);
    dlg.SetChartPreview(m_pChartPreview);
    dlg.m_strChart = item->text();
    // An emptied text leaves the entry as it was; 削除 removes entries.
    if (dlg.DoModal() == kIdOk && !dlg.m_strChart.isEmpty())
        item->setText(dlg.m_strChart);
    SelectRow(row);
}

void CPropCharts::OnDuplicateChart()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    m_listCharts->insertItem(row + 1, m_listCharts->item(row)->clone());
    SelectRow(row + 1);
}

void CPropCharts::MoveSelected(int step)
{
    const int row = SelectedRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_listCharts->count())
        return;
    QListWidgetItem* item = m_listCharts->takeItem(row);
    m_listCharts->insertItem(target, item);
    SelectRow(target);
}

void CPropCharts::DoDataExchange(bool)
{
    // The list box is the data; there is nothing to transfer.
}

bool CPropCharts::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    using namespace SettingsKeys;
    // "Num" 0: the built-in definition; n > 0: the non-empty keys below n; n < 0: none.
    // Exactly what the chart host will draw.
    const SettingsStore settings(paths().iniFile);
    for (const std::string& definition : EffectiveChartDefinitions(settings))
        AppendEntry(m_listCharts, definition);
    return true;
}

bool CPropCharts::OnApply(SettingsWriteBatch& writes)
{
    using namespace SettingsKeys;
    const int count = m_listCharts->count();
    writes.push_back({kSectionChart, kNum, std::to_string(count)});
    // Keys beyond the new count stay in the file; nothing reads them.
    for (int i = 0; i < count; ++i)
        writes.push_back({kSectionChart, ChartKey(i), EntryBytes(m_listCharts->item(i))});
    return CPropertyPage::OnApply(writes);
}

void CPropCharts::ApplyRecommended()
{
    m_listCharts->clear();
    for (const char* definition : RecommendedSettings::kCharts)
        AppendEntry(m_listCharts, definition);
}

void CPropCharts::RecommendedWrites(SettingsWriteBatch& writes) const
{
    using namespace SettingsKeys;
    const auto& charts = RecommendedSettings::kCharts;
    writes.push_back({kSectionChart, kNum, std::to_string(charts.size())});
    for (std::size_t i = 0; i < charts.size(); ++i)
        writes.push_back({kSectionChart, ChartKey(int(i)), charts[i]});
}

void CPropCharts::OnAddChart()
{
    CAddChartDlg dlg(paths().exeDir, this);
    dlg.SetChartPreview(m_pChartPreview);
    if (dlg.DoModal() == kIdOk && !dlg.m_strChart.isEmpty())
        AppendEntry(m_listCharts, dlg.m_strChart.toStdString());
}

void CPropCharts::OnDeleteChart()
{
    const QList<QListWidgetItem*> selected = m_listCharts->selectedItems();
    if (selected.isEmpty())
        return;
    delete selected.front();
    // Like the list box, nothing is selected after a deletion.
    m_listCharts->clearSelection();
}

} // namespace mosgrid
