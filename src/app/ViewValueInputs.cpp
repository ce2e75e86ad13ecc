#include "app/ViewValueInputs.h"

#include "view/CCatalogView.h"

BuildInputs ValueTableInputs(CCatalogView& view)
{
    return BuildInputs{&view.m_itemList, QSize(view.m_nSizeX, view.m_nSizeY),
                       view.paths().iniFile, view.componentProvider(), view.periodChoice()};
}
