#include "app/ViewValueInputs.h"

#include "view/CCatalogView.h"

namespace mosgrid {

BuildInputs ValueTableInputs(CCatalogView& view)
{
    const CatalogModel& model = view.model();
    return BuildInputs{&model.items(), model.thumbnailSize(), model.paths().iniFile,
                       model.componentProvider(), model.periodChoice()};
}

} // namespace mosgrid
