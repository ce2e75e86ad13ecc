#include "chart/SecurityPreview.h"

#include "chart/ChartHost.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"

#include <QPainter>

namespace mosgrid {

SecurityPreview SecurityPreview::Render(IComponentProvider& provider, const CatalogItem& item,
                                        const std::string& iniFile)
{
    SecurityPreview preview;
    const ThumbnailSize size = ReadThumbnailSize(SettingsStore(iniFile));
    ChartHost host(provider, iniFile);
    if (host.CreateHost(size.width, size.height) != 1)
        return preview;
    preview.image = QImage(size.width, size.height, QImage::Format_RGB32);
    {
        QPainter painter(&preview.image);
        host.RenderItem(item);
        host.CaptureItem(painter, 0, 0, item);
    }
    preview.facts = host.LastFacts();
    host.DestroyWindow();
    return preview;
}

} // namespace mosgrid
