#include "view/SelectionClipboard.h"

#include "catalog/DisplayText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace mosgrid {

QMimeData* SelectionMimeData(const CatalogItemList& items, const std::vector<int>& selected)
{
    QString text;
    QString lines;
    for (const int index : selected) {
        if (index < 0 || index >= static_cast<int>(items.size()))
            continue;
        const CatalogItem& item = *items[index];
        const QString code = DisplayText(item.m_strCode);
        const QString name = DisplayText(item.m_strName);
        text += code + u'\t' + name + u'\n';
        lines += QString::number(item.m_nType) + u',' + DisplayText(item.m_strSource) + u','
            + code + u',' + name + u'\n';
    }
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(kListLinesMimeType, lines.toUtf8());
    return data;
}

void CopySelection(const CatalogItemList& items, const std::vector<int>& selected)
{
    if (selected.empty())
        return;
    QGuiApplication::clipboard()->setMimeData(SelectionMimeData(items, selected));
}

} // namespace mosgrid
